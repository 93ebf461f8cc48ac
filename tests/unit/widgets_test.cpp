// The bitmap widgets on real pixels of a headless window, and what their
// gestures send to the parameter set.
#include "framework/gui/hstack.h"
#include "framework/gui/knob.h"
#include "framework/gui/rectangle.h"
#include "framework/gui/selector.h"
#include "framework/gui/slider.h"
#include "framework/gui/switch.h"

#include "canvas.h"
#include "framework/plugin/paramset.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace Framework;

namespace {

using Calls = std::vector<std::string>;

// One parameter, whatever the index, that records the calls it is sent as
// "normalized 0.5" or "value 2" (naming the index unless it is 3, and calls
// from the host) and takes normalized values unless told to keep its own.
class Recordingset : public Paramset {
public:
    double getValue(int) override { return value; }
    double getNormalized(int) override { return normalized; }
    double getMax(int) override { return max; }
    double getMin(int) override { return min; }
    void setNormalized(double v, int index, bool fromHost) override
    {
        record("normalized", v, index, fromHost);
        if (takes)
            normalized = v;
    }
    void setValue(double v, int index, bool fromHost) override { record("value", v, index, fromHost); }

    double value = 0.0, normalized = 0.0, min = 0.0, max = 1.0;
    bool takes = true;
    Calls sent;

private:
    void record(const char* what, double v, int index, bool fromHost)
    {
        std::ostringstream call;
        call << what << ' ' << v << (index == 3 ? "" : " at " + std::to_string(index))
             << (fromHost ? " from the host" : "");
        sent.push_back(call.str());
    }
};

constexpr std::uint32_t base = 0xFF404040;

struct Widgets : testing::Test {
    Tempfolder dir;
    Canvas canvas{120, 340};
    Recordingset set;
    Binding binding{&set, 3};
    Mouseevent event;
    int x = 10, y = 8;

    void draw(Widget& widget)
    {
        int state = 0;
        widget.draw(canvas, x, y, state, binding, event);
    }
    // A left press at (px, py), with the parameter's value captured as the
    // control captures it.
    void press(Widget& widget, int px, int py)
    {
        event.code = 1;
        event.x = event.anchorX = px;
        event.y = event.anchorY = py;
        binding.pressNormalized = set.normalized;
        widget.mouse(canvas, x, y, binding, event);
    }
    void drag(Widget& widget, double dy)
    {
        event.code = 7;
        event.dy = dy;
        widget.mouse(canvas, x, y, binding, event);
    }
    Calls take()
    {
        Calls sent;
        sent.swap(set.sent);
        return sent;
    }
    std::unique_ptr<Skinbitmap> image(int w, int h, const std::function<std::uint32_t(int, int)>& colourAt)
    {
        return makeImage(dir.path(), w, h, colourAt);
    }
};

// The frame index encoded in a knob strip pixel.
int frameOf(std::uint32_t pixel)
{
    return pixel >> 24 == 0xFF ? static_cast<int>(pixel >> 16 & 0xFF) : -1;
}

} // namespace

TEST_F(Widgets, KnobShowsTheFrameOfTheValueReadWhenDrawing)
{
    auto strip = image(34, 101 * 34, [](int, int py) { return 0xFF000000u | (py / 34) << 16; });
    Knob knob(34, 34, strip.get(), 0.01);
    int index = 3;
    knob.sync(set, index);
    for (auto [n, frame] : {std::pair{0.5, 50}, {1.0, 100}, {0.999, 99}, {0.0, 0}}) {
        set.normalized = n;
        draw(knob);
        EXPECT_EQ(frameOf(canvas.pixel(x + 17, y + 17)), frame) << n;
        EXPECT_EQ(frameOf(canvas.pixel(x, y)), frame);
        EXPECT_EQ(frameOf(canvas.pixel(x + 33, y + 33)), frame);
    }
    EXPECT_EQ(canvas.pixel(x + 34, y + 17), 0u);
    EXPECT_EQ(canvas.pixel(x + 17, y + 34), 0u);
    EXPECT_EQ(canvas.pixel(x - 1, y - 1), 0u);
}

