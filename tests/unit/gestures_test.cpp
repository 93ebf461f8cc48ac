// Every user gesture in the editor reaches the host bracketed by begin and
// end edit for each parameter it changes, so hosts can record automation in
// touch and latch modes; Ctrl+click restores a control's default as one
// such gesture, and a choice from a control's right-click menu is one too.
#include "openeditor.h"

#include "framework/gui/headless/menuchoices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <utility>
#include <vector>

using namespace Vexparameters;
using Log = std::vector<std::pair<char, int>>;

namespace {

// The log without its automation entries.
Log brackets(const Log& log)
{
    Log kept;
    for (const auto& entry : log)
        if (entry.first != 'a')
            kept.push_back(entry);
    return kept;
}

struct Gestures : testing::Test {
    Openeditor editor;
    Log& log = editor.host.edits;

    // A right click at (x, y); answers the menu it shows.
    Framework::Systemmenu* rightClick(int x, int y)
    {
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::rightDown, x, y);
        editor.send(Openeditor::M::rightUp, x, y);
        return Framework::Headless::shownMenu().menu;
    }
    void rest() { editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause); }
    // The pointer arrives, then clicks with Ctrl held.
    void controlClick(int x, int y)
    {
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::leftDown, x, y, false, true);
        editor.send(Openeditor::M::leftUp, x, y, false, true);
    }
};

} // namespace

TEST_F(Gestures, AHandleDragBracketsBothItsParametersAndHostAutomationIsNotBracketed)
{
    editor.place(2, 0.5, 0.0);
    log.clear();
    const Framework::Point c = editor.handleCentre(2);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 40, -40);
    const int f = index(2, frequency), g = index(2, gain);
    ASSERT_GE(log.size(), 6u);
    EXPECT_EQ(Log(log.begin(), log.begin() + 2), (Log{{'b', f}, {'b', g}}));
    EXPECT_EQ(Log(log.end() - 2, log.end()), (Log{{'e', f}, {'e', g}}));
    for (auto entry = log.begin() + 2; entry != log.end() - 2; ++entry)
        EXPECT_TRUE(*entry == std::make_pair('a', f) || *entry == std::make_pair('a', g));

    log.clear();
    editor.vex->setNormalized(0.55, g, true);
    editor.vex->setNormalized(0.3, f, true);
    EXPECT_TRUE(log.empty()) << "the host's own automation";

    const Framework::Point moved = editor.handleCentre(2);
    editor.send(Openeditor::M::move, static_cast<int>(moved.x), static_cast<int>(moved.y));
    log.clear();
    editor.drag(static_cast<int>(moved.x), static_cast<int>(moved.y), 0, 30, Openeditor::M::rightDown);
    EXPECT_EQ(brackets(log), (Log{{'b', index(2, width)}, {'e', index(2, width)}})) << "a right drag: the width";

    // A double click still switches the band, as an edit of its own.
    log.clear();
    const int x = static_cast<int>(moved.x), y = static_cast<int>(moved.y);
    editor.send(Openeditor::M::leftDown, x, y);
    editor.send(Openeditor::M::leftUp, x, y);
    editor.send(Openeditor::M::leftDouble, x, y);
    editor.send(Openeditor::M::leftUp, x, y);
    EXPECT_EQ(editor.vex->getValue(index(2, on)), 0.0);
    EXPECT_EQ(Log(log.end() - 3, log.end()), (Log{{'b', index(2, on)}, {'a', index(2, on)}, {'e', index(2, on)}}));
}

