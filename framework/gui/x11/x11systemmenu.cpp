// Popup menus on X11: override-redirect windows of our own on the editor's
// connection, drawn with Cairo, that hold the pointer and keyboard while
// shown. popup returns at once; the menus' events are handled with the
// window's, on the thread that handles those, and a choice reaches the menu
// that holds the item through select once the events at hand are handled
// and every menu of the chain has closed. A submenu opens beside its item
// when the pointer rests on it. Each window has its own chain.
#include "framework/gui/systemmenu.h"
#include "framework/gui/window.h"
#include "x11native.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <X11/Xutil.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace Framework {

struct Systemmenu::Native {
    struct Item {
        std::string text;
        bool checked = false;
        bool enabled = true;
        bool separator = false;
        Systemmenu* submenu = nullptr;
    };
    std::vector<Item> items;
    Systemmenu* parent = nullptr;
    // The window it last showed in, whose chain and choice may name it.
    Window* shownIn = nullptr;
};

namespace {

// One shown menu of the chain: its window, its items' places, the item
// under the pointer.
struct Popup {
    Systemmenu* menu = nullptr;
    ::Window xwindow = 0;
    cairo_surface_t* surface = nullptr;
    int x = 0, y = 0, width = 0, height = 0; // on the screen
    std::vector<int> tops;                   // each item's top, and the bottom after the last
    int hover = -1;
};

// A window's chain of shown menus, the first the one popup showed. One
// chain at a time in each window.
class Chain : public X11::Eventsink {
public:
    Chain(Systemmenu& menu, Window& owner, int screenX, int screenY) : owner(owner)
    {
        Window::Native& n = owner.native();
        display = n.display;
        scale = owner.scale() / 100.0;
        open(menu, screenX, screenY);
        X11::addSink(owner, *this);
        // Every pointer event comes to the first menu, in screen coordinates
        // too, so that a press outside the menus closes them.
        XGrabPointer(display, popups.front().xwindow, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                     GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
        XGrabKeyboard(display, popups.front().xwindow, False, GrabModeAsync, GrabModeAsync, CurrentTime);
        XFlush(display);
    }
    ~Chain() { closeWindows(); }
    Chain(const Chain&) = delete;
    Chain& operator=(const Chain&) = delete;

    ::Window xwindow() const override { return popups.empty() ? 0 : popups.front().xwindow; }
    bool owns(::Window w) const override
    {
        for (const Popup& p : popups)
            if (p.xwindow == w)
                return true;
        return false;
    }
    bool holds(const Systemmenu* menu) const
    {
        for (const Popup& p : popups)
            if (p.menu == menu)
                return true;
        return false;
    }
    bool closed() const { return popups.empty(); }

    void handle(XEvent& event) override;
    void closeWindows();

private:
    void open(Systemmenu& menu, int screenX, int screenY);
    void draw(Popup& popup);
    // The menu and item at a point of the screen: -1 for no menu or no item.
    std::pair<int, int> at(int screenX, int screenY) const;
    void hoverAt(int screenX, int screenY);
    void choose(int level, int item);

    Window& owner;
    Display* display = nullptr;
    double scale = 1.0;
    std::vector<Popup> popups;
    bool moved = false;   // the pointer moved, or a button went down, since the menu showed
    bool pressed = false; // a button went down over the menus
};

Chain* chainOf(Window& window)
{
    return static_cast<Chain*>(window.native().menus.get());
}

int itemHeight(double scale)
{
    return static_cast<int>(22 * scale + 0.5);
}

int separatorHeight(double scale)
{
    return static_cast<int>(9 * scale + 0.5);
}

void setFont(cairo_t* cr, double scale)
{
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 13.0 * scale);
}

void Chain::open(Systemmenu& menu, int screenX, int screenY)
{
    Popup popup;
    popup.menu = &menu;
    menu.native().shownIn = &owner;
    const auto& items = menu.native().items;
    // The widest text sets the width; room for a check mark and an arrow.
    cairo_surface_t* measure = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(measure);
    setFont(cr, scale);
    double widest = 60.0 * scale;
    int y = static_cast<int>(3 * scale);
    for (const auto& item : items) {
        popup.tops.push_back(y);
        y += item.separator ? separatorHeight(scale) : itemHeight(scale);
        cairo_text_extents_t extents{};
        cairo_text_extents(cr, item.text.c_str(), &extents);
        widest = std::max(widest, extents.x_advance);
    }
    popup.tops.push_back(y);
    cairo_destroy(cr);
    cairo_surface_destroy(measure);
    popup.width = static_cast<int>(widest + 52 * scale);
    popup.height = y + static_cast<int>(3 * scale);
    // On the screen, as Windows keeps its menus.
    const int screen = DefaultScreen(display);
    const int screenW = DisplayWidth(display, screen), screenH = DisplayHeight(display, screen);
    popup.x = std::max(0, std::min(screenX, screenW - popup.width));
    popup.y = std::max(0, std::min(screenY, screenH - popup.height));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.save_under = True;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask;
    popup.xwindow =
        XCreateWindow(display, RootWindow(display, screen), popup.x, popup.y, static_cast<unsigned>(popup.width),
                      static_cast<unsigned>(popup.height), 0, CopyFromParent, InputOutput, CopyFromParent,
                      CWOverrideRedirect | CWSaveUnder | CWEventMask, &attributes);
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    Atom popupMenu = XInternAtom(display, "_NET_WM_WINDOW_TYPE_POPUP_MENU", False);
    XChangeProperty(display, popup.xwindow, type, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&popupMenu), 1);
    XStoreName(display, popup.xwindow, menu.title().c_str());
    popup.surface =
        cairo_xlib_surface_create(display, popup.xwindow, DefaultVisual(display, screen), popup.width, popup.height);
    XMapRaised(display, popup.xwindow);
    popups.push_back(popup);
}