TEST_F(Widgets, KnobDragsClampAndRunOnTheirOwnCourse)
{
    Skinbitmap missing("missing.png");
    Knob knob(34, 34, &missing, 0.01);
    int index = 3;
    set.normalized = 0.995;
    knob.sync(set, index);
    drag(knob, 1.0);
    set.normalized = 0.004;
    knob.sync(set, index);
    drag(knob, -1.0);
    EXPECT_EQ(take(), (Calls{"normalized 1", "normalized 0"}));

    // A parameter that keeps its value does not hold the knob back.
    set.takes = false;
    set.normalized = 0.2;
    knob.sync(set, index);
    drag(knob, 10.0);
    drag(knob, 10.0);
    EXPECT_EQ(take(), (Calls{"normalized 0.3", "normalized 0.4"}));

    for (int code : {0, 1, 4, 8}) {
        event.code = code;
        event.dy = 5.0;
        knob.mouse(canvas, x, y, binding, event);
    }
    EXPECT_TRUE(take().empty()) << "only left drags and their release turn a knob";
    draw(knob);
    EXPECT_EQ(canvas.pixel(x + 17, y + 17), 0u) << "a missing image draws nothing";
}

TEST_F(Widgets, SliderPlacesItsHandleOverTheTravel)
{
    constexpr std::uint32_t handleColour = 0xFF00C000, trackColour = 0xFF0000C0;
    auto handle = image(40, 32, [](int, int) { return handleColour; });
    Slider slider(40, 312, handle.get(), false);
    set.normalized = 0.0;
    draw(slider);
    EXPECT_EQ(canvas.pixel(x + 20, y + 279), 0u);
    EXPECT_EQ(canvas.pixel(x + 20, y + 280), handleColour);
    EXPECT_EQ(canvas.pixel(x + 39, y + 311), handleColour);
    EXPECT_EQ(canvas.pixel(x + 20, y + 312), 0u);

    canvas.clear(0);
    set.normalized = 1.0;
    draw(slider);
    EXPECT_EQ(canvas.pixel(x + 20, y), handleColour);
    EXPECT_EQ(canvas.pixel(x + 20, y + 32), 0u);

    // One pixel of drag is one pixel of handle movement.
    canvas.clear(0);
    set.normalized = 0.5;
    drag(slider, 28.0);
    draw(slider);
    EXPECT_EQ(canvas.pixel(x + 20, y + 111), 0u);
    EXPECT_EQ(canvas.pixel(x + 20, y + 112), handleColour) << "value 0.6, 28 px above the middle";

    auto withTrack = image(40, 32 + 312, [](int, int py) { return py < 32 ? handleColour : trackColour; });
    Slider tracked(40, 312, withTrack.get(), true);
    canvas.clear(0);
    set.normalized = 0.0;
    draw(tracked);
    EXPECT_EQ(canvas.pixel(x + 20, y), trackColour);
    EXPECT_EQ(canvas.pixel(x + 20, y + 279), trackColour);
    EXPECT_EQ(canvas.pixel(x + 20, y + 280), handleColour);
    EXPECT_EQ(canvas.pixel(x + 20, y + 312), 0u);
}

TEST_F(Widgets, SliderPressesBesideTheHandleJumpAndDragsFollow)
{
    auto handle = image(40, 32, [](int, int) { return 0xFF00C000u; });
    Slider slider(40, 312, handle.get(), false);
    set.takes = false;
    set.normalized = 1.0;
    press(slider, x + 20, y + 156);
    EXPECT_EQ(take(), Calls{"normalized 0.5"});

    // At 0.5 the handle spans y + 140 to y + 172, both ends included.
    set.normalized = 0.5;
    press(slider, x + 20, y + 140);
    press(slider, x + 20, y + 172);
    EXPECT_TRUE(take().empty()) << "a press on the handle changes nothing";
    press(slider, x + 20, y + 173);
    press(slider, x + 20, y + 330);
    press(slider, x + 20, y - 20);
    EXPECT_EQ(take(), (Calls{"normalized 0.439286", "normalized 0", "normalized 1"}));

    set.normalized = 0.9;
    drag(slider, 100.0);
    set.normalized = 0.1;
    drag(slider, -100.0);
    event.code = 3;
    event.dy = 0.0;
    slider.mouse(canvas, x, y, binding, event);
    EXPECT_EQ(take(), (Calls{"normalized 1", "normalized 0"})) << "a release where the pointer rests";
    set.normalized = 0.5;
    event.dy = 28.0; // a tenth of the travel, moved since the last drag event
    slider.mouse(canvas, x, y, binding, event);
    EXPECT_EQ(take(), Calls{"normalized 0.6"}) << "a release that moved on";

    Slider still(40, 32, handle.get(), false);
    press(still, x + 20, y + 40);
    drag(still, 0.0);
    EXPECT_TRUE(take().empty()) << "a slider without travel has nothing to choose";
}

