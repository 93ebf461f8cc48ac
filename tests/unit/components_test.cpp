// Components in a Gui over the headless window, driven by window messages:
// the hit test, focus and capture of controls, conditions and redraws,
// images and text on real pixels, and one editor-like tree end to end.
#include "framework/gui/gui.h"
#include "framework/gui/img.h"
#include "framework/gui/knob.h"
#include "framework/gui/multiparamctrl.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/setparameteraction.h"
#include "framework/gui/switch.h"
#include "framework/gui/textfield.h"

#include "canvas.h"
#include "framework/gui/headless/screen.h"
#include "framework/plugin/paramlistener.h"
#include "framework/plugin/paramset.h"
#include "framework/plugin/settingsfile.h"
#include "framework/plugin/textprovider.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace Framework;

namespace {

using Calls = std::vector<std::string>;
using Redrawn = std::vector<Uicomp*>;
using M = Window::Mousemessage;

// Parameters by index that tell a listener of every change, as the plug-in
// model tells its editor, and record changes as "3 = 0.5".
class Params : public Paramset {
public:
    double getNormalized(int index) override { return values[index]; }
    double getValue(int index) override { return 10.0 * values[index]; }
    std::string getUnits(int) override { return units; }
    void setNormalized(double v, int index, bool fromHost) override
    {
        std::ostringstream call;
        call << index << " = " << v << (fromHost ? " from the host" : "");
        sent.push_back(call.str());
        values[index] = v;
        if (listener)
            listener->valueChanged(index, *this);
    }
    Calls take()
    {
        Calls taken;
        taken.swap(sent);
        return taken;
    }

    std::map<int, double> values;
    std::string units;
    Paramlistener* listener = nullptr;
    Calls sent;
};

// A Gui that records which components asked to be redrawn.
class Editor : public Gui {
public:
    using Gui::Gui;
    void componentRedrawn(Uicomp* component) override { redrawn.push_back(component); }
    Redrawn take()
    {
        Redrawn taken;
        taken.swap(redrawn);
        return taken;
    }
    Redrawn redrawn;
};

// A status line that remembers who asked for it.
struct Line final : Textprovider {
    std::string text(const void* requester) override
    {
        requesters.push_back(requester);
        return line;
    }
    std::string line;
    std::vector<const void*> requesters;
};

constexpr std::uint32_t background = 0xFF0000FF, off = 0xFF00A000, on = 0xFF00F000, grey = 0xFF808080;

// Knob frames carry their number in the red channel.
int frameOf(std::uint32_t pixel)
{
    return pixel >> 24 == 0xFF && (pixel & 0xFF) == 0 ? static_cast<int>(pixel >> 16 & 0xFF) : -1;
}

struct Components : testing::Test {
    Tempfolder dir;
    Settingsfile settings{dir.file("Vexatone.ini")};
    std::unique_ptr<Skinbitmap> knobStrip =
        makeImage(dir.path(), 34, 101 * 34, [](int, int y) { return 0xFF000000u | (y / 34) << 16; });
    std::unique_ptr<Skinbitmap> switchFrames =
        makeImage(dir.path(), 20, 40, [](int, int y) { return y < 20 ? off : on; });
    Editor gui{settings, 300, 200};
    Knob* knob = gui.addResource(std::make_unique<Knob>(34, 34, knobStrip.get(), 1.0 / 64));
    Switch* button = gui.addResource(std::make_unique<Switch>(20, 20, switchFrames.get()));
    Params params;
    Params ui; // editor-only switches, such as the one that shows a layer

