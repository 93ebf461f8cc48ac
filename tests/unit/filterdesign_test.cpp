#include "eq/filterdesign.h"

#include "framework/plugin/log10map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Filterdesign;

namespace {

const Framework::Log10map bellWidths(0.0025, 0.95);
const Framework::Log10map shelfWidths(0.08090169943749476, 1.77);
const double fs = 88200.0;
const double atF0 = 1000.0 / fs;
const double notANumber = std::numeric_limits<double>::quiet_NaN();

Coefficients band(double type, int index, double gain, double on = 1.0, double f0 = 1000.0, double rate = fs)
{
    return designBand(on, type, f0, gain, 0.618, index, rate, bellWidths, shelfWidths);
}

bool same(const Coefficients& a, const Coefficients& b)
{
    for (int i = 0; i < 3; ++i)
        if (a.numerator[i] != b.numerator[i] || a.denominator[i] != b.denominator[i])
            return false;
    return true;
}

// Names a section by its response at 0 Hz, f0 and Nyquist, for sections
// designed with +12 dB where gain applies.
std::string kind(const Coefficients& set)
{
    const double low = magnitudeDb(set, 0.0), mid = magnitudeDb(set, atF0), high = magnitudeDb(set, 0.5);
    if (same(set, Coefficients::identity()))
        return "identity";
    if (std::isinf(low) || std::isinf(high))
        return std::isinf(low) ? "high-pass" : "low-pass";
    if (std::fabs(low) < 0.01 && std::fabs(high) < 0.01 && std::fabs(mid - 12.0) < 1e-9)
        return "bell";
    return std::fabs(low) < 1e-9 ? "high shelf" : "low shelf";
}

} // namespace

TEST(FilterdesignDispatch, TypeAndBandChooseTheSection)
{
    const char* expected[7][3] = {{"high-pass", "bell", "low shelf"}};
    for (int index = 1; index <= 6; ++index)
        expected[index][0] = "high shelf", expected[index][1] = "bell", expected[index][2] = "low shelf";
    expected[6][2] = "low-pass";
    for (int index = 0; index <= 6; ++index)
        for (int type = 0; type <= 2; ++type)
            EXPECT_EQ(kind(band(type, index, 12)), expected[index][type]) << index << " " << type;
    EXPECT_TRUE(same(band(0, 0, 0.0), highPass(1000, fs))); // no dead zone, gain ignored
}

TEST(FilterdesignDispatch, OnAndTypeGateTheBand)
{
    EXPECT_EQ(kind(band(1, 3, 12, 0.5)), "identity");
    EXPECT_EQ(kind(band(1, 3, 12, 0.5000001)), "bell");
    for (double type : {3.0, -1.0, 1e30, notANumber})
        EXPECT_EQ(kind(band(type, 3, 12)), "identity") << type;
    EXPECT_TRUE(same(band(2.9, 6, 12), band(2, 6, 12)));
    EXPECT_TRUE(same(band(-0.5, 0, 12), band(0, 0, 12)));
}

TEST(FilterdesignDispatch, WidthGoesThroughTheMapOfTheSectionKind)
{
    EXPECT_TRUE(same(band(1, 3, 12), bell(12, 1000, bellWidths.toReal(0.618), fs)));
    EXPECT_TRUE(same(band(0, 3, 12), highShelf(12, 1000, shelfWidths.toReal(0.618), fs)));
    EXPECT_TRUE(same(band(2, 3, 12), lowShelf(12, 1000, shelfWidths.toReal(0.618), fs)));
}

TEST(FilterdesignResponse, BellPeaksAtF0AndCutMirrorsBoost)
{
    const Coefficients boost = band(1, 3, 6), cut = band(1, 3, -6);
    EXPECT_NEAR(magnitudeDb(boost, atF0), 6.0, 1e-9);
    EXPECT_LT(magnitudeDb(boost, 20.0 / fs), 0.01);
    for (double x : {0.0, 20.0 / fs, atF0, 0.05, 0.5})
        EXPECT_NEAR(magnitudeDb(cut, x), -magnitudeDb(boost, x), 1e-9) << x;
}

// Reference levels from a separate evaluation of the designs through the
// complex transfer function.
TEST(FilterdesignResponse, DefaultWidthShapesMatchReference)
{
    const Coefficients boost = band(1, 3, 6), high = band(0, 3, 12), low = band(2, 3, 12);
    EXPECT_NEAR(magnitudeDb(boost, 2000.0 / fs), 2.528805335080, 1e-9);
    EXPECT_NEAR(magnitudeDb(boost, 0.5), 0.005406845408, 1e-9);
    // The narrow default shelf overshoots its gain above f0 and dips below it.
    EXPECT_NEAR(magnitudeDb(high, 2000.0 / fs), 15.831740746490, 1e-9);
    EXPECT_NEAR(magnitudeDb(high, 500.0 / fs), -3.840560544677, 1e-9);
    EXPECT_NEAR(magnitudeDb(low, 500.0 / fs), 15.840560544678, 1e-9);
}

