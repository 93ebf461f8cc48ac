#include "graphcoverage.h"

#include <algorithm>
#include <cmath>

namespace Framework {

namespace {

// std::floor as an int, without the library call MinGW makes of it.
int floorOf(double v)
{
    const int whole = static_cast<int>(v);
    return whole - (v < whole ? 1 : 0);
}

} // namespace

bool Graphcoverage::isGraph(const Point* points, int count)
{
    if (!points || count < 2)
        return false;
    for (int i = 1; i < count; ++i)
        if (!(points[i].x > points[i - 1].x) || !std::isfinite(points[i].y) || !std::isfinite(points[i - 1].y))
            return false;
    return true;
}

Graphcoverage::Graphcoverage(const Point* points, int count)
    : points(points), count(count), first(floorOf(points[0].x)), end(static_cast<int>(std::ceil(points[count - 1].x)))
{
}

void Graphcoverage::at(double x, double& y, double& slope)
{
    if (x < points[segment].x)
        segment = 0;
    while (segment + 2 < count && x > points[segment + 1].x)
        ++segment;
    const Point a = points[segment], b = points[segment + 1];
    slope = (static_cast<double>(b.y) - a.y) / (static_cast<double>(b.x) - a.x);
    y = a.y + (x - a.x) * slope;
}

void Graphcoverage::shape(float lineWidth)
{
    if (lineWidth == shapedWidth)
        return;
    shapedWidth = lineWidth;
    segments.resize(static_cast<std::size_t>(count - 1));
    for (int i = 0; i + 1 < count; ++i) {
        const Point a = points[i], b = points[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y, length = std::sqrt(dx * dx + dy * dy);
        segments[static_cast<std::size_t>(i)] = {dy / dx, -dy / length * 0.5 * lineWidth, dx / length * 0.5 * lineWidth,
                                                 0.5 * lineWidth * length / dx};
    }
}

// Where the vertical line at x crosses the stroke of segment i, a rectangle
// with its ends cut square: its long sides and its ends, each where x
// reaches it. Widens [low, high].
void Graphcoverage::cross(int i, double x, double& low, double& high) const
{
    const Point a = points[i], b = points[i + 1];
    const Segment& s = segments[static_cast<std::size_t>(i)];
    const double reach = std::abs(s.nx);
    if (x < a.x - reach || x > b.x + reach)
        return;
    const auto take = [&](double y) {
        low = std::min(low, y);
        high = std::max(high, y);
    };
    for (const double side : {1.0, -1.0}) {
        const double left = a.x + side * s.nx, right = b.x + side * s.nx;
        if (x >= left && x <= right)
            take(a.y + side * s.ny + (x - left) * s.slope);
    }
    if (s.nx != 0.0)
        for (const Point end : {a, b})
            if (std::abs(x - end.x) <= reach)
                take(end.y + (x - end.x) / s.nx * s.ny);
}

void Graphcoverage::stroke(int column, float lineWidth, std::vector<float>& cover, int& top)
{
    shape(lineWidth);
    cover.clear();
    double tops[samples], bottoms[samples];
    int reached = 0;
    for (int k = 0; k < samples; ++k) {
        const double x = column + (k + 0.5) / samples;
        if (x < points[0].x - lineWidth || x > points[count - 1].x + lineWidth)
            continue;
        double y = 0.0, slope = 0.0;
        at(std::clamp<double>(x, points[0].x, points[count - 1].x), y, slope);
        // Half a width from a segment's ends, no other segment reaches: the
        // stroke is the band about the line. Elsewhere the segments whose
        // strokes reach x count, where they meet the hull of their crossings.
        if (x - points[segment].x >= 0.5 * lineWidth && points[segment + 1].x - x >= 0.5 * lineWidth) {
            const double half = segments[static_cast<std::size_t>(segment)].half;
            tops[reached] = y - half;
            bottoms[reached++] = y + half;
            continue;
        }
        double low = HUGE_VAL, high = -HUGE_VAL;
        cross(segment, x, low, high);
        for (int i = segment - 1; i >= 0 && points[i + 1].x + lineWidth >= x; --i)
            cross(i, x, low, high);
        for (int i = segment + 1; i + 1 < count && points[i].x - lineWidth <= x; ++i)
            cross(i, x, low, high);
        if (low < high) {
            tops[reached] = low;
            bottoms[reached++] = high;
        }
    }
    if (reached == 0)
        return;
    top = floorOf(*std::min_element(tops, tops + reached));
    const int bottom = static_cast<int>(std::ceil(*std::max_element(bottoms, bottoms + reached)));
    // Rows a sample crosses whole count as steps summed down the column; the
    // rows at its ends get their share apart.
    cover.assign(static_cast<std::size_t>(bottom - top + 1), 0.0f);
    const float share = 1.0f / samples;
    for (int k = 0; k < reached; ++k) {
        const int first = floorOf(tops[k]), last = floorOf(bottoms[k]);
        if (last > first + 1) {
            cover[static_cast<std::size_t>(first + 1 - top)] += share;
            cover[static_cast<std::size_t>(last - top)] -= share;
        }
    }
    for (std::size_t r = 1; r < cover.size(); ++r)
        cover[r] += cover[r - 1];
    for (int k = 0; k < reached; ++k) {
        const int first = floorOf(tops[k]), last = floorOf(bottoms[k]);
        const double topShare = std::min<double>(first + 1, bottoms[k]) - tops[k];
        cover[static_cast<std::size_t>(first - top)] += static_cast<float>(topShare * share);
        if (last > first)
            cover[static_cast<std::size_t>(last - top)] += static_cast<float>((bottoms[k] - last) * share);
    }
    cover.pop_back();
}

bool Graphcoverage::filled(int column, float baseY, int& top, int& bottom)
{
    const double x = column + 0.5;
    if (x < points[0].x || x >= points[count - 1].x)
        return false;
    double y = 0.0, slope = 0.0;
    at(x, y, slope);
    // Rows whose centre r + 0.5 lies in [y, baseY).
    top = static_cast<int>(std::ceil(std::min<double>(y, baseY) - 0.5));
    bottom = static_cast<int>(std::ceil(std::max<double>(y, baseY) - 0.5));
    return bottom > top;
}

} // namespace Framework
