// The editor as the builder lays it out: every component at its place and in
// its drawing order, the one a click at each control's centre reaches, the
// about box above everything, the curve repainted with the controls that
// change it, drags slowed by Shift, and what the switches and type strips
// show of placements and slopes.
#include "openeditor.h"

#include "eq/editor/comparebutton.h"
#include "eq/editor/layout.h"
#include "eq/editor/programarrow.h"
#include "eq/vexparameters.h"

#include "framework/gui/choiceswitch.h"
#include "framework/gui/dbinput.h"
#include "framework/gui/hstack.h"
#include "framework/gui/img.h"
#include "framework/gui/knob.h"
#include "framework/gui/menuarea.h"
#include "framework/gui/paramctrl.h"
#include "framework/gui/presetbrowser.h"
#include "framework/gui/selector.h"
#include "framework/gui/slider.h"
#include "framework/gui/switch.h"
#include "framework/gui/systemmenu.h"
#include "framework/gui/textfield.h"
#include "framework/gui/variantstack.h"
#include "framework/gui/headless/menuchoices.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <typeinfo>
#include <vector>

using namespace Framework;

namespace {

using M = Openeditor::M;

struct Place {
    const std::type_info& widget; // the control's widget, or the component
    int x, y, w, h;
    int index; // the bound parameter; -1 for none
};

std::vector<Place> expectedLayout()
{
    std::vector<Place> rows = {{typeid(Knob), 4, 342, 34, 34, 35}, {typeid(Knob), 714, 342, 34, 34, 36}};
    for (int k = 0; k < 7; ++k)
        rows.push_back({typeid(Choiceswitch), 120 + 80 * k, 334, 36, 18, 5 * k});
    rows.push_back({typeid(Eqwindow), 6, 6, 744, 328, 0});
    for (int k = 0; k < 7; ++k)
        rows.push_back(
            {k == 0 || k == 6 ? typeid(Variantstack) : typeid(Hstack), 100 + 80 * k, 352, 72, 24, 5 * k + 4});
    rows.push_back({typeid(Slider), 756, 1, 40, 312, 37});
    rows.push_back({typeid(Dbinput), 758, 315, 36, 17, 37});
    rows.push_back({typeid(Selector), 757, 338, 38, 38, 38});
    rows.push_back({typeid(Img), 298, 16, 0, 0, -1});
    rows.push_back({typeid(Textfield), 298, 18, 160, 0, -1});
    rows.push_back({typeid(Comparebutton), 462, 16, 20, 12, -1});
    rows.push_back({typeid(Presetbrowser), 298, 16, 160, 12, -1});
    rows.push_back({typeid(Programarrow), 258, 16, 16, 12, -1});
    rows.push_back({typeid(Programarrow), 278, 16, 16, 12, -1});
    rows.push_back({typeid(Menuarea), 50, 352, 38, 20, -1});
    rows.push_back({typeid(Panel), 0, 0, 800, 380, -1});
    return rows;
}

const std::type_info& kindOf(Uicomp& component)
{
    if (auto* control = dynamic_cast<Paramctrl*>(&component))
        return typeid(*control->primary);
    return typeid(component);
}

} // namespace

