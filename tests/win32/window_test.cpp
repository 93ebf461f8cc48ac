// The Windows back end of the editor window, linked in directly: the drawing
// scene against the headless rendering, skin images, the window class of
// this module and other threads asking for redraws while windows come and go.
#include "framework/gui/window.h"

#include "common/drawingscene.h"
#include "loadeddll.h"
#include "framework/gui/skinbitmap.h"
#include "tools/vsthost/hostwindow.h"
#include "tools/vsthost/picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

using Framework::Window;

namespace {

// The scene's images and reference, copied beside this executable.
std::string sceneFolder()
{
    return besideExecutable("scene\\");
}

// A window of the scene's size whose paint makes a given drawing, the
// drawing scene unless told otherwise.
class Testwindow : public Window {
public:
    using Drawing = std::function<void(Window&)>;
    explicit Testwindow(Drawing drawing = [](Window& w) { Drawingscene::draw(w, sceneFolder()); })
        : Window(Drawingscene::width, Drawingscene::height), drawing(std::move(drawing))
    {
    }
    void paint(int&, int&, int&, int&) override
    {
        ++paints;
        drawing(*this);
    }
    void mouse(int&, int&, int&, bool&) override {}
    void graphicsReady() override { ++starts; }
    int paints = 0;
    int starts = 0;

private:
    Drawing drawing;
};

// What the window shows once it has painted all of itself.
Picture painted(Testwindow& window)
{
    InvalidateRect(static_cast<HWND>(window.handle()), nullptr, FALSE);
    UpdateWindow(static_cast<HWND>(window.handle()));
    Hostwindow::pump();
    return Picture::capture(static_cast<HWND>(window.handle()));
}

int channelDifference(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 24; shift += 8)
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

// A rectangle of the window; right and bottom lie outside it.
struct Area {
    int left, top, right, bottom;
};

// The colour of a line alone on plain ground, summed over the area, per channel, as the
// difference from the ground: what a line puts down, however its edges are
// shaded.
std::array<long, 3> ink(const Picture& picture, const Area& r)
{
    const std::uint32_t ground = picture.at(r.left, r.top);
    std::array<long, 3> sum = {0, 0, 0};
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] +=
                    static_cast<int>((picture.at(x, y) >> 8 * c) & 0xFF) - static_cast<int>((ground >> 8 * c) & 0xFF);
    return sum;
}

// Pixels of the region that a's line covers noticeably (an eighth of full
// strength or more) more than one pixel away from any that b's line touches.
int strayPixels(const Picture& a, const Picture& b, const Area& r)
{
    const std::uint32_t ground = a.at(r.left, r.top);
    auto touched = [&](const Picture& p, int x, int y, int least) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
               channelDifference(p.at(x, y), ground) >= least;
    };
    int stray = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            bool nearby = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    nearby = nearby || touched(b, x + dx, y + dy, 1);
            stray += touched(a, x, y, 32) && !nearby;
        }
    return stray;
}

bool registered()
{
    HMODULE self = GetModuleHandleA(nullptr);
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    return GetClassInfoExA(self, "fmwkwindow", &found) != 0;
}

} // namespace

// Blends, copies and fills land on the same pixels as the headless
// rendering, at 100 % and at 200 % (from the images' twins). Lines may shade
// their edges differently (Wine's GDI+ draws them without anti-aliasing),
// but each puts down as much of its colour, along the same path.
TEST(Win32window, DrawsTheSceneAsTheHeadlessWindowDoes)
{
    for (int scale : {100, 200}) {
        const int s = scale / 100;
        Hostwindow host(Drawingscene::width * s, Drawingscene::height * s);
        Testwindow window;
        window.setScale(scale);
        ASSERT_TRUE(window.open(host.handle()));
        const Picture shown = painted(window);
        const Picture expected = Picture::load(sceneFolder() + (s == 1 ? "expected.png" : "expected-200.png"));
        ASSERT_EQ(shown.width(), Drawingscene::width * s);
        ASSERT_EQ(expected.width(), Drawingscene::width * s);
        ASSERT_EQ(expected.height(), Drawingscene::height * s);

        int worst = 0, differing = 0;
        for (int y = 0; y < Drawingscene::height * s; ++y)
            for (int x = 0; x < Drawingscene::exactWidth * s; ++x) {
                const int d = channelDifference(shown.at(x, y), expected.at(x, y));
                worst = std::max(worst, d);
                differing += d > 0;
            }
        std::printf("%d %%: blends, copies and fills: %d pixels differ, by at most %d\n", scale, differing, worst);
        EXPECT_EQ(worst, 0);

        const Area zigzag = {Drawingscene::exactWidth * s, 0, Drawingscene::width * s, 105 * s};
        const Area flat = {Drawingscene::exactWidth * s, 105 * s, Drawingscene::width * s, Drawingscene::height * s};
        for (const Area& line : {zigzag, flat}) {
            const std::array<long, 3> drawn = ink(shown, line), reference = ink(expected, line);
            for (int c = 0; c < 3; ++c) {
                std::printf("line at y %d..%d, channel %d: %ld of the reference's %ld\n", line.top, line.bottom, c,
                            drawn[c], reference[c]);
                // Unsmoothed edges add ink in proportion to the pen's width.
                EXPECT_LE(std::abs(drawn[c] - reference[c]), std::abs(reference[c]) * s / 10 + 50) << "channel " << c;
            }
            EXPECT_EQ(strayPixels(shown, expected, line), 0);
            EXPECT_EQ(strayPixels(expected, shown, line), 0);
        }
        if (HasFailure())
            shown.save("scene-win32-" + std::to_string(scale) + ".png");
    }
}

