// The Gui over the headless window: the delta rule, routing with capture,
// redraw requests, painting and skins.
#include "framework/gui/gui.h"

#include "framework/gui/skinlistener.h"
#include "framework/gui/headless/screen.h"
#include "framework/plugin/paramset.h"
#include "framework/plugin/settingsfile.h"
#include "canvas.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

using namespace Framework;

namespace {

// A component that takes presses as controls do: focus, anchor and capture
// at a press inside it, release of the capture at a release anywhere.
class Probe : public Uicomp {
public:
    Probe(int x, int y, int size, int conditionIndex = noCondition, Paramset* set = nullptr)
        : Uicomp(x, y, conditionIndex, set), size(size)
    {
    }
    bool mouse(Igui& gui, bool&, Mouseevent& event) override
    {
        const bool inside = x < event.x && event.x < x + size && y < event.y && event.y < y + size;
        if (inside && (event.code == 1 || event.code == 2 || event.code == 5 || event.code == 6)) {
            gui.setFocus(this);
            gui.setAnchor(event.x, event.y);
            gui.captureOn();
        }
        if (!inside && !gui.holdsMouse(this))
            return false;
        seen.push_back(event);
        if (event.code == 3 || event.code == 4)
            gui.captureOff();
        return true;
    }
    bool valueChanged(Igui& gui, bool& visible, int& index, Paramset* set) override
    {
        if (Uicomp::valueChanged(gui, visible, index, set))
            return true;
        if (index == watched)
            redraw(gui);
        return index == watched;
    }
    void draw(Igui& gui, bool&, int&, int&, int&, int&) override
    {
        gui.surface().setColour(0xFF00FF00);
        gui.surface().fillRect(x, y, size, size);
        ++draws;
    }
    int width() override { return size; }
    int height() override { return size; }

    const int size;
    int watched = -1;
    int draws = 0;
    std::vector<Mouseevent> seen;
};

// A parameter set with one value per index.
class Values : public Paramset {
public:
    double getNormalized(int index) override { return values[static_cast<std::size_t>(index)]; }
    double getValue(int index) override { return 10.0 * values[static_cast<std::size_t>(index)]; }
    std::vector<double> values = std::vector<double>(8, 0.0);
};

// Writes a w x h PNG of one opaque colour.
void writeImage(const std::string& path, int w, int h, std::uint32_t rgb)
{
    writePng(path, w, h, [rgb](int, int) { return 0xFF000000u | rgb; });
}

struct Editor : testing::Test {
    Tempfolder dir;
    Settingsfile settings{dir.file("Vexatone.ini")};
    Gui gui{settings, 200, 100};
    Probe* probe = nullptr;

    void SetUp() override
    {
        settings.add("skin", "Red");
        probe = gui.root().add(std::make_unique<Probe>(50, 20, 30));
        gui.setBackground("background.png");
        std::filesystem::create_directories(dir.file("skins/Red"));
        writeImage(dir.file("skins/Red/background.png"), 200, 100, 0x0000FF);
    }
    void send(Window::Mousemessage message, int x, int y, bool shift = false)
    {
        gui.mouseMessage(message, x, y, shift);
    }
};

using M = Window::Mousemessage;

} // namespace

// Every event reports its own movement since the one before, inverted and
// scaled, the release too: a gesture ends where the pointer does.
TEST_F(Editor, DeltaRule)
{
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    send(M::leftDown, 60, 40);
    for (int step = 1; step <= 4; ++step)
        send(M::move, 60, 40 - step, step > 2);
    send(M::leftUp, 60, 34);
    const std::vector<Mouseevent>& seen = probe->seen;
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[1].code, 7);
    EXPECT_EQ(seen[1].dy, 1.0) << "the first drag event";
    EXPECT_EQ(seen[2].dy, 1.0);
    EXPECT_EQ(seen[3].dy, 0.5) << "Shift: the fine factor";
    EXPECT_EQ(seen[4].dy, 0.5);
    EXPECT_EQ(seen[5].code, 3);
    EXPECT_EQ(seen[5].dy, 2.0) << "the release's own step";
    EXPECT_EQ(seen[5].anchorY, 40);
}

