// The folder browser without a window system: a test's function answers.
#include "framework/gui/folderbrowser.h"

#include "folderanswers.h"
#include "framework/gui/window.h"

namespace Framework {

namespace {
Headless::Folderanswer answer;
}

std::optional<std::string> chooseFolder(Window& owner, const std::string& title, const std::string& preselected)
{
    if (!answer)
        return std::nullopt;
    return answer(Headless::Folderrequest{owner.handle(), title, preselected});
}

namespace Headless {

void answerFolderBrowser(Folderanswer function)
{
    answer = std::move(function);
}

} // namespace Headless
} // namespace Framework
