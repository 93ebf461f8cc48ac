// The folder browser without a window system: a test's function answers.
#include "framework/gui/folderbrowser.h"

#include "folderanswers.h"
#include "framework/gui/window.h"

namespace Framework {

namespace {
Headless::Folderanswer answer;
}

void chooseFolder(Window& owner, const std::string& title, const std::string& preselected, Folderchoice then)
{
    then(answer ? answer(Headless::Folderrequest{owner.handle(), title, preselected}) : std::nullopt);
}

namespace Headless {

void answerFolderBrowser(Folderanswer function)
{
    answer = std::move(function);
}

} // namespace Headless
} // namespace Framework