    void SetUp() override
    {
        settings.add("skin", "Plain");
        gui.setBackground("background.png");
        auto image = makeImage(dir.path(), 300, 200, [](int, int) { return background; });
        std::filesystem::create_directories(dir.file("skins/Plain"));
        std::filesystem::copy_file(dir.file(image->fileName), dir.file("skins/Plain/background.png"));
        params.listener = &gui;
        ui.listener = &gui;
        ASSERT_TRUE(gui.open(Headless::parentWindow()));
    }
    Paramctrl* control(Panel& panel, Widget* widget, int x, int y, Paramset& set, int index)
    {
        return panel.add(std::make_unique<Paramctrl>(x, y, Uicomp::noCondition, nullptr, widget, nullptr, set, index));
    }
    Paramctrl* control(Widget* widget, int x, int y, Paramset& set, int index)
    {
        return control(gui.root(), widget, x, y, set, index);
    }
    void send(M message, int x, int y) { gui.mouseMessage(message, x, y, false); }
    void click(int x, int y)
    {
        send(M::leftDown, x, y);
        send(M::leftUp, x, y);
    }
    std::uint32_t shown(int x, int y) { return Headless::screenPixel(gui, x, y); }
};

} // namespace

// The edges of a control belong to nothing; entering redraws it, leaving
// does not, and a move elsewhere in the window takes the focus away.
TEST_F(Components, OnlyTheInsideOfAControlIsHit)
{
    Paramctrl* ctrl = control(knob, 100, 50, params, 3);
    const struct {
        int x, y;
        bool hit;
    } presses[] = {{100, 60, false}, {134, 60, false}, {101, 60, true}, {133, 60, true},
                   {110, 50, false}, {110, 84, false}, {110, 51, true}, {110, 83, true}};
    for (const auto& p : presses) {
        send(M::leftDown, p.x, p.y);
        EXPECT_EQ(gui.holdsMouse(ctrl), p.hit) << p.x << ", " << p.y;
        send(M::leftUp, p.x, p.y);
        EXPECT_EQ(gui.isFocus(ctrl), p.hit) << p.x << ", " << p.y;
        send(M::move, 5, 5);
        EXPECT_FALSE(gui.isFocus(ctrl));
    }

    gui.take();
    send(M::move, 117, 67);
    EXPECT_TRUE(gui.isFocus(ctrl));
    EXPECT_EQ(gui.take(), Redrawn{ctrl});
    const auto asked = Headless::takeInvalidated(gui);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().x, 100);
    EXPECT_EQ(asked.back().w, 34);
    send(M::move, 118, 68);
    send(M::move, 5, 5);
    EXPECT_TRUE(gui.take().empty()) << "moving within, then leaving, redraws nothing";
    EXPECT_TRUE(params.take().empty());
}

// A knob keeps turning while the pointer is far outside the window; the
// release there ends the capture but not the focus, which only an event
// dispatched inside the window takes away.
TEST_F(Components, AHeldKnobFollowsThePointerOutsideTheWindow)
{
    Paramctrl* ctrl = control(knob, 100, 50, params, 3);
    params.values[3] = 0.5;
    send(M::leftDown, 117, 67);
    EXPECT_EQ(gui.binding().pressNormalized, 0.5);
    EXPECT_EQ(gui.binding().pressValue, 5.0);
    send(M::move, 117, 59);     // 8 pixels up
    send(M::move, 2000, -1000); // the leap out of the window
    send(M::move, 2000, -1000); // a move that moves nothing
    send(M::leftUp, 2000, -1000);
    EXPECT_EQ(params.take(), (Calls{"3 = 0.625", "3 = 1", "3 = 1"}));
    EXPECT_FALSE(gui.holdsMouse(ctrl));
    EXPECT_TRUE(gui.isFocus(ctrl));
    send(M::move, 2100, -1000);
    EXPECT_TRUE(gui.isFocus(ctrl)) << "events outside the window reach no component";
    send(M::move, 5, 5);
    EXPECT_FALSE(gui.isFocus(ctrl));
}

