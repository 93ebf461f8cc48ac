// Host automation on the audio thread, through the effect instance as a host
// drives it: it never allocates and never waits, whatever other threads do,
// and a value it could not store at once is heard at a later tick, the
// host's last value winning.
#include "framework/vst/vstplugin.h"

#include "allocations.h"
#include "common/fakehost.h"
#include "eq/editor/vexbuilder.h"
#include "eq/editor/vexgui.h"
#include "eq/vex.h"
#include "equalizer.h"
#include "records.h"
#include "module/factory.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace {

using namespace Vexparameters;

// The equalizer with its plug-in lock within the test's reach.
class Lockedvex : public Vex {
public:
    template <class... Args> explicit Lockedvex(Args&&... args) : Vex(std::forward<Args>(args)...) { last = this; }
    Framework::Lock& pluginLock() { return lock; }
    // Changes taken on the audio thread, counted.
    void parameterChanged(int index, bool onAudioThread) override
    {
        if (onAudioThread)
            ++takenOnAudioThread;
        Vex::parameterChanged(index, onAudioThread);
    }
    std::atomic<int> takenOnAudioThread{0};
    static inline Lockedvex* last = nullptr;
};

using Instance = Framework::VSTplugin<Lockedvex, Vexgui, Vexbuilder>;

struct Audiothread : testing::Test {
    Tempfolder dir;
    std::unique_ptr<Instance> effect;
    AEffect* e = nullptr;
    std::array<std::vector<float>, 2> buffers;

    void SetUp() override
    {
        Fakehost::reset();
        effect = std::make_unique<Instance>(Fakehost::callback, vexatoneInfo(), Equalizer::handlers(), "Red");
        e = effect->getAeffect();
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    }
    // One block of a 1 kHz sine at amplitude 0.5; answers the output's peak.
    float block(int frames, int& phase)
    {
        for (auto& channel : buffers)
            channel.resize(static_cast<std::size_t>(frames));
        for (int n = 0; n < frames; ++n, ++phase)
            buffers[0][static_cast<std::size_t>(n)] = buffers[1][static_cast<std::size_t>(n)] =
                0.5f * static_cast<float>(std::sin(2.0 * M_PI * 1000.0 * phase / 48000.0));
        float* channels[2] = {buffers[0].data(), buffers[1].data()};
        e->processReplacing(e, channels, channels, frames);
        float peak = 0.0f;
        for (float s : buffers[0])
            peak = std::max(peak, std::fabs(s));
        return peak;
    }
    static float gainFor(double dB) { return static_cast<float>((dB + 36.0) / 72.0); }
};

} // namespace

// Band 4, a bell at 1 kHz: the audio thread automates its gain while another
// thread holds the plug-in lock. The calls come back at once, the sound keeps
// its old gain, and once the lock is free the last value is heard.
TEST_F(Audiothread, ValuesParkedWhileTheLockIsHeldAreHeardLaterTheLastOneWinning)
{
    const int gain4 = index(3, gain);
    e->setParameter(e, index(3, frequency), static_cast<float>(Lockedvex::last->frequencyMap.toNormalized(1000.0)));
    int phase = 0;
    for (int n = 0; n < 10; ++n)
        block(480, phase); // this thread is now the audio thread
    const float flat = block(480, phase);

    std::atomic<bool> held{false}, release{false};
    std::thread holder([&] {
        const Framework::Lock::Guard hold(Lockedvex::last->pluginLock());
        held = true;
        // Gives up after a while, so a setter that waits fails the test
        // instead of hanging it.
        for (int wait = 0; wait < 1000 && !release; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    });
    while (!held)
        std::this_thread::yield();
    for (double dB : {-12.0, 18.0, 6.0})
        e->setParameter(e, gain4, gainFor(dB));
    const bool returnedWhileHeld = !release;
    for (int n = 0; n < 4; ++n)
        EXPECT_NEAR(block(480, phase), flat, 1e-3) << "nothing is heard while the lock is held";
    release = true;
    holder.join();
    EXPECT_TRUE(returnedWhileHeld) << "automation on the audio thread waited for the lock";

    block(480, phase);
    EXPECT_NEAR(Lockedvex::last->edited().values[slot(gain4)], 6.0, 1e-4);
    EXPECT_NEAR(e->getParameter(e, gain4), gainFor(6.0), 1e-6f);
    block(4800, phase);
    EXPECT_NEAR(20.0 * std::log10(block(4800, phase) / flat), 6.0, 0.1);
    EXPECT_EQ(Lockedvex::last->display().text(nullptr), "4: bell 1.00 kHz +6.0 dB");
}

// A host's audio thread plays 64-frame blocks with three automated
// parameters per block while another thread switches programs and loads
// bank chunks: the audio thread allocates nothing.
TEST_F(Audiothread, AutomationAllocatesNothingWhileProgramsAndChunksChange)
{
    void* data = nullptr;
    const auto size = static_cast<int>(e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f));
    const std::vector<char> bank(static_cast<const char*>(data), static_cast<const char*>(data) + size);

    std::atomic<bool> done{false};
    long audioAllocations = -1;
    const int automated[] = {index(2, gain), index(5, frequency), volume, index(3, placement), index(0, slope), index(0, type)};
    std::thread audio([&] {
        int phase = 0;
        block(64, phase);
        Allocations::start();
        for (int b = 0; b < 3000; ++b) {
            for (int i : automated)
                e->setParameter(e, i, static_cast<float>(b % 100) / 100.0f);
            block(64, phase);
        }
        audioAllocations = Allocations::stop();
        done = true;
    });
    for (int round = 0; !done; ++round) {
        if (round % 2)
            e->dispatcher(e, effSetProgram, 0, round % 127, nullptr, 0.0f);
        else
            e->dispatcher(e, effSetChunk, 0, size, const_cast<char*>(bank.data()), 0.0f);
    }
    audio.join();
    EXPECT_EQ(audioAllocations, 0);
}

