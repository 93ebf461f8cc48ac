// Lines of pixel-font text on real pixels: where they start, where they are
// cut, and the characters the glyph strip has no cell for.
#include "framework/gui/pixelfont.h"

#include "canvas.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace Framework;

namespace {

constexpr std::uint32_t background = 0xFF000020;

struct Textline : testing::Test {
    Tempfolder dir;
    Canvas canvas{80, 16};
    const int x = 10, y = 4;

    // A strip of 8-pixel-high cells for the codes 32 to last; each cell is
    // its code in red, with a transparent last column.
    std::unique_ptr<Skinbitmap> strip(int glyphWidth, int last)
    {
        return makeImage(dir.path(), glyphWidth * (last - 31), 8, [glyphWidth](int px, int) {
            const std::uint32_t code = 32 + static_cast<std::uint32_t>(px / glyphWidth);
            return px % glyphWidth == glyphWidth - 1 ? 0u : 0xFF005500u | code << 16;
        });
    }
    // The line drawn from x, one character per pixel column: the code of
    // the glyph there, '.' where the background shows.
    std::string drawn(const std::string& text, const Pixelfont& font, int maxChars, int alignment, int row = 3)
    {
        canvas.clear(background);
        drawText(text, font, canvas, x, y, maxChars, alignment);
        std::string line;
        for (int px = x; px < x + 36; ++px) {
            const std::uint32_t p = canvas.pixel(px, y + row);
            line += (p & 0xFF00) == 0x5500 ? static_cast<char>(p >> 16 & 0xFF) : '.';
        }
        return line;
    }
};

} // namespace

TEST_F(Textline, AlignsWithinTheFieldAndCutsAfterMaxChars)
{
    auto image = strip(6, 255);
    Pixelfont font(image.get(), 6);
    EXPECT_EQ(font.glyphHeight(), 8);
    EXPECT_EQ(drawn("12", font, 5, 0), ".........11111.22222................");
    EXPECT_EQ(drawn("12", font, 5, 2), "..................11111.22222.......");
    EXPECT_EQ(drawn("12", font, 5, 1), "11111.22222.........................");
    EXPECT_EQ(drawn("12", font, 5, 7), "11111.22222.........................");
    EXPECT_EQ(drawn("123456", font, 5, 1), "11111.22222.33333.44444.55555.......");
    EXPECT_EQ(drawn("123456", font, 5, 0), "11111.22222.33333.44444.55555.......");
    EXPECT_EQ(drawn("12", font, 5, 0, 7), ".........11111.22222................") << "the last row of the glyphs";
    EXPECT_EQ(drawn("12", font, 5, 0, 8), "....................................");

    // The centre offset truncates: (5 * 4 - 5 * 1) / 2 = 7.
    auto narrow = strip(5, 95);
    Pixelfont narrowFont(narrow.get(), 5);
    EXPECT_EQ(drawn("1", narrowFont, 4, 0), ".......1111.........................");
}

TEST_F(Textline, CharactersWithoutACellKeepTheirPlace)
{
    auto image = strip(6, 255);
    Pixelfont font(image.get(), 6);
    // 0xE9 is -23 as a signed code, before the strip; read unsigned it
    // would have a cell in this strip.
    EXPECT_EQ(drawn("\x1f"
                    "A\xe9"
                    "B",
                    font, 5, 1),
              "......AAAAA.......BBBBB.............");
    auto upper = strip(6, 95);
    Pixelfont upperOnly(upper.get(), 6);
    EXPECT_EQ(drawn("a_b", upperOnly, 5, 1), "......_____.........................") << "past the end of the strip";
}

TEST_F(Textline, AFontWithoutAnImageDrawsNothing)
{
    Skinbitmap missing("font.png");
    Pixelfont font(&missing, 6);
    EXPECT_EQ(font.glyphHeight(), 0);
    EXPECT_EQ(drawn("12", font, 5, 0), "....................................");
    Pixelfont none(nullptr, 6);
    EXPECT_EQ(drawn("12", none, 5, 2), "....................................");
}
