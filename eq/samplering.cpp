#include "samplering.h"

#include <algorithm>

Samplering::Samplering(int capacity)
    : capacity(capacity), mask(static_cast<std::uint32_t>(capacity - 1)),
      slots(std::make_unique<float[]>(static_cast<std::size_t>(capacity)))
{
}

int Samplering::read(std::uint32_t& position, float* out, int max, bool& lost)
{
    const std::uint32_t end = written.load(std::memory_order_acquire);
    std::uint32_t from = position;
    lost = false;
    // Every drop before end is seen here. A gap at or after position breaks
    // the run: samples before the last gap are skipped, and a gap past end
    // (a drop while this read began) skips them all.
    const std::uint32_t dropped = drops.load(std::memory_order_acquire);
    if (dropped != dropsSeen) {
        const auto ahead = static_cast<std::int32_t>(gapAt.load(std::memory_order_relaxed) - from);
        lost = ahead >= 0;
        if (ahead <= 0 || static_cast<std::uint32_t>(ahead) <= end - from) {
            from += static_cast<std::uint32_t>(std::max(ahead, 0));
            dropsSeen = dropped;
        } else {
            from = end;
        }
    }
    const auto room = static_cast<std::uint32_t>(std::min(capacity / 2, std::max(max, 0)));
    if (end - from > room) {
        lost = true;
        from = end - room;
    }
    readFrom.store(from, std::memory_order_release);
    reading.store(true, std::memory_order_seq_cst);
    // What the writer claimed before it could see the mark may replace the
    // oldest samples.
    const std::uint32_t reach = claimed.load(std::memory_order_seq_cst);
    if (reach - from > static_cast<std::uint32_t>(capacity)) {
        lost = true;
        from += std::min(reach - static_cast<std::uint32_t>(capacity) - from, end - from);
    }
    const std::uint32_t copied = end - from;
    for (std::uint32_t i = 0; i < copied; ++i)
        out[i] = slots[(from + i) & mask];
    reading.store(false, std::memory_order_release);
    // A skip before a read that copies nothing belongs to the next copy.
    lost = lost || skipPending;
    skipPending = lost && copied == 0;
    position = end;
    return static_cast<int>(copied);
}