void Chain::draw(Popup& popup)
{
    cairo_t* cr = cairo_create(popup.surface);
    cairo_set_source_rgb(cr, 0.97, 0.97, 0.97);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.55, 0.55, 0.55);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 0.5, 0.5, popup.width - 1.0, popup.height - 1.0);
    cairo_stroke(cr);
    setFont(cr, scale);
    const auto& items = popup.menu->native().items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        const double top = popup.tops[i], bottom = popup.tops[i + 1];
        if (item.separator) {
            cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
            const double middle = std::floor((top + bottom) / 2) + 0.5;
            cairo_move_to(cr, 4 * scale, middle);
            cairo_line_to(cr, popup.width - 4 * scale, middle);
            cairo_stroke(cr);
            continue;
        }
        const bool lit = static_cast<int>(i) == popup.hover;
        if (lit) {
            cairo_set_source_rgb(cr, 0.2, 0.4, 0.75);
            cairo_rectangle(cr, 2, top, popup.width - 4, bottom - top);
            cairo_fill(cr);
        }
        const double shade = !item.enabled ? 0.6 : lit ? 1.0 : 0.1;
        cairo_set_source_rgb(cr, shade, shade, shade);
        if (item.checked) {
            const double s = scale, middle = (top + bottom) / 2;
            cairo_move_to(cr, 7 * s, middle);
            cairo_line_to(cr, 10 * s, middle + 3 * s);
            cairo_line_to(cr, 16 * s, middle - 4 * s);
            cairo_set_line_width(cr, 1.8 * s);
            cairo_stroke(cr);
        }
        cairo_move_to(cr, 24 * scale, bottom - (bottom - top - 13.0 * scale) / 2 - 3 * scale);
        cairo_show_text(cr, item.text.c_str());
        if (item.submenu) {
            const double s = scale, middle = (top + bottom) / 2, right = popup.width - 10 * s;
            cairo_move_to(cr, right - 4 * s, middle - 4 * s);
            cairo_line_to(cr, right, middle);
            cairo_line_to(cr, right - 4 * s, middle + 4 * s);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(popup.surface);
}

std::pair<int, int> Chain::at(int screenX, int screenY) const
{
    // The deepest menu first: a submenu may lie over its parent.
    for (int level = static_cast<int>(popups.size()) - 1; level >= 0; --level) {
        const Popup& p = popups[static_cast<std::size_t>(level)];
        const int x = screenX - p.x, y = screenY - p.y;
        if (x < 0 || y < 0 || x >= p.width || y >= p.height)
            continue;
        for (std::size_t i = 0; i + 1 < p.tops.size(); ++i)
            if (y >= p.tops[i] && y < p.tops[i + 1]) {
                const auto& item = p.menu->native().items[i];
                return {level, item.separator || !item.enabled ? -1 : static_cast<int>(i)};
            }
        return {level, -1};
    }
    return {-1, -1};
}

void Chain::hoverAt(int screenX, int screenY)
{
    const auto [level, item] = at(screenX, screenY);
    if (level < 0)
        return;
    Popup& p = popups[static_cast<std::size_t>(level)];
    if (p.hover == item)
        return;
    // The menus beyond this one close, unless the pointer stays on the item
    // that opened the next.
    while (static_cast<int>(popups.size()) > level + 1) {
        Popup& last = popups.back();
        cairo_surface_destroy(last.surface);
        XDestroyWindow(display, last.xwindow);
        popups.pop_back();
    }
    Popup& here = popups[static_cast<std::size_t>(level)];
    here.hover = item;
    draw(here);
    if (item >= 0)
        if (Systemmenu* submenu = here.menu->native().items[static_cast<std::size_t>(item)].submenu) {
            const int x = here.x + here.width - 2, y = here.y + here.tops[static_cast<std::size_t>(item)] - 3;
            open(*submenu, x, y);
        }
}

