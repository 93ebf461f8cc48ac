#include "vsteditor.h"

#include "framework/gui/window.h"

namespace Framework {

VSTeditor::VSTeditor(AudioEffect* effect, Window& window) : AEffEditor(effect), window(window)
{
    rect.bottom = static_cast<VstInt16>(window.height());
    rect.right = static_cast<VstInt16>(window.width());
}

VSTeditor::~VSTeditor()
{
    close();
}

bool VSTeditor::getRect(ERect** answer)
{
    *answer = &rect;
    return true;
}

bool VSTeditor::open(void* parent)
{
    close();
    if (parent && window.open(parent))
        systemWindow = parent;
    return false;
}

void VSTeditor::close()
{
    window.close();
    systemWindow = nullptr;
}

void VSTeditor::idle()
{
    if (window.isOpen())
        window.idle();
}

} // namespace Framework
