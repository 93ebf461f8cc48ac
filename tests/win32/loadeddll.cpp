#include "loadeddll.h"

#include "framework/platform/win32/widetext.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

using Framework::wideText;

std::string besideExecutable(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    return file.substr(0, file.find_last_of('\\') + 1) + name;
}

Loadeddll::Loadeddll(const std::string& fileName, const std::string& folderName)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int copies = 0;
    dir = Framework::utf8Text(temp) + "vexatone-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + std::to_string(++copies) + folderName;
    const std::wstring folder = wideText(dir);
    if (!CreateDirectoryW(folder.c_str(), nullptr))
        throw std::runtime_error("cannot create " + dir);
    const std::wstring copy = folder + L"\\" + wideText(fileName);
    if (!CopyFileW(wideText(besideExecutable("Vexatone.dll")).c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy the DLL to " + dir);
    // The bundle's factory bank, so the plug-in starts without a message.
    const std::wstring banks = folder + L"\\banks";
    CreateDirectoryW(banks.c_str(), nullptr);
    CreateDirectoryW((banks + L"\\default").c_str(), nullptr);
    WIN32_FIND_DATAW found;
    const std::wstring factory = wideText(besideExecutable("banks\\default\\"));
    HANDLE search = FindFirstFileW((factory + L"*.fxp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            CopyFileW((factory + found.cFileName).c_str(), (banks + L"\\default\\" + found.cFileName).c_str(), FALSE);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    // The user's own folders are the test's: nothing of the user who runs
    // it is read or written.
    SetEnvironmentVariableW(L"APPDATA", (folder + L"\\appdata").c_str());
    handle = LoadLibraryW(copy.c_str());
    if (!handle)
        throw std::runtime_error("cannot load the DLL in " + dir);
}

namespace {

// Removes a folder with everything in it.
void removeTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

Loadeddll::~Loadeddll()
{
    unload();
    removeTree(wideText(dir));
}

void Loadeddll::unload()
{
    if (handle)
        FreeLibrary(handle);
    handle = nullptr;
}

void* Loadeddll::exported(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(handle, name));
}

AEffect* Loadeddll::effect(audioMasterCallback callback) const
{
    using Entry = AEffect*(VSTCALLBACK*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(exported("VSTPluginMain"));
    return entry ? entry(callback) : nullptr;
}

std::vector<std::string> Loadeddll::imports() const
{
    const auto* base = reinterpret_cast<const BYTE*>(handle);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    if (table.VirtualAddress == 0)
        return names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table.VirtualAddress); d->Name; ++d)
        names.emplace_back(reinterpret_cast<const char*>(base + d->Name));
    return names;
}

std::string Loadeddll::readFile(const std::string& name) const
{
    std::ifstream in(wideText(dir + "\\" + name).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Loadeddll::writeFile(const std::string& name, const std::string& contents) const
{
    for (std::size_t cut = name.find('\\'); cut != std::string::npos; cut = name.find('\\', cut + 1))
        CreateDirectoryW(wideText(dir + "\\" + name.substr(0, cut)).c_str(), nullptr);
    std::ofstream(wideText(dir + "\\" + name).c_str(), std::ios::binary) << contents;
}
