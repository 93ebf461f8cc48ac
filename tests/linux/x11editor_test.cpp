// The Linux library's editor in a host's X11 window, driven with real X
// events (XTest) under Xvfb, as a user drives it: the pointer moves, presses
// and drags, the wheel turns. What changed is read back through the host's
// interface and the automation calls the host heard. The library is a copy
// of the build's with its banks and skins, in a folder of its own.
#include "eq/editor/layout.h"
#include "framework/vst/aeffect.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <dlfcn.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Band b's parameters are 5b + these; then the editor-wide ones.
enum { on, frequency, width, gain, type };
constexpr int index(int band, int parameter)
{
    return 5 * band + parameter;
}
constexpr int zoomIndex = 35, volumeIndex = 37;
// At a zoom of 12 dB a decibel is 13 pixels of the display's 312 rows of
// handle travel; its 728 columns span the whole frequency range.
constexpr double zoom = 12.0;
constexpr double pixelsPerDb = 312.0 / (2.0 * zoom);
constexpr double frequencyColumns = 728.0;

// What the host heard: the last automated value of each parameter, and
// the edits begun; which instances told of edits, on which threads.
std::mutex heardLock;
std::map<int, float> automated;
std::vector<int> begun;
std::set<AEffect*> editors;
std::set<std::thread::id> callers;
// The size the editor last asked its window to take (audioMasterSizeWindow),
// and on which thread.
std::pair<int, int> askedSize{0, 0};
std::thread::id askedOn;

VstIntPtr VSTCALLBACK hostCallback(AEffect* from, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt)
{
    const std::lock_guard<std::mutex> hold(heardLock);
    if (opcode == audioMasterAutomate || opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit) {
        editors.insert(from);
        callers.insert(std::this_thread::get_id());
    }
    if (opcode == audioMasterAutomate)
        automated[index] = opt;
    if (opcode == audioMasterBeginEdit)
        begun.push_back(index);
    if (opcode == audioMasterSizeWindow) {
        askedSize = {index, static_cast<int>(value)};
        askedOn = std::this_thread::get_id();
        return 1;
    }
    if (opcode == audioMasterCanDo && ptr && std::string(static_cast<const char*>(ptr)) == "sizeWindow")
        return 1;
    return opcode == audioMasterVersion ? 2400 : 0;
}

std::map<int, float> heard()
{
    const std::lock_guard<std::mutex> hold(heardLock);
    return automated;
}

void forget()
{
    const std::lock_guard<std::mutex> hold(heardLock);
    automated.clear();
    begun.clear();
    editors.clear();
    callers.clear();
    askedSize = {0, 0};
}

std::pair<int, int> asked()
{
    const std::lock_guard<std::mutex> hold(heardLock);
    return askedSize;
}

