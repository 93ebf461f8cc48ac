#include "skinmenu.h"

#include "gui.h"

#include "framework/plugin/settingsfile.h"

namespace Framework {

Skinmenu::Skinmenu(std::string title, std::string folder, Settingsfile& settings, Gui& gui)
    : Systemmenu(std::move(title), true), folder(std::move(folder)), settings(settings), gui(gui)
{
    for (const std::string& name : Gui::skinNames(this->folder))
        addItem(nullptr, name);
}

// The settings file is written as the setting changes.
void Skinmenu::select(int position)
{
    const std::string name = itemText(position);
    gui.loadSkin(name);
    gui.invalidate(0, 0, gui.width(), gui.height());
    gui.remember("skin", name);
}

void Skinmenu::prepare()
{
    Systemmenu::prepare();
    const int count = itemCount();
    for (int position = 0; position < count; ++position)
        setChecked(position, false);
    const std::string current = settings.get("skin");
    for (int position = 0; position < count; ++position)
        if (itemText(position) == current) {
            setChecked(position, true);
            return;
        }
}

} // namespace Framework
