// How a line through points of ascending x (a graph: a response curve, a
// spectrum) covers device pixels, column by column, for back ends that draw
// it into their pixels themselves: a graph of hundreds of points costs a
// general anti-aliased path far more than it costs here.
#pragma once

#include "window.h"

#include <vector>

namespace Framework {

class Graphcoverage {
public:
    // Sub-columns each pixel column is sampled at.
    static constexpr int samples = 4;

    // Whether the points' x strictly ascend: only such a line is a graph.
    static bool isGraph(const Point* points, int count);

    // Points in device pixels, a graph of at least two points, where pixel
    // (c, r) spans [c, c + 1) x [r, r + 1): its centre is (c + 0.5, r + 0.5).
    // They must outlive this object.
    Graphcoverage(const Point* points, int count);

    // The columns the line reaches: [firstColumn, endColumn).
    int firstColumn() const { return first; }
    int endColumn() const { return end; }
    // The coverage (0 to 1) of the pixels of a column by a stroke of a width
    // centred on the line, its ends cut square: rows [top, top +
    // cover.size()); none when empty.
    void stroke(int column, float lineWidth, std::vector<float>& cover, int& top);
    // The rows of a column that an aliased fill between the line and the row
    // baseY covers, [top, bottom): those whose centres lie between them (the
    // centre of the column decides, as a rasterizer without smoothing does).
    // False when none.
    bool filled(int column, float baseY, int& top, int& bottom);

private:
    // The line's height and slope at x, which lies within its ends; leaves
    // segment at the segment there.
    void at(double x, double& y, double& slope);

    // A segment's slope, the offset from its line to its stroke's side, and
    // half its stroke's height.
    struct Segment {
        double slope, nx, ny, half;
    };
    // Works out the segments' strokes for a width.
    void shape(float lineWidth);
    void cross(int i, double x, double& low, double& high) const;

    const Point* const points;
    const int count;
    std::vector<Segment> segments;
    float shapedWidth = -1.0f;
    int first = 0, end = 0;
    int segment = 0; // the last segment looked at: columns come in order
};

} // namespace Framework