// Waits up to some seconds (two unless told) for a condition, calling the
// editor's idle as a host does now and then (with idle false, never: a host
// that does not).
bool eventually(AEffect* effect, const std::function<bool()>& condition, bool idle = true, int seconds = 2)
{
    for (int i = 0; i < 100 * seconds; ++i) {
        if (condition())
            return true;
        if (i % 4 == 0 && effect && idle)
            effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

struct X11editor : testing::Test {
    fs::path folder;
    void* library = nullptr;
    AEffect* effect = nullptr;
    Display* display = nullptr;
    Window host = 0;
    Window secondHost = 0; // a second instance's

    void SetUp() override
    {
        const char* bin = std::getenv("VEX_LINUX_BIN");
        ASSERT_NE(bin, nullptr) << "VEX_LINUX_BIN names no build folder";
        folder = fs::temp_directory_path() / ("vexatone-x11-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        // The user's folders are the test's own.
        setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
        for (const char* part : {"Vexatone.so", "banks", "skins"})
            fs::copy(fs::path(bin) / part, folder / part, fs::copy_options::recursive);
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr) << "no X display (run under xvfb-run)";
        int event = 0, error = 0, major = 0, minor = 0;
        ASSERT_TRUE(XTestQueryExtension(display, &event, &error, &major, &minor));
        library = dlopen((folder / "Vexatone.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        using Entry = AEffect* (*)(audioMasterCallback);
        auto entry = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"));
        ASSERT_NE(entry, nullptr);
        effect = entry(hostCallback);
        ASSERT_NE(effect, nullptr);
        dispatch(effOpen);
        ASSERT_TRUE(effect->flags & effFlagsHasEditor);
        prepare(effect);
        ERect* rect = nullptr;
        dispatch(effEditGetRect, 0, 0, &rect);
        ASSERT_NE(rect, nullptr);
        ASSERT_EQ(rect->right - rect->left, Layout::width);
        ASSERT_EQ(rect->bottom - rect->top, Layout::height);
        // The host's window at the screen's corner: its pixels are the screen's.
        host = hostWindow(0);
        dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host));
        ASSERT_TRUE(eventually(effect, [this] { return editor() != 0 && !shown().empty(); }));
        forget();
    }

    void TearDown() override
    {
        if (effect) {
            dispatch(effEditClose);
            dispatch(effClose);
        }
        if (library)
            dlclose(library);
        if (display) {
            if (host)
                XDestroyWindow(display, host);
            XCloseDisplay(display);
        }
        fs::remove_all(folder);
    }

    // Every band on, a bell at 0 dB, a handle every 91 pixels.
    static void prepare(AEffect* instance)
    {
        instance->setParameter(instance, zoomIndex, static_cast<float>((zoom - 3.0) / 33.0));
        for (int b = 0; b < 7; ++b) {
            instance->setParameter(instance, index(b, on), 1.0f);
            instance->setParameter(instance, index(b, frequency), static_cast<float>(b + 1) / 8.0f);
            instance->setParameter(instance, index(b, gain), 0.5f);
            instance->setParameter(instance, index(b, type), 0.5f);
        }
    }
    // A host's window for an editor, y pixels down from the screen's corner.
    Window hostWindow(int y) const
    {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.background_pixel = BlackPixel(display, DefaultScreen(display));
        const Window made =
            XCreateWindow(display, DefaultRootWindow(display), 0, y, Layout::width, Layout::height, 0, CopyFromParent,
                          InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
        XMapRaised(display, made);
        XSync(display, False);
        return made;
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 i = 0, VstIntPtr value = 0, void* ptr = nullptr)
    {
        return effect->dispatcher(effect, opcode, i, value, ptr, 0.0f);
    }
    void set(int parameter, float value) { effect->setParameter(effect, parameter, value); }
    float get(int parameter) const { return effect->getParameter(effect, parameter); }
    double gainDb(int band) const { return -36.0 + 72.0 * get(index(band, gain)); }

    // The editor's window: the host window's child.
    Window editor() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        Window first = 0;
        if (XQueryTree(display, host, &root, &parent, &children, &count) && count > 0)
            first = children[0];
        if (children)
            XFree(children);
        return first;
    }
    // What the editor window shows, as 0xRRGGBB; empty while it shows nothing
    // but black.
    std::vector<std::uint32_t> shown() const
    {
        XImage* image = XGetImage(display, editor(), 0, 0, Layout::width, Layout::height, AllPlanes, ZPixmap);
        if (!image)
            return {};
        std::vector<std::uint32_t> pixels;
        bool lit = false;
        for (int y = 0; y < Layout::height; ++y)
            for (int x = 0; x < Layout::width; ++x) {
                pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)) & 0xFFFFFF);
                lit = lit || pixels.back() != 0;
            }
        XDestroyImage(image);
        return lit ? pixels : std::vector<std::uint32_t>();
    }

    // Waits as a host does between its idle calls, every 10 ms (unless the
    // test plays a host that never calls).
    bool hostIdles = true;
    void pass(int milliseconds)
    {
        for (int waited = 0; waited < milliseconds; waited += 10) {
            if (hostIdles)
                dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    // The pointer to (x, y) of the editor, a press, a release: real events
    // through the X server, which the editor handles in its time.
    void moveTo(int x, int y)
    {
        XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
        XSync(display, False);
        pass(20);
    }
    void button(unsigned number, bool press)
    {
        XTestFakeButtonEvent(display, number, press ? True : False, CurrentTime);
        XSync(display, False);
        pass(20);
    }
    void key(KeySym symbol, bool press)
    {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press ? True : False, CurrentTime);
        XSync(display, False);
        pass(20);
    }
    void click(int x, int y, unsigned number = 1)
    {
        moveTo(x, y);
        button(number, true);
        button(number, false);
        // Past the double-click time, so that the next click is a click.
        pass(450);
    }
    void drag(int x, int y, int dx, int dy, unsigned number = 1)
    {
        moveTo(x, y);
        button(number, true);
        for (int step = 1; step <= 4; ++step)
            moveTo(x + dx * step / 4, y + dy * step / 4);
        button(number, false);
        pass(450);
    }
    // The menus shown: the mapped override-redirect windows on the screen
    // but the host's, lowest first, with their places.
    std::vector<XWindowAttributes> menus() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        std::vector<XWindowAttributes> shownMenus;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes a{};
                if (children[i] != host && children[i] != secondHost &&
                    XGetWindowAttributes(display, children[i], &a) && a.override_redirect && a.map_state == IsViewable)
                    shownMenus.push_back(a);
            }
        if (children)
            XFree(children);
        return shownMenus;
    }
    // The centre of a menu's item: items are 22 pixels high below a 3-pixel
    // margin; a separator takes 9.
    static std::pair<int, int> item(const XWindowAttributes& menu, int position, int separatorsAbove = 0)
    {
        return {menu.x + menu.width / 2, menu.y + 3 + 22 * (position - separatorsAbove) + 9 * separatorsAbove + 11};
    }
    // The shown menus' windows, lowest first.
    std::vector<Window> menuWindows() const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        std::vector<Window> found;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
            for (unsigned i = 0; i < count; ++i) {
                XWindowAttributes a{};
                if (children[i] != host && children[i] != secondHost &&
                    XGetWindowAttributes(display, children[i], &a) && a.override_redirect && a.map_state == IsViewable)
                    found.push_back(children[i]);
            }
        if (children)
            XFree(children);
        return found;
    }
    // Waits for one menu shown other than the one before; its place.
    bool nextMenu(Window& before, XWindowAttributes& menu)
    {
        if (!eventually(effect, [&] {
                const std::vector<Window> shownMenus = menuWindows();
                return shownMenus.size() == 1 && shownMenus[0] != before;
            }))
            return false;
        before = menuWindows()[0];
        return XGetWindowAttributes(display, before, &menu) != 0;
    }
    std::string programName(int program)
    {
        char name[256] = {};
        dispatch(effGetProgramNameIndexed, program, 0, name);
        return name;
    }
    // Clicks "Options" and waits for its menu.
    bool openOptions()
    {
        click(Layout::optionsX + Layout::optionsW / 2, Layout::optionsY + Layout::optionsH / 2);
        return eventually(effect, [this] { return menus().size() == 1; });
    }
    // Whether the pointer is free: a grab of our own succeeds.
    bool pointerFree() const
    {
        const bool free = XGrabPointer(display, host, False, ButtonPressMask, GrabModeAsync, GrabModeAsync, None, None,
                                       CurrentTime) == GrabSuccess;
        XUngrabPointer(display, CurrentTime);
        XSync(display, False);
        return free;
    }

    // Where band's handle is centred.
    std::pair<int, int> handle(int band) const
    {
        return {static_cast<int>(std::lround(6 + frequencyColumns * get(index(band, frequency)) + 8)),
                static_cast<int>(std::lround(6 - pixelsPerDb * gainDb(band) + 156 + 8))};
    }
};

} // namespace

