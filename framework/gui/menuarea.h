// An invisible hot zone over the background that pops up its menu at a left
// press, where the press was.
#pragma once

#include "lockable.h"
#include "systemmenu.h"

#include <memory>

namespace Framework {

class Menuarea : public Lockable {
public:
    Menuarea(int x, int y, int conditionIndex, Paramset* conditionSet, std::unique_ptr<Systemmenu> menu, int width,
             int height);

    // The menu's title.
    std::string describe() override { return menu->title(); }
    std::string hint() override { return menu->title() + " menu"; }
    // A left press shows the menu; the menu takes the mouse until it closes,
    // so the area holds it no longer.
    void mouseAction(Igui& gui, bool& visible, Mouseevent& event) override;
    void press(Igui&, bool&, Mouseevent&) override {}
    int width() override { return areaWidth; }
    int height() override { return areaHeight; }

    const std::unique_ptr<Systemmenu> menu;

private:
    const int areaWidth;
    const int areaHeight;
};

} // namespace Framework
