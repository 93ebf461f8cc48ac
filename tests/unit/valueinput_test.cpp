// Typed value entry on the headless edit box: which texts count as numbers
// and how they are read, what a Valueinput and a Dbinput show and write,
// and the life of the box.
#include "framework/gui/dbinput.h"
#include "framework/gui/numbertext.h"
#include "framework/gui/pixelfont.h"
#include "framework/gui/valueinput.h"

#include "canvas.h"
#include "framework/gui/headless/entryboxes.h"
#include "framework/gui/headless/screen.h"
#include "framework/plugin/paramset.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using namespace Framework;
using namespace Framework::Headless;

TEST(Numbertext, OnlySignedDecimalsWithOneSeparatorPass)
{
    for (const char* text : {"0", "+3", "-3", "1.5", "1,5", ".5", "5.", "--5", "-", "+", ",", "0123456789"})
        EXPECT_TRUE(isNumberText(text)) << text;
    for (const char* text : {"", "1.5.2", "1,5.2", "1,,5", "3+", "5-", "+-5", "-+5", "1e5", "abc", " 1", "1 ", "0x1"})
        EXPECT_FALSE(isNumberText(text)) << text;
}

TEST(Numbertext, ReadsTheLeadingNumberWithAPointOrAComma)
{
    const std::vector<std::pair<const char*, double>> cases = {
        {"2", 2.0},  {"-3", -3.0}, {"+3", 3.0},    {"1.25", 1.25}, {".5", 0.5},  {"-.5", -0.5},
        {"5.", 5.0}, {"6,5", 6.5}, {"--5", 0.0},   {"+-5", 0.0},   {"-", 0.0},   {"+", 0.0},
        {"", 0.0},   {",5", 0.5},  {"1.5.2", 1.5}, {"0.1", 0.1},   {"-0", -0.0},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(leadingNumber(text), number) << text;
    EXPECT_EQ(leadingNumber(std::string(400, '9')), HUGE_VAL);
    EXPECT_EQ(leadingNumber("-" + std::string(400, '9')), -HUGE_VAL);
    EXPECT_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(Numbertext, ReadsPointAndCommaAlikeUnderALocaleWithADecimalComma)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr) << "scripts/setup generates the locale";
    ASSERT_EQ(*std::localeconv()->decimal_point, ',');
    const double point = leadingNumber("1.5"), comma = leadingNumber("1,5");
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(point, 1.5);
    EXPECT_EQ(comma, 1.5);
}

namespace {

// One parameter with a range and a value that setValue changes.
class Rangedset : public Paramset {
public:
    double getValue(int) override { return value; }
    double getMax(int) override { return max; }
    double getMin(int) override { return min; }
    void setValue(double v, int index, bool fromHost) override
    {
        value = v;
        writes.push_back({v, index, fromHost});
    }

    struct Write {
        double value;
        int index;
        bool fromHost;
    };
    double value = 0.5, min = 0.0, max = 1.0;
    std::vector<Write> writes;
};

constexpr std::uint32_t background = 0xFF000020;

struct Valueentry : testing::Test {
    Tempfolder dir;
    Canvas canvas{120, 60};
    // 6 x 8 cells for the codes 32 to 127, each its code in red with a
    // transparent last column.
    std::unique_ptr<Skinbitmap> glyphs = makeImage(dir.path(), 6 * 96, 8, [](int px, int) {
        return px % 6 == 5 ? 0u : 0xFF005500u | static_cast<std::uint32_t>(32 + px / 6) << 16;
    });
    Pixelfont font{glyphs.get(), 6};
    Valueinput input{36, 17, 5, 7, 12, 0, font};
    Dbinput db{36, 17, 5, 7, 12, 0, font};
    Rangedset set;
    Binding binding{&set, 4};
    Mouseevent event;
    int x = 20, y = 30;

