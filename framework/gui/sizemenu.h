// The menu of the editor's sizes: choosing one keeps it in the settings and
// resizes the editor; the chosen size (or, before any choice, the size
// shown) carries the check mark each time the menu shows.
#pragma once

#include "systemmenu.h"

namespace Framework {

class Gui;

class Sizemenu : public Systemmenu {
public:
    Sizemenu(std::string title, Gui& gui);

    void select(int position) override;
    void prepare() override;

private:
    Gui& gui; // not owned
};

} // namespace Framework