// A double click gives press, release, double click, release; the moves
// after it are plain moves, not drags.
TEST_F(Editor, DoubleClickSequence)
{
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    for (M m : {M::leftDown, M::leftUp, M::leftDouble, M::leftUp, M::move})
        send(m, 60, 40);
    std::vector<int> codes;
    for (const Mouseevent& e : probe->seen)
        codes.push_back(e.code);
    EXPECT_EQ(codes, (std::vector<int>{1, 3, 5, 3, 0}));
}

// While a press holds the mouse every event reaches the holder, even far
// outside the window; afterwards events go down the tree again.
TEST_F(Editor, CaptureRoutesEventsFromOutsideTheWindow)
{
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    send(M::leftDown, 60, 40);
    send(M::move, -500, 900);
    send(M::leftUp, 4000, -30);
    ASSERT_EQ(probe->seen.size(), 3u);
    EXPECT_EQ(probe->seen[1].x, -500);
    EXPECT_EQ(probe->seen[1].code, 7);
    EXPECT_EQ(probe->seen[2].y, -30);
    EXPECT_FALSE(gui.holdsMouse(probe));
    EXPECT_TRUE(gui.isFocus(probe)) << "the focus stays until an event elsewhere takes it";
    send(M::move, 150, 80);
    EXPECT_EQ(probe->seen.size(), 3u);
}

// A parameter change asks for redraws only while the window shows, and
// never draws; the paint that follows restores only what was asked for.
TEST_F(Editor, RedrawsOnlyWhileVisibleAndPaintsOnlyTheInvalidRectangle)
{
    Values values;
    probe->watched = 3;
    gui.valueChanged(3, values);
    EXPECT_TRUE(Headless::takeInvalidated(gui).empty()) << "closed";

    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    Headless::paintAll(gui);
    EXPECT_EQ(Headless::screenPixel(gui, 5, 5), 0xFF0000FFu) << "the background";
    EXPECT_EQ(Headless::screenPixel(gui, 60, 30), 0xFF00FF00u) << "the probe";
    Headless::takeInvalidated(gui);
    const int drawsBefore = probe->draws;

    gui.valueChanged(2, values);
    EXPECT_TRUE(Headless::takeInvalidated(gui).empty()) << "not the watched parameter";
    gui.valueChanged(3, values);
    const auto asked = Headless::takeInvalidated(gui);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].x, 50);
    EXPECT_EQ(asked[0].w, 30);
    EXPECT_EQ(probe->draws, drawsBefore) << "valueChanged draws nothing";

    Headless::setHidden(gui, true);
    gui.valueChanged(3, values);
    EXPECT_TRUE(Headless::takeInvalidated(gui).empty()) << "hidden";
}

// A component with a condition shows only above one half, and a change of
// its condition redraws it.
TEST_F(Editor, ConditionsHideAndRedraw)
{
    Values values;
    Probe* layer = gui.root().add(std::make_unique<Probe>(100, 20, 30, 5, &values));
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    values.values[5] = 0.5;
    Headless::paintAll(gui);
    EXPECT_EQ(layer->draws, 0);
    EXPECT_EQ(Headless::screenPixel(gui, 110, 30), 0xFF0000FFu);
    values.values[5] = 0.50001;
    gui.valueChanged(5, values);
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(layer->draws, 1);
    EXPECT_EQ(Headless::screenPixel(gui, 110, 30), 0xFF00FF00u);
}

namespace {

struct Listener final : Skinlistener {
    void skinChanged(const std::string& folder) override { folders.push_back(folder); }
    std::vector<std::string> folders;
};

} // namespace