TEST_F(Gestures, ControlClickRestoresEachKindOfControlsDefaultAsOneEdit)
{
    namespace L = Layout;
    struct Case {
        int parameter;
        double changed, restored;
        int x, y;
    } cases[] = {
        {zoom, 30.0, 12.0, L::zoomX + L::knobSize / 2, L::knobY + L::knobSize / 2},
        {curve, -0.5, 1.0, L::curveX + L::knobSize / 2, L::knobY + L::knobSize / 2},
        {volume, 0.2, 1.0, L::sliderX + L::sliderW / 2, L::sliderY + L::sliderH / 2},
        {mode, 2.0, 0.0, L::outputsX + L::outputsSize / 4, L::outputsY + L::outputsSize / 4},
        {index(3, on), 0.0, 1.0, L::switchLeft(3) + L::switchW / 2, L::switchY + L::switchH / 2},
        {index(5, type), 0.0, 1.0, L::selectorLeft(5) + 4, L::selectorY + L::selectorH / 2},
    };
    for (const Case& c : cases) {
        editor.vex->setValue(c.changed, c.parameter, true);
        log.clear();
        controlClick(c.x, c.y);
        EXPECT_DOUBLE_EQ(editor.vex->getValue(c.parameter), c.restored) << c.parameter;
        EXPECT_EQ(log, (Log{{'b', c.parameter}, {'a', c.parameter}, {'e', c.parameter}})) << c.parameter;
    }

    // A handle: the band's frequency, gain and width.
    editor.place(4, 0.2, 9.0);
    editor.vex->setNormalized(0.9, index(4, width), true);
    const Framework::Point h = editor.handleCentre(4);
    log.clear();
    controlClick(static_cast<int>(h.x), static_cast<int>(h.y));
    for (Bandparameter p : {frequency, gain, width})
        EXPECT_DOUBLE_EQ(editor.vex->getValue(index(4, p)), defaultValue(index(4, p))) << p;
    EXPECT_EQ(brackets(log), (Log{{'b', index(4, frequency)},
                                  {'b', index(4, gain)},
                                  {'b', index(4, width)},
                                  {'e', index(4, frequency)},
                                  {'e', index(4, gain)},
                                  {'e', index(4, width)}}));
}

// The wheel: a notch moves a knob by a hundredth of its range, Shift by a
// thousandth; parts of a notch add up; values stop at their ends; selectors
// step; a burst is one edit that ends once the wheel rests.
TEST_F(Gestures, TheWheelStepsValueControlsAsOneEditPerBurst)
{
    namespace L = Layout;
    const int kx = L::zoomX + L::knobSize / 2, ky = L::knobY + L::knobSize / 2;
    editor.vex->setNormalized(0.5, zoom, true);
    log.clear();
    editor.gui.wheelMessage(kx, ky, 120, false, false);
    EXPECT_NEAR(editor.vex->getNormalized(zoom), 0.51, 1e-9);
    editor.gui.wheelMessage(kx, ky, -120, true, false);
    EXPECT_NEAR(editor.vex->getNormalized(zoom), 0.509, 1e-9);
    for (int part = 0; part < 4; ++part)
        editor.gui.wheelMessage(kx, ky, 30, false, false);
    EXPECT_NEAR(editor.vex->getNormalized(zoom), 0.519, 1e-9) << "four quarter notches make one";
    editor.gui.endWheelEdit(std::chrono::steady_clock::now());
    EXPECT_EQ(brackets(log), (Log{{'b', zoom}})) << "the burst goes on until the wheel rests";
    editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause);
    EXPECT_EQ(brackets(log), (Log{{'b', zoom}, {'e', zoom}}));

    editor.vex->setNormalized(0.995, zoom, true);
    editor.gui.wheelMessage(kx, ky, 3 * 120, false, false);
    EXPECT_EQ(editor.vex->getNormalized(zoom), 1.0);
    const int ox = L::outputsX + L::outputsSize / 4, oy = L::outputsY + L::outputsSize / 4;
    editor.gui.wheelMessage(ox, oy, 2 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(mode), 2.0);
    editor.gui.wheelMessage(ox, oy, 5 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(mode), 3.0);

    // Over a handle: its band's width, which leaves the handle in place, or
    // with Ctrl its gain; the burst stays with the band it began on, even
    // over another handle. Away from every handle, nothing.
    editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause);
    editor.place(3, 0.4, 2.0);
    editor.place(4, 0.6, 2.0);
    const Framework::Point h = editor.handleCentre(3), other = editor.handleCentre(4);
    const double width4 = editor.vex->getNormalized(index(3, width));
    const double width5 = editor.vex->getNormalized(index(4, width));
    editor.gui.wheelMessage(static_cast<int>(h.x), static_cast<int>(h.y), -2 * 120, false, false);
    EXPECT_NEAR(editor.vex->getNormalized(index(3, width)), width4 - 0.02, 1e-9);
    EXPECT_NEAR(editor.vex->getValue(index(3, gain)), 2.0, 1e-9);
    EXPECT_EQ(editor.handleCentre(3).y, h.y) << "the handle stays under the pointer";
    editor.gui.wheelMessage(static_cast<int>(h.x), static_cast<int>(h.y), 120, true, true);
    EXPECT_NEAR(editor.vex->getValue(index(3, gain)), 2.1, 1e-9);
    editor.gui.wheelMessage(static_cast<int>(other.x), static_cast<int>(other.y), 120, false, false);
    EXPECT_NEAR(editor.vex->getNormalized(index(3, width)), width4 - 0.01, 1e-9);
    EXPECT_NEAR(editor.vex->getNormalized(index(4, width)), width5, 1e-9);
    editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause);
    log.clear();
    editor.gui.wheelMessage(L::displayX + 5, L::displayY + 5, 120, false, false);
    EXPECT_TRUE(log.empty()) << "empty curve";
}

