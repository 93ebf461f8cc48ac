// The response-curve display in the real editor: its geometry on real
// pixels, the sum's weighting, the handles under the mouse, the skin's
// curve colours, and curves that stay drawable at any setting.
#include "openeditor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using M = Openeditor::M;
constexpr int red = 16;

// The middle of a run of rows; -1 for none.
double middle(const std::vector<int>& rows)
{
    return rows.empty() ? -1.0 : (rows.front() + rows.back()) / 2.0;
}

} // namespace

// At zoom 12 the grid has 13 pixels per dB: +3 dB at row 130, +12 at row 13,
// -12 at 325, and no line at 0 dB (row 169).
TEST(Curvedisplay, GridFollowsTheZoom)
{
    Openeditor editor(Openeditor::sumOnly, true);
    editor.vex->setValue(0.0, 36, true); // a flat sum
    editor.vex->setValue(12.0, 35, true);
    editor.paint();
    const int x = 400;
    for (int row : {13, 130, 208, 325})
        EXPECT_EQ(editor.pixel(x, row), 0xFFFFFFFFu) << row;
    EXPECT_EQ(editor.rowsWith(x, 8), (std::vector<int>{13, 91, 130, 169, 208, 247, 325}));
    editor.vex->setValue(36.0, 35, true);
    editor.paint();
    // 13 pixels for 3 dB: the lines of +-36 dB reach the rows of +-12 before.
    EXPECT_EQ(editor.rowsWith(x, 8),
              (std::vector<int>{13, 39, 65, 91, 117, 143, 156, 169, 182, 195, 221, 247, 273, 299, 325}));
}

// The bell's peak meets its handle: at the handle's column the band's curve
// passes through the handle's centre row.
TEST(Curvedisplay, BellCurvePassesThroughItsHandle)
{
    Openeditor editor("band-1:0,0,0,0\nband-2:0,0,0,0\nband-3:0,0,0,0\nband-4:255,255,0,0\n"
                      "band-5:0,0,0,0\nband-6:0,0,0,0\nband-7:0,0,0,0\nmain:0,0,0,0\n",
                      false, false);
    editor.vex->setValue(12.0, 35, true);
    for (double gain : {12.0, -7.5, 3.25}) {
        editor.place(3, 0.43, gain);
        editor.paint();
        const Framework::Point centre = editor.handleCentre(3);
        const int column = static_cast<int>(centre.x);
        EXPECT_NEAR(middle(editor.rowsWith(column, red)), centre.y, 1.0) << gain;
    }
}

// One sum while every band acts on both channels; a band on a channel
// brings that channel's pair of sums instead, each with the band only on its
// own channel, and a band that is off brings none.
TEST(Curvedisplay, SumsFollowThePlacements)
{
    // main blue, left red, right green, mid magenta, side cyan.
    Openeditor editor("band-1:0,0,0,0\nband-2:0,0,0,0\nband-3:0,0,0,0\nband-4:0,0,0,0\nband-5:0,0,0,0\n"
                      "band-6:0,0,0,0\nband-7:0,0,0,0\nmain:255,0,0,255\nleft:255,255,0,0\nright:255,0,255,0\n"
                      "mid:255,255,0,255\nside:255,0,255,255\n",
                      false, false);
    editor.vex->setValue(12.0, 35, true);
    editor.place(3, 0.3, 12.0);
    editor.place(5, 0.8, 12.0, 1.0, 0.0);
    const int bell = static_cast<int>(editor.handleCentre(3).x);
    const int green = 8, blue = 0;
    auto rows = [&](int shift) {
        editor.paint();
        return middle(editor.rowsWith(bell, shift));
    };
    using Vexparameters::index;
    EXPECT_NEAR(rows(blue), 13.0, 1.0);
    EXPECT_EQ(rows(red), -1.0);
    editor.vex->setValue(1.0, index(3, Vexparameters::placement), true); // L
    EXPECT_NEAR(rows(red), 13.0, 1.0);
    EXPECT_NEAR(rows(green), 169.0, 1.0);
    EXPECT_EQ(rows(blue), -1.0) << "neither the stereo sum nor mid and side";
    editor.vex->setValue(4.0, index(3, Vexparameters::placement), true); // S
    EXPECT_NEAR(rows(green), 13.0, 1.0);
    EXPECT_NEAR(rows(red), 169.0, 1.0);
    editor.vex->setValue(1.0, index(3, Vexparameters::placement), true);
    editor.vex->setValue(3.0, index(5, Vexparameters::placement), true); // an M band that is off
    EXPECT_EQ(rows(blue), -1.0);
}

