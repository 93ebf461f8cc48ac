// The folder browser on Windows: the shell's SHBrowseForFolderW, with COM
// initialised for the call. Wide paths, so that folders in any script work.
#include "framework/gui/folderbrowser.h"

#include "framework/gui/window.h"
#include "framework/platform/win32/widetext.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

namespace Framework {

namespace {

// Preselects the folder passed in data once the dialog is ready.
int CALLBACK browserEvent(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

void chooseFolder(Window& owner, const std::string& title, const std::string& preselected, Folderchoice then)
{
    const HRESULT com = CoInitialize(nullptr);
    const std::wstring wideTitle = wideText(title);
    const std::wstring widePreselected = wideText(preselected);
    wchar_t name[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = static_cast<HWND>(owner.handle());
    info.pszDisplayName = name;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = browserEvent;
    info.lParam = reinterpret_cast<LPARAM>(widePreselected.c_str());
    std::optional<std::string> choice;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path))
            choice = utf8Text(path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com))
        CoUninitialize();
    then(choice);
}

} // namespace Framework