TEST(FilterdesignResponse, ShelvesReachFullGainAtOneEndAndHalfAtF0)
{
    const Coefficients high = highShelf(12, 1000, 0.5, fs), low = lowShelf(12, 1000, 0.5, fs);
    EXPECT_NEAR(magnitudeDb(high, 1e-6), 0.0, 1e-6);
    EXPECT_NEAR(magnitudeDb(high, 0.5), 12.0, 1e-9);
    EXPECT_NEAR(magnitudeDb(low, 1e-6), 12.0, 1e-6);
    EXPECT_NEAR(magnitudeDb(low, 0.5), 0.0, 1e-9);
    EXPECT_NEAR(magnitudeDb(high, atF0), 6.0, 1e-9);
    EXPECT_NEAR(magnitudeDb(low, atF0), 6.0, 1e-9);
}

TEST(FilterdesignResponse, ButterworthIsHalfPowerAtF0)
{
    EXPECT_NEAR(magnitudeDb(highPass(1000, fs), atF0), -3.0103, 1e-4);
    EXPECT_NEAR(magnitudeDb(lowPass(1000, fs), atF0), -3.0103, 1e-4);
    EXPECT_NEAR(magnitudeDb(highPass(1000, fs), 0.5), 0.0, 1e-9);
    EXPECT_NEAR(magnitudeDb(lowPass(1000, fs), 0.0), 0.0, 1e-9);
}

TEST(FilterdesignDeadZone, OnlyGainsStrictlyInsideATenThousandthDecibelAreTransparent)
{
    for (auto design : {bell, highShelf, lowShelf}) {
        for (double gain : {0.00009, -0.00009, 0.0})
            EXPECT_TRUE(same(design(gain, 1000, 0.5, fs), Coefficients::identity())) << gain;
        for (double gain : {0.0001, -0.0001})
            EXPECT_FALSE(same(design(gain, 1000, 0.5, fs), Coefficients::identity())) << gain;
    }
}

// Reference coefficients from a high-precision evaluation of the same design.
TEST(FilterdesignHalfband, MatchesReferenceForNarrowAndWideTransitions)
{
    double coefficients[5] = {0, 0, 0, 0, -7.0};
    designHalfband(4, static_cast<double>(0.45f), coefficients);
    const double oversampler[4] = {0.0314546841645, 0.1337355062180, 0.3354011991949, 0.7056020780167};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(coefficients[i], oversampler[i], 1e-10) << i;
    EXPECT_EQ(coefficients[4], -7.0);

    // A steep transition, where the higher series terms count.
    designHalfband(4, 0.002, coefficients);
    const double steep[4] = {0.3785694033438, 0.7969213378250, 0.9480725531059, 0.9902400973799};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(coefficients[i], steep[i], 1e-10) << i;
}

TEST(FilterdesignBadInput, UnrealisableBandsAreFiniteAndHalfbandDesignReturns)
{
    for (double value : {0.0, -1000.0, 1e-300, 1e300, notANumber})
        for (int type = 0; type <= 2; ++type)
            for (const Coefficients& set : {band(type, 0, 6, 1, value), band(type, 6, 6, 1, 1000, value),
                                            band(type, 3, value), band(type, 99, 6, 1, value, value)}) {
                const double sum =
                    set.numerator[0] + set.numerator[1] + set.numerator[2] + set.denominator[1] + set.denominator[2];
                EXPECT_TRUE(std::isfinite(sum)) << value << " " << type;
            }
    double coefficients[4];
    for (double transition : {-1.0, 0.0, 0.5, 2.0, notANumber})
        designHalfband(4, transition, coefficients);
    designHalfband(4, 0.45, nullptr);
}

// Hosts at low rates run the sections at a rate whose Nyquist frequency lies
// below the corners a band may ask for: every design must stay stable.
TEST(Filterdesign, CornersAboveNyquistGiveStableSections)
{
    for (double rate : {16000.0, 22050.0, 32000.0}) {
        for (int index : {0, 3, 6})
            for (double type : {0.0, 1.0, 2.0})
                for (double f0 : {0.44 * rate, 0.5 * rate, 20000.0})
                    for (double gain : {-36.0, 12.0, 36.0}) {
                        const Coefficients set = band(type, index, gain, 1.0, f0, rate);
                        const double a1 = set.denominator[1], a2 = set.denominator[2];
                        EXPECT_TRUE(std::fabs(a2) < 1.0 && std::fabs(a1) < 1.0 + a2)
                            << rate << " " << index << " " << type << " " << f0 << " " << gain;
                        for (double x : {0.01, 0.2, 0.45})
                            EXPECT_TRUE(std::isfinite(magnitudeDb(set, x)));
                    }
        // A corner above the limit is designed at the limit, not dropped.
        EXPECT_TRUE(same(band(1.0, 3, 12.0, 1.0, 20000.0, rate), band(1.0, 3, 12.0, 1.0, 0.45 * rate, rate)));
        EXPECT_FALSE(same(band(2.0, 6, 0.0, 1.0, 20000.0, rate), Coefficients::identity()));
    }
}
