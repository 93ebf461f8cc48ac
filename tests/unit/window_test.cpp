// The headless window: its drawing against a committed reference, what a
// paint restores, and the mouse messages mapped to event codes.
#include "framework/gui/window.h"

#include "canvas.h"
#include "common/drawingscene.h"
#include "framework/gui/skinbitmap.h"
#include "framework/gui/headless/screen.h"

#include <gtest/gtest.h>

#include <vector>

using Framework::Window;
namespace Headless = Framework::Headless;

namespace {

const std::string sceneFolder = VEX_SOURCE_DIR "/tests/data/scene/";

// A window that paints the drawing scene and records its calls.
class Scenewindow : public Window {
public:
    Scenewindow() : Window(Drawingscene::width, Drawingscene::height) {}
    void paint(int& x, int& y, int& w, int& h) override
    {
        painted.push_back({x, y, w, h});
        Drawingscene::draw(*this, sceneFolder);
    }
    void mouse(int& code, int& x, int& y, bool& shift) override
    {
        codes.push_back(code);
        captureSeen.push_back(Headless::holdsCapture(*this));
        (void)x, (void)y, (void)shift;
    }
    std::vector<Headless::Rect> painted;
    std::vector<int> codes;
    std::vector<bool> captureSeen;
};

} // namespace

// At 200 % the scene draws from its images' twins, its lines at full
// resolution: the reference is what the Windows back end is held against.
TEST(Headlesswindow, DrawsTheSceneAsTheReferenceShowsIt)
{
    for (int scale : {100, 200}) {
        const std::string name = scale == 100 ? "expected" : "expected-200";
        Scenewindow window;
        window.setScale(scale);
        ASSERT_TRUE(window.open(Headless::parentWindow()));
        Headless::paintAll(window);
        Framework::Skinbitmap expected(name + ".png");
        if (!expected.load(sceneFolder + expected.fileName, 1, 100)) {
            Headless::writeScreen(window, name + "-actual.png");
            FAIL() << "no reference: the drawing is in " << name << "-actual.png";
        }
        ASSERT_EQ(expected.width(), window.deviceWidth());
        // Compared through a second window that shows the reference as is.
        struct Referencewindow : Window {
            Framework::Skinbitmap& image;
            explicit Referencewindow(Framework::Skinbitmap& image) : Window(image.width(), image.height()), image(image)
            {
            }
            void paint(int& x, int& y, int& w, int& h) override { copyBackground(image, x, y, w, h); }
            void mouse(int&, int&, int&, bool&) override {}
        } reference(expected);
        ASSERT_TRUE(reference.open(Headless::parentWindow()));
        Headless::paintAll(reference);
        int differing = 0;
        for (int y = 0; y < window.deviceHeight(); ++y)
            for (int x = 0; x < window.deviceWidth(); ++x)
                if (Headless::screenPixel(window, x, y) != Headless::screenPixel(reference, x, y))
                    ++differing;
        if (differing)
            Headless::writeScreen(window, name + "-actual.png");
        EXPECT_EQ(differing, 0) << "the drawing is in " << name << "-actual.png";
    }
}

TEST(Headlesswindow, APaintRestoresOnlyWhatWasInvalid)
{
    Scenewindow window;
    window.invalidate(0, 0, 10, 10);
    EXPECT_TRUE(Headless::takeInvalidated(window).empty()) << "closed: nothing to invalidate";
    ASSERT_TRUE(window.open(Headless::parentWindow()));
    window.invalidate(20, 30, 10, 5);
    window.invalidate(25, 40, 10, 5);
    ASSERT_TRUE(Headless::paintPending(window));
    ASSERT_EQ(window.painted.size(), 1u);
    EXPECT_EQ(window.painted[0].x, 20);
    EXPECT_EQ(window.painted[0].y, 30);
    EXPECT_EQ(window.painted[0].w, 15);
    EXPECT_EQ(window.painted[0].h, 15);
    EXPECT_NE(Headless::screenPixel(window, 22, 32), 0u);
    EXPECT_EQ(Headless::screenPixel(window, 19, 32), 0u) << "outside the invalid rectangle the screen is untouched";
    EXPECT_FALSE(Headless::paintPending(window)) << "nothing left to paint";

    Headless::setHidden(window, true);
    window.invalidate(0, 0, 5, 5);
    EXPECT_EQ(Headless::takeInvalidated(window).size(), 2u) << "a hidden window takes no new requests";
    EXPECT_FALSE(Headless::paintPending(window));
}

// Presses take the system's capture, releases give it back; a double click
// leaves no button held, so the moves after it are plain moves.
TEST(Headlesswindow, MouseMessagesBecomeEventCodes)
{
    using M = Window::Mousemessage;
    Scenewindow window;
    ASSERT_TRUE(window.open(Headless::parentWindow()));
    for (M m : {M::move, M::leftDown, M::move, M::leftUp, M::move, M::rightDown, M::move, M::rightUp, M::leftDown,
                M::leftUp, M::leftDouble, M::leftUp, M::move, M::rightDouble, M::move})
        window.mouseMessage(m, 5, 5, false);
    EXPECT_EQ(window.codes, (std::vector<int>{0, 1, 7, 3, 0, 2, 8, 4, 1, 3, 5, 3, 0, 6, 0}));
    EXPECT_EQ(window.captureSeen, (std::vector<bool>{false, true, true, true, false, true, true, true, true, true,
                                                     false, false, false, false, false}));
    EXPECT_FALSE(Headless::holdsCapture(window));
}

// A component's clip lies inside the paint's: drawing stays in both, and
// each clearClip gives back the clip before it.
TEST(Headlesswindow, ClipsNest)
{
    Canvas canvas(60, 40);
    canvas.clear(0xFF000000);
    canvas.setClip(10, 10, 20, 20);
    canvas.setClip(20, 0, 100, 100);
    canvas.setColour(0xFFFFFFFF);
    canvas.fillRect(0, 0, 60, 40);
    canvas.clearClip();
    canvas.setColour(0xFFFF0000);
    canvas.fillRect(0, 0, 60, 40);
    EXPECT_EQ(canvas.pixel(25, 15), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(15, 15), 0xFFFF0000u);
    EXPECT_EQ(canvas.pixel(35, 15), 0xFF000000u);
    canvas.clearClip();
    canvas.clearClip(); // one too many changes nothing
    canvas.setColour(0xFF0000FF);
    canvas.fillRect(0, 0, 60, 40);
    EXPECT_EQ(canvas.pixel(35, 15), 0xFF0000FFu);
    canvas.setClip(10, 10, 20, 20);
    canvas.setClip(40, 0, 10, 10); // outside the first: nothing drawn
    canvas.setColour(0xFFFFFFFF);
    canvas.fillRect(0, 0, 60, 40);
    EXPECT_EQ(canvas.pixel(45, 5), 0xFF0000FFu);
    EXPECT_EQ(canvas.pixel(15, 15), 0xFF0000FFu);
}