// The editor lives in the host's window at the size it answered, and paints.
TEST_F(X11editor, OpensAsAChildOfTheHostWindowAndPaints)
{
    XWindowAttributes attributes{};
    ASSERT_TRUE(XGetWindowAttributes(display, editor(), &attributes));
    EXPECT_EQ(attributes.width, Layout::width);
    EXPECT_EQ(attributes.height, Layout::height);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_FALSE(shown().empty());
}

// A handle dragged with real pointer events moves its band by the pixels the
// pointer moved; the host hears of frequency and gain only.
TEST_F(X11editor, DraggingAHandleMovesItsBand)
{
    const auto [x, y] = handle(3);
    const float startFrequency = get(index(3, frequency));
    drag(x, y, 52, -39);
    ASSERT_TRUE(eventually(effect, [&] { return heard().size() == 2; }));
    EXPECT_NEAR(get(index(3, frequency)), startFrequency + 52.0 / frequencyColumns, 1e-5);
    EXPECT_NEAR(gainDb(3), 39.0 / pixelsPerDb, 1e-4);
    const std::map<int, float> told = heard();
    EXPECT_EQ(told.count(index(3, frequency)), 1u);
    EXPECT_EQ(told.count(index(3, gain)), 1u);
}

// With the keyboard on the editor, Ctrl+Z undoes the drag.
TEST_F(X11editor, ControlZUndoesTheDrag)
{
    const auto [x, y] = handle(3);
    const float before = get(index(3, frequency));
    drag(x, y, 52, 0);
    ASSERT_TRUE(eventually(effect, [&] { return get(index(3, frequency)) != before; }));
    XSetInputFocus(display, editor(), RevertToParent, CurrentTime);
    key(XK_Control_L, true);
    key(XK_z, true);
    key(XK_z, false);
    key(XK_Control_L, false);
    EXPECT_TRUE(eventually(effect, [&] { return get(index(3, frequency)) == before; }));
}