// A missing image leaves only its own record empty; switching back refills
// it; listeners hear the folder with its separator; regular files in the
// skins folder are no skins.
TEST_F(Editor, Skins)
{
    Skinbitmap* knob = gui.addBitmap("knob.png");
    Skinbitmap* slider = gui.addBitmap("slider.png");
    Listener listener;
    gui.addSkinListener(&listener);
    writeImage(dir.file("skins/Red/knob.png"), 34, 34, 0xFF0000);
    writeImage(dir.file("skins/Red/slider.png"), 40, 32, 0xFF0000);
    std::filesystem::create_directories(dir.file("skins/Blue"));
    writeImage(dir.file("skins/Blue/slider.png"), 20, 16, 0xFF0000);
    dir.write("skins/notes.txt", "not a skin");

    EXPECT_TRUE(gui.open(Headless::parentWindow())) << "the first open loads the skin the settings name";
    EXPECT_EQ(knob->width(), 34);
    EXPECT_FALSE(gui.loadSkin("Blue"));
    EXPECT_TRUE(knob->empty());
    EXPECT_EQ(knob->fileName, "knob.png");
    EXPECT_EQ(slider->width(), 20);
    EXPECT_TRUE(gui.loadSkin("Red"));
    EXPECT_EQ(knob->width(), 34);
    ASSERT_EQ(listener.folders.size(), 3u);
    EXPECT_EQ(listener.folders[0], dir.path() + "/skins/Red/");
    EXPECT_EQ(listener.folders[1], dir.path() + "/skins/Blue/");

    gui.close();
    ASSERT_TRUE(gui.open(Headless::parentWindow()));
    EXPECT_EQ(listener.folders.size(), 3u) << "later opens load nothing";

    std::vector<std::string> names = Gui::skinNames();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Blue", "Red"}));
    std::filesystem::remove_all(dir.file("skins"));
    EXPECT_TRUE(Gui::skinNames().empty()) << "no skins folder, no skins, no exception";
}

// Skins are input. A name from the settings that leads out of the skins
// folder loads the default skin instead; an image larger than the editor can
// use is refused before it is decoded, as a missing one.
TEST_F(Editor, HostileSkinsStayContained)
{
    Skinbitmap* knob = gui.addBitmap("knob.png");
    writeImage(dir.file("skins/Red/knob.png"), 34, 34, 0xFF0000);
    writeImage(dir.file("elsewhere/knob.png"), 20, 16, 0xFF0000);
    writeImage(dir.file("skins/Wide/knob.png"), Skinbitmap::maxSide + 1, 1, 0xFF0000);
    for (const char* name :
         {"../elsewhere", "..", "", "Red/../../elsewhere", "Red\\..\\..\\elsewhere", "C:elsewhere"}) {
        gui.loadSkin(name);
        EXPECT_EQ(knob->width(), 34) << name;
    }
    EXPECT_FALSE(gui.loadSkin("Wide"));
    EXPECT_TRUE(knob->empty()) << "a decodable image one pixel too wide";

    // Only the header is read: a few dozen bytes declaring a huge image.
    const auto header = [](unsigned long w, unsigned long h) {
        std::string bytes("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR", 16);
        for (unsigned long v : {w, h})
            for (int shift = 24; shift >= 0; shift -= 8)
                bytes += static_cast<char>(v >> shift & 0xFF);
        return bytes + std::string("\x08\x06\0\0\0", 5);
    };
    const struct {
        std::string bytes;
        bool acceptable;
    } files[] = {{header(20000, 20000), false},
                 {header(Skinbitmap::maxSide, Skinbitmap::maxPixels / Skinbitmap::maxSide), true},
                 {header(Skinbitmap::maxSide, Skinbitmap::maxPixels / Skinbitmap::maxSide + 1), false},
                 {header(0, 10), false},
                 {header(0xFFFFFFFFul, 1), false},
                 {header(64, 64).substr(0, 20), false},
                 {"GIF89a" + header(64, 64).substr(6), false}};
    for (const auto& file : files) {
        dir.write("header.png", file.bytes);
        EXPECT_EQ(Skinbitmap::acceptable(dir.file("header.png")), file.acceptable) << file.bytes.size();
    }

    // Images each within the bounds, together beyond what a skin may hold:
    // those past the skin's budget are refused.
    std::filesystem::create_directories(dir.file("skins/Large"));
    std::vector<Skinbitmap*> large;
    for (const char* name : {"a.png", "b.png", "c.png", "d.png"}) {
        large.push_back(gui.addBitmap(name));
        writeImage(dir.file(std::string("skins/Large/") + name), 2048, 2048, 0x00FF00);
    }
    writeImage(dir.file("skins/Large/knob.png"), 34, 34, 0xFF0000);
    EXPECT_FALSE(gui.loadSkin("Large"));
    EXPECT_EQ(knob->width(), 34);
    EXPECT_EQ(large[2]->width(), 2048);
    EXPECT_TRUE(large[3]->empty()) << "the fourth would pass " << Skinbitmap::maxSkinPixels << " pixels";
}