// The second press of a double click arrives as a double click: it presses
// and captures, but the switch does not toggle again.
TEST_F(Components, ADoubleClickTogglesASwitchOnce)
{
    Paramctrl* ctrl = control(button, 40, 40, params, 2);
    for (M m : {M::leftDown, M::leftUp, M::leftDouble, M::leftUp})
        send(m, 50, 50);
    EXPECT_EQ(params.take(), Calls{"2 = 1"});
    EXPECT_FALSE(gui.holdsMouse(ctrl));
    Headless::paintAll(gui);
    EXPECT_EQ(shown(50, 50), on);
    click(50, 50);
    EXPECT_EQ(params.take(), Calls{"2 = 0"});
}

// A layer shows above one half only; hidden, it neither draws nor takes
// events, which reach the control under it.
TEST_F(Components, ConditionsShowStrictlyAboveOneHalf)
{
    control(button, 40, 40, params, 1);
    auto* layer = gui.root().add(std::make_unique<Panel>(30, 30, 0, &ui, 100, 60));
    control(*layer, button, 40, 40, params, 2);
    params.values[2] = 1.0;
    ui.values[0] = 0.5;
    gui.invalidate(30, 30, 100, 60);
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(shown(50, 50), off) << "the switch under the layer";
    click(50, 50);
    EXPECT_EQ(params.take(), Calls{"1 = 1"});

    params.values[2] = 0.0;
    ui.setNormalized(0.50001, 0, false);
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(shown(50, 50), off) << "the layer's switch over the one turned on";
    click(50, 50);
    EXPECT_EQ(params.take(), Calls{"2 = 1"});
}

// A panel's condition redraws the whole panel and none of its children,
// even those that watch the same parameter; a hidden panel tells its
// children of nothing.
TEST_F(Components, APanelsConditionRedrawsOnlyThePanel)
{
    ui.values[0] = 1.0;
    auto* layer = gui.root().add(std::make_unique<Panel>(30, 30, 0, &ui, 100, 60));
    control(*layer, button, 40, 40, ui, 0);
    control(*layer, knob, 70, 40, params, 4);
    Paramctrl* beside = control(button, 200, 40, ui, 0);
    Headless::takeInvalidated(gui);

    ui.setNormalized(0.0, 0, false);
    EXPECT_EQ(gui.take(), (Redrawn{layer, beside}));
    const auto asked = Headless::takeInvalidated(gui);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].x, 30);
    EXPECT_EQ(asked[0].y, 30);
    EXPECT_EQ(asked[0].w, 100);
    EXPECT_EQ(asked[0].h, 60);

    params.setNormalized(0.3, 4, false);
    EXPECT_TRUE(gui.take().empty());
}

// Every control of a parameter is redrawn, and only for its own set; a
// multi-parameter control for any index of its run, whatever the set.
TEST_F(Components, ValueChangesRedrawTheControlsBoundToThem)
{
    Params other;
    params.values[4] = params.values[7] = 1.0;
    Paramctrl* first = control(knob, 10, 10, params, 3);
    Paramctrl* second = control(button, 60, 10, params, 3);
    Paramctrl* elsewhere = control(knob, 100, 10, other, 3);
    auto* run = gui.root().add(std::make_unique<Multiparamctrl>(150, 10, 4, &params, knob, nullptr, params, 2, 3));
    auto* beyond = gui.root().add(std::make_unique<Multiparamctrl>(200, 10, 7, &params, knob, nullptr, params, 2, 3));
    gui.take();

    const struct {
        int index;
        Paramset& set;
        Redrawn expected;
    } changes[] = {{3, params, {first, second, run, beyond}},
                   {3, other, {elsewhere, run, beyond}},
                   {2, other, {run, beyond}},
                   {4, params, {run, beyond}},
                   {1, params, {}},
                   {5, other, {}},
                   {7, params, {}}};
    for (const auto& change : changes) {
        gui.valueChanged(change.index, change.set);
        EXPECT_EQ(gui.take(), change.expected) << change.index;
    }

    bool visible = true;
    for (auto [index, set, answer] : {std::tuple{4, &params, true}, {4, &other, false}, {2, &params, false}}) {
        EXPECT_EQ(run->valueChanged(gui, visible, index, set), answer) << index;
        EXPECT_EQ(gui.take(), Redrawn{run});
    }
}

