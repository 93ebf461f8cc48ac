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
    const Windowhold hold(window);
    if (!window.isOpen())
        window.setScale(window.preferredScale(nullptr));
    answerSize();
    *answer = &rect;
    return true;
}

bool VSTeditor::open(void* parent)
{
    const Windowhold hold(window);
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
    const Windowhold hold(window);
    window.close();
    systemWindow = nullptr;
}

// The host's thread never waits here: while the editor's own thread has
// the window, this idle call does nothing.
void VSTeditor::idle()
{
    const Windowhold hold(window, false);
    if (hold && window.isOpen()) {
        serviceWindow(window);
        window.idle();
    }
}

bool VSTeditor::onKeyDown(VstInt32 character, VstInt32, VstInt32 modifiers)
{
    const Windowhold hold(window);
    if (!window.isOpen())
        return false;
    // Some hosts pass the letter on without its modifiers (or the modifier
    // keys as keys of their own): the keyboard tells which are held.
    bool shift = false, control = false;
    window.heldModifiers(shift, control);
    return window.keyMessage(character, shift || (modifiers & MODIFIER_SHIFT) != 0,
                             control || (modifiers & MODIFIER_CONTROL) != 0);
}

} // namespace Framework
