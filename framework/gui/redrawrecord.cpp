#include "redrawrecord.h"

#include <algorithm>

namespace Framework {

namespace {

std::uint64_t packed(const Redrawrecord::Area& a)
{
    const auto field = [](int v) { return static_cast<std::uint64_t>(std::clamp(v, 0, 0xFFFF)); };
    return field(a.left) << 48 | field(a.top) << 32 | field(a.right) << 16 | field(a.bottom);
}

Redrawrecord::Area unpacked(std::uint64_t box)
{
    return {static_cast<int>(box >> 48 & 0xFFFF), static_cast<int>(box >> 32 & 0xFFFF),
            static_cast<int>(box >> 16 & 0xFFFF), static_cast<int>(box & 0xFFFF)};
}

} // namespace

void Redrawrecord::add(const Area& area)
{
    std::uint64_t seen = box.load();
    std::uint64_t joined;
    do {
        const Area r = unpacked(seen);
        joined = seen ? packed({std::min(r.left, area.left), std::min(r.top, area.top), std::max(r.right, area.right),
                                std::max(r.bottom, area.bottom)})
                      : packed(area);
    } while (!box.compare_exchange_weak(seen, joined));
}

bool Redrawrecord::take(Area& area)
{
    const std::uint64_t taken = box.exchange(0);
    if (taken)
        area = unpacked(taken);
    return taken != 0;
}

} // namespace Framework
