#include "framework/plugin/numberformat.h"
#include "framework/plugin/readouts.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>

using namespace Framework;

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(FormatFixed, WritesExactlyTheDecimalsRoundedToNearest)
{
    EXPECT_EQ(formatFixed(1000.0, 1), "1000.0");
    EXPECT_EQ(formatFixed(-3.5, 2), "-3.50");
    EXPECT_EQ(formatFixed(0.618, 2), "0.62");
    EXPECT_EQ(formatFixed(999.999, 2), "1000.00");
    EXPECT_EQ(formatFixed(-0.004, 2), "-0.00");
    EXPECT_EQ(formatFixed(1e21, 0), "1000000000000000000000");
    EXPECT_EQ(formatFixed(2.6, -3), "3");
    EXPECT_EQ(formatFixed(0.5, 100), "0.50000000000000000");
}

TEST(FormatFixed, SurvivesExtremeValues)
{
    EXPECT_EQ(formatFixed(nan, 2), "nan");
    EXPECT_EQ(formatFixed(inf, 2), "inf");
    EXPECT_EQ(formatFixed(-inf, 2), "-inf");
    const std::string largest = formatFixed(-DBL_MAX, 100);
    EXPECT_EQ(largest.size(), 1u + 309 + 1 + 17);
    EXPECT_EQ(largest.substr(0, 8), "-1797693");
    EXPECT_EQ(formatFixed(DBL_TRUE_MIN, 100), "0.00000000000000000");
}

TEST(FormatInt, WritesPlainDecimal)
{
    EXPECT_EQ(formatInt(7), "7");
    EXPECT_EQ(formatInt(std::numeric_limits<int>::min()), "-2147483648");
}

struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Puts a comma-decimal C++ locale in force and restores both locales afterwards.
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override { savedCpp = std::locale::global(std::locale(std::locale::classic(), new CommaPunct)); }
    void TearDown() override
    {
        std::locale::global(savedCpp);
        std::setlocale(LC_ALL, savedC.c_str());
    }
    std::string savedC = std::setlocale(LC_ALL, nullptr);
    std::locale savedCpp;
};

TEST_F(CommaLocale, CppLocaleKeepsThePoint)
{
    EXPECT_EQ(formatFixed(12345.678, 2), "12345.68");
    EXPECT_EQ(formatInt(12345), "12345");
}

TEST_F(CommaLocale, CLocaleKeepsThePoint)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no comma-decimal C locale installed";
    EXPECT_EQ(formatFixed(12345.678, 2), "12345.68");
}

// The readouts are used through their base, as the parameter model holds them.
std::string text(const Readout& readout, double normalized, double value)
{
    return readout.text(normalized, value);
}

TEST(Readouts, NumberReadoutsFormatTheRealValue)
{
    EXPECT_EQ(text(Realvaluereadout(1), 0.25, 440.0), "440.0");
    const Unitsreadout gain("dB", 1, 0.0);
    EXPECT_EQ(text(gain, 0.9, -3.26), "-3.3");
    EXPECT_EQ(text(gain, 0.9, -0.0), "0.0");
    EXPECT_EQ(text(Unitsreadout("dB", 1, 10.0), 0.9, -3.26), "6.7");
    const Dbreadout volume(1);
    EXPECT_EQ(text(volume, 0.1, 1.0), "0.0");
    EXPECT_EQ(text(volume, 0.1, 0.5), "-6.0");
    EXPECT_EQ(text(volume, 0.1, std::pow(10.0, 0.6)), "12.0");
    EXPECT_EQ(text(volume, 0.1, 0.0), "-inf");
}

TEST(Readouts, SelectionTruncatesAndRejectsIndexesOutsideTheList)
{
    const Selectionreadout modes({"ST", "L", "M", "R"});
    EXPECT_EQ(text(modes, 0.0, 2.0), "M");
    EXPECT_EQ(text(modes, 0.0, 2.999), "M");
    EXPECT_EQ(text(modes, 0.0, 3.7), "R");
    EXPECT_EQ(text(modes, 0.0, 1.9), "L");
    EXPECT_EQ(text(modes, 0.0, -0.5), "ST");
    for (double outside : {4.0, -1.0, -4294967295.0, 4294967297.0, 1e300, inf, -inf, nan})
        EXPECT_EQ(text(modes, 0.0, outside), "") << outside;
    EXPECT_EQ(text(Selectionreadout({}), 0.0, 0.0), "");
}

TEST(Readouts, SwitchTestsTheNormalizedValue)
{
    const Switchreadout onOff("off", "on");
    EXPECT_EQ(text(onOff, 0.5, 1.0), "off");
    EXPECT_EQ(text(onOff, 0.51, 0.0), "on");
    EXPECT_EQ(text(onOff, nan, 1.0), "off");
}

TEST(Readouts, OnlyUnitAndDecibelReadoutsHaveUnits)
{
    EXPECT_EQ(Unitsreadout("hz", 1, 0.0).units(), "hz");
    EXPECT_EQ(Dbreadout(1).units(), "dB");
    EXPECT_EQ(Realvaluereadout(1).units(), "");
    EXPECT_EQ(Selectionreadout({"a"}).units(), "");
    EXPECT_EQ(Switchreadout("off", "on").units(), "");
}

} // namespace