// Images, fills and lines all stay inside the clip; after clearClip they
// reach everywhere again.
TEST(Win32window, TheClipHoldsForEveryKindOfDrawing)
{
    const Area clip = {40, 30, 80, 70};
    Testwindow window([&](Window& w) {
        Framework::Skinbitmap image("opaque.png");
        image.load(sceneFolder() + image.fileName);
        w.setColour(0xFF000000);
        w.fillRect(0, 0, Drawingscene::width, Drawingscene::height);
        w.setClip(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
        w.copyBackground(image, 0, 0, Drawingscene::width, Drawingscene::height);
        w.blend(image, 0, 0, image.width(), image.height(), 60, 50);
        w.setColour(0xFFFF0000);
        w.fillRect(0, 60, Drawingscene::width, 5);
        const Framework::Point across[] = {{0, 35}, {199, 35}};
        w.polyline(across, 2, 0xFF00FF00, 3.0f);
        w.clearClip();
        w.setColour(0xFF0000FF);
        w.fillRect(0, 110, Drawingscene::width, 10);
    });
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    ASSERT_TRUE(window.open(host.handle()));
    const Picture shown = painted(window);
    ASSERT_EQ(shown.height(), Drawingscene::height);
    int outside = 0, inside = 0;
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < Drawingscene::width; ++x) {
            const bool within = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
            const bool drawn = (shown.at(x, y) & 0xFFFFFF) != 0;
            outside += drawn && !within;
            inside += drawn && within;
        }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, (clip.right - clip.left) * (clip.bottom - clip.top) / 2);
    EXPECT_EQ(shown.at(5, 115), 0xFF0000FFu) << "drawn after the clip was cleared";
    EXPECT_EQ(shown.at(195, 115), 0xFF0000FFu);
}

TEST(Win32window, SkinImagesLoadOnlyWhileGraphicsRun)
{
    Framework::Skinbitmap image("opaque.png");
    EXPECT_FALSE(image.load(sceneFolder() + image.fileName)) << "no window has started GDI+";
    EXPECT_TRUE(image.empty());

    Hostwindow host(Drawingscene::width, Drawingscene::height);
    Testwindow window;
    ASSERT_TRUE(window.open(host.handle()));
    ASSERT_TRUE(image.load(sceneFolder() + image.fileName));
    EXPECT_GT(image.width(), 0);
    EXPECT_GT(image.height(), 0);
    EXPECT_FALSE(image.load(sceneFolder() + "missing.png"));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.width(), 0);
    EXPECT_EQ(image.brightness(), -1);
    EXPECT_FALSE(image.load(sceneFolder())) << "a folder is no image";
    EXPECT_EQ(image.fileName, "opaque.png");

    // An image larger than any the editor uses is refused, decodable or not.
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string wide = std::string(folder) + "vexatone-wide.png";
    ASSERT_TRUE(Picture(Framework::Skinbitmap::maxSide + 1, 1, 0xFF00FF00).save(wide));
    EXPECT_FALSE(image.load(wide));
    EXPECT_TRUE(image.empty());
    ASSERT_TRUE(Picture(Framework::Skinbitmap::maxSide, 1, 0xFF00FF00).save(wide));
    EXPECT_TRUE(image.load(wide));

    // Pixel art's brightness counts each pixel by its opacity, at any scale.
    image.keepPixelsWhole();
    Picture half(2, 1, 0xFF303030);
    half.at(1, 0) = 0;
    ASSERT_TRUE(half.save(wide));
    for (int scale : {100, 200}) {
        ASSERT_TRUE(image.load(wide, 1, scale));
        EXPECT_EQ(image.brightness(), 0x30) << scale;
    }
    DeleteFileA(wide.c_str());
}

TEST(Win32window, OpensOnlyInAWindowAndStartsGraphicsOnce)
{
    Testwindow window;
    EXPECT_FALSE(window.open(nullptr));
    EXPECT_FALSE(window.isOpen());
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(window.open(host.handle()));
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(GetParent(static_cast<HWND>(window.handle())), host.handle());
        window.close();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.handle(), nullptr);
    }
    EXPECT_EQ(window.starts, 1);
    ShowWindow(host.handle(), SW_HIDE);
    ASSERT_TRUE(window.open(host.handle()));
    EXPECT_FALSE(window.isVisible()) << "inside a hidden host window";
}