// A host that passes keys on as its own effEditKeyDown calls, with no
// modifiers (as Ardour does while the editor has its keyboard): with Ctrl
// held on the keyboard, Z undoes, Shift+Z and Y redo; keys the editor does
// not use, and Z without Ctrl, are left to the host.
TEST_F(X11editor, KeysTheHostPassesOnWithoutModifiers)
{
    const auto [x, y] = handle(3);
    const float before = get(index(3, frequency));
    drag(x, y, 52, 0);
    ASSERT_TRUE(eventually(effect, [&] { return get(index(3, frequency)) != before; }));
    const float after = get(index(3, frequency));
    const auto pressed = [this](char character) { return dispatch(effEditKeyDown, character, 0); };
    EXPECT_EQ(pressed(' '), 0);
    EXPECT_EQ(pressed('z'), 0);
    EXPECT_EQ(get(index(3, frequency)), after);
    key(XK_Control_L, true);
    EXPECT_EQ(pressed('z'), 1);
    EXPECT_EQ(get(index(3, frequency)), before);
    EXPECT_EQ(pressed('y'), 1);
    EXPECT_EQ(get(index(3, frequency)), after);
    EXPECT_EQ(pressed('z'), 1);
    key(XK_Shift_L, true);
    EXPECT_EQ(pressed('Z'), 1);
    EXPECT_EQ(get(index(3, frequency)), after);
    EXPECT_EQ(dispatch(effEditKeyDown, 0, 55), 0); // the Control key itself
    key(XK_Shift_L, false);
    key(XK_Control_L, false);
    EXPECT_EQ(pressed(' '), 0);
}

// A double click switches a band off; a click on a band's switch on again.
TEST_F(X11editor, DoubleClickAndSwitchClick)
{
    const auto [x, y] = handle(5);
    moveTo(x, y);
    button(1, true);
    button(1, false);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(eventually(effect, [&] { return get(index(5, on)) == 0.0f; }));
    pass(450);
    click(Layout::switchLeft(5) + Layout::switchW / 2, Layout::switchY + Layout::switchH / 2);
    ASSERT_TRUE(eventually(effect, [&] { return get(index(5, on)) == 1.0f; }));
}

// A wheel notch (button 4) over the zoom knob turns it by one step; Ctrl
// and a click put it back to its default.
TEST_F(X11editor, WheelAndControlClickOnTheZoomKnob)
{
    const int x = Layout::zoomX + Layout::knobSize / 2, y = Layout::knobY + Layout::knobSize / 2;
    const float before = get(zoomIndex);
    moveTo(x, y);
    button(4, true);
    button(4, false);
    ASSERT_TRUE(eventually(effect, [&] { return std::fabs(get(zoomIndex) - (before + 0.01f)) < 1e-5f; }));
    key(XK_Control_L, true);
    click(x, y);
    key(XK_Control_L, false);
    ASSERT_TRUE(eventually(effect, [&] { return std::fabs(get(zoomIndex) - (12.0 - 3.0) / 33.0) < 1e-6; }));
}

