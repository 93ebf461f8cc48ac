#include "hostededitor.h"

#include <stdexcept>

namespace {

// Larger than any screen; a bigger rectangle is garbage.
constexpr int largestSide = 16384;

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
    host.dispatch(effEditOpen, 0, 0, window->handle());
    Hostwindow::pump();
}

Hostededitor::~Hostededitor()
{
    host.dispatch(effEditClose);
    Hostwindow::pump();
}

HWND Hostededitor::view() const
{
    HWND editor = window->child();
    return editor ? editor : window->handle();
}

void Hostededitor::repaint() const
{
    InvalidateRect(view(), nullptr, FALSE);
    UpdateWindow(view());
}

Picture Hostededitor::picture() const
{
    repaint();
    Hostwindow::pump();
    return Picture::capture(view());
}
