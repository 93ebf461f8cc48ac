// The "Analyzer" menu: what the spectrum behind the response curves shows,
// none, the input, the output or both; the current choice carries the
// check mark each time the menu shows.
#pragma once

#include "framework/gui/systemmenu.h"

class Vexgui;

class Analyzermenu : public Framework::Systemmenu {
public:
    Analyzermenu(std::string title, Vexgui& gui);

    void select(int position) override;
    void prepare() override;

private:
    Vexgui& gui; // not owned
};
