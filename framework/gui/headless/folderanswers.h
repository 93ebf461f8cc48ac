// The headless folder browser as tests drive it: each chooseFolder call is
// answered by the function a test has set.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace Framework {
class Window;
}

namespace Framework::Headless {

struct Folderrequest {
    void* owner; // the owner window's handle
    std::string title;
    std::string preselected;
};

using Folderanswer = std::function<std::optional<std::string>(const Folderrequest&)>;

// Sets how the browser answers; without a function it is cancelled.
void answerFolderBrowser(Folderanswer answer);

} // namespace Framework::Headless