// A drag of the volume fader moves it with the pointer; the screen shows it.
TEST_F(X11editor, VolumeFaderDragsAndTheScreenFollows)
{
    set(volumeIndex, 0.75f);
    ASSERT_TRUE(eventually(effect, [] { return true; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<std::uint32_t> before = shown();
    const int handleTop = 1 + static_cast<int>((1.0 - get(volumeIndex)) * Layout::travel);
    drag(776, handleTop + 16, 0, 56);
    ASSERT_TRUE(eventually(effect, [&] { return std::fabs(get(volumeIndex) - (0.75 - 56.0 / 280.0)) < 1e-5; }));
    ASSERT_TRUE(eventually(effect, [&] { return shown() != before; }));
}

// The editor closes while the pointer holds a drag, and opens again.
TEST_F(X11editor, ClosesDuringADragAndOpensAgain)
{
    const auto [x, y] = handle(2);
    moveTo(x, y);
    button(1, true);
    moveTo(x + 10, y - 10);
    dispatch(effEditClose);
    button(1, false);
    EXPECT_EQ(editor(), 0u);
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host));
    ASSERT_TRUE(eventually(effect, [this] { return editor() != 0 && !shown().empty(); }));
}

// Options > Size > 200%: the pointer opens the submenu, a click chooses; the
// editor asks its host, on the host's thread, for twice the size and takes it.
TEST_F(X11editor, MenuChoiceResizesTheEditor)
{
    ASSERT_TRUE(openOptions());
    const XWindowAttributes options = menus()[0];
    const auto [sizeX, sizeY] = item(options, 7, 2); // Size
    moveTo(sizeX, sizeY);
    ASSERT_TRUE(eventually(effect, [this] { return menus().size() == 2; }));
    const XWindowAttributes sizes = menus()[1];
    EXPECT_GE(sizes.x, options.x + options.width - 4);
    // Painted at once, the pointer not in it: its top margin shows the grey
    // of the first menu's.
    const auto margin = [this](Window menu, int x) {
        XImage* image = XGetImage(display, menu, x, 1, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = image ? XGetPixel(image, 0, 0) & 0xFFFFFF : 0;
        if (image)
            XDestroyImage(image);
        return pixel;
    };
    const std::vector<Window> shownMenus = menuWindows();
    EXPECT_TRUE(eventually(effect, [&] { return margin(shownMenus[1], sizes.width / 2) == margin(shownMenus[0], 8); }));
    const auto [x, y] = item(sizes, 4); // 100, 125, 150, 175, 200 %
    moveTo(x, y);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(eventually(effect, [this] { return menus().empty(); }));
    ASSERT_TRUE(eventually(effect, [] { return asked() == std::make_pair(1600, 760); }));
    // On the host's thread, from its idle call.
    {
        const std::lock_guard<std::mutex> hold(heardLock);
        EXPECT_EQ(askedOn, std::this_thread::get_id());
    }
    XWindowAttributes attributes{};
    ASSERT_TRUE(eventually(effect, [&] {
        return XGetWindowAttributes(display, editor(), &attributes) && attributes.width == 1600 &&
               attributes.height == 760;
    }));
    EXPECT_TRUE(pointerFree());
}

// A press outside the menu closes it and chooses nothing; so does Escape.
TEST_F(X11editor, MenuClosesWithoutAChoice)
{
    const std::vector<std::uint32_t> before = shown();
    ASSERT_TRUE(openOptions());
    click(400, 150);
    ASSERT_TRUE(eventually(effect, [this] { return menus().empty(); }));
    EXPECT_TRUE(pointerFree());
    ASSERT_TRUE(openOptions());
    key(XK_Escape, true);
    key(XK_Escape, false);
    ASSERT_TRUE(eventually(effect, [this] { return menus().empty(); }));
    EXPECT_TRUE(heard().empty());
}

// The host closes the editor while its menu is open: the menu goes with it
// and lets the pointer go; the editor opens again.
TEST_F(X11editor, ClosesWhileAMenuIsOpen)
{
    ASSERT_TRUE(openOptions());
    const auto [sizeX, sizeY] = item(menus()[0], 7, 2);
    moveTo(sizeX, sizeY);
    ASSERT_TRUE(eventually(effect, [this] { return menus().size() == 2; }));
    dispatch(effEditClose);
    XSync(display, False);
    EXPECT_TRUE(eventually(effect, [this] { return menus().empty(); }));
    EXPECT_TRUE(pointerFree());
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host));
    ASSERT_TRUE(eventually(effect, [this] { return editor() != 0 && !shown().empty(); }));
    ASSERT_TRUE(openOptions());
}

// Options > About veils the editor; the next click takes the veil away.
TEST_F(X11editor, AboutFromTheMenu)
{
    const std::vector<std::uint32_t> before = shown();
    ASSERT_TRUE(openOptions());
    const auto [x, y] = item(menus()[0], 11, 3);
    click(x, y);
    ASSERT_TRUE(eventually(effect, [&] { return menus().empty() && shown() != before; }));
    click(400, 150);
    ASSERT_TRUE(eventually(effect, [&] { return shown() == before; }));
}

// A click on the volume readout opens the entry box over it with the
// keyboard's focus; typed keys and Enter set the volume, held to its range.
TEST_F(X11editor, TypedVolumeIsTakenOnEnter)
{
    const auto boxes = [this] {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        std::vector<Window> found;
        if (XQueryTree(display, editor(), &root, &parent, &children, &count))
            found.assign(children, children + count);
        if (children)
            XFree(children);
        return found;
    };
    const auto typeIn = [&](const std::vector<KeySym>& keys) {
        click(Layout::readoutX + Layout::readoutW / 2, Layout::readoutY + Layout::readoutH / 2);
        if (!eventually(effect, [&] { return boxes().size() == 1; }))
            return false;
        for (KeySym k : keys) {
            key(k, true);
            key(k, false);
        }
        key(XK_Return, true);
        key(XK_Return, false);
        return eventually(effect, [&] { return boxes().empty(); });
    };
    click(Layout::readoutX + Layout::readoutW / 2, Layout::readoutY + Layout::readoutH / 2);
    ASSERT_TRUE(eventually(effect, [&] { return boxes().size() == 1; }));
    XWindowAttributes box{};
    ASSERT_TRUE(XGetWindowAttributes(display, boxes()[0], &box));
    EXPECT_EQ(box.x, Layout::readoutX);
    EXPECT_EQ(box.y, Layout::readoutY);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    EXPECT_EQ(focus, boxes()[0]);
    key(XK_Return, true); // Enter on the text it opened with changes nothing
    key(XK_Return, false);
    ASSERT_TRUE(eventually(effect, [&] { return boxes().empty(); }));

    forget();
    ASSERT_TRUE(typeIn({XK_minus, XK_6}));
    // The factor 10^(-6/20) on the scale from 10^-1.8 to 10^0.6.
    ASSERT_TRUE(eventually(effect, [&] { return std::fabs(get(volumeIndex) - (-0.3 + 1.8) / 2.4) < 1e-5; }));
    EXPECT_EQ(heard().count(volumeIndex), 1u);
    ASSERT_TRUE(typeIn({XK_2, XK_0}));
    ASSERT_TRUE(eventually(effect, [&] { return get(volumeIndex) == 1.0f; }));
    // Backspace takes a typed character back.
    ASSERT_TRUE(typeIn({XK_minus, XK_1, XK_2, XK_BackSpace}));
    ASSERT_TRUE(eventually(effect, [&] { return std::fabs(get(volumeIndex) - (-0.05 + 1.8) / 2.4) < 1e-5; }));
}