TEST(Editorlayout, RootPanelInDrawingOrder)
{
    Openeditor editor;
    const auto& children = editor.gui.root().components();
    const std::vector<Place> expected = expectedLayout();
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Uicomp& c = *children[i];
        const Place& p = expected[i];
        EXPECT_EQ(kindOf(c), p.widget) << "component " << i + 1;
        EXPECT_EQ(c.x, p.x) << "component " << i + 1;
        EXPECT_EQ(c.y, p.y) << "component " << i + 1;
        if (p.w) {
            EXPECT_EQ(c.width(), p.w) << "component " << i + 1;
            EXPECT_EQ(c.height(), p.h) << "component " << i + 1;
        }
        if (auto* control = dynamic_cast<Ctrl*>(&c)) {
            EXPECT_EQ(control->index, p.index) << "component " << i + 1;
        }
    }
    // Each band's switch and type selector use the band's own images.
    for (int k = 0; k < 7; ++k) {
        auto& button = static_cast<Switch&>(*static_cast<Paramctrl&>(*children[2 + k]).primary);
        ASSERT_TRUE(button.bitmap);
        EXPECT_EQ(button.bitmap->fileName, "button-" + std::to_string(k + 1) + ".png");
        auto& types = static_cast<Hstack&>(*static_cast<Paramctrl&>(*children[10 + k]).primary);
        EXPECT_EQ(types.bitmap->fileName, k == 0   ? "mode-lo-select.png"
                                          : k == 6 ? "mode-hi-select.png"
                                                   : "mode-select.png");
    }
    EXPECT_EQ(editor.gui.typeControls[3], children[13].get());
    EXPECT_EQ(editor.gui.zoomControl, children[0].get());
    EXPECT_EQ(editor.gui.curveScaleControl, children[1].get());
}

// A press at a control's centre reaches that control and no other.
TEST(Editorlayout, EachControlTakesAPressAtItsCentre)
{
    Openeditor editor;
    editor.paint();
    const auto& children = editor.gui.root().components();
    for (std::size_t i = 0; i < children.size() - 1; ++i) {
        Uicomp& c = *children[i];
        if (!dynamic_cast<Lockable*>(&c))
            continue;
        const int x = c.x + c.width() / 2, y = c.y + c.height() / 2;
        editor.send(M::leftDown, x, y);
        EXPECT_TRUE(editor.gui.isFocus(&c)) << "component " << i + 1 << " at " << x << ", " << y;
        Headless::dismiss();
        editor.send(M::leftUp, x, y);
        editor.send(M::move, 0, 0);
    }
}

// "About" shows the box above every control; a click anywhere hides it
// again and reaches nothing else.
TEST(Editorlayout, AboutBoxCatchesEveryClick)
{
    Openeditor editor;
    editor.paint();
    editor.send(M::leftDown, 69, 362);
    Systemmenu* options = Headless::shownMenu().menu;
    ASSERT_TRUE(options);
    EXPECT_EQ(options->title(), "Options");
    const std::vector<std::string> texts = {"Undo", "Redo", "",     "Copy A to B", "Copy B to A",
                                            "",     "Skin", "Size", "Analyzer",    "Default bank path",
                                            "",     "About"};
    ASSERT_EQ(options->itemCount(), static_cast<int>(texts.size()));
    for (int i = 0; i < options->itemCount(); ++i)
        EXPECT_EQ(options->itemText(i), texts[static_cast<std::size_t>(i)]) << i;
    ASSERT_TRUE(Headless::choose(*options, 11));
    editor.send(M::leftUp, 69, 362);
    EXPECT_TRUE(editor.gui.uistate().shown);
    editor.paint();
    EXPECT_EQ(editor.pixel(400, 360), 0xFF606060u) << "the veil darkens the editor";

    const double on = editor.vex->getValue(0);
    editor.send(M::leftDown, 138, 343);
    editor.send(M::leftUp, 138, 343);
    EXPECT_EQ(editor.vex->getValue(0), on) << "the band switch under the box";
    EXPECT_FALSE(editor.gui.uistate().shown);

    editor.gui.uistate().setNormalized(1.0, Vexgui::aboutIndex, false);
    const double zoom = editor.vex->getValue(35);
    editor.drag(21, 359, 0, -40);
    EXPECT_EQ(editor.vex->getValue(35), zoom) << "the zoom knob under the box";
    EXPECT_FALSE(editor.gui.uistate().shown);
    editor.paint();
    EXPECT_EQ(editor.pixel(400, 360), Openeditor::grey);
}

