#include "setbankpathaction.h"

#include "folderbrowser.h"
#include "gui.h"

#include "framework/plugin/bankfolder.h"
#include "framework/plugin/bankpathmanager.h"

namespace Framework {

void Setbankpathaction::execute()
{
    const std::string current = manager.bankfolder().path;
    if (current.empty())
        return;
    chooseFolder(editor, "select bank folder", current, [this](const std::optional<std::string>& choice) {
        if (choice && manager.setbankpath(*choice) && !manager.storebankpath(*choice))
            editor.tell(Gui::unsavedSettings);
    });
}

} // namespace Framework