// The host closes the editor with the entry box open; it opens again.
TEST_F(X11editor, ClosesWithTheEntryBoxOpen)
{
    click(Layout::readoutX + Layout::readoutW / 2, Layout::readoutY + Layout::readoutH / 2);
    key(XK_3, true);
    key(XK_3, false);
    dispatch(effEditClose);
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host));
    ASSERT_TRUE(eventually(effect, [this] { return editor() != 0 && !shown().empty(); }));
}

// Options > Default bank path without a desktop dialog: the list of our own
// goes up from the bank folder and down into another, and chooses it; the
// programs come from there.
TEST_F(X11editor, FolderListChoosesABankFolder)
{
    fs::create_directories(folder / "banks" / "mine");
    fs::copy_file(folder / "banks" / "default" / "09 Telephone.fxp", folder / "banks" / "mine" / "Mine.fxp");
    ASSERT_NE(programName(1), "init");
    ASSERT_TRUE(openOptions());
    Window shownMenu = menuWindows()[0];
    const auto [x, y] = item(menus()[0], 9, 2); // Default bank path
    click(x, y);
    XWindowAttributes list{};
    ASSERT_TRUE(nextMenu(shownMenu, list)); // banks/default: choose, separator, ..
    const auto [upX, upY] = item(list, 2, 1);
    click(upX, upY);
    ASSERT_TRUE(nextMenu(shownMenu, list)); // banks: choose, separator, .., default/, mine/
    const auto [mineX, mineY] = item(list, 4, 1);
    click(mineX, mineY);
    ASSERT_TRUE(nextMenu(shownMenu, list)); // banks/mine
    const auto [chooseX, chooseY] = item(list, 0);
    click(chooseX, chooseY);
    ASSERT_TRUE(eventually(effect, [this] { return menuWindows().empty() && programName(1) == "init"; }));
    EXPECT_NE(programName(0), "init");
    EXPECT_TRUE(pointerFree());
}

