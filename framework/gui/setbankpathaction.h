// The editor's menu item that lets the user pick another bank folder: the
// bank is reloaded from the chosen folder, which becomes the bank folder of
// later starts only when it exists.
#pragma once

#include "action.h"

class Bankpathmanager;

namespace Framework {

class Gui;

class Setbankpathaction : public Action {
public:
    Setbankpathaction(Bankpathmanager& manager, Gui& editor) : manager(manager), editor(editor) {}

    // Nothing without a current bank folder, or when the user cancels.
    void execute() override;

    Bankpathmanager& manager; // not owned
    Gui& editor;              // owns the browser; not owned
};

} // namespace Framework