// Text comes from the provider at each draw, cut to whole glyphs and
// aligned; images blend whole, never take the mouse, and hide with their
// condition.
TEST_F(Components, TextfieldsAndImagesOnRealPixels)
{
    auto fontImage = makeImage(dir.path(), 4 * 96, 6, [](int x, int) { return 0xFF000000u | (32 + x / 4) << 8; });
    auto* font = gui.addResource(std::make_unique<Pixelfont>(fontImage.get(), 4));
    Line line;
    line.line = "AB";
    auto* left = gui.root().add(std::make_unique<Textfield>(10, 120, Uicomp::noCondition, nullptr, *font, 22, line, 1));
    auto* centred =
        gui.root().add(std::make_unique<Textfield>(10, 140, Uicomp::noCondition, nullptr, *font, 22, line, 0));
    auto picture = makeImage(dir.path(), 8, 6, [](int x, int y) { return x == 7 && y == 5 ? 0u : grey; });
    gui.root().add(std::make_unique<Img>(60, 120, Uicomp::noCondition, nullptr, *picture));
    control(button, 100, 120, params, 5);
    auto* cover = gui.root().add(std::make_unique<Img>(105, 125, Uicomp::noCondition, nullptr, *picture));
    gui.root().add(std::make_unique<Img>(150, 120, 6, &params, *picture));
    params.values[6] = 0.5;
    Headless::paintAll(gui);

    EXPECT_EQ(left->width(), 22);
    EXPECT_EQ(left->height(), 6);
    EXPECT_EQ(line.requesters, (std::vector<const void*>{left, centred}));
    const auto glyph = [&](int x, int y) { return static_cast<char>(shown(x, y) >> 8 & 0xFF); };
    EXPECT_EQ(glyph(10, 120), 'A');
    EXPECT_EQ(glyph(14, 125), 'B');
    EXPECT_EQ(shown(18, 120), background);
    EXPECT_EQ(shown(15, 140), background) << "five cells wide, centred";
    EXPECT_EQ(glyph(16, 140), 'A');
    EXPECT_EQ(glyph(23, 145), 'B');
    EXPECT_EQ(shown(24, 140), background);

    EXPECT_EQ(cover->width(), 8);
    EXPECT_EQ(shown(60, 120), grey);
    EXPECT_EQ(shown(66, 125), grey);
    EXPECT_EQ(shown(67, 125), background) << "a transparent pixel";
    EXPECT_EQ(shown(68, 120), background);
    EXPECT_EQ(shown(150, 120), background) << "hidden";

    click(110, 128);
    EXPECT_EQ(params.take(), Calls{"5 = 1"}) << "the image over the switch takes no press";
}

// A control without a widget for its state draws nothing and ignores the
// gesture, though the press and release still capture and free the mouse.
TEST_F(Components, AMissingWidgetDrawsNothingAndIgnoresGestures)
{
    ui.values[0] = 1.0;
    params.values[3] = 0.5;
    auto* bare = gui.root().add(std::make_unique<Paramctrl>(100, 50, 0, &ui, knob, nullptr, params, 3));
    auto* swapped = gui.root().add(std::make_unique<Paramctrl>(200, 50, 0, &ui, knob, button, params, 3));
    send(M::leftDown, 117, 67);
    send(M::move, 117, 59);
    send(M::move, 117, 51);
    ui.setNormalized(0.0, 0, false);
    send(M::move, 117, 43);
    send(M::leftUp, 117, 43);
    EXPECT_EQ(params.take(), (Calls{"3 = 0.625", "3 = 0.75"})) << "nothing once hidden mid-gesture";
    EXPECT_FALSE(gui.holdsMouse(bare));

    Headless::paintAll(gui);
    bool visible = true;
    int x = 0, y = 0, w = 300, h = 200;
    bare->draw(gui, visible, x, y, w, h);
    swapped->draw(gui, visible, x, y, w, h);
    EXPECT_EQ(Headless::backPixel(gui, 117, 67), background);
    EXPECT_EQ(Headless::backPixel(gui, 210, 60), on) << "the alternate widget draws while hidden";

    auto* empty =
        gui.root().add(std::make_unique<Paramctrl>(10, 10, Uicomp::noCondition, nullptr, nullptr, nullptr, params, 3));
    click(12, 12);
    EXPECT_FALSE(gui.isFocus(empty)) << "without widgets a control takes no room";
}

