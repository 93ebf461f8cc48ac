// The real DLL's editor in a host's window, driven as a user drives it: the
// pointer moved over the editor and the mouse messages the system sends
// there, popup menus chosen from a timer. What the mouse changed is read back
// through the host's interface and the host's automation calls.
#include "common/fakehost.h"
#include "eq/editor/layout.h"
#include "eq/vexparameters.h"
#include "effect.h"
#include "loadeddll.h"
#include "menuchooser.h"
#include "testskin.h"
#include "tools/vsthost/hostwindow.h"
#include "tools/vsthost/picture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Testskin::differingPixels;

// Band b's parameters are 5b + these; then the editor-wide ones.
enum { on, frequency, width, gain, type };
constexpr int index(int band, int parameter)
{
    return 5 * band + parameter;
}
constexpr int zoomIndex = 35, volumeIndex = 37, modeIndex = 38;

// At a zoom of 12 dB a decibel is 13 pixels of the display's 312 rows of
// handle travel; its 728 columns span the whole frequency range.
constexpr double zoom = 12.0;
constexpr double pixelsPerDb = 312.0 / (2.0 * zoom);
constexpr double frequencyColumns = 728.0;

// The volume slider's column, and its handle image: 32 pixels leave 280 of
// the slider's 312 for travel.
constexpr int sliderX = 776;
constexpr int sliderHandle = 32;
constexpr double sliderTravel = 280.0;

// The second skin: the test skin's background with every colour inverted.
Picture otherBackground()
{
    Picture picture = Testskin::background();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.at(x, y) ^= 0x00FFFFFF;
    return picture;
}

// The brightness of a picture outside the curve display, as a sum.
double brightness(const Picture& picture)
{
    double sum = 0.0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (!(x >= 6 && x < 750 && y >= 6 && y < 334))
                for (int shift : {0, 8, 16})
                    sum += picture.at(x, y) >> shift & 0xFF;
    return sum;
}

// The value of key in a settings file's text: the line after the key's line,
// whatever the line ends; "" when the key is missing.
std::string setting(const std::string& text, const std::string& key)
{
    std::istringstream lines(text);
    bool atKey = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (atKey)
            return line;
        atKey = line == key;
    }
    return "";
}

// The parameters the host was told of since the last reset: the last value
// of each.
std::map<int, float> automated()
{
    std::map<int, float> last;
    for (const Hostcall& call : Fakehost::callsOf(audioMasterAutomate))
        last[call.index] = call.opt;
    return last;
}

std::vector<int> indices(const std::map<int, float>& values)
{
    std::vector<int> keys;
    for (const auto& [key, value] : values)
        keys.push_back(key);
    return keys;
}

// The editor open in a host's window over skins "Red" (the test skin's
// background and a volume handle) and "Other", every band on at 0 dB with a
// handle every 91 pixels, and the automation calls of setting that up
// forgotten. Positions are the editor's client pixels.
struct Editormouse : testing::Test {
    Loadeddll dll;
    std::unique_ptr<Hostwindow> host;
    std::unique_ptr<Effect> effect;
    HWND editor = nullptr;
    int scale = 100; // the editor's size in percent

    void SetUp() override
    {
        // The skin menu lists the skins when the effect is made.
        ASSERT_TRUE(Testskin::write(dll));
        ASSERT_TRUE(Testskin::writeImage(dll, "Red", "vol_slider.png", Picture(40, sliderHandle, 0xFF2060A0)));
        ASSERT_TRUE(Testskin::writeImage(dll, "Other", "background.png", otherBackground()));
        Fakehost::reset();
        effect = std::make_unique<Effect>(dll);
        ASSERT_TRUE(*effect);
        effect->set(zoomIndex, static_cast<float>((zoom - 3.0) / 33.0));
        for (int b = 0; b < 7; ++b) {
            effect->set(index(b, on), 1.0f);
            effect->set(index(b, frequency), static_cast<float>(b + 1) / 8.0f);
            effect->set(index(b, gain), 0.5f);
            effect->set(index(b, type), 0.5f);
        }
        host = std::make_unique<Hostwindow>(Testskin::width, Testskin::height);
        ASSERT_EQ(effect->open(*host), 0);
        editor = host->child();
        ASSERT_NE(editor, nullptr);
        Hostwindow::pump();
        Fakehost::reset();
    }

