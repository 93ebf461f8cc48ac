// The coverage a back end draws graphs with: a stroke covers as much of the
// pixels as its area, whatever its slope, within the segments' reach; a
// fill takes the rows whose centres lie under the line, as Cairo's does.
#include "framework/gui/graphcoverage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using Framework::Graphcoverage;
using Framework::Point;

namespace {

// The ink a stroke leaves over the columns it reaches, and its rows' span.
double ink(const std::vector<Point>& line, float width, int& highest, int& lowest)
{
    Graphcoverage coverage(line.data(), static_cast<int>(line.size()));
    std::vector<float> cover;
    double sum = 0.0;
    highest = 1 << 20;
    lowest = -(1 << 20);
    for (int x = coverage.firstColumn() - 4; x < coverage.endColumn() + 4; ++x) {
        int top = 0;
        coverage.stroke(x, width, cover, top);
        for (std::size_t r = 0; r < cover.size(); ++r) {
            sum += cover[r];
            EXPECT_LE(cover[r], 1.0f + 1e-5f);
            if (cover[r] > 0.0f) {
                highest = std::min(highest, top + static_cast<int>(r));
                lowest = std::max(lowest, top + static_cast<int>(r));
            }
        }
    }
    return sum;
}

} // namespace

TEST(Graphcoverage, StrokesCoverTheirAreaAndStayWithinReach)
{
    EXPECT_TRUE(Graphcoverage::isGraph(std::vector<Point>{{0, 0}, {1, 5}, {3, 2}}.data(), 3));
    EXPECT_FALSE(Graphcoverage::isGraph(std::vector<Point>{{0, 0}, {0, 5}}.data(), 2));
    EXPECT_FALSE(Graphcoverage::isGraph(std::vector<Point>{{0, 0}, {2, 5}, {1, 3}}.data(), 3));

    int highest = 0, lowest = 0;
    // Flat, 2 wide, centred on a row's middle: two full rows' worth.
    EXPECT_NEAR(ink({{10.5f, 20.5f}, {60.5f, 20.5f}}, 2.0f, highest, lowest), 100.0, 1e-3);
    EXPECT_EQ(highest, 19);
    EXPECT_EQ(lowest, 21);
    // A zigzag with steep and shallow segments: its length times its width,
    // less the corners its square ends leave at the two ends.
    const std::vector<Point> zigzag = {{150.5f, 10.5f}, {160.5f, 50.5f}, {170.5f, 20.5f}, {190.5f, 100.5f}};
    const double length = std::hypot(10, 40) + std::hypot(10, 30) + std::hypot(20, 80);
    EXPECT_NEAR(ink(zigzag, 1.0f, highest, lowest), length, 0.02 * length);
    EXPECT_GE(highest, 9);
    EXPECT_LE(lowest, 101);
    // A spectrum's jump of 80 rows between neighbouring columns stays a
    // line, not a block beyond its ends.
    EXPECT_NEAR(ink({{0.5f, 10.5f}, {1.5f, 90.5f}, {2.5f, 90.5f}}, 1.0f, highest, lowest), std::hypot(1, 80) + 1, 2.0);
    EXPECT_GE(highest, 9);
    EXPECT_LE(lowest, 91);
}

TEST(Graphcoverage, FillsTheRowsWhoseCentresLieUnderTheLine)
{
    const std::vector<Point> line = {{0.0f, 10.0f}, {10.0f, 20.0f}};
    Graphcoverage coverage(line.data(), 2);
    int top = 0, bottom = 0;
    ASSERT_TRUE(coverage.filled(0, 30.0f, top, bottom)); // the line at 10.5 there
    EXPECT_EQ(top, 10);
    EXPECT_EQ(bottom, 30);
    ASSERT_TRUE(coverage.filled(9, 30.0f, top, bottom)); // at 19.5
    EXPECT_EQ(top, 19);
    EXPECT_FALSE(coverage.filled(10, 30.0f, top, bottom)) << "past the line's end";
    EXPECT_FALSE(coverage.filled(4, 14.5f, top, bottom)) << "the line at the base";
}
