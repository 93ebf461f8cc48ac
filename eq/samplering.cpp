#include "samplering.h"

#include <algorithm>
#include <cstring>

Samplering::Samplering(int capacity)
    : capacity(capacity), mask(static_cast<std::uint32_t>(capacity - 1)),
      slots(std::make_unique<std::atomic<float>[]>(static_cast<std::size_t>(capacity)))
{
    for (int i = 0; i < capacity; ++i)
        slots[static_cast<std::size_t>(i)].store(0.0f, std::memory_order_relaxed);
}

int Samplering::read(std::uint32_t& position, float* out, int max, bool& lost) const
{
    const std::uint32_t end = written.load(std::memory_order_acquire);
    const std::uint32_t room = static_cast<std::uint32_t>(std::min(capacity, std::max(max, 0)));
    std::uint32_t from = position;
    lost = end - from > room;
    if (lost)
        from = end - room;
    const std::uint32_t copied = end - from;
    for (std::uint32_t i = 0; i < copied; ++i)
        out[i] = slots[(from + i) & mask].load(std::memory_order_acquire);
    // Whatever the writer claimed by now may have replaced the oldest copies.
    const std::uint32_t reach = claimed.load(std::memory_order_relaxed);
    std::uint32_t overwritten = 0;
    if (reach - from > static_cast<std::uint32_t>(capacity))
        overwritten = std::min(copied, reach - from - static_cast<std::uint32_t>(capacity));
    if (overwritten > 0) {
        lost = true;
        std::memmove(out, out + overwritten, (copied - overwritten) * sizeof(float));
    }
    position = end;
    return static_cast<int>(copied - overwritten);
}
