// The hint about the control under a resting pointer: it waits for the
// timer, names the control and its value, never covers it, and goes when
// the pointer moves away, presses, turns the wheel or leaves the window.
#include "openeditor.h"

#include "framework/gui/hint.h"

#include <gtest/gtest.h>

namespace {

struct Hints : testing::Test {
    Openeditor editor;
    Framework::Hint& hint = editor.gui.hint();

    void SetUp() override
    {
        writePng(editor.dir.file("skins/Red/font.png"), 6 * 96, 9, [](int, int) { return 0xFFFFFFFFu; });
        editor.gui.loadSkin("Red");
    }
    // The pointer arrives in two moves (the control it left lets go of the
    // focus at the first), then rests for a number of timer ticks.
    void rest(int x, int y, int ticks = Framework::Hint::delayTicks)
    {
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::move, x, y);
        for (int i = 0; i < ticks; ++i)
            editor.gui.timerTick();
    }
    bool covers(int x, int y, int w, int h) const
    {
        return hint.x() < x + w && x < hint.x() + hint.width() && hint.y() < y + h && y < hint.y() + hint.height();
    }
};

} // namespace

TEST_F(Hints, ShowAfterTheRestNamingTheControlAndItsValueBesideIt)
{
    namespace L = Layout;
    const struct {
        int x, y, w, h;
        const char* text;
    } controls[] = {
        {L::zoomX, L::knobY, L::knobSize, L::knobSize, "Zoom: 12.0"},
        {L::curveX, L::knobY, L::knobSize, L::knobSize, "Curve scale: 1.0"},
        {L::sliderX, L::sliderY, L::sliderW, L::sliderH, "Volume: 0.0 dB"},
        {L::outputsX, L::outputsY, L::outputsSize, L::outputsSize, "Output: ST"},
        {L::switchLeft(3), L::switchY, L::switchW, L::switchH, "Band 4: on"},
        {L::selectorLeft(6), L::selectorY, L::selectorW, L::selectorH, "Band 7: bell"},
        {L::optionsX, L::optionsY, L::optionsW, L::optionsH, "Options menu"},
        {L::compareX, L::statusBackY, L::compareW, L::statusH, "Compare: A live, click for B"},
        {L::previousX, L::statusBackY, L::arrowW, L::statusH, "Previous program"},
        {L::statusX, L::statusBackY, L::statusW, L::statusH, "Presets menu"},
    };
    for (const auto& c : controls) {
        rest(c.x + c.w / 2, c.y + c.h / 2, Framework::Hint::delayTicks - 1);
        EXPECT_FALSE(hint.shown()) << c.text << " before the rest is over";
        editor.gui.timerTick();
        ASSERT_TRUE(hint.shown()) << c.text;
        EXPECT_EQ(hint.text(), c.text);
        EXPECT_FALSE(covers(c.x, c.y, c.w, c.h)) << c.text;
        EXPECT_GE(hint.x(), 0) << c.text;
        EXPECT_GE(hint.y(), 0) << c.text;
        EXPECT_LE(hint.x() + hint.width(), editor.gui.width()) << c.text;
        EXPECT_LE(hint.y() + hint.height(), editor.gui.height()) << c.text;
    }
    // A type tells the filter heard, which the host names the other way round.
    editor.vex->setValue(0.0, Vexparameters::index(3, Vexparameters::type), true);
    rest(L::selectorLeft(3) + 4, L::selectorY + L::selectorH / 2);
    EXPECT_EQ(hint.text(), "Band 4: high shelf");
    // Over the display the readout tells; it has no hint.
    rest(400, 100);
    EXPECT_FALSE(hint.shown());
}

TEST_F(Hints, GoWhenThePointerMovesAwayPressesTurnsTheWheelOrLeaves)
{
    const int x = Layout::zoomX + Layout::knobSize / 2, y = Layout::knobY + Layout::knobSize / 2;
    editor.paint();
    rest(x, y);
    ASSERT_TRUE(hint.shown());
    editor.paint();
    const int px = hint.x() + 1, py = hint.y() + 1;
    EXPECT_NE(editor.pixel(px, py), Openeditor::grey) << "drawn over the panel";
    rest(x + 3, y + 3, 1);
    EXPECT_TRUE(hint.shown()) << "a move within the control keeps it";
    rest(94, 345);
    EXPECT_FALSE(hint.shown()) << "no control there";
    editor.paint();
    EXPECT_EQ(editor.pixel(px, py), Openeditor::grey) << "and its place is painted again";

    rest(x, y);
    ASSERT_TRUE(hint.shown());
    editor.send(Openeditor::M::leftDown, x, y);
    EXPECT_FALSE(hint.shown()) << "a press";
    editor.send(Openeditor::M::leftUp, x, y);
    rest(x, y);
    ASSERT_TRUE(hint.shown());
    int at[2] = {x, y}, notches = 1;
    bool shift = false, control = false;
    editor.gui.wheel(at[0], at[1], notches, shift, control);
    EXPECT_FALSE(hint.shown()) << "a wheel turn";
    rest(x + 1, y);
    rest(x, y);
    ASSERT_TRUE(hint.shown());
    editor.gui.pointerLeft();
    EXPECT_FALSE(hint.shown()) << "the pointer left the window";
    rest(x, y);
    ASSERT_TRUE(hint.shown());
    editor.gui.close();
    EXPECT_FALSE(hint.shown()) << "the editor closed";
}

// A skin that names no colours for the hint and the readout gets boxes its
// font can be read on: dark under light glyphs, light under dark ones. The
// colours a skin names hold whatever its font.
TEST_F(Hints, BoxesWithoutColoursOfTheSkinSuitItsFont)
{
    const auto luma = [](std::uint32_t p) {
        return (299 * (p >> 16 & 0xFF) + 587 * (p >> 8 & 0xFF) + 114 * (p & 0xFF)) / 1000;
    };
    // The grounds inside the frames of the hint box and of the readout.
    const auto grounds = [&] {
        rest(Layout::zoomX + Layout::knobSize / 2, Layout::knobY + Layout::knobSize / 2);
        editor.paint();
        const std::uint32_t hintGround = editor.pixel(hint.x() + 1, hint.y() + 1);
        const Framework::Point c = editor.handleCentre(2);
        editor.send(Openeditor::M::move, static_cast<int>(c.x), static_cast<int>(c.y));
        editor.send(Openeditor::M::move, static_cast<int>(c.x), static_cast<int>(c.y));
        editor.paint();
        const Bandreadout& r = editor.display().readout();
        return std::make_pair(hintGround, editor.pixel(r.x() + 1, r.y() + 1));
    };
    auto [hintOnLight, readoutOnLight] = grounds();
    EXPECT_LT(luma(hintOnLight), 64);
    EXPECT_LT(luma(readoutOnLight), 64);

    writePng(editor.dir.file("skins/Red/font.png"), 6 * 96, 9, [](int x, int) { return x % 3 ? 0u : 0xFF303030u; });
    editor.gui.loadSkin("Red");
    auto [hintOnDark, readoutOnDark] = grounds();
    EXPECT_GT(luma(hintOnDark), 192);
    EXPECT_GT(luma(readoutOnDark), 192);

    editor.dir.write("skins/Red/colors.txt",
                     std::string(Openeditor::sumOnly) + "hint:255,0,96,0\nhint-edge:255,0,0,0\n");
    editor.gui.loadSkin("Red");
    auto [hintNamed, readoutNamed] = grounds();
    EXPECT_EQ(hintNamed, 0xFF006000u);
    EXPECT_EQ(readoutNamed, 0xFF006000u);
}
