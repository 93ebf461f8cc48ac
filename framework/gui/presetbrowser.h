// The presets of the bank folder, reached through the program name: a press
// on it shows the menu of the bank's programs and of the subfolders' preset
// files, with the current one checked, and "Save preset..."; the program
// arrows step through the bank's programs.
//
// Saving asks for a name in an entry box over the name. A name that cannot
// be a file's is refused, the box staying open to mend it; an existing
// preset is replaced only when the user says so in a menu that asks. The
// preset goes to the bank folder's User folder. What went wrong is told on
// the status line, in the editor's words.
#pragma once

#include "editbox.h"
#include "lockable.h"
#include "systemmenu.h"

#include <memory>
#include <string>

namespace Framework {

class Gui;
class Presetmanager;

class Presetbrowser : public Lockable, private Editbox::Owner {
public:
    // The name's rectangle: the area that takes the press and holds the box.
    Presetbrowser(int x, int y, int width, int height, Presetmanager& presets, Gui& gui);
    ~Presetbrowser() override;

    std::string describe() override { return "Presets"; }
    std::string hint() override { return "Presets menu"; }
    // A left press shows the preset menu under the name.
    void press(Igui&, bool&, Mouseevent&) override {}
    void mouseAction(Igui& gui, bool& visible, Mouseevent& event) override;
    int width() override { return areaWidth; }
    int height() override { return areaHeight; }

    // Selects the program delta places from the current one, round the
    // bank's ends.
    void step(int delta);
    // Opens the entry box for the preset's name, filled with the program's.
    void save();
    // Saves the live values as the preset named name, asking first when
    // one of that name exists; false when the name is refused.
    bool saveAs(const std::string& name);
    // Loads the preset file at path as the preset named name.
    void load(const std::string& path, const std::string& name);

    // The menu shown last, built anew at each showing, so that a preset
    // saved a moment ago is in it; null before the first.
    Systemmenu* menu() const { return shown.get(); }
    // The open entry box; null while none is open.
    Editbox* entry() const { return box.get(); }

private:
    std::unique_ptr<Systemmenu> buildMenu();
    // Writes the preset, telling of a failure.
    void write(const std::string& name);
    // The status line shows the program name anew.
    void refresh();

    void entered(const std::string& text) override;
    void escaped() override { box.reset(); }
    void lost() override { box.reset(); }

    const int areaWidth, areaHeight;
    Presetmanager& presets;
    Gui& gui;
    std::unique_ptr<Systemmenu> shown;
    // Whether to replace an existing preset.
    std::unique_ptr<Systemmenu> question;
    std::unique_ptr<Editbox> box;
    // The preset file loaded or saved last, while it is the current
    // program: the program's number and name then.
    std::string currentFile;
    int currentFileProgram = -1;
    std::string currentFileName;
};

} // namespace Framework
