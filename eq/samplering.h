// A ring of samples from one writing thread (the audio thread) to one
// reading thread (the editor's), without a lock or a system call. The
// writer never waits: a reader that falls behind by more than the ring
// holds finds the oldest samples overwritten and skips them. While the
// reader copies it marks where it copies from, and the writer leaves those
// slots alone (it drops its block in the rare case that it would need them),
// so that the slots are plain floats the writer fills in vector loops.
//
// Both sides publish first and look second, in sequentially consistent
// order: either the writer sees the reader's mark, or the reader sees how
// far the writer has claimed and keeps clear of what it may overwrite.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

class Samplering {
public:
    // Room for capacity samples, a power of two; allocates, so never on the
    // audio thread.
    explicit Samplering(int capacity);

    // Writer: appends count samples, sample(i) for i from 0; of a longer
    // run than the ring holds only the newest are stored. Never waits.
    template <class Source> void write(int count, Source sample)
    {
        if (count <= 0)
            return;
        const std::uint32_t start = writerPosition;
        const std::uint32_t end = start + static_cast<std::uint32_t>(count);
        claimed.store(end, std::memory_order_seq_cst);
        if (reading.load(std::memory_order_seq_cst)) {
            // Writing position p replaces position p - capacity.
            const std::uint32_t room = readFrom.load(std::memory_order_acquire) + size() - start;
            if (room < static_cast<std::uint32_t>(count) || room > static_cast<std::uint32_t>(size())) {
                gapAt.store(start, std::memory_order_relaxed);
                drops.store(drops.load(std::memory_order_relaxed) + 1, std::memory_order_release);
                return;
            }
        }
        const int first = count > capacity ? count - capacity : 0;
        for (int i = first; i < count;) {
            // In at most two runs of consecutive slots, so no index wraps.
            const std::uint32_t at = (start + static_cast<std::uint32_t>(i)) & mask;
            const int run = std::min(count - i, static_cast<int>(static_cast<std::uint32_t>(capacity) - at));
            float* slot = &slots[at];
            for (int k = 0; k < run; ++k)
                slot[k] = static_cast<float>(sample(i + k));
            i += run;
        }
        writerPosition = end;
        written.store(end, std::memory_order_release);
    }

    // Reader: copies the samples written since position, at most the newest
    // max (and half the ring), to out, and moves position past everything
    // written. Answers how many it copied; lost tells whether samples were
    // skipped before the copied ones: overwritten, more than it copies, or
    // at a dropped block.
    int read(std::uint32_t& position, float* out, int max, bool& lost);
    // Reader: the position after the newest sample, where a reader starts.
    std::uint32_t end() const { return written.load(std::memory_order_acquire); }

    // How many samples were ever written, modulo 2^32; any thread.
    std::uint32_t count() const { return written.load(std::memory_order_relaxed); }
    int size() const { return capacity; }
    // How many blocks the writer dropped; any thread.
    std::uint32_t dropped() const { return drops.load(std::memory_order_relaxed); }

private:
    const int capacity;
    const std::uint32_t mask;
    std::unique_ptr<float[]> slots;
    std::atomic<std::uint32_t> claimed{0};
    std::atomic<std::uint32_t> written{0};
    std::atomic<bool> reading{false};
    std::atomic<std::uint32_t> readFrom{0};
    // Blocks the writer dropped, and where the last one would have begun.
    std::atomic<std::uint32_t> drops{0};
    std::atomic<std::uint32_t> gapAt{0};
    std::uint32_t writerPosition = 0; // writer only
    std::uint32_t dropsSeen = 0;      // reader only
    bool skipPending = false;         // reader only
};