    void press(Widget& widget, int code = 1)
    {
        event.code = code;
        widget.mouse(canvas, x, y, binding, event);
    }
    // The one box open over the canvas.
    Editbox& box()
    {
        const std::vector<Editbox*> boxes = boxesOver(canvas);
        if (boxes.size() != 1)
            throw std::runtime_error(std::to_string(boxes.size()) + " boxes are open");
        return *boxes.front();
    }
    // Presses widget, types text into the new box and presses Enter.
    void enter(Widget& widget, const std::string& text)
    {
        press(widget);
        typeInto(box(), text);
        pressEnter(box());
    }
    // The glyph codes drawn along a row of the canvas, one per cell.
    std::string shown(int row)
    {
        std::string line;
        char last = 0;
        for (int px = 0; px < canvas.width(); ++px) {
            const std::uint32_t p = canvas.pixel(px, row);
            const char c = (p & 0xFF00) == 0x5500 ? static_cast<char>(p >> 16 & 0xFF) : 0;
            if (c && c != last)
                line += c;
            last = c;
        }
        return line;
    }
};

} // namespace

TEST_F(Valueentry, ShowsTheCurrentValueCentredInItsCells)
{
    canvas.clear(background);
    int state = 0;
    input.draw(canvas, x, y, state, binding, event);
    // Cells 30 wide from x + 3, text 8 high from y + 4; "0.50" centred in 5 cells.
    EXPECT_EQ(shown(y + 4), "0.50");
    EXPECT_EQ(shown(y + 11), "0.50");
    EXPECT_EQ(shown(y + 3), "");
    EXPECT_EQ(shown(y + 12), "");
    EXPECT_EQ(canvas.pixel(x + 3 + 3, y + 4) & 0xFF00, 0x5500u) << "first glyph half a cell in";
    EXPECT_NE(canvas.pixel(x + 3 + 2, y + 4) & 0xFF00, 0x5500u);

    set.value = 0.123456;
    canvas.clear(background);
    input.draw(canvas, x, y, state, binding, event);
    EXPECT_EQ(shown(y + 4), "0.12") << "the value now, not the one cached at a press";

    set.value = 1.0;
    canvas.clear(background);
    db.draw(canvas, x, y, state, binding, event);
    EXPECT_EQ(shown(y + 4), "0.0");
}

TEST_F(Valueentry, FormatsValuesAndDecibels)
{
    double v = 0.5, unity = 1.0, half = 0.5, big = 123.456;
    EXPECT_EQ(input.format(v), "0.50");
    EXPECT_EQ(input.format(big), "123.46");
    EXPECT_EQ(db.format(unity), "0.0");
    EXPECT_EQ(db.format(half), "-6.0");
}

TEST_F(Valueentry, APressOpensTheBoxOverTheControl)
{
    press(input, 2);
    press(input, 3);
    EXPECT_TRUE(boxesOver(canvas).empty()) << "only a left press opens the entry";
    EXPECT_EQ(input.entry(), nullptr);

    press(input);
    Editbox& opened = box();
    EXPECT_EQ(input.entry(), &opened);
    const Editbox::Layout layout = layoutOf(opened);
    EXPECT_EQ(layout.x, 20);
    EXPECT_EQ(layout.y, 30);
    EXPECT_EQ(layout.width, 36);
    EXPECT_EQ(layout.height, 17);
    EXPECT_EQ(layout.fontHeight, 12);
    EXPECT_EQ(layout.textLimit, 7);
    EXPECT_EQ(textOf(opened), "0.50");
    EXPECT_TRUE(hasFocus(opened));
    typeInto(opened, "1");
    EXPECT_EQ(textOf(opened), "1") << "the first key replaces the selected text";
    EXPECT_TRUE(set.writes.empty()) << "nothing is written before Enter";
}

TEST_F(Valueentry, EnterWritesTheTypedNumberHeldToTheRange)
{
    const std::vector<std::tuple<const char*, double, bool>> cases = {
        {"0.25", 0.25, false}, {"2", 1.0, true}, {"-3", 0.0, true}, {"+0.75", 0.75, false}, {"--5", 0.0, false},
        {"0,3", 0.3, false},
    };
    for (const auto& [text, expected, held] : cases) {
        set.value = 0.5;
        set.writes.clear();
        canvas.told.clear();
        enter(input, text);
        ASSERT_EQ(set.writes.size(), 1u) << text;
        EXPECT_EQ(set.writes[0].value, expected) << text;
        EXPECT_EQ(set.writes[0].index, 4);
        EXPECT_FALSE(set.writes[0].fromHost) << "a change made in the editor";
        EXPECT_TRUE(boxesOver(canvas).empty()) << text << ": Enter closes the box";
        EXPECT_EQ(input.entry(), nullptr);
        EXPECT_EQ(canvas.told.rfind("Held at", 0) == 0, held) << text << " tells it was held: " << canvas.told;
    }
}

