// The choices of one parameter as a popup menu, an item per step from its
// minimum: the current choice carries the check mark each time the menu
// shows, and choosing an item sets its step as one edit for the host.
#pragma once

#include "systemmenu.h"

#include <string>
#include <vector>

namespace Framework {

class Paramset;

class Choicemenu : public Systemmenu {
public:
    // items names the steps in order, the minimum's first.
    Choicemenu(std::string title, Paramset& paramset, int index, const std::vector<std::string>& items);

    void select(int position) override;
    void prepare() override;

    Paramset& paramset; // not owned
    const int index;
};

} // namespace Framework
