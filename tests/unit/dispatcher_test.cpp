// The effect as a host drives it through its AEffect record: opcodes, MIDI,
// audio calls and every kind of malformed request.
#include "framework/vst/vstplugin.h"

#include "common/fakehost.h"
#include "equalizer.h"
#include "records.h"
#include "framework/gui/headless/screen.h"
#include "module/factory.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using Instance = Framework::VSTplugin<Vex, Vexgui, Vexbuilder>;

// One effect instance in a folder of its own, driven as a host drives it.
struct Session {
    Tempfolder dir;
    std::unique_ptr<Instance> effect =
        std::make_unique<Instance>(Fakehost::callback, vexatoneInfo(), Equalizer::handlers(), "Red");
    AEffect* e = effect->getAeffect();

    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    // Runs frames of a 1 kHz sine through processReplacing or its double twin.
    template <class Sample> std::vector<Sample> render(int frames)
    {
        std::vector<Sample> left(static_cast<std::size_t>(frames)), right(left.size());
        for (std::size_t i = 0; i < left.size(); ++i)
            left[i] = right[i] = static_cast<Sample>(0.5 * std::sin(0.1424 * static_cast<double>(i)));
        Sample* channels[] = {left.data(), right.data()};
        if constexpr (std::is_same_v<Sample, float>)
            e->processReplacing(e, channels, channels, frames);
        else
            e->processDoubleReplacing(e, channels, channels, frames);
        return left;
    }
};

struct Host : testing::Test, Session {
    void SetUp() override { Fakehost::reset(); }
};

VstMidiEvent midi(int delta, unsigned char status, unsigned char d1, unsigned char d2)
{
    VstMidiEvent m{};
    m.type = kVstMidiType;
    m.byteSize = sizeof m;
    m.deltaFrames = delta;
    m.midiData[0] = static_cast<char>(status);
    m.midiData[1] = static_cast<char>(d1);
    m.midiData[2] = static_cast<char>(d2);
    return m;
}

} // namespace