    float get(int parameter) const { return effect->get(parameter); }
    double gainDb(int band) const { return -36.0 + 72.0 * get(index(band, gain)); }
    // Where band's handle is centred.
    POINT handle(int band) const
    {
        return {static_cast<LONG>(std::lround(6 + frequencyColumns * get(index(band, frequency)) + 8)),
                static_cast<LONG>(std::lround(6 - pixelsPerDb * gainDb(band) + 156 + 8))};
    }

    // Moves the pointer to (x, y) and sends message to the editor there.
    void send(UINT message, int x, int y, WPARAM buttons = 0)
    {
        POINT screen = {x, y};
        ClientToScreen(editor, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageA(editor, message, buttons, MAKELPARAM(x, y));
    }
    // The pointer arrives, presses and releases.
    void click(int x, int y)
    {
        send(WM_MOUSEMOVE, x, y);
        send(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        send(WM_LBUTTONUP, x, y);
    }
    // The system's order: press, release, double click, release.
    void doubleClick(int x, int y)
    {
        click(x, y);
        send(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
        send(WM_LBUTTONUP, x, y);
    }
    // A press at (x, y), four moves to (x + dx, y + dy), a still move there
    // (a move's change reaches the controls with the next event) and the
    // release.
    void drag(int x, int y, int dx, int dy, bool right = false)
    {
        const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
        send(WM_MOUSEMOVE, x, y);
        send(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, x, y, held);
        for (int step = 1; step <= 4; ++step)
            send(WM_MOUSEMOVE, x + dx * step / 4, y + dy * step / 4, held);
        send(WM_MOUSEMOVE, x + dx, y + dy, held);
        send(right ? WM_RBUTTONUP : WM_LBUTTONUP, x + dx, y + dy);
    }
    // Clicks "Options" and chooses the item at path in its menu; answers the
    // checked items the menus showed on the way.
    std::vector<std::string> chooseOption(const std::vector<std::string>& path)
    {
        Menuchooser chooser(path);
        click(69 * scale / 100, 362 * scale / 100);
        EXPECT_TRUE(chooser.found());
        EXPECT_FALSE(chooser.timedOut());
        // The choice arrives as a message the menu posted.
        Hostwindow::pump();
        return chooser.checked();
    }
    // What the editor shows once it has painted.
    Picture shown() const
    {
        InvalidateRect(editor, nullptr, FALSE);
        UpdateWindow(editor);
        Hostwindow::pump();
        return Picture::capture(editor);
    }
};

} // namespace

// A pixel of movement moves the handle a pixel; the host hears of each
// parameter the drag changed, with its final value, and of nothing else.
TEST_F(Editormouse, DraggingAHandleMovesItsBand)
{
    const POINT start = handle(3);
    const float startFrequency = get(index(3, frequency));
    drag(start.x, start.y, 52, -39);
    EXPECT_NEAR(get(index(3, frequency)), startFrequency + 52.0 / frequencyColumns, 1e-5);
    EXPECT_NEAR(gainDb(3), 39.0 / pixelsPerDb, 1e-4);
    std::map<int, float> told = automated();
    EXPECT_EQ(indices(told), (std::vector<int>{index(3, frequency), index(3, gain)}));
    EXPECT_FLOAT_EQ(told[index(3, frequency)], get(index(3, frequency)));
    EXPECT_FLOAT_EQ(told[index(3, gain)], get(index(3, gain)));

    // The handle went with the pointer; dragged back, the band is back.
    const POINT moved = handle(3);
    EXPECT_EQ(moved.x, start.x + 52);
    EXPECT_EQ(moved.y, start.y - 39);
    drag(moved.x, moved.y, -52, 39);
    EXPECT_NEAR(get(index(3, frequency)), startFrequency, 1e-5);
    EXPECT_NEAR(gainDb(3), 0.0, 1e-4);

    // A right drag changes the width alone, up narrowing.
    effect->set(index(3, width), 0.5f);
    Fakehost::reset();
    drag(start.x, start.y, 30, -78, true);
    EXPECT_NEAR(get(index(3, width)), 0.5 - 78.0 / 312.0, 1e-5);
    EXPECT_NEAR(get(index(3, frequency)), startFrequency, 1e-5);
    EXPECT_NEAR(gainDb(3), 0.0, 1e-4);
    EXPECT_EQ(indices(automated()), std::vector<int>{index(3, width)});

    // A press more than 24 pixels from every handle drags nothing.
    Fakehost::reset();
    drag(start.x + 45, start.y + 40, 30, -30);
    EXPECT_TRUE(automated().empty());
    EXPECT_NEAR(get(index(3, frequency)), startFrequency, 1e-5);
}

// A double click switches the band off; an off band's handle does not drag,
// but a double click switches it on again.
TEST_F(Editormouse, DoubleClickOnAHandleSwitchesItsBand)
{
    const POINT c = handle(5);
    doubleClick(c.x, c.y);
    EXPECT_EQ(get(index(5, on)), 0.0f);
    EXPECT_EQ(automated(), (std::map<int, float>{{index(5, on), 0.0f}}));

    const float startFrequency = get(index(5, frequency));
    drag(c.x, c.y, 40, -40);
    EXPECT_EQ(get(index(5, frequency)), startFrequency);
    EXPECT_NEAR(gainDb(5), 0.0, 1e-4);

    doubleClick(c.x, c.y);
    EXPECT_EQ(get(index(5, on)), 1.0f);
    EXPECT_EQ(automated(), (std::map<int, float>{{index(5, on), 1.0f}}));
}

// Each click reaches the control under the pointer and no other.
TEST_F(Editormouse, SwitchTypeAndOutputFollowClicks)
{
    const int switchX = 120 + 80 * 2 + 18, switchY = 343;
    click(switchX, switchY);
    EXPECT_EQ(get(index(2, on)), 0.0f);
    click(switchX, switchY);
    EXPECT_EQ(get(index(2, on)), 1.0f);

    // Band 4's type selector: three segments of 24 pixels.
    const int typeX = 100 + 80 * 4, typeY = 364;
    for (int segment : {0, 2, 1}) {
        click(typeX + 24 * segment + 12, typeY);
        EXPECT_NEAR(get(index(4, type)) * 2.0, segment, 1e-5) << "segment " << segment;
    }

    // The output selector's cells: ST and M on top, L and R below.
    const struct {
        int x, y, mode;
    } cells[] = {{785, 347, 2}, {766, 366, 1}, {785, 366, 3}, {766, 347, 0}};
    for (const auto& cell : cells) {
        click(cell.x, cell.y);
        EXPECT_NEAR(get(modeIndex) * 3.0, cell.mode, 1e-5) << "mode " << cell.mode;
    }

    const std::map<int, float> told = automated();
    EXPECT_EQ(indices(told), (std::vector<int>{index(2, on), index(4, type), modeIndex}));
    for (const auto& [parameter, value] : told)
        EXPECT_FLOAT_EQ(value, get(parameter)) << "parameter " << parameter;
}

// A press beside the handle centres it on the pointer, a press on it
// changes nothing, a drag moves it with the pointer and stops at the end.
TEST_F(Editormouse, VolumeSliderJumpsAndDrags)
{
    effect->set(volumeIndex, 0.25f);
    const int top = 1;
    click(sliderX, top + sliderHandle / 2 + 70);
    EXPECT_NEAR(get(volumeIndex), 1.0 - 70.0 / sliderTravel, 1e-5);

    const int handleTop = top + static_cast<int>((1.0 - get(volumeIndex)) * sliderTravel);
    drag(sliderX, handleTop + 24, 0, 56);
    EXPECT_NEAR(get(volumeIndex), 1.0 - 126.0 / sliderTravel, 1e-5);
    EXPECT_EQ(indices(automated()), std::vector<int>{volumeIndex});
    EXPECT_FLOAT_EQ(automated()[volumeIndex], get(volumeIndex));

    const int lowered = top + static_cast<int>((1.0 - get(volumeIndex)) * sliderTravel);
    drag(sliderX, lowered + 8, 0, 400);
    EXPECT_NEAR(get(volumeIndex), 0.0, 1e-6);
}

// The entry box opens over its field; a level typed in dB and Enter set the
// volume factor, held to its range; Escape closes it changing nothing.
TEST_F(Editormouse, TypedVolumeIsTakenOnEnter)
{
    const auto typeIn = [this](const std::string& text, WPARAM key = VK_RETURN) {
        click(776, 323);
        HWND box = FindWindowExA(editor, nullptr, "edit", nullptr);
        if (!box)
            return false;
        for (char c : text)
            SendMessageA(box, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
        SendMessageA(box, WM_KEYDOWN, key, 1);
        return !IsWindow(box);
    };
    click(776, 323);
    HWND box = FindWindowExA(editor, nullptr, "edit", nullptr);
    ASSERT_NE(box, nullptr);
    RECT area = {};
    GetWindowRect(box, &area);
    MapWindowPoints(nullptr, editor, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 758);
    EXPECT_EQ(area.top, 315);

    ASSERT_TRUE(typeIn("-6"));
    // The factor 10^(-6/20) on the scale from 10^-1.8 to 10^0.6.
    EXPECT_NEAR(get(volumeIndex), (-0.3 + 1.8) / 2.4, 1e-5);
    EXPECT_EQ(indices(automated()), std::vector<int>{volumeIndex});
    ASSERT_TRUE(typeIn("20"));
    EXPECT_EQ(get(volumeIndex), 1.0f);
    Fakehost::reset();
    ASSERT_TRUE(typeIn("-12", VK_ESCAPE));
    EXPECT_EQ(get(volumeIndex), 1.0f);
    EXPECT_TRUE(automated().empty());
}

// "About" veils the whole editor; the next click only hides the box, and
// the click after it reaches the control again.
TEST_F(Editormouse, AboutBoxTakesTheNextClick)
{
    const Picture before = shown();
    chooseOption({"About"});
    const Picture veiled = shown();
    const double ratio = brightness(veiled) / brightness(before);
    EXPECT_GT(ratio, 0.70);
    EXPECT_LT(ratio, 0.80);

    const int switchX = 138, switchY = 343;
    click(switchX, switchY);
    EXPECT_EQ(get(index(0, on)), 1.0f);
    EXPECT_TRUE(automated().empty());
    EXPECT_EQ(differingPixels(shown(), before), 0);

    click(switchX, switchY);
    EXPECT_EQ(get(index(0, on)), 0.0f);
}

// A right click on a band's switch offers its placements, the current one
// checked; the choice reaches the host as one edit of the placement alone.
TEST_F(Editormouse, RightClickOnABandSwitchChoosesItsPlacement)
{
    const int x = 120 + 80 * 2 + 18, y = 343;
    const int placement = Vexparameters::index(2, Vexparameters::placement);
    {
        Menuchooser chooser({"Mid"});
        send(WM_MOUSEMOVE, x, y);
        send(WM_RBUTTONDOWN, x, y, MK_RBUTTON);
        send(WM_RBUTTONUP, x, y);
        EXPECT_TRUE(chooser.found());
        EXPECT_FALSE(chooser.timedOut());
        Hostwindow::pump();
        EXPECT_EQ(chooser.checked(), std::vector<std::string>{"Stereo"});
    }
    EXPECT_FLOAT_EQ(get(placement), 0.75f);
    EXPECT_EQ(get(index(2, on)), 1.0f);
    EXPECT_EQ(automated(), (std::map<int, float>{{placement, 0.75f}}));
    std::vector<std::pair<VstInt32, VstInt32>> brackets;
    for (const Hostcall& call : Fakehost::calls())
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
            brackets.emplace_back(call.opcode, call.index);
    EXPECT_EQ(brackets, (std::vector<std::pair<VstInt32, VstInt32>>{{audioMasterBeginEdit, placement},
                                                                    {audioMasterEndEdit, placement}}));
}

// The skin submenu marks the skin in use and shows the one chosen at once;
// the choice is saved at once (hosts may end their process without closing
// the plug-in) and the next instance opens with it.
TEST_F(Editormouse, SkinMenuSwitchesAndTheChoiceIsSaved)
{
    EXPECT_EQ(chooseOption({"Skin", "Other"}), std::vector<std::string>{"Red"});
    const Picture other = otherBackground();
    EXPECT_EQ(differingPixels(shown(), other), 0);
    EXPECT_EQ(setting(dll.readFile(Loadeddll::settings), "skin"), "Other") << "before any close";

    effect->close();
    EXPECT_EQ(setting(dll.readFile(Loadeddll::settings), "skin"), "Other");

    effect = std::make_unique<Effect>(dll);
    ASSERT_EQ(effect->open(*host), 0);
    editor = host->child();
    EXPECT_EQ(differingPixels(shown(), other), 0);
}

// "Size" resizes the editor where the host can resize its window, and at the
// next open elsewhere; at 200 % a device pixel is half a layout pixel.
TEST_F(Editormouse, SizeMenuResizesTheEditorAndTheMouseKeepsItsMeasure)
{
    auto rect = [&] {
        const ERect* r = effect->rect();
        return r ? std::make_pair(r->right - r->left, r->bottom - r->top) : std::make_pair(0, 0);
    };
    auto client = [&] {
        RECT r = {};
        GetClientRect(editor, &r);
        return std::make_pair(static_cast<int>(r.right), static_cast<int>(r.bottom));
    };
    EXPECT_EQ(chooseOption({"Size", "150%"}), std::vector<std::string>{"100%"});
    EXPECT_TRUE(Fakehost::callsOf(audioMasterSizeWindow).empty()) << "the host cannot resize";
    EXPECT_EQ(rect(), std::make_pair(800, 380));
    EXPECT_EQ(setting(dll.readFile(Loadeddll::settings), "size"), "150");

    Fakehost::resizes(true);
    chooseOption({"Size", "200%"});
    auto asked = Fakehost::callsOf(audioMasterSizeWindow);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(std::make_pair(asked[0].index, static_cast<int>(asked[0].value)), std::make_pair(1600, 760));
    EXPECT_EQ(rect(), std::make_pair(1600, 760));
    EXPECT_EQ(client(), std::make_pair(1600, 760));

    scale = 200;
    Fakehost::reset();
    const POINT start = handle(3);
    const float startFrequency = get(index(3, frequency));
    drag(2 * start.x, 2 * start.y, 104, -78);
    EXPECT_NEAR(get(index(3, frequency)), startFrequency + 52.0 / frequencyColumns, 1e-5);
    EXPECT_NEAR(gainDb(3), 39.0 / pixelsPerDb, 1e-4);

    Fakehost::resizes(true);
    chooseOption({"Size", "150%"});
    EXPECT_EQ(rect(), std::make_pair(1200, 570));
    EXPECT_EQ(client(), std::make_pair(1200, 570));
}

// A wheel notch posted over the zoom knob, with the pointer's screen
// position in the message as Windows sends it, turns the knob as one edit the
// host sees; Ctrl+click puts it back to its default.
TEST_F(Editormouse, WheelAndControlClickOnTheZoomKnob)
{
    const int x = Layout::zoomX + Layout::knobSize / 2, y = Layout::knobY + Layout::knobSize / 2;
    const float before = get(zoomIndex);
    POINT screen = {x, y};
    ClientToScreen(editor, &screen);
    PostMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(screen.x, screen.y));
    Hostwindow::pump();
    EXPECT_NEAR(get(zoomIndex), before + 0.01f, 1e-5f);
    EXPECT_EQ(indices(automated()), std::vector<int>{zoomIndex});
    ASSERT_EQ(Fakehost::callsOf(audioMasterBeginEdit).size(), 1u);
    EXPECT_EQ(Fakehost::callsOf(audioMasterBeginEdit)[0].index, zoomIndex);

    send(WM_MOUSEMOVE, x, y);
    send(WM_LBUTTONDOWN, x, y, MK_LBUTTON | MK_CONTROL);
    send(WM_LBUTTONUP, x, y, MK_CONTROL);
    EXPECT_NEAR(get(zoomIndex), (12.0 - 3.0) / 33.0, 1e-6);
    // The knob's edit began with the wheel: it ends when the wheel has rested.
    EXPECT_TRUE(Fakehost::callsOf(audioMasterEndEdit).empty());
    Sleep(450);
    Hostwindow::pump();
}

// The window system takes the capture away in the middle of a drag (another
// application comes to the front): the drag and its host edit end there,
// and later moves with no button held drag nothing.
TEST_F(Editormouse, ALostCaptureEndsTheDrag)
{
    const POINT start = handle(3);
    send(WM_MOUSEMOVE, start.x, start.y);
    send(WM_LBUTTONDOWN, start.x, start.y, MK_LBUTTON);
    send(WM_MOUSEMOVE, start.x, start.y - 20, MK_LBUTTON);
    ASSERT_EQ(GetCapture(), editor);
    SetCapture(host->handle());
    ReleaseCapture();
    const auto ended = Fakehost::callsOf(audioMasterEndEdit);
    ASSERT_EQ(ended.size(), 2u);
    EXPECT_EQ(ended[1].index, index(3, gain));
    const float ending = get(index(3, gain));
    send(WM_MOUSEMOVE, start.x, start.y - 60);
    EXPECT_EQ(get(index(3, gain)), ending);

    // A release that went elsewhere: the next move has no button held.
    send(WM_LBUTTONDOWN, start.x, start.y - 20, MK_LBUTTON);
    send(WM_MOUSEMOVE, start.x, start.y - 30, MK_LBUTTON);
    send(WM_MOUSEMOVE, start.x, start.y - 50);
    EXPECT_EQ(Fakehost::callsOf(audioMasterEndEdit).size(), 4u);
    EXPECT_NEAR(gainDb(3), 30.0 / pixelsPerDb, 1e-4);
}

// Ctrl+Z in the editor's window undoes the last drag as bracketed edits,
// Ctrl+Y redoes it, and the host's key call undoes too. The window reads Ctrl
// from the thread's keyboard state.
TEST_F(Editormouse, ControlZUndoesTheLastDrag)
{
    const POINT start = handle(3);
    const float before = get(index(3, frequency));
    drag(start.x, start.y, 52, 0);
    const float after = get(index(3, frequency));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    Fakehost::reset();
    SendMessageA(editor, WM_KEYDOWN, 'Z', 1);
    EXPECT_NEAR(get(index(3, frequency)), before, 1e-5);
    EXPECT_EQ(Fakehost::callsOf(audioMasterEndEdit).size(), 1u) << "one bracket";
    SendMessageA(editor, WM_KEYDOWN, 'Y', 1);
    EXPECT_NEAR(get(index(3, frequency)), after, 1e-5);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    AEffect* plugin = (*effect).operator->();
    EXPECT_EQ(plugin->dispatcher(plugin, effEditKeyDown, 'z', 0, nullptr, MODIFIER_CONTROL), 1);
    EXPECT_NEAR(get(index(3, frequency)), before, 1e-5);
}

// Alt with a press on a handle listens to the band: a 30 Hz tone far below a
// bell's band-pass is taken down while the button is held, and is heard whole
// again once the press ends, by its release or by the host closing the
// editor in the middle of it. Listening changes no parameter.
TEST_F(Editormouse, AltPressOnAHandleListensToItsBandUntilThePressEnds)
{
    AEffect* e = (*effect).operator->();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    Fakehost::reset();
    // The tone's level over its last two periods (2940 frames) of 8192, in
    // dB against its input's.
    std::vector<float> left(8192), right(8192);
    double phase = 0.0;
    auto level = [&] {
        for (std::size_t i = 0; i < left.size(); ++i, phase += 2.0 * 3.14159265358979 * 30.0 / 44100.0)
            left[i] = right[i] = static_cast<float>(0.25 * std::sin(phase));
        float* channels[] = {left.data(), right.data()};
        e->processReplacing(e, channels, channels, static_cast<VstInt32>(left.size()));
        double sum = 0.0;
        for (std::size_t i = left.size() - 2940; i < left.size(); ++i)
            sum += static_cast<double>(left[i]) * left[i];
        return 10.0 * std::log10(sum / 2940.0 / (0.25 * 0.25 / 2.0));
    };
    auto holdAlt = [](bool held) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_MENU] = held ? 0x80 : 0;
        SetKeyboardState(keys);
    };
    EXPECT_NEAR(level(), 0.0, 0.1);