TEST_F(Valueentry, TextThatIsNoNumberWritesNothingAndCloses)
{
    for (const char* text : {"abc", "1.5.2", "3+", "+-5", "1e2", "1 "}) {
        canvas.told.clear();
        enter(input, text);
        EXPECT_TRUE(set.writes.empty()) << text;
        EXPECT_TRUE(boxesOver(canvas).empty()) << text;
        EXPECT_EQ(canvas.told, "Type a number, as -6.5") << "why " << text << " changed nothing";
    }
    enter(input, "+3");
    ASSERT_EQ(set.writes.size(), 1u);
    EXPECT_EQ(set.writes[0].value, 1.0);
}

TEST_F(Valueentry, DbinputTakesDecibels)
{
    set.value = 1.0;
    set.min = 0.25;
    set.max = 4.0;
    enter(db, "-6");
    enter(db, "2,5");
    enter(db, "1000");
    enter(db, "-1000");
    ASSERT_EQ(set.writes.size(), 4u);
    EXPECT_DOUBLE_EQ(set.writes[0].value, std::pow(10.0, -0.3));
    EXPECT_DOUBLE_EQ(set.writes[1].value, std::pow(10.0, 0.125)) << "a decimal comma";
    EXPECT_EQ(set.writes[2].value, 4.0) << "an overflowing factor is held to the maximum";
    EXPECT_EQ(set.writes[3].value, 0.25);
}

TEST_F(Valueentry, TheBoxTakesAtMostTheLimitAndCommitsItAll)
{
    set.max = 1e9;
    press(input);
    typeInto(box(), "123456789");
    EXPECT_EQ(textOf(box()), "1234567");
    pressEnter(box());
    ASSERT_EQ(set.writes.size(), 1u);
    EXPECT_EQ(set.writes[0].value, 1234567.0);
}

TEST_F(Valueentry, ASecondPressReplacesTheBoxAndEscapeWritesNothing)
{
    press(input);
    typeInto(box(), "0.9");
    pressEscape(box());
    EXPECT_EQ(input.entry(), nullptr) << "Escape closes the box";
    EXPECT_TRUE(set.writes.empty());
    press(input);
    typeInto(box(), "0.1");
    set.value = 0.25;
    Binding other{&set, 9};
    event.code = 1;
    input.mouse(canvas, x, y, other, event);
    EXPECT_EQ(textOf(box()), "0.25") << "a new box with the value now";
    typeInto(box(), "0.75");
    pressEnter(box());
    ASSERT_EQ(set.writes.size(), 1u);
    EXPECT_EQ(set.writes[0].index, 9) << "the entry writes to the parameter of the last press";
}

TEST_F(Valueentry, UnderADecimalCommaLocaleAPointIsStillThePoint)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    enter(input, "0.75");
    std::setlocale(LC_ALL, before.c_str());
    ASSERT_EQ(set.writes.size(), 1u);
    EXPECT_EQ(set.writes[0].value, 0.75);
}

TEST_F(Valueentry, TheBoxGoesWithItsWindow)
{
    press(input);
    Editbox* opened = &box();
    EXPECT_EQ(input.entry(), opened);
    canvas.close();
    EXPECT_EQ(input.entry(), nullptr) << "the widget learns that the box is gone";
    EXPECT_TRUE(boxesOver(canvas).empty());

    press(input);
    EXPECT_EQ(input.entry(), nullptr) << "no box over a closed window";
    ASSERT_TRUE(canvas.open(parentWindow()));
    press(input);
    typeInto(box(), "1");
    pressEnter(box());
    ASSERT_EQ(set.writes.size(), 1u) << "the press on the reopened window writes once";
}

TEST_F(Valueentry, TheWidgetClosesItsOpenBox)
{
    {
        Valueinput local{36, 17, 5, 7, 12, 0, font};
        press(local);
        EXPECT_EQ(boxesOver(canvas).size(), 1u);
    }
    EXPECT_TRUE(boxesOver(canvas).empty());
}