TEST_F(Host, OutputPinsAndCategory)
{
    VstPinProperties pin;
    std::memset(&pin, 0x7A, sizeof pin);
    EXPECT_EQ(call(effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Vexa1");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(pin.shortLabel[0], 0x7A) << "other fields are left alone";
    EXPECT_EQ(call(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Vexa2");
    std::memset(&pin, 0x7A, sizeof pin);
    EXPECT_EQ(call(effGetOutputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(call(effGetOutputProperties, -1, 0, &pin), 0);
    EXPECT_EQ(pin.label[0], 0x7A);
    EXPECT_EQ(call(effGetInputProperties, 0, 0, &pin), 0);
    EXPECT_EQ(call(effGetPlugCategory), 0);
    EXPECT_EQ(call(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(call(effSetTotalSampleToProcess, 0, 4711), 4711);
    EXPECT_EQ(call(effGetNumMidiInputChannels), 0);
}

TEST_F(Host, MainsOnAsksForMidi)
{
    call(effMainsChanged, 0, 0);
    EXPECT_TRUE(Fakehost::calls().empty());
    call(effMainsChanged, 0, 1);
    const auto asked = Fakehost::callsOf(audioMasterWantMidi);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].value, 1);
}

TEST_F(Host, MidiEventsAreSortedStablyAndBounded)
{
    VstMidiEvent events[] = {midi(5, 0x94, 60, 100), midi(2, 0xE0, 1, 2), midi(5, 0xB3, 0xFF, 7), midi(0, 0x80, 60, 0)};
    VstMidiEvent sysex = midi(1, 0xF0, 0, 0);
    sysex.type = kVstSysExType;
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[5];
    } list{5, 0, {}};
    for (int i = 0; i < 4; ++i)
        list.events[i] = reinterpret_cast<VstEvent*>(&events[i]);
    list.events[4] = reinterpret_cast<VstEvent*>(&sysex);
    EXPECT_EQ(call(effProcessEvents, 0, 0, &list), 1);

    const Framework::Midiqueue& q = effect->receivedEvents();
    ASSERT_EQ(q.size(), 4u) << "the SysEx event is skipped";
    EXPECT_EQ(q[0].kind, Framework::Midievent::noteOff);
    EXPECT_EQ(q[1].kind, Framework::Midievent::other) << "pitch bend";
    EXPECT_EQ(q[2].kind, Framework::Midievent::noteOn) << "channel bits are dropped";
    EXPECT_EQ(q[2].data2, 100);
    EXPECT_EQ(q[3].kind, Framework::Midievent::controlChange) << "equal delta frames keep arrival order";
    EXPECT_EQ(q[3].data1, 0x7F);

    for (int i = 0; i < 2000; ++i)
        call(effProcessEvents, 0, 0, &list);
    EXPECT_EQ(q.size(), Framework::Midiqueue::capacity);
    render<float>(16);
    EXPECT_EQ(q.size(), 0u) << "the queue is emptied once its block is done";
}

TEST_F(Host, AudioCallsKeepTheirPromises)
{
    call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    float left[8] = {1, 1, 1, 1, 1, 1, 1, 1}, right[8] = {2, 2, 2, 2, 2, 2, 2, 2};
    float* channels[] = {left, right};
    e->processReplacing(e, channels, channels, 0);
    e->processReplacing(e, channels, channels, -5);
    e->processReplacing(e, nullptr, channels, 8);
    float* missing[] = {left, nullptr};
    e->processReplacing(e, channels, missing, 8);
    EXPECT_EQ(left[0], 1.0f);
    EXPECT_EQ(right[7], 2.0f);

    // In place gives what separate buffers give; double agrees with float.
    Session other;
    other.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    const std::vector<float> inPlace = render<float>(2000);
    const std::vector<double> precise = other.render<double>(2000);
    for (std::size_t i = 0; i < inPlace.size(); ++i)
        ASSERT_NEAR(inPlace[i], precise[i], 1e-6) << i;

    Session separate;
    separate.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::vector<float> in(2000), outLeft(2000), outRight(2000);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<float>(0.5 * std::sin(0.1424 * static_cast<double>(i)));
    float* inputs[] = {in.data(), in.data()};
    float* outputs[] = {outLeft.data(), outRight.data()};
    separate.e->processReplacing(separate.e, inputs, outputs, 2000);
    EXPECT_EQ(outLeft, inPlace);
}

TEST_F(Host, MalformedValuesNeverReachTheAudio)
{
    call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    const float nan = std::nanf(""), inf = INFINITY;
    e->setParameter(e, 23, 0.7f);
    e->setParameter(e, 23, nan);
    e->setParameter(e, 23, inf);
    EXPECT_FLOAT_EQ(e->getParameter(e, 23), 0.7f) << "values that are no number are ignored";
    e->setParameter(e, 23, 1.5f);
    EXPECT_FLOAT_EQ(e->getParameter(e, 23), 1.0f);
    e->setParameter(e, 37, -0.5f);
    EXPECT_NEAR(e->getParameter(e, 37), 0.0f, 1e-7);

    for (float rate : {0.0f, -48000.0f, nan, inf})
        call(effSetSampleRate, 0, 0, nullptr, rate);
    EXPECT_EQ(static_cast<Framework::Host&>(*effect).samplerate(), 44100.0f);

    // A program chunk full of values no equalizer can have.
    void* data = nullptr;
    const VstIntPtr size = call(effGetChunk, 1, 0, &data);
    Vexprogram broken = Records::program(data, static_cast<std::size_t>(size));
    for (int i = 0; i < Vexparameters::count; ++i)
        broken.values[i] = i % 3 == 0 ? nan : i % 3 == 1 ? -1e300 : 1e300;
    const Records::Bytes record = Records::program(broken);
    call(effSetChunk, 1, static_cast<VstIntPtr>(record.size()), const_cast<unsigned char*>(record.data()));
    for (float sample : render<float>(2000))
        ASSERT_TRUE(std::isfinite(sample));
    for (int i = 0; i < Vexparameters::count; ++i) {
        const float value = e->getParameter(e, i);
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << i;
    }
}

TEST_F(Host, MalformedRequestsAnswerZero)
{
    // Every opcode with null pointers and indexes out of range.
    for (VstInt32 opcode = 0; opcode < 100; ++opcode) {
        if (opcode == effClose)
            continue;
        for (VstInt32 index : {-1, 0, 39, 127, 1 << 30})
            call(opcode, index, 0, nullptr, 0.0f);
    }
    EXPECT_EQ(call(effSetChunk, 1, -5, &e), 0);
    EXPECT_EQ(call(effGetProgram), 0);
    char name[32] = "unchanged";
    EXPECT_EQ(call(effGetProgramNameIndexed, 127, 0, name), 0);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(static_cast<Framework::Host&>(*effect).samplerate(), 44100.0f);
}

// The host's other thread switches, loads, renames and sets while audio
// runs. The bands stay flat, so the 0.5 sine can only grow by the main
// volume (at most 4): a wild value in a chunk must never be heard, not even
// for a block. Under ThreadSanitizer this also shows that the audio path
// reads nothing that other threads write unguarded.
TEST_F(Host, TrafficDuringAudioNeverReachesItUnchecked)
{
    using namespace Vexparameters;
    call(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    Vexprogram wild;
    Vex::defaults(wild);
    wild.values[slot(volume)] = 1e6;
    wild.values[slot(mode)] = -7.0;
    wild.values[slot(curve)] = 1e9;
    const Records::Bytes wildRecord = Records::program(wild);
    std::atomic<bool> done{false};
    std::thread ui([&] {
        for (int i = 0; i < 300; ++i) {
            const float value = static_cast<float>(i % 100) / 100.0f;
            e->setParameter(e, index(i % 7, i % 2 ? frequency : width), value);
            e->setParameter(e, i % 2 ? volume : mode, value);
            call(effSetProgram, 0, i % 127);
            char name[] = "renamed";
            call(effSetProgramName, 0, 0, name);
            if (i % 5 == 0)
                call(effSetChunk, 1, static_cast<VstIntPtr>(wildRecord.size()),
                     const_cast<unsigned char*>(wildRecord.data()));
            void* data = nullptr;
            if (i % 20 == 0)
                call(effSetChunk, 0, call(effGetChunk, 0, 0, &data), data);
            call(i % 3 ? effEditOpen : effEditClose, 0, 0, Framework::Headless::parentWindow());
        }
        done = true;
    });
    // Hosts also automate from the audio thread: the editor hears of it there.
    std::size_t blocks = 0;
    while (!done || blocks < 10) {
        e->setParameter(e, index(static_cast<int>(blocks % 7), on), blocks % 2 ? 1.0f : 0.0f);
        for (float sample : render<float>(256))
            ASSERT_LT(std::fabs(sample), 4.0f);
        ++blocks;
    }
    ui.join();
}

// Hosts send editor requests in any order.
TEST_F(Host, EditorRequestsInAnyOrder)
{
    void* parent = Framework::Headless::parentWindow();
    const Framework::Window& window = *effect->editorWindow();
    EXPECT_EQ(call(effEditOpen, 0, 0, parent), 0) << "open before the rectangle";
    EXPECT_TRUE(window.isOpen());
    ERect* rect = nullptr;
    EXPECT_EQ(call(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 800);
    EXPECT_EQ(rect->bottom, 380);
    EXPECT_EQ(rect->top, 0);
    call(effEditOpen, 0, 0, parent);
    EXPECT_TRUE(window.isOpen()) << "a second open replaces the first window";
    call(effEditClose);
    call(effEditClose);
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(call(effEditOpen, 0, 0, nullptr), 0);
    EXPECT_FALSE(window.isOpen()) << "no parent, no window";
    EXPECT_EQ(rect->right, 800) << "the rectangle stays valid";
    call(effEditOpen, 0, 0, parent);
    EXPECT_EQ(call(effEditKeyDown, 'a', 65), 0);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    effect.release();
}

TEST_F(Host, BankChunkSurvivesTheAutomationEchoBitForBit)
{
    void* data = nullptr;
    const VstIntPtr size = call(effGetChunk, 0, 0, &data);
    Vexbank record = Records::bank(data, static_cast<std::size_t>(size));
    for (int p = 0; p < 127; ++p)
        record.programs[p].values[5] = 1000.0 / 3.0 + p; // band 2 frequency, off any float grid
    Records::Bytes bank = Records::bank(record, 0);
    call(effSetChunk, 0, static_cast<VstIntPtr>(bank.size()), bank.data());
    call(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    render<float>(300);
    ASSERT_EQ(call(effGetChunk, 0, 0, &data), size);
    EXPECT_EQ(std::memcmp(data, bank.data(), bank.size()), 0);
}
