// A private copy of the plug-in DLL in a fresh temporary folder, loaded with
// LoadLibraryW as a host loads it, the folder's "appdata" standing for the
// user's application data (%APPDATA%). Unloaded and removed afterwards, or
// unloaded earlier by unload().
#pragma once

#include "framework/vst/aeffect.h"

#include <windows.h>

#include <string>
#include <vector>

// A file beside the test executable: what the build copies there.
std::string besideExecutable(const std::string& name);

class Loadeddll {
public:
    // The copy takes the file name given, so that two copies can be loaded
    // as two modules; the folder's name ends in folderName (UTF-8).
    explicit Loadeddll(const std::string& fileName = "Vexatone.dll", const std::string& folderName = "");
    ~Loadeddll();
    Loadeddll(const Loadeddll&) = delete;
    Loadeddll& operator=(const Loadeddll&) = delete;

    HMODULE module() const { return handle; }
    // The folder, in UTF-8.
    const std::string& folder() const { return dir; }
    // The exported function name, or null.
    void* exported(const char* name) const;
    // Calls the entry point with the given host callback.
    AEffect* effect(audioMasterCallback callback) const;
    // The DLLs this module imports, as named in its import table.
    std::vector<std::string> imports() const;
    // FreeLibrary now, as a host does when it drops the plug-in.
    void unload();

    // The user's settings file and presets folder, relative to the folder.
    static constexpr const char* settings = "appdata\\Hollowbirch\\Vexatone\\Vexatone.ini";
    static constexpr const char* presets = "appdata\\Hollowbirch\\Vexatone\\Presets";

    // A file relative to the folder; writing makes its folders.
    std::string readFile(const std::string& name) const;
    void writeFile(const std::string& name, const std::string& contents) const;

private:
    std::string dir;
    HMODULE handle = nullptr;
};
