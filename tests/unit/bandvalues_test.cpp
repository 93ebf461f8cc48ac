// A band's values as the display's readout shows them and as the user types
// them: the Q it shows is the designed filter's, the units and shorthand
// people type are understood, and Enter is one edit and one step of the
// history while Escape and nonsense change nothing.
#include "openeditor.h"

#include "eq/bandwidth.h"
#include "eq/filterdesign.h"
#include "framework/gui/headless/entryboxes.h"
#include "framework/gui/numbertext.h"
#include "framework/plugin/log10map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

using namespace Vexparameters;
using Log = std::vector<std::pair<char, int>>;

TEST(Numbertext, ReadsTypedQuantitiesWithUnitsAndShorthand)
{
    const struct {
        const char* text;
        const char* unit;
        bool kilo;
        double number;
    } read[] = {{"1.2k", "hz", true, 1200.0},     {"1200 Hz", "hz", true, 1200.0}, {"1.2 kHz", "hz", true, 1200.0},
                {" 1,2KHZ ", "hz", true, 1200.0}, {"-3", "db", false, -3.0},       {"-3 dB", "db", false, -3.0},
                {"2,5", "db", false, 2.5},        {"Q 2", "q", false, 2.0},        {"+.5", "q", false, 0.5}};
    for (const auto& c : read) {
        double number = 0.0;
        EXPECT_TRUE(Framework::readQuantity(c.text, c.unit, c.kilo, number)) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
    for (const char* text : {"", "abc", "k", "hz", "-", "1.2.3", "1.2k", "3 dB dB", "1.2 m", "3 Hz"}) {
        double number = 7.0;
        EXPECT_FALSE(Framework::readQuantity(text, "db", false, number)) << text;
        EXPECT_EQ(number, 7.0) << text;
    }
}

namespace {

// The magnitude in dB of a section at f, evaluated on the unit circle.
double responseDb(const Coefficients& c, double f, double fs)
{
    const std::complex<double> z = std::polar(1.0, -2.0 * 3.141592653589793 * f / fs);
    const std::complex<double> b = c.numerator[0] + z * (c.numerator[1] + z * c.numerator[2]);
    const std::complex<double> a = c.denominator[0] + z * (c.denominator[1] + z * c.denominator[2]);
    return 20.0 * std::log10(std::abs(b / a));
}

// The Q of a bell between the frequencies where it has half its peak gain
// in dB, found on a fine logarithmic sweep.
double sweptQ(const Coefficients& c, double f0, double fs)
{
    const double half = responseDb(c, f0, fs) / 2.0;
    double lower = 0.0, upper = 0.0, f = 1.0;
    bool above = false;
    for (; f < fs / 2.0; f *= 1.0001) {
        const bool beyond = std::fabs(responseDb(c, f, fs)) > std::fabs(half);
        if (beyond && !above)
            lower = f;
        if (!beyond && above)
            upper = f;
        above = beyond;
    }
    return std::sqrt(lower * upper) / (upper - lower);
}

} // namespace

TEST(Bandwidth, TheShownQIsTheDesignedBellsWithinOnePercent)
{
    const double fs = 48000.0;
    for (double w : {0.3, 0.5, 0.618, 0.8})
        for (double g : {12.0, -6.0, 2.0}) {
            double values[bandValueCount] = {1.0, 1000.0, w, g, 1.0, 0.0, 0.0};
            Bandwidth::Width shown{};
            ASSERT_TRUE(Bandwidth::of(values, 3, 1.0, fs, shown));
            const double q = sweptQ(Filterdesign::designBand(values, 3, 1.0, fs), 1000.0, fs);
            EXPECT_NEAR(shown.q / q, 1.0, 0.01) << "width " << w << ", gain " << g;
            EXPECT_NEAR(Bandwidth::parameterFor(shown.q, values, 3, 1.0, fs), w, 1e-6);
        }
    double pass[bandValueCount] = {1.0, 100.0, 0.5, 0.0, 0.0, 0.0, 0.0};
    Bandwidth::Width none{};
    EXPECT_FALSE(Bandwidth::of(pass, 0, 1.0, fs, none)) << "the first band's high-pass has no width";
}

namespace {

// The editor with a font whose glyphs are solid cells, band 3 (index 2) a
// bell at 1 kHz and +6 dB under the pointer, so its values show.
struct Typedvalues : testing::Test {
    Openeditor editor;
    Log& log = editor.host.edits;

    void SetUp() override
    {
        writePng(editor.dir.file("skins/Red/font.png"), 6 * 96, 9, [](int, int) { return 0xFFFFFFFFu; });
        editor.gui.loadSkin("Red");
        editor.vex->setValue(1000.0, index(2, frequency), true);
        editor.place(2, editor.vex->getNormalized(index(2, frequency)), 6.0);
        const Framework::Point c = editor.handleCentre(2);
        editor.send(Openeditor::M::move, static_cast<int>(c.x), static_cast<int>(c.y));
        ASSERT_EQ(editor.display().readoutBand(), 2);
        log.clear();
    }
    // Clicks the readout's line (1 frequency, 2 gain, 3 width) and answers
    // the entry box it opened.
    Framework::Editbox* open(int line)
    {
        editor.paint();
        const Bandreadout& r = editor.display().readout();
        const int x = r.x() + r.width() / 2, y = r.lineTop(line) + 4;
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::leftDown, x, y);
        editor.send(Openeditor::M::leftUp, x, y);
        const auto boxes = Framework::Headless::boxesOver(editor.gui);
        return boxes.size() == 1 ? boxes.front() : nullptr;
    }
    void type(int line, const std::string& text)
    {
        Framework::Editbox* box = open(line);
        ASSERT_NE(box, nullptr);
        Framework::Headless::typeInto(*box, text);
        Framework::Headless::pressEnter(*box);
        EXPECT_TRUE(Framework::Headless::boxesOver(editor.gui).empty());
    }
    double value(Bandparameter p) { return editor.vex->getValue(index(2, p)); }
    std::string status() { return editor.vex->display().text(nullptr); }
};

} // namespace

