// The hosted editor on X11. The editor paints on its own thread; a picture
// is taken once its window has painted what was exposed.
#include "../hostededitor.h"

#include "hostdisplay.h"

#include <X11/Xlib.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

// Larger than any screen; a bigger rectangle is garbage.
constexpr int largestSide = 16384;

// Time for the editor's thread to answer an exposure; its timer runs every 16 ms.
void letEditorPaint()
{
    for (int i = 0; i < 10; ++i) {
        Hostwindow::pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

} // namespace

Hostededitor::Hostededitor(Hostedeffect& host) : host(host)
{
    if (!(host.effect().flags & effFlagsHasEditor))
        throw std::runtime_error("the effect has no editor");
    ERect* rect = nullptr;
    host.dispatch(effEditGetRect, 0, 0, &rect);
    const int width = rect ? rect->right - rect->left : 0, height = rect ? rect->bottom - rect->top : 0;
    if (width <= 0 || height <= 0 || width > largestSide || height > largestSide)
        throw std::runtime_error("the effect gives no usable editor size");
    window = std::make_unique<Hostwindow>(width, height);
    host.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window->handle()));
    host.dispatch(effEditIdle);
    letEditorPaint();
}

Hostededitor::~Hostededitor()
{
    host.dispatch(effEditClose);
    Hostwindow::pump();
}

Nativewindow Hostededitor::view() const
{
    const Nativewindow editor = window->child();
    return editor ? editor : window->handle();
}

void Hostededitor::repaint() const
{
    // An exposure of the whole window, which the editor paints from its buffer.
    Display* display = hostDisplay();
    XClearArea(display, view(), 0, 0, 0, 0, True);
    XSync(display, False);
    host.dispatch(effEditIdle);
}

Picture Hostededitor::picture() const
{
    repaint();
    letEditorPaint();
    return Picture::capture(view());
}