TEST_F(Widgets, SwitchShowsOnAboveOneHalfAndTogglesOncePerDoubleClick)
{
    constexpr std::uint32_t off = 0xFF800000, on = 0xFF008000;
    auto frames = image(20, 20, [](int, int py) { return py < 10 ? off : on; });
    Switch button(20, 10, frames.get());
    for (auto [n, colour] : {std::pair{0.6, on}, {0.5, off}, {0.50001, on}, {0.0, off}}) {
        set.normalized = n;
        draw(button);
        EXPECT_EQ(canvas.pixel(x + 19, y + 9), colour) << n;
    }
    EXPECT_EQ(canvas.pixel(x + 10, y + 10), 0u);

    set.takes = false;
    set.normalized = 0.6;
    press(button, x + 5, y + 5);
    set.normalized = 0.5;
    press(button, x + 5, y + 5);
    EXPECT_EQ(take(), (Calls{"normalized 0", "normalized 1"}));

    set.takes = true;
    set.normalized = 0.0;
    for (int code : {1, 3, 5, 3, 2, 6}) {
        event.code = code;
        if (code == 1 || code == 5)
            binding.pressNormalized = set.normalized;
        button.mouse(canvas, x, y, binding, event);
    }
    EXPECT_EQ(take(), Calls{"normalized 1"});
}

TEST_F(Widgets, TogglerectangleDarkensWhatLiesUnderItAndToggles)
{
    canvas.clear(0xFFC08040);
    Togglerectangle shade(20, 10, 64, 0, 0, 0);
    set.normalized = 0.0;
    draw(shade);
    for (auto [px, py] : {std::pair{x, y}, {x + 19, y + 9}}) {
        const std::uint32_t p = canvas.pixel(px, py);
        EXPECT_EQ(p >> 24, 0xFFu);
        EXPECT_NEAR(static_cast<int>(p >> 16 & 0xFF), 144, 1);
        EXPECT_NEAR(static_cast<int>(p >> 8 & 0xFF), 96, 1);
        EXPECT_NEAR(static_cast<int>(p & 0xFF), 48, 1);
    }
    EXPECT_EQ(canvas.pixel(x + 20, y), 0xFFC08040u);
    EXPECT_EQ(canvas.pixel(x, y + 10), 0xFFC08040u);

    canvas.clear(0xFFC08040);
    Togglerectangle clear(20, 10, 0, 255, 255, 255);
    draw(clear);
    EXPECT_EQ(canvas.pixel(x + 5, y + 5), 0xFFC08040u) << "alpha 0 draws nothing";

    set.normalized = 0.7;
    press(shade, x + 5, y + 5);
    event.code = 5;
    shade.mouse(canvas, x, y, binding, event);
    EXPECT_EQ(take(), Calls{"normalized 0"});
}

// A 2 x 2 selector of 60 x 40 at (10, 8): cells of 30 x 20 with borders at
// x + 30 and y + 20; items run down each column.
TEST_F(Widgets, SelectorPicksItemsColumnByColumnAndNotOnBorders)
{
    Selector grid(60, 40, nullptr, 2);
    set.max = 3.0;
    // What a press picks along a row from x to x + 60: '.' for nothing.
    auto picks = [&](int py) {
        std::string row;
        for (int px = x; px <= x + 60; ++px) {
            press(grid, px, py);
            const Calls sent = take();
            row += sent.empty() ? '.' : sent[0].back();
        }
        return row;
    };
    const std::string top = "." + std::string(29, '0') + "." + std::string(29, '2') + ".";
    const std::string bottom = "." + std::string(29, '1') + "." + std::string(29, '3') + ".";
    const std::string none(61, '.');
    EXPECT_EQ(picks(y), none);
    EXPECT_EQ(picks(y + 1), top);
    EXPECT_EQ(picks(y + 19), top);
    EXPECT_EQ(picks(y + 20), none);
    EXPECT_EQ(picks(y + 21), bottom);
    EXPECT_EQ(picks(y + 39), bottom);
    EXPECT_EQ(picks(y + 40), none);
    set.min = 1.0;
    set.max = 4.0;
    press(grid, x + 15, y + 10);
    EXPECT_EQ(take(), Calls{"value 0"}) << "the item's position, whatever the minimum";
    drag(grid, 5.0);
    EXPECT_TRUE(take().empty());
}

