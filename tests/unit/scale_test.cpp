// The editor at 100 to 200 percent: device pixels reach the layout's
// controls, movement keeps its layout measure, images come at the scale, and
// the host hears of a new size.
#include "openeditor.h"

#include "common/fakehost.h"
#include "framework/gui/headless/headlessimage.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/sizemenu.h"
#include "framework/vst/vstplugin.h"
#include "module/entry.h"

#include <gtest/gtest.h>

#include <set>

using Framework::Headless::screenPixel;

namespace {

// A 20-pixel drag of band 3's handle at the scale; the frequency it leaves.
double frequencyAfterDrag(int scale, int devicePixels)
{
    Openeditor editor;
    editor.place(2, 0.5, 0.0);
    editor.gui.setScale(scale);
    editor.paint();
    const Framework::Point centre = editor.handleCentre(2);
    const int x = static_cast<int>(centre.x) * scale / 100, y = static_cast<int>(centre.y) * scale / 100;
    editor.drag(x, y, devicePixels, 0);
    return editor.vex->getNormalized(5 * 2 + 1);
}

} // namespace

TEST(Scale, DevicePixelsReachTheLayoutsControlsAndMoveByLayoutMeasure)
{
    Openeditor editor;
    editor.gui.setScale(200);
    EXPECT_EQ(editor.gui.deviceWidth(), 1600);
    EXPECT_EQ(editor.gui.deviceHeight(), 760);
    editor.paint();
    EXPECT_EQ(screenPixel(editor.gui, 1599, 759), Openeditor::grey) << "the whole window is painted";

    // Band 4's switch, pressed at its centre in device pixels.
    const int x = 2 * (Layout::switchLeft(3) + Layout::switchW / 2), y = 2 * (Layout::switchY + Layout::switchH / 2);
    const double on = editor.vex->getValue(3 * 5);
    editor.send(Openeditor::M::leftDown, x, y);
    editor.send(Openeditor::M::leftUp, x, y);
    EXPECT_NE(editor.vex->getValue(3 * 5), on);

    const double atLayoutSize = frequencyAfterDrag(100, 10);
    EXPECT_GT(atLayoutSize, 0.5);
    EXPECT_NEAR(frequencyAfterDrag(200, 20), atLayoutSize, 1e-9);
    EXPECT_NEAR(frequencyAfterDrag(150, 15), atLayoutSize, 1e-9);
}

// The curve is drawn at device resolution through its handle's centre.
TEST(Scale, CurvePassesThroughItsHandleAtTwiceTheSize)
{
    Openeditor editor(Openeditor::sumOnly, false, false);
    editor.place(3, 0.6, 6.0);
    editor.gui.setScale(200);
    editor.paint();
    const Framework::Point centre = editor.handleCentre(3);
    const int column = static_cast<int>(2 * centre.x + 0.5f), row = static_cast<int>(2 * centre.y + 0.5f);
    int nearest = 1000;
    for (int y = 0; y < 760; ++y)
        if ((screenPixel(editor.gui, column, y) & 0xFF) > 0xC0)
            nearest = std::min(nearest, std::abs(y - row));
    EXPECT_LE(nearest, 1);
}