// Turning the zoom or curve knob or choosing a band type repaints the curve
// with the control; the volume slider repaints only itself.
TEST(Editorlayout, ControlsThatChangeTheCurveRepaintIt)
{
    Openeditor editor;
    editor.paint();
    const auto curveRepainted = [&] {
        for (const Headless::Rect& r : Headless::takeInvalidated(editor.gui))
            if (r.x == 6 && r.y == 6 && r.w == 744 && r.h == 328)
                return true;
        return false;
    };
    Headless::takeInvalidated(editor.gui);
    editor.drag(21, 359, 0, -20);
    EXPECT_TRUE(curveRepainted()) << "zoom";
    editor.drag(731, 359, 0, -20);
    EXPECT_TRUE(curveRepainted()) << "curve +-";
    editor.send(M::leftDown, 100 + 80 * 2 + 60, 364);
    editor.send(M::leftUp, 100 + 80 * 2 + 60, 364);
    EXPECT_EQ(editor.vex->getValue(5 * 2 + 4), 2.0);
    EXPECT_TRUE(curveRepainted()) << "type";
    editor.drag(776, 150, 0, 20);
    EXPECT_FALSE(curveRepainted()) << "volume";
}

TEST(Editorlayout, ShiftSlowsDragsToAQuarter)
{
    Openeditor editor;
    editor.paint();
    editor.vex->setNormalized(0.2, 35, true);
    editor.drag(21, 359, 0, -40);
    const double plain = editor.vex->getNormalized(35) - 0.2;
    editor.vex->setNormalized(0.2, 35, true);
    editor.drag(21, 359, 0, -40, M::leftDown, true);
    const double fine = editor.vex->getNormalized(35) - 0.2;
    EXPECT_GT(plain, 0.1);
    EXPECT_NEAR(fine, plain / 4.0, 1e-9);
}

// A paint of one control's rectangle leaves every blended pixel outside it
// as it was: the curves are not blended over themselves again.
TEST(Editorlayout, PaintingOneControlLeavesTheRestAlone)
{
    Openeditor editor("band-1:128,255,0,0\nband-2:128,255,0,0\nband-3:128,255,0,0\nband-4:128,255,0,0\n"
                      "band-5:128,255,0,0\nband-6:128,255,0,0\nband-7:128,255,0,0\nmain:128,255,255,255\n");
    editor.place(3, 0.5, 9.0);
    editor.paint();
    std::vector<std::uint32_t> before;
    for (int y = 6; y < 334; ++y)
        before.push_back(editor.pixel(400, y));
    editor.gui.invalidate(756, 1, 40, 312);
    Headless::paintPending(editor.gui);
    for (int y = 6; y < 334; ++y)
        EXPECT_EQ(editor.pixel(400, y), before[static_cast<std::size_t>(y - 6)]) << "row " << y;
}