// Automation on the audio thread only records the value: taking it (the lock,
// the band's design request, the editor's news) waits for the block's tick,
// so that setParameter never wakes a thread that waits for the lock. The
// host reads the value back at once, and the block hears it.
TEST_F(Audiothread, SetParameterOnlyRecordsTheValueForTheNextTick)
{
    const int gain4 = index(3, gain);
    e->setParameter(e, index(3, frequency), static_cast<float>(Lockedvex::last->frequencyMap.toNormalized(1000.0)));
    int phase = 0;
    for (int n = 0; n < 10; ++n)
        block(480, phase); // this thread is now the audio thread
    const float flat = block(480, phase);
    const int before = Lockedvex::last->takenOnAudioThread.load();
    e->setParameter(e, gain4, gainFor(-12.0));
    e->setParameter(e, gain4, gainFor(6.0));
    EXPECT_EQ(Lockedvex::last->takenOnAudioThread, before) << "taken in setParameter";
    EXPECT_NEAR(e->getParameter(e, gain4), gainFor(6.0), 1e-6f);
    // A host that saves its state before the next block saves the value.
    void* data = nullptr;
    const VstIntPtr size = e->dispatcher(e, effGetChunk, 1, 0, &data, 0.0f);
    EXPECT_NEAR(Records::program(data, static_cast<std::size_t>(size)).values[slot(gain4)], 6.0, 1e-4);
    block(480, phase);
    EXPECT_EQ(Lockedvex::last->takenOnAudioThread, before + 1) << "the last value, taken once";
    block(4800, phase);
    EXPECT_NEAR(20.0 * std::log10(block(4800, phase) / flat), 6.0, 0.1);
}

// A host that changes programs on the thread that last processed audio, and
// sends the plug-in's automation back through setParameter, selects program
// 4 and then program 0 with no block between (and with a bank chunk taken
// between the two): program 0's values hold, at once and after a block.
TEST_F(Audiothread, ProgramChangesOnTheAudioThreadKeepTheLastProgram)
{
    Vexbank bank{};
    for (Vexprogram& p : bank.programs)
        Vex::defaults(p);
    for (int b = 0; b < 7; ++b)
        bank.programs[4].values[slot(b, gain)] = -9.0 + b;
    const Records::Bytes whole = Records::bank(bank, 0);
    for (bool chunkBetween : {false, true}) {
        e->dispatcher(e, effSetChunk, 0, static_cast<VstIntPtr>(whole.size()), const_cast<unsigned char*>(whole.data()),
                      0.0f);
        Fakehost::echoes(true);
        int phase = 0;
        block(480, phase); // this thread is now the audio thread
        e->dispatcher(e, effSetProgram, 0, 4, nullptr, 0.0f);
        if (chunkBetween) {
            void* data = nullptr;
            const VstIntPtr size = e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
            EXPECT_EQ(Records::bank(data, static_cast<std::size_t>(size)).programs[4].values[slot(3, gain)], -6.0);
        }
        e->dispatcher(e, effSetProgram, 0, 0, nullptr, 0.0f);
        EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 0);
        for (int check = 0; check < 2; ++check) {
            for (int b = 0; b < 7; ++b)
                EXPECT_EQ(e->getParameter(e, index(b, gain)), gainFor(0.0)) << chunkBetween << check << " band " << b;
            block(480, phase);
        }
        Fakehost::echoes(false);
    }
}