void Chain::choose(int level, int item)
{
    Systemmenu* menu = popups[static_cast<std::size_t>(level)].menu;
    const auto& chosen = menu->native().items[static_cast<std::size_t>(item)];
    if (chosen.separator || chosen.submenu)
        return;
    closeWindows();
    // As Windows posts the menu command, to come once the menu has gone.
    Window::Native& n = owner.native();
    n.chosenMenu = menu;
    n.chosenItem = item;
}

void Chain::handle(XEvent& event)
{
    switch (event.type) {
    case Expose:
        for (Popup& p : popups)
            if (p.xwindow == event.xexpose.window && event.xexpose.count == 0)
                draw(p);
        break;
    case MotionNotify:
        moved = true;
        hoverAt(event.xmotion.x_root, event.xmotion.y_root);
        break;
    case ButtonPress: {
        moved = true;
        const auto [level, item] = at(event.xbutton.x_root, event.xbutton.y_root);
        if (level < 0) {
            closeWindows(); // a press outside the menus dismisses them
            break;
        }
        pressed = true;
        hoverAt(event.xbutton.x_root, event.xbutton.y_root);
        (void)item;
        break;
    }
    case ButtonRelease: {
        // The release of the click that opened the menu chooses nothing.
        if (!pressed && !moved)
            break;
        const auto [level, item] = at(event.xbutton.x_root, event.xbutton.y_root);
        if (level >= 0 && item >= 0)
            choose(level, item);
        break;
    }
    case KeyPress: {
        const KeySym key = XLookupKeysym(&event.xkey, 0);
        if (key == XK_Escape)
            closeWindows();
        break;
    }
    case DestroyNotify:
        // The editor window closed with the menu shown.
        closeWindows();
        break;
    default:
        break;
    }
}

void Chain::closeWindows()
{
    if (popups.empty())
        return;
    X11::removeSink(owner, *this);
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    for (Popup& p : popups) {
        cairo_surface_destroy(p.surface);
        XDestroyWindow(display, p.xwindow);
    }
    popups.clear();
    XFlush(display);
}

} // namespace

namespace X11 {

bool menuShown(Window& window, const Systemmenu& menu)
{
    const Chain* chain = chainOf(window);
    return chain && chain->holds(&menu);
}

void closeMenus(Window& window)
{
    if (Chain* chain = chainOf(window))
        chain->closeWindows();
}

} // namespace X11

Systemmenu::Systemmenu(std::string title, bool) : menuTitle(std::move(title)), nativePart(new Native) {}

Systemmenu::~Systemmenu()
{
    // A menu that goes while shown takes its chain with it, and a choice
    // of its items that waits.
    if (Window* window = nativePart->shownIn) {
        Window::Native& n = window->native();
        if (X11::menuShown(*window, *this))
            n.menus.reset();
        if (n.chosenMenu == this)
            n.chosenMenu = nullptr;
    }
}

void Systemmenu::appendString(const std::string& text)
{
    nativePart->items.push_back({text, false, true, false, nullptr});
}

void Systemmenu::appendSeparator()
{
    nativePart->items.push_back({std::string(), false, true, true, nullptr});
}

void Systemmenu::appendSubmenu(Systemmenu& submenu)
{
    submenu.nativePart->parent = this;
    nativePart->items.push_back({submenu.title(), false, true, false, &submenu});
}

void Systemmenu::show(Window& window, int x, int y)
{
    Window::Native& n = window.native();
    if (!window.handle() || !n.display)
        return;
    ::Window child = 0;
    int screenX = 0, screenY = 0;
    XTranslateCoordinates(n.display, n.xwindow, DefaultRootWindow(n.display), window.toDevice(x), window.toDevice(y),
                          &screenX, &screenY, &child);
    // A chain still shown (a second popup before the first closed) closes.
    n.menus.reset();
    n.menus = std::make_unique<Chain>(*this, window, screenX, screenY);
}

int Systemmenu::itemCount() const
{
    return static_cast<int>(nativePart->items.size());
}

std::string Systemmenu::itemText(int position) const
{
    return position >= 0 && position < itemCount() && !nativePart->items[position].separator
               ? nativePart->items[position].text
               : std::string();
}

void Systemmenu::setChecked(int position, bool checked)
{
    if (position >= 0 && position < itemCount())
        nativePart->items[position].checked = checked;
}

void Systemmenu::setEnabled(int position, bool enabled)
{
    if (position >= 0 && position < itemCount())
        nativePart->items[position].enabled = enabled;
}

bool Systemmenu::isEnabled(int position) const
{
    return position >= 0 && position < itemCount() && nativePart->items[position].enabled;
}

bool Systemmenu::isChecked(int position) const
{
    return position >= 0 && position < itemCount() && nativePart->items[position].checked;
}

} // namespace Framework