// With zenity on the path, its folder dialog answers (here a stand-in that
// answers a folder after 0.3 s); the host's idle calls never wait for it.
TEST_F(X11editor, ZenityChoosesABankFolder)
{
    fs::create_directories(folder / "banks" / "mine");
    fs::create_directories(folder / "bin");
    {
        std::ofstream script(folder / "bin" / "zenity");
        script << "#!/bin/sh\nsleep 0.3\necho '" << (folder / "banks" / "mine").string() << "'\n";
    }
    fs::permissions(folder / "bin" / "zenity", fs::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", ((folder / "bin").string() + ":" + path).c_str(), 1);
    unsetenv("VEX_NO_ZENITY");
    ASSERT_TRUE(openOptions());
    const auto [x, y] = item(menus()[0], 9, 2);
    moveTo(x, y);
    button(1, true);
    button(1, false);
    // The host goes on calling effEditIdle; no call waits for the dialog.
    std::chrono::steady_clock::duration longest{};
    bool chosen = false;
    for (int i = 0; i < 100 && !chosen; ++i) {
        const auto start = std::chrono::steady_clock::now();
        dispatch(effEditIdle);
        longest = std::max(longest, std::chrono::steady_clock::now() - start);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        chosen = programName(0) == "init";
    }
    setenv("PATH", path.c_str(), 1);
    setenv("VEX_NO_ZENITY", "1", 1);
    ASSERT_TRUE(chosen);
    EXPECT_LT(longest, std::chrono::milliseconds(150));
}

// The host closes the editor while the folder list is open: the list goes,
// the host does not wait for the user, and the bank stays.
TEST_F(X11editor, ClosesWhileTheFolderListIsOpen)
{
    ASSERT_TRUE(openOptions());
    Window shownMenu = menuWindows()[0];
    const auto [x, y] = item(menus()[0], 9, 2);
    click(x, y);
    XWindowAttributes list{};
    ASSERT_TRUE(nextMenu(shownMenu, list));
    const auto started = std::chrono::steady_clock::now();
    dispatch(effEditClose);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
    EXPECT_TRUE(eventually(effect, [this] { return menuWindows().empty(); }));
    EXPECT_TRUE(pointerFree());
    EXPECT_NE(programName(1), "init");
}

// The desktop's font density (Xft.dpi) sets the size an editor opens at
// while the user has chosen none: 144 dpi is 150 %.
TEST_F(X11editor, OpensAtTheScaleOfXftDpi)
{
    dispatch(effEditClose);
    const Atom resources = XInternAtom(display, "RESOURCE_MANAGER", False);
    const std::string text = "Xft.dpi:\t144\n";
    XChangeProperty(display, DefaultRootWindow(display), resources, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.c_str()), static_cast<int>(text.size()));
    XSync(display, False);
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right - rect->left, 1200);
    EXPECT_EQ(rect->bottom - rect->top, 570);
    XResizeWindow(display, host, 1200, 570);
    dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(host));
    XWindowAttributes attributes{};
    const bool opened = eventually(effect, [&] {
        return XGetWindowAttributes(display, editor(), &attributes) && attributes.width == 1200 &&
               attributes.height == 570;
    });
    XDeleteProperty(display, DefaultRootWindow(display), resources);
    XSync(display, False);
    ASSERT_TRUE(opened);
}