TEST_F(Typedvalues, EnterWritesTheTypedValueAsOneEditAndOneStep)
{
    const Framework::Log10map frequencies(20.0, 20000.0);
    Framework::Editbox* box = open(1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(Framework::Headless::textOf(*box), "1.00 kHz");
    Framework::Headless::typeInto(*box, "1.2k");
    Framework::Headless::pressEnter(*box);
    // The parameter holds its real value: its normalized one is 1200 Hz's
    // to the last bit or two, and to the last bit of what the host reads.
    const int f = index(2, frequency);
    EXPECT_DOUBLE_EQ(editor.vex->getNormalized(f), frequencies.toNormalized(1200.0));
    EXPECT_EQ(static_cast<float>(editor.vex->getNormalized(f)), static_cast<float>(frequencies.toNormalized(1200.0)));
    EXPECT_EQ(log, (Log{{'b', f}, {'a', f}, {'e', f}}));
    ASSERT_TRUE(editor.vex->undo());
    EXPECT_DOUBLE_EQ(value(frequency), 1000.0) << "one step undoes the entry";
    EXPECT_FALSE(editor.vex->undo()) << "and nothing before it";

    for (const auto& [text, hertz] :
         {std::pair<const char*, double>{"1200 Hz", 1200.0}, {"2,5 kHz", 2500.0}, {"90k", 20000.0}, {"3", 20.0}}) {
        type(1, text);
        EXPECT_NEAR(value(frequency), hertz, hertz * 1e-12) << text;
    }
    for (const auto& [text, db] :
         {std::pair<const char*, double>{"-3 dB", -3.0}, {"2,5", 2.5}, {"+99", 36.0}, {"-40db", -36.0}}) {
        type(2, text);
        EXPECT_DOUBLE_EQ(value(gain), db) << text;
    }
    editor.paint();
    EXPECT_EQ(editor.display().readout().text(2), "-36.0 dB") << "a value out of range shows as held";
    EXPECT_EQ(status(), "Held at -36.0 dB") << "and the status line says so";
    type(1, "0");
    EXPECT_EQ(status().rfind("Held at 20", 0), 0u) << status();
}

TEST_F(Typedvalues, EscapeNonsenseAndTheUntouchedTextChangeNothing)
{
    const double before[] = {value(frequency), value(gain), value(width)};
    Framework::Editbox* box = open(2);
    ASSERT_NE(box, nullptr);
    Framework::Headless::typeInto(*box, "-12");
    Framework::Headless::pressEscape(*box);
    EXPECT_TRUE(Framework::Headless::boxesOver(editor.gui).empty());
    for (const char* text : {"abc", "1.2.3", "3 Hz", "1e9"}) {
        type(2, text);
        EXPECT_EQ(status(), "Type a gain: -3 dB") << "why " << text << " changed nothing";
    }
    type(1, "abc");
    EXPECT_EQ(status(), "Type a frequency: 1.2 kHz");
    type(2, "");
    box = open(3);
    ASSERT_NE(box, nullptr);
    Framework::Headless::pressEnter(*box);
    EXPECT_EQ(value(frequency), before[0]);
    EXPECT_EQ(value(gain), before[1]);
    EXPECT_EQ(value(width), before[2]);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(editor.vex->undo());
}

// The width's line takes a real Q, or octaves, and shows what it set.
TEST_F(Typedvalues, ATypedQIsTheQTheReadoutThenShows)
{
    type(3, "2");
    double values[bandValueCount];
    readBand(
        2, [this](int i) { return editor.vex->getValue(i); }, values);
    Bandwidth::Width set{};
    ASSERT_TRUE(Bandwidth::of(values, 2, 1.0, editor.vex->designRate(), set));
    EXPECT_NEAR(set.q, 2.0, 0.005);
    editor.paint();
    EXPECT_EQ(editor.display().readout().text(3).substr(0, 7), "Q 2.00 ");
    type(3, "1 oct");
    readBand(
        2, [this](int i) { return editor.vex->getValue(i); }, values);
    ASSERT_TRUE(Bandwidth::of(values, 2, 1.0, editor.vex->designRate(), set));
    EXPECT_NEAR(set.octaves, 1.0, 0.005);
}

// The readout shows the band under the pointer beside its handle, inside
// the display, and a press on the handle itself still drags it.
TEST_F(Typedvalues, TheReadoutSitsBesideItsHandleAndLeavesItsGesturesAlone)
{
    const Bandreadout& r = editor.display().readout();
    const Framework::Point c = editor.handleCentre(2);
    EXPECT_FALSE(r.overlaps(static_cast<int>(c.x) - 8, static_cast<int>(c.y) - 8, 16, 16));
    EXPECT_GE(r.x(), Layout::displayX);
    EXPECT_LE(r.x() + r.width(), Layout::displayX + Layout::displayW);
    EXPECT_EQ(r.text(0), "3 bell");
    EXPECT_EQ(r.text(1), "1.00 kHz");
    EXPECT_EQ(r.text(2), "+6.0 dB");
    // It goes with the pointer: onto the status line, which lies over the
    // display, and out of the window.
    const auto moveTwice = [this](int x, int y) {
        editor.send(Openeditor::M::move, x, y);
        editor.send(Openeditor::M::move, x, y);
    };
    moveTwice(Layout::statusX + 40, Layout::statusY + 4);
    EXPECT_EQ(editor.display().readoutBand(), -1);
    moveTwice(static_cast<int>(c.x), static_cast<int>(c.y));
    EXPECT_EQ(editor.display().readoutBand(), 2);
    editor.gui.pointerLeft();
    EXPECT_EQ(editor.display().readoutBand(), -1);
    editor.drag(static_cast<int>(c.x), static_cast<int>(c.y), 0, -26);
    EXPECT_TRUE(Framework::Headless::boxesOver(editor.gui).empty());
    EXPECT_NEAR(value(gain), 8.0, 0.2);
    EXPECT_EQ(editor.display().readoutBand(), 2) << "the band touched last";
}
