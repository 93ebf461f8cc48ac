#include "loadeddll.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

std::string besideExecutable(const std::string& name)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file = path;
    return file.substr(0, file.find_last_of('\\') + 1) + name;
}

Loadeddll::Loadeddll(const std::string& fileName)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int copies = 0;
    dir = std::string(temp) + "vexatone-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + std::to_string(++copies);
    if (!CreateDirectoryA(dir.c_str(), nullptr))
        throw std::runtime_error("cannot create " + dir);
    const std::string copy = dir + "\\" + fileName;
    if (!CopyFileA(besideExecutable("Vexatone.dll").c_str(), copy.c_str(), FALSE))
        throw std::runtime_error("cannot copy the DLL to " + copy);
    // The bundle's factory bank, so the plug-in starts without a message.
    const std::string banks = dir + "\\banks";
    CreateDirectoryA(banks.c_str(), nullptr);
    CreateDirectoryA((banks + "\\default").c_str(), nullptr);
    WIN32_FIND_DATAA found;
    const std::string factory = besideExecutable("banks\\default\\");
    HANDLE search = FindFirstFileA((factory + "*.fxp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            CopyFileA((factory + found.cFileName).c_str(), (banks + "\\default\\" + found.cFileName).c_str(), FALSE);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    handle = LoadLibraryA(copy.c_str());
    if (!handle)
        throw std::runtime_error("cannot load " + copy);
}

namespace {

// Removes a folder with everything in it.
void removeTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

Loadeddll::~Loadeddll()
{
    unload();
    removeTree(dir);
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
    std::ifstream in(dir + "\\" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Loadeddll::writeFile(const std::string& name, const std::string& contents) const
{
    std::ofstream(dir + "\\" + name, std::ios::binary) << contents;
}