// The builder's controls, the images the skin generator drew for them and
// the presses that find them all follow the one geometry of layout.h.
TEST(Editorlayout, BuilderSkinsAndHitTestsShareOneGeometry)
{
    using namespace Vexparameters;
    struct Spot {
        int x, y, w, h, index;
        const char* image; // the control's image in the skins, a frame tall
    };
    std::vector<Spot> spots = {
        {Layout::zoomX, Layout::knobY, Layout::knobSize, Layout::knobSize, zoom, "knob.png"},
        {Layout::curveX, Layout::knobY, Layout::knobSize, Layout::knobSize, curve, "knob.png"},
        {Layout::sliderX, Layout::sliderY, Layout::sliderW, Layout::sliderH, volume, nullptr},
        {Layout::readoutX, Layout::readoutY, Layout::readoutW, Layout::readoutH, volume, nullptr},
        {Layout::outputsX, Layout::outputsY, Layout::outputsSize, Layout::outputsSize, mode, "st-m-lr.png"}};
    for (int b = 0; b < Layout::bands; ++b) {
        spots.push_back(
            {Layout::switchLeft(b), Layout::switchY, Layout::switchW, Layout::switchH, index(b, on), "button-1.png"});
        spots.push_back({Layout::selectorLeft(b), Layout::selectorY, Layout::selectorW, Layout::selectorH,
                         index(b, type), "mode-select.png"});
    }
    Openeditor editor;
    editor.paint();
    for (const Spot& s : spots) {
        Ctrl* found = nullptr;
        for (const auto& c : editor.gui.root().components())
            if (auto* control = dynamic_cast<Ctrl*>(c.get()); control && control->x == s.x && control->y == s.y)
                found = control;
        ASSERT_NE(found, nullptr) << "no control at " << s.x << ", " << s.y;
        EXPECT_EQ(found->index, s.index);
        EXPECT_EQ(std::make_pair(found->width(), found->height()), std::make_pair(s.w, s.h));
        // The pointer moves there, then presses, as a user's does.
        editor.send(M::move, s.x + s.w / 2, s.y + s.h / 2);
        editor.send(M::leftDown, s.x + s.w / 2, s.y + s.h / 2);
        EXPECT_TRUE(editor.gui.isFocus(found)) << "a press at the centre of " << s.x << ", " << s.y;
        editor.send(M::leftUp, s.x + s.w / 2, s.y + s.h / 2);
        if (s.image) {
            const std::string file = std::string(VEX_SOURCE_DIR) + "/skins/Red/" + s.image;
            cairo_surface_t* png = cairo_image_surface_create_from_png(file.c_str());
            EXPECT_EQ(cairo_image_surface_get_width(png), s.w) << s.image;
            EXPECT_EQ(cairo_image_surface_get_height(png) % s.h, 0) << s.image;
            cairo_surface_destroy(png);
        }
    }
    // A handle takes a press within its reach of its centre, and no farther.
    editor.place(5, 0.98, 0.0);
    const Point centre = editor.handleCentre(5);
    for (const int distance : {Layout::handleReach - 1, Layout::handleReach + 1}) {
        const int x = static_cast<int>(centre.x) - distance, y = static_cast<int>(centre.y);
        editor.send(M::move, x, y);
        editor.send(M::leftDown, x, y);
        EXPECT_EQ(editor.display().selected(), distance < Layout::handleReach ? 5 : -1) << distance;
        editor.send(M::leftUp, x, y);
    }
}

// In the committed skin each slope shows differently on its band's strip
// and each placement on its band's switch; the usual ones look as before.
TEST(Editorlayout, SwitchesAndStripsShowPlacementAndSlope)
{
    Openeditor editor;
    std::filesystem::copy(std::filesystem::path(VEX_SOURCE_DIR) / "skins" / "Red", editor.dir.file("skins/Red"),
                          std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
    editor.gui.loadSkin("Red");
    // The looks of a control at (x, y) at each step of parameter p.
    auto looks = [&](int p, int steps, int x, int y, int w, int h) {
        std::set<std::vector<std::uint32_t>> seen;
        for (int step = steps; step >= 0; --step) {
            editor.vex->setValue(step % steps, p, true);
            editor.paint();
            std::vector<std::uint32_t> pixels;
            for (int row = y; row < y + h; ++row)
                for (int column = x; column < x + w; ++column)
                    pixels.push_back(editor.pixel(column, row));
            seen.insert(pixels);
        }
        return seen.size();
    };
    EXPECT_EQ(looks(Vexparameters::index(0, Vexparameters::slope), Vexparameters::slopeSteps, Layout::selectorLeft(0),
                    Layout::selectorY, 24, Layout::selectorH),
              static_cast<std::size_t>(Vexparameters::slopeSteps));
    EXPECT_EQ(looks(Vexparameters::index(4, Vexparameters::placement), Vexparameters::placementCount,
                    Layout::switchLeft(4), Layout::switchY, Layout::switchW, Layout::switchH),
              static_cast<std::size_t>(Vexparameters::placementCount));
}
