// The folder browser on Windows: the shell's SHBrowseForFolderA, with COM
// initialised for the call.
#include "framework/gui/folderbrowser.h"

#include "framework/gui/window.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace Framework {

namespace {

// Preselects the folder passed in data once the dialog is ready.
int CALLBACK browserEvent(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

std::optional<std::string> chooseFolder(Window& owner, const std::string& title, const std::string& preselected)
{
    const HRESULT com = CoInitialize(nullptr);
    char name[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = static_cast<HWND>(owner.handle());
    info.pszDisplayName = name;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = browserEvent;
    info.lParam = reinterpret_cast<LPARAM>(preselected.c_str());
    std::optional<std::string> choice;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(chosen, path))
            choice = std::string(path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    return choice;
}

} // namespace Framework