// A steeper high-pass draws a steeper curve: half an octave below its
// corner the sum lies lower at each step of the slope (7, 12, 18, 24 dB down).
TEST(Curvedisplay, SlopeSteepensTheHighPass)
{
    Openeditor editor(Openeditor::sumOnly, false, false);
    editor.vex->setValue(36.0, 35, true);
    editor.place(0, 0.5, 0.0, 0.0);
    const double corner = editor.vex->getValue(1);
    const int column = Layout::displayX + static_cast<int>(std::lround(Displayscale::pointOf(corner / std::sqrt(2.0)) *
                                                                       Layout::displayW / Displayscale::points));
    double above = 0.0;
    for (int step = 0; step < Vexparameters::slopeSteps; ++step) {
        editor.vex->setValue(step, Vexparameters::index(0, Vexparameters::slope), true);
        editor.paint();
        const double row = middle(editor.rowsWith(column, red));
        EXPECT_GT(row, above + 20.0) << step; // 4.3 rows per dB
        above = row;
    }
}

// With "curve +-" at 0 the sum is flat but for a high-pass on the first band,
// while each band's own curve keeps its unscaled response; a band whose
// colour has alpha 0 is hidden and still counts in the sum.
TEST(Curvedisplay, CurveScaleWeighsTheSum)
{
    Openeditor editor("band-1:0,0,0,0\nband-2:0,0,0,0\nband-3:0,0,0,0\nband-4:255,255,0,0\n"
                      "band-5:0,0,0,0\nband-6:0,0,0,0\nband-7:0,0,0,0\nmain:255,0,0,255\n",
                      false, false);
    editor.vex->setValue(12.0, 35, true);
    editor.place(0, 0.1, 0.0, 0.0); // a high-pass at 40 Hz
    editor.place(3, 0.3, 12.0);
    const int bell = static_cast<int>(editor.handleCentre(3).x);
    const int blue = 0;
    editor.vex->setValue(0.0, 36, true);
    editor.paint();
    EXPECT_NEAR(middle(editor.rowsWith(bell, red)), 13.0, 1.0);
    EXPECT_NEAR(middle(editor.rowsWith(bell, blue)), 169.0, 1.0);
    EXPECT_GT(middle(editor.rowsWith(48, blue)), 240.0); // at 28 Hz the high-pass counts whole
    editor.vex->setValue(1.0, 36, true);
    editor.dir.write("skins/Red/colors.txt", "band-1:0,0,0,0\nband-2:0,0,0,0\nband-3:0,0,0,0\nband-4:0,255,0,0\n"
                                             "band-5:0,0,0,0\nband-6:0,0,0,0\nband-7:0,0,0,0\nmain:255,0,0,255\n");
    editor.gui.loadSkin("Red");
    editor.paint();
    EXPECT_TRUE(editor.rowsWith(bell, red).empty());
    EXPECT_NEAR(middle(editor.rowsWith(bell, blue)), 13.0, 1.0);
}

TEST(Curvedisplay, SwitchedOffBandFlattensAtTheNextPaint)
{
    Openeditor editor(Openeditor::sumOnly, false, false);
    editor.vex->setValue(12.0, 35, true);
    editor.place(4, 0.5, -12.0);
    editor.paint();
    const int column = static_cast<int>(editor.handleCentre(4).x);
    EXPECT_NEAR(middle(editor.rowsWith(column, red)), 325.0, 1.0);
    editor.vex->setValue(0.0, 5 * 4, true);
    editor.paint();
    EXPECT_NEAR(middle(editor.rowsWith(column, red)), 169.0, 1.0);
    editor.paint(); // and stays flat while off
    EXPECT_NEAR(middle(editor.rowsWith(column, red)), 169.0, 1.0);
}

// No sample rate, a high-pass far above the display's lowest frequencies,
// +36 dB at zoom 3: the curves stay drawable, so what is drawn after them
// still shows and the sum still crosses the display.
TEST(Curvedisplay, ExtremeSettingsKeepTheDrawingIntact)
{
    Openeditor editor;
    editor.place(0, 1.0, 0.0, 0.0);
    editor.place(6, 0.0, 0.0, 2.0);
    editor.place(3, 0.5, 36.0);
    editor.vex->setValue(3.0, 35, true);
    for (float rate : {44100.0f, 8000.0f, 0.0f}) {
        editor.setSampleRate(rate);
        editor.paint();
        const Framework::Point handle = editor.handleCentre(1);
        EXPECT_EQ(editor.pixel(static_cast<int>(handle.x), static_cast<int>(handle.y)), Openeditor::handleColour)
            << rate;
        editor.paint();
        EXPECT_EQ(editor.pixel(static_cast<int>(handle.x), static_cast<int>(handle.y)), Openeditor::handleColour)
            << rate;
    }
    EXPECT_NEAR(middle(editor.rowsWith(400, red)), 169.0, 1.0); // no rate: flat
}

struct Handles : testing::Test {
    Openeditor editor;
    void SetUp() override
    {
        editor.vex->setValue(12.0, 35, true);
        for (int b = 0; b < 7; ++b)
            editor.place(b, 0.1 * b, 0.0);
        editor.place(2, 0.5, 0.0);
        editor.paint();
    }
    void press(float x, float y, M message = M::leftDown)
    {
        editor.send(message, static_cast<int>(x), static_cast<int>(y));
    }
};