// A host that closes the editor in the middle of a drag or a wheel burst
// still hears the gesture end.
TEST_F(Gestures, ClosingTheEditorEndsTheGestureUnderWay)
{
    const int kx = Layout::zoomX + Layout::knobSize / 2, ky = Layout::knobY + Layout::knobSize / 2;
    editor.send(Openeditor::M::move, kx, ky);
    editor.send(Openeditor::M::leftDown, kx, ky);
    editor.send(Openeditor::M::move, kx, ky - 20);
    editor.gui.close();
    EXPECT_EQ(brackets(log), (Log{{'b', zoom}, {'e', zoom}}));

    ASSERT_TRUE(editor.gui.open(Framework::Headless::parentWindow()));
    log.clear();
    editor.gui.wheelMessage(kx, ky, 120, false, false);
    editor.gui.close();
    EXPECT_EQ(brackets(log), (Log{{'b', zoom}, {'e', zoom}}));
}

// A handle follows the pointer to the end: the release's own movement
// counts, at the layout size and at twice it.
TEST_F(Gestures, ADraggedHandleEndsUnderThePointer)
{
    using M = Openeditor::M;
    for (int percent : {100, 200}) {
        editor.gui.setScale(percent);
        editor.place(3, 0.5, 0.0);
        const Framework::Point start = editor.handleCentre(3);
        const int k = percent / 100;
        const int x = static_cast<int>(std::lround(start.x)) * k, y = static_cast<int>(std::lround(start.y)) * k;
        editor.send(M::move, x, y);
        editor.send(M::leftDown, x, y);
        for (int step = 1; step <= 4; ++step)
            editor.send(M::move, x + 10 * step * k, y - 20 * step * k);
        editor.send(M::leftUp, x + 50 * k, y - 90 * k);
        const Framework::Point end = editor.handleCentre(3);
        EXPECT_NEAR(end.x - start.x, 50.0, 1.0) << percent << " %";
        EXPECT_NEAR(end.y - start.y, -90.0, 1.0) << percent << " %";
    }
}

// Gestures that overlap end only what each began: a wheel burst on a knob in
// the middle of a handle drag ends the knob's edit and leaves the drag's
// open. A lost mouse capture ends the drag where it was; moves after it,
// with no button held, change nothing.
TEST_F(Gestures, OverlappingGesturesEndTheirOwnAndALostCaptureEndsTheDrag)
{
    using M = Openeditor::M;
    editor.place(3, 0.5, 0.0);
    const Framework::Point c = editor.handleCentre(3);
    const int x = static_cast<int>(c.x), y = static_cast<int>(c.y);
    const int f = index(3, frequency), g = index(3, gain);
    editor.send(M::move, x, y);
    log.clear();
    editor.send(M::leftDown, x, y);
    editor.send(M::move, x, y - 10);
    editor.gui.wheelMessage(Layout::zoomX + Layout::knobSize / 2, Layout::knobY + Layout::knobSize / 2, 120, false,
                            false);
    editor.gui.endWheelEdit(std::chrono::steady_clock::now() + Framework::Gui::wheelPause);
    editor.send(M::move, x, y - 20);
    EXPECT_EQ(brackets(log), (Log{{'b', f}, {'b', g}, {'b', zoom}, {'e', zoom}}));
    EXPECT_EQ(log.back(), std::make_pair('a', g)) << "the drag goes on inside its bracket";

    editor.gui.captureLost();
    EXPECT_EQ(brackets(log), (Log{{'b', f}, {'b', g}, {'b', zoom}, {'e', zoom}, {'e', f}, {'e', g}}));
    const double gain = editor.vex->getValue(g);
    log.clear();
    editor.send(M::move, x, y - 60);
    editor.send(M::move, x, y - 80);
    EXPECT_EQ(editor.vex->getValue(g), gain);
    EXPECT_TRUE(log.empty());
}

