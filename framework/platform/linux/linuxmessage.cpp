#include "linuxmessage.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace Framework::Linux {

namespace {

// The windows' threads, joined when the library is unloaded: a window still
// shown then closes, so no thread runs code that is gone.
class Messagethreads {
public:
    ~Messagethreads()
    {
        stopping = true;
        const std::lock_guard<std::mutex> hold(lock);
        for (std::thread& t : threads)
            if (t.joinable())
                t.join();
    }
    void add(std::thread t)
    {
        const std::lock_guard<std::mutex> hold(lock);
        threads.push_back(std::move(t));
    }
    std::atomic<bool> stopping{false};

private:
    std::mutex lock;
    std::vector<std::thread> threads;
};

Messagethreads& messageThreads()
{
    static Messagethreads threads;
    return threads;
}

// The text's lines, broken at newlines and at about 60 characters.
std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n' || (line.size() >= 60 && c == ' ')) {
            lines.push_back(line);
            line.clear();
            continue;
        }
        line += c;
    }
    lines.push_back(line);
    return lines;
}

void run(const std::string& caption, const std::string& text)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const int screen = DefaultScreen(display);
    const std::vector<std::string> lines = linesOf(text);
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    const int lineHeight = font ? font->ascent + font->descent + 2 : 14;
    int textWidth = 200;
    for (const std::string& l : lines)
        textWidth = std::max(textWidth, font ? XTextWidth(font, l.c_str(), static_cast<int>(l.size()))
                                             : static_cast<int>(l.size()) * 7);
    const int width = textWidth + 40, buttonTop = 20 + lineHeight * static_cast<int>(lines.size()) + 10;
    const int height = buttonTop + 40;
    const int buttonLeft = (width - 70) / 2;
    const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 100, 100, width, height, 1,
                                              BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, caption.c_str());
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XSelectInput(display, window, ExposureMask | ButtonPressMask | KeyPressMask);
    // A dialog kept above other windows, the host's included, by window
    // managers that follow the desktop's conventions.
    Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    Atom above = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&above), 1);
    XMapRaised(display, window);
    const GC gc = XCreateGC(display, window, 0, nullptr);
    if (font)
        XSetFont(display, gc, font->fid);
    XSetForeground(display, gc, BlackPixel(display, screen));
    XFlush(display);

    for (bool done = false; !done && !messageThreads().stopping;) {
        if (!XPending(display)) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        switch (event.type) {
        case Expose:
            for (std::size_t i = 0; i < lines.size(); ++i)
                XDrawString(display, window, gc, 20, 20 + lineHeight * static_cast<int>(i + 1), lines[i].c_str(),
                            static_cast<int>(lines[i].size()));
            XDrawRectangle(display, window, gc, buttonLeft, buttonTop, 70, 24);
            XDrawString(display, window, gc, buttonLeft + 28, buttonTop + 16, "OK", 2);
            break;
        case ButtonPress:
            done = event.xbutton.x >= buttonLeft && event.xbutton.x < buttonLeft + 70 && event.xbutton.y >= buttonTop &&
                   event.xbutton.y < buttonTop + 24;
            break;
        case KeyPress: {
            const KeySym key = XLookupKeysym(&event.xkey, 0);
            done = key == XK_Return || key == XK_KP_Enter || key == XK_Escape || key == XK_space;
            break;
        }
        case ClientMessage:
            done = static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
            break;
        default:
            break;
        }
    }
    XFreeGC(display, gc);
    if (font)
        XFreeFont(display, font);
    XDestroyWindow(display, window);
    XCloseDisplay(display);
}

} // namespace

void showMessageWindow(const std::string& caption, const std::string& text)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display || std::getenv("VEX_NO_MESSAGE_WINDOW"))
        return;
    try {
        messageThreads().add(std::thread(run, caption, text));
    } catch (...) {
        // No thread: standard error has the message.
    }
}

} // namespace Framework::Linux
