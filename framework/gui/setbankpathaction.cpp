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
    const std::optional<std::string> choice = chooseFolder(editor, "select bank folder", current);
    if (!choice)
        return;
    if (manager.setbankpath(*choice) && !manager.storebankpath(*choice))
        editor.tell(Gui::unsavedSettings);
}

} // namespace Framework
