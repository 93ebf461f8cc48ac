// The whole editor, painted headless in the committed skins, against
// reference images made the same way: any change to the art, the layout or
// the curve shows. A failing comparison leaves NAME-actual.png and
// NAME-diff.png (differing pixels in red) in the working folder.
#include "openeditor.h"

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

namespace {

namespace fs = std::filesystem;

const std::string references = VEX_SOURCE_DIR "/tests/data/editor/";

// Paints the editor in a skin with the settings given, at a scale, and
// compares it with the reference: channels may differ by 8, and 40 pixels
// (in the layout's area) by more.
void expectLooksLike(const std::string& skin, const std::string& name, const std::function<void(Openeditor&)>& set,
                     int scale = 100)
{
    Openeditor editor;
    fs::copy(fs::path(VEX_SOURCE_DIR) / "skins" / skin, editor.dir.file("skins/Red"),
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    editor.gui.loadSkin("Red");
    editor.gui.setScale(scale);
    set(editor);
    editor.paint();
    const int w = editor.gui.deviceWidth(), h = editor.gui.deviceHeight();
    cairo_surface_t* reference = cairo_image_surface_create_from_png((references + name + ".png").c_str());
    const bool found = cairo_surface_status(reference) == CAIRO_STATUS_SUCCESS &&
                       cairo_image_surface_get_width(reference) == w && cairo_image_surface_get_height(reference) == h;
    int differing = 0;
    std::vector<bool> differs(static_cast<std::size_t>(w * h));
    if (found) {
        cairo_surface_flush(reference);
        const unsigned char* data = cairo_image_surface_get_data(reference);
        const int stride = cairo_image_surface_get_stride(reference);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const auto expected = reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
                if (channelDistance(expected, Framework::Headless::screenPixel(editor.gui, x, y)) > 8) {
                    differs[static_cast<std::size_t>(y * w + x)] = true;
                    ++differing;
                }
            }
    }
    cairo_surface_destroy(reference);
    const int allowed = 40 * scale * scale / 10000;
    if (!found || differing > allowed) {
        Framework::Headless::writeScreen(editor.gui, name + "-actual.png");
        writePng(name + "-diff.png", w, h, [&](int x, int y) {
            const std::uint32_t shown = Framework::Headless::screenPixel(editor.gui, x, y);
            return differs[static_cast<std::size_t>(y * w + x)] ? 0xFFFF0000u : 0xFF000000u | (shown >> 2 & 0x3F3F3F);
        });
    }
    ASSERT_TRUE(found) << "no reference " << name << ".png; the editor is in " << name << "-actual.png";
    EXPECT_LE(differing, allowed) << name << ": see " << name << "-actual.png and " << name << "-diff.png";
}

void everyKind(Openeditor& editor)
{
    const double gains[] = {0, 6, -9, 12, -3, 4.5, -12};
    const double types[] = {0, 1, 2, 1, 0, 1, 2};
    for (int b = 0; b < 7; ++b)
        editor.place(b, 0.08 + 0.14 * b, gains[b], types[b]);
    editor.vex->setValue(0.0, 5 * 5, true);
    editor.vex->setValue(0.8, 36, true);
    editor.vex->setValue(15.0, 35, true);
    editor.vex->setValue(2.0, 38, true);
    editor.vex->setValue(0.5, 37, true);
}

} // namespace

TEST(Editorpixels, FlatInRed)
{
    expectLooksLike("Red", "red-flat", [](Openeditor&) {});
}

TEST(Editorpixels, EveryBandKindInRed)
{
    expectLooksLike("Red", "red-bands", everyKind);
}

TEST(Editorpixels, EveryBandKindInIvory)
{
    expectLooksLike("Ivory", "ivory-bands", everyKind);
}

TEST(Editorpixels, AboutBoxInRed)
{
    expectLooksLike("Red", "red-about",
                    [](Openeditor& editor) { editor.gui.uistate().setNormalized(1.0, Vexgui::aboutIndex, false); });
}

// Larger editors draw from the skins' twice-size images: at 200 % as they
// are, at 150 % filtered down.
TEST(Editorpixels, EveryBandKindAtLargerSizes)
{
    for (int scale : {150, 200}) {
        expectLooksLike("Red", "red-bands-" + std::to_string(scale), everyKind, scale);
        expectLooksLike("Ivory", "ivory-bands-" + std::to_string(scale), everyKind, scale);
    }
}