// A control describes its parameter's value and units; an action sets a
// parameter as the editor does, not as the host would.
TEST_F(Components, ControlsDescribeTheirParameterAndActionsSetOne)
{
    Paramctrl* ctrl = control(knob, 10, 10, params, 3);
    params.values[3] = 0.25;
    EXPECT_EQ(ctrl->describe(), "2.50");
    params.units = "dB";
    EXPECT_EQ(ctrl->describe(), "2.50 dB");

    Setparameteraction about(ui, 666, 1.0);
    Action& action = about;
    action.execute();
    action.execute();
    EXPECT_EQ(ui.take(), (Calls{"666 = 1", "666 = 1"}));
}

// An editor-like tree: a knob and a switch that shows a layer holding a
// picture and a switch that hides it again, driven by window messages.
TEST_F(Components, AnEditorTreeEndToEnd)
{
    auto card = makeImage(dir.path(), 200, 100, [](int, int) { return grey; });
    auto* main = gui.root().add(std::make_unique<Panel>(0, 0, Uicomp::noCondition, nullptr, 300, 200));
    Paramctrl* knobCtrl = control(*main, knob, 40, 40, params, 3);
    Paramctrl* opener = control(*main, button, 120, 40, ui, 0);
    auto* layer = main->add(std::make_unique<Panel>(30, 30, 0, &ui, 200, 100));
    layer->add(std::make_unique<Img>(30, 30, Uicomp::noCondition, nullptr, *card));
    Paramctrl* closer = control(*layer, button, 200, 100, ui, 0);
    params.values[3] = 0.5;
    Headless::paintAll(gui);
    EXPECT_EQ(frameOf(shown(57, 57)), 50);
    EXPECT_EQ(shown(130, 50), off);
    EXPECT_EQ(shown(210, 110), background);

    // Each move turns the knob by its own step; a release where the last
    // move ended turns nothing.
    send(M::leftDown, 57, 57);
    send(M::move, 57, 49);
    send(M::move, 57, 41);
    send(M::leftUp, 57, 41);
    EXPECT_EQ(params.take(), (Calls{"3 = 0.625", "3 = 0.75"}));
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(frameOf(shown(57, 57)), 75);

    click(130, 50);
    EXPECT_EQ(ui.take(), Calls{"0 = 1"});
    EXPECT_TRUE(gui.isFocus(opener));
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(shown(57, 57), grey);
    EXPECT_EQ(shown(210, 110), on);

    send(M::leftDown, 57, 57);
    send(M::move, 57, 20);
    send(M::move, 57, 10);
    send(M::leftUp, 57, 10);
    EXPECT_TRUE(params.take().empty()) << "the layer covers the knob";
    EXPECT_FALSE(gui.isFocus(knobCtrl));

    click(210, 110);
    EXPECT_EQ(ui.take(), Calls{"0 = 0"});
    EXPECT_FALSE(gui.holdsMouse(closer));
    ASSERT_TRUE(Headless::paintPending(gui));
    EXPECT_EQ(frameOf(shown(57, 57)), 75);
    EXPECT_EQ(shown(130, 50), off);
    EXPECT_EQ(shown(210, 110), background);

    send(M::move, 57, 57);
    EXPECT_TRUE(gui.isFocus(knobCtrl));
}
