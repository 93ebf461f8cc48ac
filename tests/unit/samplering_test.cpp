// The analyzer's ring between the audio thread and the editor's: what a
// reader that falls behind gets, and a writer and reader on two threads
// (run under ThreadSanitizer too), alone and as the equalizer's taps.
#include "equalizer.h"

#include "eq/samplering.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Reads until done, checking that the samples, a count from 0, come in
// order and that only a reported loss skips any; runs each() between
// reads. Answers the samples read, and counts them in copied as it goes.
template <class Each>
long readInOrder(Samplering& ring, const std::atomic<bool>& done, Each each, std::atomic<long>* copied = nullptr)
{
    std::vector<float> chunk(static_cast<std::size_t>(ring.size()));
    std::uint32_t position = 0;
    float expected = 0.0f;
    long total = 0;
    for (bool last = false; !last;) {
        last = done.load();
        bool lost = false;
        const int n = ring.read(position, chunk.data(), ring.size(), lost);
        for (int i = 0; i < n; ++i) {
            if (i > 0 || !lost) {
                EXPECT_EQ(chunk[i], expected) << "at " << total + i;
            }
            if (chunk[i] < expected)
                ADD_FAILURE() << "older sample " << chunk[i] << " after " << expected;
            expected = chunk[i] + 1.0f;
        }
        total += n;
        if (copied)
            copied->store(total);
        each();
    }
    return total;
}

} // namespace

TEST(Samplering, AFullRingKeepsTheNewest)
{
    Samplering ring(8);
    for (int block = 0; block < 4; ++block)
        ring.write(5, [&](int i) { return static_cast<float>(5 * block + i); });
    ring.write(20, [](int i) { return static_cast<float>(100 + i); });
    std::uint32_t position = 0;
    std::vector<float> out(16);
    bool lost = false;
    ASSERT_EQ(ring.read(position, out.data(), 16, lost), 4) << "at most half the ring";
    EXPECT_TRUE(lost);
    EXPECT_EQ(out[0], 116.0f);
    EXPECT_EQ(out[3], 119.0f);
    EXPECT_EQ(ring.read(position, out.data(), 16, lost), 0);
    EXPECT_FALSE(lost);
    ring.write(3, [](int i) { return static_cast<float>(i); });
    EXPECT_EQ(ring.read(position, out.data(), 2, lost), 2) << "at most the newest max";
    EXPECT_TRUE(lost);
    EXPECT_EQ(out[0], 1.0f);
}

// The reader copies while the writer laps it: every sample it keeps is in
// order, and it never waits for the writer nor the writer for it.
TEST(Samplering, WriterAndReaderOnTwoThreads)
{
    Samplering ring(256);
    std::atomic<bool> done{false};
    long read = 0;
    std::atomic<long> copied{0};
    std::thread reader([&] { read = readInOrder(ring, done, [] {}, &copied); });
    // A reader that the scheduler keeps waiting may find every copy lapped:
    // past the first 20000 blocks the writer makes way until it has one.
    for (int block = 0; block < 20000 || copied.load() == 0; ++block) {
        ring.write(64, [&](int i) { return static_cast<float>(64 * block + i); });
        if (block >= 20000)
            std::this_thread::yield();
    }
    done = true;
    reader.join();
    EXPECT_GT(read, 0);
}

// The equalizer's audio thread in 64-frame blocks of a count, while the
// editor's thread reads the input tap and analyses the output tap.
TEST(Samplering, EqualizerTapsOnTheAudioThread)
{
    Equalizer eq;
    eq.setSampleRate(48000.0f);
    Analyzerfeed& feed = eq.vex->analyzerFeed();
    feed.start(Analyzerfeed::input | Analyzerfeed::output);
    Analysis analysis(744);
    analysis.connect(feed);
    analysis.show(Analyzerfeed::output);
    std::atomic<bool> done{false};
    long read = 0;
    std::thread editor(
        [&] { read = readInOrder(*feed.ring(Analyzerfeed::input), done, [&] { analysis.frame(48000.0); }); });
    std::vector<float> left(64), right(64);
    for (int block = 0; block < 3000; ++block) {
        for (int i = 0; i < 64; ++i)
            left[i] = right[i] = static_cast<float>(64 * block + i);
        float* channels[2] = {left.data(), right.data()};
        eq.vex->process(channels, channels, 64);
    }
    done = true;
    editor.join();
    feed.stop();
    EXPECT_GT(read, 0);
    // Every block reached the tap, but for those dropped while the editor copied.
    const Samplering& output = *feed.ring(Analyzerfeed::output);
    EXPECT_EQ(output.count() + 64u * output.dropped(), 64u * 3000u);
}