TEST_F(Handles, PressWithin24PixelsSelects)
{
    const Framework::Point c = editor.handleCentre(2);
    press(c.x + 24, c.y);
    EXPECT_EQ(editor.display().selected(), 2);
    press(c.x + 24, c.y, M::leftUp);
    EXPECT_EQ(editor.display().selected(), -1);
    press(c.x + 25, c.y);
    EXPECT_EQ(editor.display().selected(), -1);
    press(c.x + 25, c.y, M::leftUp);
}

TEST_F(Handles, LowerBandWinsATie)
{
    editor.place(5, 0.5, 0.0);
    const Framework::Point c = editor.handleCentre(2);
    press(c.x, c.y);
    EXPECT_EQ(editor.display().selected(), 2);
    press(c.x, c.y, M::leftUp);
}

TEST_F(Handles, OffBandIsNotDraggedButADoubleClickSwitchesItOn)
{
    editor.vex->setValue(0.0, 10, true);
    const Framework::Point c = editor.handleCentre(2);
    const double frequency = editor.vex->getNormalized(11);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 40, -40);
    EXPECT_EQ(editor.display().selected(), -1);
    EXPECT_EQ(editor.vex->getNormalized(11), frequency);
    EXPECT_EQ(editor.vex->getValue(13), 0.0);
    press(c.x, c.y, M::leftDouble);
    EXPECT_EQ(editor.vex->getValue(10), 1.0);
    press(c.x, c.y, M::leftDouble);
    EXPECT_EQ(editor.vex->getValue(10), 0.0);
}

// A pixel of movement moves the handle a pixel: 13 pixels up are 1 dB at
// zoom 12, 728 pixels right the whole frequency range; a quarter with Shift.
TEST_F(Handles, DragMovesFrequencyAndGain)
{
    const Framework::Point c = editor.handleCentre(2);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 72, -13);
    EXPECT_NEAR(editor.vex->getNormalized(11), 0.5 + 72.0 / 728.0, 1e-9);
    EXPECT_NEAR(editor.vex->getValue(13), 1.0, 1e-9);
    const Framework::Point moved = editor.handleCentre(2);
    editor.drag(static_cast<int>(moved.x), static_cast<int>(moved.y), 0, -52, M::leftDown, true);
    EXPECT_NEAR(editor.vex->getValue(13), 2.0, 1e-9);
}

TEST_F(Handles, DragsStopAtTheDisplaysEdges)
{
    const Framework::Point c = editor.handleCentre(2);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 2000, -2000);
    EXPECT_EQ(editor.vex->getNormalized(11), 1.0);
    EXPECT_EQ(editor.vex->getValue(13), 12.0);
    const Framework::Point top = editor.handleCentre(2);
    editor.drag(static_cast<int>(top.x), static_cast<int>(top.y), -3000, 3000);
    EXPECT_EQ(editor.vex->getNormalized(11), 0.0);
    EXPECT_EQ(editor.vex->getValue(13), -12.0);
}

TEST_F(Handles, RightDragChangesTheWidth)
{
    editor.vex->setNormalized(0.5, 12, true);
    const Framework::Point c = editor.handleCentre(2);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 30, -78, M::rightDown);
    EXPECT_NEAR(editor.vex->getNormalized(12), 0.5 - 78.0 / 312.0, 1e-9);
    EXPECT_EQ(editor.vex->getNormalized(11), 0.5);
    EXPECT_EQ(editor.vex->getValue(13), 0.0);
}

// Placed elsewhere, the display brings its grid, curves and handles along:
// no coordinate is tied to its usual place at (6, 6).
TEST(Curvedisplay, MovesWithItsControl)
{
    Openeditor editor(Openeditor::sumOnly, true);
    editor.vex->setValue(12.0, 35, true);
    editor.vex->setValue(0.0, 36, true);
    editor.place(3, 0.25, 6.0);
    Canvas canvas(900, 500);
    canvas.clear(Openeditor::grey);
    Framework::Binding binding{editor.vex.get(), 0};
    Framework::Mouseevent event;
    int x = 40, y = 30, state = 0;
    editor.display().draw(canvas, x, y, state, binding, event);
    std::vector<int> white;
    for (int row = 0; row < 500; ++row)
        if (canvas.pixel(x + 600, row) == 0xFFFFFFFFu)
            white.push_back(row);
    EXPECT_EQ(white, (std::vector<int>{y + 7, y + 85, y + 124, y + 163, y + 202, y + 241, y + 319}));
    const Framework::Point c = editor.handleCentre(3);
    EXPECT_EQ(canvas.pixel(static_cast<int>(c.x) + 34, static_cast<int>(c.y) + 24), Openeditor::handleColour);
    EXPECT_EQ(canvas.pixel(static_cast<int>(c.x), static_cast<int>(c.y)), Openeditor::grey);
}
