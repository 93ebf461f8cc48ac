#include "redrawlist.h"

#include <algorithm>

namespace Framework {

namespace {

using Area = Redrawlist::Area;

Area joined(const Area& a, const Area& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

long size(const Area& a)
{
    return static_cast<long>(a.right - a.left) * (a.bottom - a.top);
}

} // namespace

void Redrawlist::add(const Area& area)
{
    for (int i = 0; i < held; ++i) {
        Area& a = areas[static_cast<std::size_t>(i)];
        const bool touches =
            area.left <= a.right && a.left <= area.right && area.top <= a.bottom && a.top <= area.bottom;
        if (touches) {
            a = joined(a, area);
            return;
        }
    }
    if (held < places) {
        areas[static_cast<std::size_t>(held++)] = area;
        return;
    }
    const auto growth = [&](const Area& a) { return size(joined(a, area)) - size(a); };
    Area& nearest = *std::min_element(areas.begin(), areas.end(),
                                      [&](const Area& a, const Area& b) { return growth(a) < growth(b); });
    nearest = joined(nearest, area);
}

} // namespace Framework
