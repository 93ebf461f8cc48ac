// A ring of samples from one writing thread (the audio thread) to one
// reading thread (the editor's), without a lock or a system call. The
// writer never waits: when the reader falls behind by more than the ring
// holds, the oldest samples are overwritten, and the reader, which checks
// after copying how far the writer has claimed, skips what it lost. The
// slots are atomics, so that a copy the writer overtakes loses samples
// instead of racing for them.
#pragma once

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
        // Announced before any slot changes: a reader that sees a new slot
        // value sees this too (release stores, plain stores on x86).
        claimed.store(end, std::memory_order_relaxed);
        for (int i = count > capacity ? count - capacity : 0; i < count; ++i)
            slots[(start + static_cast<std::uint32_t>(i)) & mask].store(static_cast<float>(sample(i)),
                                                                        std::memory_order_release);
        writerPosition = end;
        written.store(end, std::memory_order_release);
    }

    // Reader: copies the samples written since position, at most the newest
    // max, to out, and moves position past everything written. Answers how
    // many it copied; lost tells whether samples in between were skipped
    // (overwritten, or more than max).
    int read(std::uint32_t& position, float* out, int max, bool& lost) const;
    // Reader: the position after the newest sample, where a reader starts.
    std::uint32_t end() const { return written.load(std::memory_order_acquire); }

    // How many samples were ever written, modulo 2^32; any thread.
    std::uint32_t count() const { return written.load(std::memory_order_relaxed); }
    int size() const { return capacity; }

private:
    const int capacity;
    const std::uint32_t mask;
    std::unique_ptr<std::atomic<float>[]> slots;
    std::atomic<std::uint32_t> claimed{0};
    std::atomic<std::uint32_t> written{0};
    std::uint32_t writerPosition = 0; // writer only
};