// A skin's twice-size image serves scales above 100 %; a skin without one
// has its own enlarged, smoothly but for the font, which keeps whole pixels.
TEST(Scale, ImagesComeAtTheScale)
{
    Openeditor editor;
    const std::string skin = editor.dir.file("skins/Red/");
    writePng(skin + "background@2x.png", 1600, 760, [](int, int) { return 0xFF0000FFu; });
    editor.gui.setScale(175);
    editor.paint();
    EXPECT_EQ(screenPixel(editor.gui, 700, 300), 0xFF0000FFu);
    editor.gui.setScale(100);
    editor.paint();
    EXPECT_EQ(screenPixel(editor.gui, 700, 300), Openeditor::grey);

    // A checkerboard font and panel without twins, made at 150 %.
    auto checker = [](int x, int y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0u; };
    writePng(skin + "font.png", 96 * 6, 9, checker);
    auto levels = [&](bool pixelArt) {
        Framework::Skinbitmap image("font.png");
        if (pixelArt)
            Framework::Pixelfont font(&image, 6);
        EXPECT_TRUE(image.load(skin + "font.png", 1, 150));
        EXPECT_EQ(image.width(), 96 * 6);
        EXPECT_EQ(image.deviceWidth(), 96 * 9);
        std::set<std::uint32_t> seen;
        cairo_surface_t* s = image.image()->surface;
        cairo_surface_flush(s);
        for (int y = 0; y < image.deviceHeight(); ++y)
            for (int x = 0; x < image.deviceWidth(); ++x)
                seen.insert(reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(s) +
                                                                   y * cairo_image_surface_get_stride(s))[x]);
        return seen.size();
    };
    EXPECT_EQ(levels(true), 2u) << "whole pixels only";
    EXPECT_GT(levels(false), 2u) << "smoothed";

    // A twin whose size is no whole number of layout pixels is not used.
    writePng(skin + "background@2x.png", 1601, 760, [](int, int) { return 0xFF0000FFu; });
    editor.gui.setScale(200);
    editor.paint();
    EXPECT_EQ(screenPixel(editor.gui, 1500, 700), Openeditor::grey);
}

namespace {

struct Hostedscale : testing::Test {
    using Vexatone = Framework::VSTplugin<Vex, Vexgui, Vexbuilder>;
    Tempfolder dir;
    AEffect* e = nullptr;

    void SetUp() override
    {
        Fakehost::reset();
        Framework::Headless::screenDpi = 144;
        e = VSTPluginMain(Fakehost::callback);
        ASSERT_NE(e, nullptr);
    }
    void TearDown() override
    {
        Framework::Headless::screenDpi = 96;
        if (e)
            e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    }
    std::pair<int, int> rect()
    {
        ERect* r = nullptr;
        e->dispatcher(e, effEditGetRect, 0, 0, &r, 0.0f);
        return {r->right - r->left, r->bottom - r->top};
    }
    void open() { e->dispatcher(e, effEditOpen, 0, 0, Framework::Headless::parentWindow(), 0.0f); }
    Vexgui& gui()
    {
        return static_cast<Vexgui&>(*static_cast<Vexatone*>(static_cast<AudioEffect*>(e->object))->editorWindow());
    }
    // Chooses a size as the Options menu's Size submenu does.
    void choose(int position) { Framework::Sizemenu("Size", gui()).select(position); }
};

} // namespace

// Before any choice the screen's density picks the size; a choice is kept,
// and the host is asked to resize only when it says it can.
TEST_F(Hostedscale, ScreenPicksTheFirstSizeAndTheHostHearsOfChoices)
{
    EXPECT_EQ(rect(), std::make_pair(1200, 570)) << "144 dpi before the editor opens";
    // Densities round down to an offered size.
    for (auto [dpi, percent] : {std::pair{72, 100}, {96, 100}, {119, 100}, {120, 125}, {191, 175}, {384, 200}})
        EXPECT_EQ(Framework::Gui::screenScale(dpi), percent) << dpi;
    open();
    EXPECT_EQ(gui().deviceWidth(), 1200);

    choose(4); // 200 %, a host that cannot resize
    EXPECT_TRUE(Fakehost::callsOf(audioMasterSizeWindow).empty());
    EXPECT_EQ(rect(), std::make_pair(1200, 570));
    EXPECT_EQ(gui().statusLine->text(nullptr), "size at next open");
    EXPECT_NE(dir.read(Tempfolder::settings).find("size\n200\n"), std::string::npos);
    e->dispatcher(e, effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(rect(), std::make_pair(1600, 760));

    open();
    Fakehost::resizes(true);
    choose(2); // 150 %
    const auto asked = Fakehost::callsOf(audioMasterSizeWindow);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].index, 1200);
    EXPECT_EQ(asked[0].value, 570);
    EXPECT_EQ(rect(), std::make_pair(1200, 570));
    EXPECT_EQ(gui().deviceHeight(), 570);
}
