// The menu of the skins found in the skins folder: choosing one stores it as
// the setting "skin", loads it and repaints the editor; the current skin
// carries the check mark each time the menu shows.
#pragma once

#include "systemmenu.h"

namespace Framework {

class Gui;
class Settingsfile;

class Skinmenu : public Systemmenu {
public:
    // Lists the skins once, in the folder's listing order; a folder that
    // cannot be read gives an empty menu.
    Skinmenu(std::string title, std::string folder, Settingsfile& settings, Gui& gui);

    void select(int position) override;
    // Checks the first item whose text equals the setting exactly; none
    // when no skin of that name is listed.
    void prepare() override;

    const std::string folder;
    Settingsfile& settings; // not owned
    Gui& gui;               // not owned
};

} // namespace Framework