// A message for the user shows in a window of its own, titled "Error", on
// a thread of its own, asking to be kept above the host's windows: the
// effect is made meanwhile. It goes when the library is unloaded.
TEST_F(X11editor, AnErrorShowsAMessageWindow)
{
    const auto kept = [this](Window window) {
        Atom type = 0, *states = nullptr;
        int format = 0;
        unsigned long count = 0, after = 0;
        bool above = false;
        if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 8, False, XA_ATOM,
                               &type, &format, &count, &after, reinterpret_cast<unsigned char**>(&states)) ==
                Success &&
            states) {
            for (unsigned long i = 0; i < count; ++i)
                above = above || states[i] == XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
            XFree(states);
        }
        return above;
    };
    const auto errorWindows = [this, kept] {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        int found = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
            for (unsigned i = 0; i < count; ++i) {
                char* name = nullptr;
                XWindowAttributes a{};
                if (XFetchName(display, children[i], &name) && name) {
                    if (std::string(name) == "Error" && XGetWindowAttributes(display, children[i], &a) &&
                        a.map_state == IsViewable && kept(children[i]))
                        ++found;
                    XFree(name);
                }
            }
        if (children)
            XFree(children);
        return found;
    };
    ASSERT_EQ(errorWindows(), 0);
    // A second instance whose settings name a bank folder that is gone.
    dispatch(effEditClose);
    dispatch(effClose);
    effect = nullptr;
    dlclose(library);
    std::ofstream(folder / "config" / "vexatone" / "Vexatone.ini") << "skin\nRed\ndef-bank-path\n"
                                                                   << (folder / "gone").string() << "/\n";
    unsetenv("VEX_NO_MESSAGE_WINDOW");
    library = dlopen((folder / "Vexatone.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    using Entry = AEffect* (*)(audioMasterCallback);
    effect = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"))(hostCallback);
    setenv("VEX_NO_MESSAGE_WINDOW", "1", 1);
    ASSERT_NE(effect, nullptr);
    dispatch(effOpen);
    EXPECT_TRUE(eventually(effect, [&] { return errorWindows() == 1; }));
    dispatch(effClose);
    effect = nullptr;
    dlclose(library);
    library = nullptr;
    XSync(display, False);
    EXPECT_TRUE(eventually(nullptr, [&] { return errorWindows() == 0; }));
}

// A host that never calls effEditIdle: the editor's own thread handles the
// drag and paints.
TEST_F(X11editor, WithoutIdleCallsTheEditorRunsOnItsOwn)
{
    hostIdles = false;
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the last idle call is long past
    const std::vector<std::uint32_t> before = shown();
    const auto [x, y] = handle(1);
    drag(x, y, 0, -26);
    ASSERT_TRUE(eventually(
        effect, [&] { return std::fabs(gainDb(1) - 2.0) < 1e-4; }, false));
    ASSERT_TRUE(eventually(
        effect, [&] { return shown() != before; }, false));
}

// The pointer resting on "Options" brings its hint above it after a moment;
// leaving the editor's window takes it away.
TEST_F(X11editor, AHintShowsOnARestAndGoesWhenThePointerLeaves)
{
    moveTo(Layout::width + 100, Layout::height + 100);
    pass(100);
    const std::vector<std::uint32_t> before = shown();
    ASSERT_FALSE(before.empty());
    const auto changedAbove = [&] {
        const std::vector<std::uint32_t> now = shown();
        int count = 0;
        for (int y = Layout::optionsY - 20; y < Layout::optionsY; ++y)
            for (int x = Layout::optionsX; x < Layout::optionsX + Layout::optionsW; ++x) {
                const std::size_t i = static_cast<std::size_t>(y * Layout::width + x);
                count += now.size() == before.size() && now[i] != before[i];
            }
        return count;
    };
    const int x = Layout::optionsX + Layout::optionsW / 2, y = Layout::optionsY + Layout::optionsH / 2;
    moveTo(x, y);
    moveTo(x + 1, y);
    // The hint waits half a second of the editor's timer: a slow machine
    // gets twenty times that.
    ASSERT_TRUE(eventually(
        effect, [&] { return changedAbove() > 50; }, true, 10));
    moveTo(Layout::width + 100, Layout::height + 100);
    EXPECT_TRUE(eventually(
        effect, [&] { return changedAbove() == 0; }, true, 10));
}

// Two instances' editors at once share the one editor thread. A choice in
// the second's menu reaches the second instance, on the host's thread, while
// the first closes with its menu just closed.
TEST_F(X11editor, TwoEditorsShareOneThreadAndChoicesCallTheHostOnItsThread)
{
    const auto threads = [] {
        return std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator{});
    };
    using Entry = AEffect* (*)(audioMasterCallback);
    AEffect* second = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"))(hostCallback);
    ASSERT_NE(second, nullptr);
    const auto tell = [&](VstInt32 opcode, void* ptr = nullptr) {
        return second->dispatcher(second, opcode, 0, 0, ptr, 0.0f);
    };
    tell(effOpen);
    prepare(second);
    const auto withOneEditor = threads();
    const int top = Layout::height + 20;
    secondHost = hostWindow(top);
    tell(effEditOpen, reinterpret_cast<void*>(secondHost));
    const auto idleBoth = [&] { return tell(effEditIdle) >= 0; };
    EXPECT_EQ(threads(), withOneEditor);

    // A drag in the second editor: an undo step of the second instance.
    const float before = second->getParameter(second, index(3, frequency));
    const auto [x, y] = handle(3);
    drag(x, y + top, 52, 0);
    ASSERT_TRUE(
        eventually(effect, [&] { return idleBoth() && second->getParameter(second, index(3, frequency)) != before; }));
    const float firstFrequency = get(index(3, frequency));
    // The first editor's menu opens and closes (a press elsewhere) ...
    ASSERT_TRUE(openOptions());
    click(400, 150);
    ASSERT_TRUE(eventually(effect, [this] { return menus().empty(); }));
    forget();
    // ... the second's opens; Undo is pressed, the first editor closes, the
    // button goes up.
    click(Layout::optionsX + Layout::optionsW / 2, top + Layout::optionsY + Layout::optionsH / 2);
    ASSERT_TRUE(eventually(effect, [&] { return idleBoth() && menus().size() == 1; }));
    const auto [undoX, undoY] = item(menus()[0], 0);
    moveTo(undoX, undoY);
    button(1, true);
    dispatch(effEditClose);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(
        eventually(effect, [&] { return idleBoth() && second->getParameter(second, index(3, frequency)) == before; }));
    EXPECT_EQ(get(index(3, frequency)), firstFrequency);
    {
        const std::lock_guard<std::mutex> hold(heardLock);
        EXPECT_EQ(editors, std::set<AEffect*>{second});
        EXPECT_EQ(callers, std::set<std::thread::id>{std::this_thread::get_id()});
    }
    tell(effEditClose);
    tell(effClose);
    XDestroyWindow(display, secondHost);
    XSync(display, False);
}

// The host hides its window without closing the editor, and shows it again:
// the editor, quiet meanwhile, shows what changed.
TEST_F(X11editor, PaintsAgainWhenTheHostShowsItsWindowAgain)
{
    const std::vector<std::uint32_t> before = shown();
    XUnmapWindow(display, host);
    XSync(display, False);
    pass(100);
    set(index(2, gain), 0.75f);
    pass(100);
    XMapRaised(display, host);
    XSync(display, False);
    EXPECT_TRUE(eventually(effect, [&] {
        const std::vector<std::uint32_t> now = shown();
        return !now.empty() && now != before;
    }));
}