TEST_F(Widgets, SelectorHighlightsTheCellOfTheCurrentItem)
{
    // The highlighted picture names its cell: red 0x80 + column, green 0x80 + row.
    auto pictures = image(60, 80, [](int px, int py) {
        return py < 40 ? base : 0xFF000000u | (0x80u + px / 30) << 16 | (0x80u + (py - 40) / 20) << 8;
    });
    Selector grid(60, 40, pictures.get(), 2);
    set.max = 3.0;
    for (int item = 0; item < 4; ++item) {
        set.value = item;
        draw(grid);
        for (int column = 0; column < 2; ++column)
            for (int row = 0; row < 2; ++row) {
                const bool lit = column == item / 2 && row == item % 2;
                const std::uint32_t expected = lit ? 0xFF000000u | (0x80u + column) << 16 | (0x80u + row) << 8 : base;
                EXPECT_EQ(canvas.pixel(x + 30 * column + 15, y + 20 * row + 10), expected) << item;
                EXPECT_EQ(canvas.pixel(x + 30 * column, y + 20 * row), expected) << item;
            }
    }
}

// A 72-pixel stack over 0..2 has three 24-pixel segments.
TEST_F(Widgets, HstackPicksAtAndBesideSegmentBorders)
{
    Hstack stack(72, 10, nullptr);
    set.max = 2.0;
    std::string picked;
    for (int rel = 1; rel <= 72; ++rel) {
        press(stack, x + rel, y + 5);
        picked += take().at(0).back();
    }
    EXPECT_EQ(picked, std::string(24, '0') + std::string(24, '1') + std::string(24, '2'));
    set.min = 2.0;
    set.max = 4.0;
    press(stack, x + 25, y + 5);
    press(stack, x + 49, y + 5);
    drag(stack, 3.0);
    EXPECT_EQ(take(), (Calls{"value 3", "value 4"}));
}

TEST_F(Widgets, HstackHighlightsTheSegmentOfTheValue)
{
    auto pictures =
        image(72, 20, [](int px, int py) { return py < 10 ? base : 0xFF000000u | (0x80u + px / 24) << 16; });
    Hstack stack(72, 10, pictures.get());
    set.min = 2.0;
    set.max = 4.0;
    set.value = 3.0;
    draw(stack);
    EXPECT_EQ(canvas.pixel(x + 23, y + 5), base);
    EXPECT_EQ(canvas.pixel(x + 24, y), 0xFF810000u);
    EXPECT_EQ(canvas.pixel(x + 47, y + 9), 0xFF810000u);
    EXPECT_EQ(canvas.pixel(x + 48, y + 5), base);
    set.value = 4.0;
    draw(stack);
    EXPECT_EQ(canvas.pixel(x + 71, y + 5), 0xFF820000u);
    EXPECT_EQ(canvas.pixel(x + 47, y + 5), base);
}

TEST_F(Widgets, SelectorsAndStacksWithTooFewItemsNeitherDrawNorPick)
{
    auto pictures = image(72, 80, [](int, int) { return base; });
    Selector grid(60, 40, pictures.get(), 3);
    Hstack stack(72, 10, pictures.get());
    set.max = 1.0; // two items in three columns
    draw(grid);
    press(grid, x + 10, y + 10);
    set.min = 3.0; // maximum below minimum
    draw(stack);
    press(stack, x + 10, y + 5);
    EXPECT_TRUE(take().empty());
    EXPECT_EQ(canvas.pixel(x + 10, y + 5), 0u);
}
