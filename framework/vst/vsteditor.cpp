#include "vsteditor.h"

#include "framework/gui/window.h"
#include "framework/gui/windowthread.h"

namespace Framework {

VSTeditor::VSTeditor(AudioEffect* effect, Window& window) : AEffEditor(effect), window(window)
{
    answerSize();
}

void VSTeditor::answerSize()
{
    rect.bottom = static_cast<VstInt16>(window.deviceHeight());
    rect.right = static_cast<VstInt16>(window.deviceWidth());
}

VSTeditor::~VSTeditor()
{
    close();
}

// Some hosts ask for the size before they open the editor, some after: a
// closed editor answers the size it would open at.
bool VSTeditor::getRect(ERect** answer)
{
    const auto hold = holdWindow(window);
    if (!window.isOpen())
        window.setScale(window.preferredScale(nullptr));
    answerSize();
    *answer = &rect;
    return true;
}

bool VSTeditor::open(void* parent)
{
    const auto hold = holdWindow(window);
    close();
    if (parent)
        window.setScale(window.preferredScale(parent));
    if (parent && window.open(parent))
        systemWindow = parent;
    answerSize();
    return false;
}

void VSTeditor::close()
{
    const auto hold = holdWindow(window);
    window.close();
    systemWindow = nullptr;
}

void VSTeditor::idle()
{
    const auto hold = holdWindow(window);
    if (window.isOpen()) {
        serviceWindow(window);
        window.idle();
    }
}

} // namespace Framework