TEST(Win32window, TheClassLivesWhileAnyWindowOfThisModuleIsOpen)
{
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    Testwindow first, second;
    EXPECT_FALSE(registered());
    ASSERT_TRUE(first.open(host.handle()));
    ASSERT_TRUE(second.open(host.handle()));
    EXPECT_TRUE(registered());
    first.close();
    EXPECT_TRUE(registered());
    EXPECT_EQ(painted(second).width(), Drawingscene::width);
    EXPECT_GT(second.paints, 0);
    second.close();
    EXPECT_FALSE(registered());
}

TEST(Win32window, OtherThreadsMayInvalidateWhileWindowsComeAndGo)
{
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    Testwindow window([](Window& w) { w.fillRect(0, 0, w.width(), w.height()); });
    std::atomic<bool> stop{false};
    std::atomic<int> requests{0};
    std::thread automation([&] {
        while (!stop) {
            if (window.isVisible())
                window.invalidate(10, 10, 20, 20);
            window.invalidate(0, 0, Drawingscene::width, Drawingscene::height);
            ++requests;
        }
    });
    for (int cycle = 0; cycle < 200; ++cycle) {
        window.open(host.handle());
        Hostwindow::pump(5);
        window.close();
    }
    stop = true;
    automation.join();
    EXPECT_GT(requests.load(), 0);
    window.open(host.handle());
    EXPECT_EQ(painted(window).width(), Drawingscene::width);
}

// Graphs are drawn into the back buffer's pixels by the window itself: a
// white stroke on black leaves as much ink as its area, a fill takes the
// pixels whose centres lie under its line, and both keep to the clip.
TEST(Win32window, GraphsAndFillsLandInThePixelsWithinTheClip)
{
    const std::vector<Framework::Point> zigzag = {{20, 10}, {30, 50}, {40, 20}, {60, 100}};
    const std::vector<Framework::Point> ramp = {{100, 40}, {140, 80}};
    Testwindow window([&](Window& w) {
        w.setColour(0xFF000000);
        w.fillRect(0, 0, w.width(), w.height());
        w.graph(zigzag.data(), 4, 0xFFFFFFFF, 1.0f);
        w.setClip(0, 0, 130, 120);
        w.fillBelow(ramp.data(), 2, 100.0f, 0xFFFFFFFF);
        w.clearClip();
    });
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    ASSERT_TRUE(window.open(host.handle()));
    const Picture shown = painted(window);
    double ink = 0.0;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 90; ++x)
            ink += (shown.at(x, y) & 0xFF) / 255.0;
    const double length = std::hypot(10, 40) + std::hypot(10, 30) + std::hypot(20, 80);
    EXPECT_NEAR(ink, length, 0.03 * length);
    // The ramp's line at column x's centre: 40.5 + (x - 100); rows below it to 100.
    int filled = 0, misplaced = 0;
    for (int y = 0; y < 120; ++y)
        for (int x = 95; x < 150; ++x) {
            const bool lit = (shown.at(x, y) & 0xFF) == 0xFF;
            const bool under = x >= 100 && x < 130 && y + 0.5 >= 40.5 + (x - 100) && y < 100;
            filled += lit ? 1 : 0;
            misplaced += lit != under ? 1 : 0;
        }
    EXPECT_GT(filled, 1000);
    EXPECT_EQ(misplaced, 0);
}

// Requests made on the window's own thread reach the window system once,
// after the message being handled, and not request by request: each ask is
// a round trip to Wine's server.
TEST(Win32window, OwnRequestsReachTheSystemAfterTheMessage)
{
    Hostwindow host(Drawingscene::width, Drawingscene::height);
    Testwindow window;
    ASSERT_TRUE(window.open(host.handle()));
    Hostwindow::pump();
    const auto hwnd = static_cast<HWND>(window.handle());
    ValidateRect(hwnd, nullptr);
    for (int i = 0; i < 100; ++i) {
        window.invalidate(10 + i % 5, 20, 30, 40);
        window.invalidate(100, 110, 5, 5);
    }
    RECT pending{};
    EXPECT_FALSE(GetUpdateRect(hwnd, &pending, FALSE)) << "asked the window system at once";
    SendMessageA(hwnd, WM_NULL, 0, 0);
    ASSERT_TRUE(GetUpdateRect(hwnd, &pending, FALSE));
    EXPECT_EQ(pending.left, 10);
    EXPECT_EQ(pending.top, 20);
    EXPECT_EQ(pending.right, 105);
    EXPECT_EQ(pending.bottom, 115);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(hwnd, region, FALSE);
    EXPECT_FALSE(PtInRegion(region, 60, 90)) << "the two areas were joined";
    DeleteObject(region);
}