    const POINT c = handle(3);
    holdAlt(true);
    send(WM_MOUSEMOVE, c.x, c.y);
    send(WM_LBUTTONDOWN, c.x, c.y, MK_LBUTTON);
    holdAlt(false);
    EXPECT_LT(level(), -12.0) << "the band alone";
    send(WM_LBUTTONUP, c.x, c.y);
    EXPECT_NEAR(level(), 0.0, 0.1) << "the release ends it";

    holdAlt(true);
    send(WM_LBUTTONDOWN, c.x, c.y, MK_LBUTTON);
    holdAlt(false);
    EXPECT_LT(level(), -12.0);
    effect->closeEditor();
    EXPECT_NEAR(level(), 0.0, 0.1) << "closing the editor ends it";
    EXPECT_TRUE(automated().empty());
}

// "Save preset..." under the program name asks for the name in an edit box
// and writes the preset into the user's presets folder; the preset menu lists it
// checked, and choosing it brings its values back as bracketed automation.
TEST_F(Editormouse, SavesAPresetAndLoadsItFromTheMenu)
{
    const int nameX = Layout::statusX + 40, nameY = Layout::statusBackY + 6;
    const auto choose = [&](const std::vector<std::string>& path) {
        Menuchooser chooser(path);
        click(nameX, nameY);
        EXPECT_TRUE(chooser.found());
        EXPECT_FALSE(chooser.timedOut());
        Hostwindow::pump();
        return chooser.checked();
    };
    const int gain3 = index(2, gain);
    effect->set(gain3, 0.75f);
    // Types the name into the box "Save preset..." opens; Enter saves,
    // choosing the answer to the question whether to replace, if given.
    const auto save = [&](const std::string& answer) {
        choose({"Save preset..."});
        HWND box = FindWindowExA(editor, nullptr, "edit", nullptr);
        ASSERT_NE(box, nullptr);
        for (char c : std::string("Wine test"))
            SendMessageA(box, WM_CHAR, static_cast<WPARAM>(c), 1);
        auto question = answer.empty() ? nullptr : std::make_unique<Menuchooser>(std::vector<std::string>{answer});
        SendMessageA(box, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_FALSE(IsWindow(box));
        EXPECT_TRUE(!question || question->found());
        Hostwindow::pump();
    };
    save("");
    const std::string saved = dll.readFile(std::string(Loadeddll::presets) + "\\Wine test.fxp");
    ASSERT_EQ(saved.size(), 60u + 424u);
    EXPECT_EQ(saved.substr(28, 10), std::string("Wine test\0", 10));

    effect->set(gain3, 0.25f);
    Fakehost::reset();
    EXPECT_EQ(choose({"User", "Wine test"}), std::vector<std::string>{"Wine test"});
    EXPECT_FLOAT_EQ(get(gain3), 0.75f);
    EXPECT_FLOAT_EQ(automated()[gain3], 0.75f);
    std::vector<VstInt32> brackets;
    for (const Hostcall& call : Fakehost::calls())
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
            brackets.push_back(call.opcode);
    ASSERT_FALSE(brackets.empty());
    EXPECT_EQ(brackets.front(), audioMasterBeginEdit);
    EXPECT_EQ(brackets.back(), audioMasterEndEdit);

    // Saving under that name again asks, from the entry, whether to replace it.
    effect->set(gain3, 0.25f);
    save("Replace \"Wine test\"");
    EXPECT_NE(dll.readFile(std::string(Loadeddll::presets) + "\\Wine test.fxp"), saved);
}

// The pointer resting on "Options" brings its hint above it after the
// window's timer has run for a moment; moved out of the window, the system
// tells the editor it left, and the hint goes.
TEST_F(Editormouse, AHintShowsOnARestAndGoesWhenThePointerLeaves)
{
    const int x = Layout::optionsX + Layout::optionsW / 2, y = Layout::optionsY + Layout::optionsH / 2;
    const Picture before = shown();
    // What changed above the Options button, and on it.
    const auto changed = [&](int top, int bottom) {
        const Picture now = shown();
        int count = 0;
        for (int row = top; row < bottom; ++row)
            for (int column = Layout::optionsX; column < Layout::optionsX + Layout::optionsW; ++column)
                count += (now.at(column, row) & 0xFFFFFF) != (before.at(column, row) & 0xFFFFFF);
        return count;
    };
    const auto within = [](int seconds, const std::function<bool()>& condition) {
        for (int waited = 0; waited < 1000 * seconds; waited += 20) {
            Hostwindow::pump();
            if (condition())
                return true;
            Sleep(20);
        }
        return condition();
    };
    send(WM_MOUSEMOVE, x, y);
    send(WM_MOUSEMOVE, x + 1, y);
    EXPECT_EQ(changed(Layout::optionsY - 20, Layout::optionsY), 0) << "not at once";
    ASSERT_TRUE(within(5, [&] { return changed(Layout::optionsY - 20, Layout::optionsY) > 50; }));
    EXPECT_EQ(changed(Layout::optionsY + 1, Layout::optionsY + Layout::optionsH), 0) << "the hint keeps off the button";

    POINT away = {Testskin::width + 40, Testskin::height + 40};
    ClientToScreen(editor, &away);
    SetCursorPos(away.x, away.y);
    EXPECT_TRUE(within(5, [&] { return changed(Layout::optionsY - 20, Layout::optionsY) == 0; }));
}

namespace {
Effect* closing = nullptr;
bool menuWasOpen = false;

// The host's timer, within the menu's loop: the editor goes, then the
// instance, then the menu.
void CALLBACK closeFromTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    menuWasOpen = FindWindowA("#32768", nullptr) != nullptr;
    closing->closeEditor();
    closing->close();
    EndMenu();
}
} // namespace