// The menu lists the placements with the current one checked; a choice is
// one edit of the placement alone, and the band stays on.
TEST_F(Gestures, RightClickOnASwitchChoosesThePlacement)
{
    const int x = Layout::switchLeft(2) + Layout::switchW / 2, p = index(2, placement);
    log.clear();
    Framework::Systemmenu* menu = rightClick(x, Layout::switchY + 9);
    ASSERT_TRUE(menu);
    ASSERT_EQ(menu->itemCount(), placementCount);
    EXPECT_EQ(menu->itemText(3), "Mid");
    for (int k = 0; k < placementCount; ++k)
        EXPECT_EQ(menu->isChecked(k), k == 0) << k;
    EXPECT_TRUE(log.empty()) << "the press alone edits nothing";
    ASSERT_TRUE(Framework::Headless::choose(*menu, 3));
    EXPECT_EQ(editor.vex->getValue(p), 3.0);
    EXPECT_EQ(log, (Log{{'b', p}, {'a', p}, {'e', p}}));
    EXPECT_EQ(editor.vex->getValue(index(2, on)), 1.0);

    menu = rightClick(x, Layout::switchY + 9);
    ASSERT_TRUE(menu);
    for (int k = 0; k < placementCount; ++k)
        EXPECT_EQ(menu->isChecked(k), k == 3) << k;
    Framework::Headless::dismiss();
    editor.send(Openeditor::M::leftDown, x, Layout::switchY + 9);
    editor.send(Openeditor::M::leftUp, x, Layout::switchY + 9);
    EXPECT_EQ(editor.vex->getValue(index(2, on)), 0.0) << "a left click still switches the band";
}

// The wheel steps a switch's placement, and over an outer band's pass
// filter its slope, each burst one edit held to the ends; elsewhere on the
// strip it still steps the type. The slope's menu sets it too.
TEST_F(Gestures, WheelAndMenuStepPlacementAndSlope)
{
    const int p = index(6, placement), s = index(6, slope);
    log.clear();
    editor.gui.wheelMessage(Layout::switchLeft(6) + 18, Layout::switchY + 9, 120, false, false);
    editor.gui.wheelMessage(Layout::switchLeft(6) + 18, Layout::switchY + 9, 2 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(p), 3.0);
    rest();
    const int pass = Layout::selectorLeft(6) + 60, bell = Layout::selectorLeft(6) + 36;
    editor.gui.wheelMessage(pass, Layout::selectorY + 12, 5 * 120, false, false);
    EXPECT_EQ(editor.vex->getValue(s), 3.0);
    rest();
    editor.gui.wheelMessage(bell, Layout::selectorY + 12, 120, false, false);
    rest();
    EXPECT_EQ(editor.vex->getValue(index(6, type)), 2.0);
    EXPECT_EQ(brackets(log),
              (Log{{'b', p}, {'e', p}, {'b', s}, {'e', s}, {'b', index(6, type)}, {'e', index(6, type)}}));

    Framework::Systemmenu* menu = rightClick(Layout::selectorLeft(0) + 12, Layout::selectorY + 12);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->itemText(2), "36 dB/oct");
    EXPECT_TRUE(menu->isChecked(0));
    ASSERT_TRUE(Framework::Headless::choose(*menu, 2));
    EXPECT_EQ(editor.vex->getValue(index(0, slope)), 2.0);
    EXPECT_EQ(editor.vex->getValue(index(0, type)), 1.0) << "the right click chooses no type";
}

// Alt with a press on a handle listens to its band until the gesture ends:
// by its release, by a lost capture, or by the editor closing.
TEST_F(Gestures, AltOnAHandleListensToItsBandUntilTheGestureEnds)
{
    for (int ending = 0; ending < 3; ++ending) {
        const Framework::Point h = editor.handleCentre(3);
        const int x = static_cast<int>(h.x), y = static_cast<int>(h.y);
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::leftDown, x, y, false, false, true);
        EXPECT_EQ(editor.vex->display().listened(), 3);
        editor.send(Openeditor::M::move, x + 10, y, false, false, true);
        EXPECT_EQ(editor.vex->display().listened(), 3) << "heard while the handle moves";
        if (ending == 0)
            editor.send(Openeditor::M::leftUp, x + 10, y);
        else if (ending == 1)
            editor.gui.captureLost();
        else
            editor.gui.close();
        EXPECT_EQ(editor.vex->display().listened(), Solo::none) << "ending " << ending;
    }
    // Without Alt nothing is listened to.
    const Framework::Point h = editor.handleCentre(2);
    editor.gui.open(Framework::Headless::parentWindow());
    editor.send(Openeditor::M::leftDown, static_cast<int>(h.x), static_cast<int>(h.y));
    EXPECT_EQ(editor.vex->display().listened(), Solo::none);
    editor.send(Openeditor::M::leftUp, static_cast<int>(h.x), static_cast<int>(h.y));
}
