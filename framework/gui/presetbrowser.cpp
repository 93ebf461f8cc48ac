#include "presetbrowser.h"

#include "callaction.h"
#include "gui.h"

#include "framework/platform/nativepath.h"
#include "framework/plugin/presetfolder.h"
#include "framework/plugin/presetmanager.h"

namespace Framework {

namespace {

constexpr int boxHeight = 16;

// What the status line says of a refused name; each fits its width.
std::string refusal(Presetfolder::Namecheck check)
{
    switch (check) {
    case Presetfolder::Namecheck::empty:
        return "Type a name for the preset";
    case Presetfolder::Namecheck::tooLong:
        return "Name longer than 23 chars";
    case Presetfolder::Namecheck::character:
        return "Invalid character in name";
    case Presetfolder::Namecheck::ending:
        return "No dot or space at the end";
    case Presetfolder::Namecheck::reserved:
        return "Name reserved by Windows";
    case Presetfolder::Namecheck::fine:
        break;
    }
    return std::string();
}

} // namespace

Presetbrowser::Presetbrowser(int x, int y, int width, int height, Presetmanager& presets, Gui& gui)
    : Lockable(x, y), areaWidth(width), areaHeight(height), presets(presets), gui(gui)
{
}

Presetbrowser::~Presetbrowser() = default;

void Presetbrowser::mouseAction(Igui& igui, bool&, Mouseevent& event)
{
    if (event.code != Mouse::leftDown)
        return;
    shown = buildMenu();
    shown->popup(gui, x, y + areaHeight);
    igui.captureOff();
}

std::unique_ptr<Systemmenu> Presetbrowser::buildMenu()
{
    const int current = presets.currentProgram();
    // The file loaded or saved last is checked while its program is current
    // under its name; otherwise the current program, where a file made it.
    const bool fileIsCurrent =
        !currentFile.empty() && current == currentFileProgram && presets.getProgramName(current) == currentFileName;
    auto menu = std::make_unique<Systemmenu>("Presets", true);
    const Bankfolder& bank = presets.bankfolder();
    for (int slot = 0; slot < static_cast<int>(bank.files.size()); ++slot) {
        if (bank.files[static_cast<std::size_t>(slot)].empty())
            continue;
        // A program without a name shows its file's.
        const std::string name = presets.getProgramName(slot);
        menu->addItem(std::make_unique<Callaction>([this, slot] { presets.selectProgram(slot); }),
                      name.empty() ? utf8Path(nativePath(bank.files[static_cast<std::size_t>(slot)]).stem()) : name);
        menu->setChecked(menu->itemCount() - 1, !fileIsCurrent && slot == current);
    }
    const std::vector<Presetfolder::Folder> folders = Presetfolder(bank).subfolders();
    if (menu->itemCount() > 0 && !folders.empty())
        menu->addSeparator();
    for (const Presetfolder::Folder& folder : folders) {
        auto submenu = std::make_unique<Systemmenu>(folder.name, true);
        for (const Presetfolder::Preset& preset : folder.presets) {
            submenu->addItem(std::make_unique<Callaction>([this, preset] { load(preset.path, preset.name); }),
                             preset.name);
            submenu->setChecked(submenu->itemCount() - 1, fileIsCurrent && preset.path == currentFile);
        }
        menu->addSubmenu(std::move(submenu));
    }
    if (menu->itemCount() > 0)
        menu->addSeparator();
    menu->addItem(std::make_unique<Callaction>([this] { save(); }), "Save preset...");
    return menu;
}

void Presetbrowser::step(int delta)
{
    const int count = presets.programs();
    if (count <= 0)
        return;
    presets.selectProgram(((presets.currentProgram() + delta) % count + count) % count);
    refresh();
}

void Presetbrowser::load(const std::string& path, const std::string& name)
{
    const std::vector<unsigned char> record = Presetfolder(presets.bankfolder()).read(path);
    if (record.empty() || !presets.loadProgram(record.data(), static_cast<int>(record.size()), name)) {
        gui.tell("Could not read the preset");
        return;
    }
    currentFile = path;
    currentFileProgram = presets.currentProgram();
    currentFileName = presets.getProgramName(currentFileProgram);
    refresh();
}

void Presetbrowser::save()
{
    box.reset();
    Editbox::Owner& owner = *this;
    const int limit = static_cast<int>(Presetfolder::longestName);
    // Below the name, which tells what is wrong with a name typed.
    box = std::make_unique<Editbox>(gui, Editbox::Layout{x, y + areaHeight + 2, areaWidth, boxHeight, 12, limit},
                                    presets.getProgramName(presets.currentProgram()), owner);
    if (!box->isOpen())
        box.reset();
}

bool Presetbrowser::saveAs(const std::string& name)
{
    const Presetfolder::Namecheck check = Presetfolder::check(name);
    if (check != Presetfolder::Namecheck::fine) {
        gui.tell(refusal(check));
        return false;
    }
    if (!Presetfolder(presets.bankfolder()).exists(name)) {
        write(name);
        return true;
    }
    question = std::make_unique<Systemmenu>("Replace", false);
    question->addItem(std::make_unique<Callaction>([this, name] { write(name); }), "Replace \"" + name + "\"");
    question->addItem(nullptr, "Keep the saved one");
    question->popup(gui, x, y + areaHeight + 2 + boxHeight);
    return true;
}

void Presetbrowser::write(const std::string& name)
{
    const Presetfolder folder(presets.bankfolder());
    const bool written =
        presets.saveProgram(name, [&](const void* record, int size) { return folder.write(name, record, size); });
    if (!written) {
        gui.tell("Could not write the preset");
        return;
    }
    currentFile = folder.userFile(name);
    currentFileProgram = presets.currentProgram();
    currentFileName = presets.getProgramName(currentFileProgram);
    refresh();
}

void Presetbrowser::refresh()
{
    gui.invalidate(x, y, areaWidth, areaHeight);
}

// A refused name leaves the box open to mend it.
void Presetbrowser::entered(const std::string& text)
{
    const Presetfolder::Namecheck check = Presetfolder::check(text);
    if (check != Presetfolder::Namecheck::fine) {
        gui.tell(refusal(check));
        return;
    }
    box.reset();
    saveAs(text);
}

} // namespace Framework