// A host that closes the editor and then the instance from a timer of its
// own while a popup menu of the editor runs its loop leaves nothing of the
// instance in use when the loop returns: the placement menu, Options and
// the preset menu, many times over. The process lives on, and a new
// instance works.
TEST_F(Editormouse, ClosingTheInstanceWithAMenuOpenLeavesNothingInUse)
{
    const POINT placement = {Layout::switchX + 18, Layout::switchY + 9};
    const POINT options = {Layout::optionsX + Layout::optionsW / 2, Layout::optionsY + Layout::optionsH / 2};
    const POINT presets = {Layout::statusX + 40, Layout::statusBackY + 6};
    const std::pair<POINT, bool> menus[] = {{placement, true}, {options, false}, {presets, false}};
    for (int round = 0; round < 20; ++round)
        for (const auto& [at, right] : menus) {
            if (!effect) {
                effect = std::make_unique<Effect>(dll);
                ASSERT_EQ(effect->open(*host), 0);
                editor = host->child();
                Hostwindow::pump();
            }
            closing = effect.get();
            menuWasOpen = false;
            SetTimer(nullptr, 0, 40, closeFromTimer);
            send(WM_MOUSEMOVE, at.x, at.y);
            send(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, at.x, at.y, right ? MK_RBUTTON : MK_LBUTTON);
            send(right ? WM_RBUTTONUP : WM_LBUTTONUP, at.x, at.y);
            Hostwindow::pump();
            ASSERT_TRUE(menuWasOpen) << "round " << round << " at " << at.x << "," << at.y;
            effect.reset();
        }
    effect = std::make_unique<Effect>(dll);
    ASSERT_EQ(effect->open(*host), 0);
    editor = host->child();
    effect->set(index(3, gain), 0.75f);
    EXPECT_FLOAT_EQ(get(index(3, gain)), 0.75f);
}
