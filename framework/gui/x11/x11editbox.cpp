// The edit box on X11: a child window of the editor window on its
// connection, drawn with Cairo, that takes the keyboard focus when it opens.
// Typed characters replace the selected text at first and then add to it,
// Backspace takes the last one away, Enter hands the text to the owner and
// Escape tells it the entry ends unchanged.
// Closed by its owner or with the editor window.
#include "framework/gui/editbox.h"
#include "framework/gui/window.h"
#include "x11native.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>

namespace Framework {

struct Editbox::Native : X11::Eventsink {
    Window* parent = nullptr;
    Display* display = nullptr;
    ::Window box = 0;
    cairo_surface_t* surface = nullptr;
    Owner* owner = nullptr;
    Layout layout{};
    int width = 0, height = 0;
    double fontSize = 0;
    std::string text;
    bool selected = true;

    ::Window xwindow() const override { return box; }
    void handle(XEvent& event) override;
    bool key(XKeyEvent& event) override;
    void draw();
    void closeWindow();
};

void Editbox::Native::draw()
{
    if (!surface)
        return;
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, fontSize);
    cairo_text_extents_t extents{};
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_font_extents_t font{};
    cairo_font_extents(cr, &font);
    // Centred, as the Windows box shows it.
    const double x = std::max(1.0, (width - extents.x_advance) / 2);
    const double baseline = (height + font.ascent - font.descent) / 2;
    if (selected && !text.empty()) {
        cairo_set_source_rgb(cr, 0.2, 0.4, 0.75);
        cairo_rectangle(cr, x, baseline - font.ascent, extents.x_advance, font.ascent + font.descent);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
    } else {
        cairo_set_source_rgb(cr, 0, 0, 0);
    }
    cairo_move_to(cr, x, baseline);
    cairo_show_text(cr, text.c_str());
    if (!selected) {
        // The caret after the text.
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1.0);
        const double caret = std::floor(x + extents.x_advance) + 1.5;
        cairo_move_to(cr, caret, baseline - font.ascent);
        cairo_line_to(cr, caret, baseline + font.descent);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
}

void Editbox::Native::handle(XEvent& event)
{
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0)
            draw();
        break;
    case ButtonPress:
        // A click into the box gives it the keyboard again.
        XSetInputFocus(display, box, RevertToParent, CurrentTime);
        break;
    case KeyPress:
        key(event.xkey);
        break;
    case DestroyNotify:
        if (box) {
            // Gone with the editor window: the owner hears of it.
            closeWindow();
            owner->lost();
        }
        break;
    default:
        break;
    }
}

bool Editbox::Native::key(XKeyEvent& event)
{
    if (!box)
        return false;
    char characters[16] = {};
    KeySym symbol = 0;
    const int count = XLookupString(&event, characters, sizeof characters, &symbol, nullptr);
    if (symbol == XK_Return || symbol == XK_KP_Enter) {
        // The owner may delete the box, this record with it, here.
        owner->entered(text.substr(0, static_cast<std::size_t>(std::max(layout.textLimit, 0))));
        return true;
    }
    if (symbol == XK_Escape) {
        owner->escaped();
        return true;
    }
    if (symbol == XK_BackSpace || symbol == XK_Delete) {
        if (selected)
            text.clear();
        else if (!text.empty())
            text.pop_back();
        selected = false;
        draw();
        return true;
    }
    bool typed = false;
    for (int i = 0; i < count; ++i) {
        const unsigned char c = static_cast<unsigned char>(characters[i]);
        if (c < 32 || c == 127)
            continue;
        if (selected)
            text.clear();
        selected = false;
        if (static_cast<int>(text.size()) < layout.textLimit)
            text += static_cast<char>(c);
        typed = true;
    }
    if (typed)
        draw();
    return typed;
}

void Editbox::Native::closeWindow()
{
    if (!box)
        return;
    X11::removeSink(*parent, *this);
    cairo_surface_destroy(surface);
    surface = nullptr;
    if (parent->native().display)
        XDestroyWindow(display, box);
    box = 0;
}

Editbox::Editbox(Window& parent, const Layout& layout, const std::string& text, Owner& owner) : nativePart(new Native)
{
    Native& n = *nativePart;
    n.parent = &parent;
    n.owner = &owner;
    n.layout = layout;
    n.text = text;
    Window::Native& w = parent.native();
    if (!parent.handle() || !w.display)
        return;
    n.display = w.display;
    // The layout's box at the window's scale.
    const int left = parent.toDevice(layout.x), top = parent.toDevice(layout.y);
    n.width = parent.toDevice(layout.x + layout.width) - left;
    n.height = parent.toDevice(layout.y + layout.height) - top;
    n.fontSize = parent.toDevice(layout.fontHeight) * 0.85;
    XSetWindowAttributes attributes{};
    attributes.event_mask = ExposureMask | KeyPressMask | ButtonPressMask;
    attributes.border_pixel = 0;
    attributes.colormap = 0;
    n.box =
        XCreateWindow(n.display, w.xwindow, left, top, static_cast<unsigned>(n.width), static_cast<unsigned>(n.height),
                      0, w.depth, InputOutput, w.visual, CWEventMask | CWBorderPixel, &attributes);
    if (!n.box)
        return;
    n.surface = cairo_xlib_surface_create(n.display, n.box, w.visual, n.width, n.height);
    X11::addSink(parent, n);
    XMapRaised(n.display, n.box);
    XSetInputFocus(n.display, n.box, RevertToParent, CurrentTime);
    XFlush(n.display);
}

Editbox::~Editbox()
{
    // Closed by its owner: no call back to it.
    nativePart->closeWindow();
}

bool Editbox::isOpen() const
{
    return nativePart->box != 0;
}

} // namespace Framework
