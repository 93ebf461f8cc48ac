// What no host, preset or sample may do to the effect: make its output
// non-finite, poison it for longer than a block, or unwind into the host.
#include "framework/vst/vstplugin.h"

#include "common/fakehost.h"
#include "equalizer.h"
#include "records.h"
#include "framework/plugin/vstfxpfileio.h"
#include "module/factory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

using Instance = Framework::VSTplugin<Vex, Vexgui, Vexbuilder>;
const double notANumber = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

struct Robustness : testing::Test {
    Tempfolder dir;
    void SetUp() override { Fakehost::reset(); }

    std::unique_ptr<Instance> make()
    {
        return std::make_unique<Instance>(Fakehost::callback, vexatoneInfo(), Equalizer::handlers(), "Red");
    }
    // A preset file in the default bank folder.
    void preset(const std::string& name, const Vexprogram& program)
    {
        const Records::Bytes record = Records::program(program);
        Equalizer::handlers()[0]->write(name, record.data(), static_cast<int>(record.size()),
                                        dir.file("banks/default/" + name + ".fxp"));
    }
};

VstIntPtr call(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
               float opt = 0.0f)
{
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

// Runs noise through the effect in blocks; answers the largest magnitude
// seen, or infinity when a sample was not finite.
double renderNoise(AEffect* e, int blocks, int frames, unsigned seed = 3)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
    std::vector<float> left(static_cast<std::size_t>(frames)), right(left.size());
    float* channels[] = {left.data(), right.data()};
    double peak = 0.0;
    for (int b = 0; b < blocks; ++b) {
        for (std::size_t i = 0; i < left.size(); ++i) {
            left[i] = noise(random);
            right[i] = noise(random);
        }
        e->processReplacing(e, channels, channels, frames);
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
                return inf;
            peak = std::max({peak, std::fabs(static_cast<double>(left[i])), std::fabs(static_cast<double>(right[i]))});
        }
    }
    return peak;
}

} // namespace

// A bank folder preset with a main volume that is no number, or negative
// (whose logarithmic map would give NaN), must not reach the audio at start.
TEST_F(Robustness, MalformedPresetsAreHeldToRangeFromTheStart)
{
    Vexprogram broken;
    Vex::defaults(broken);
    for (double volume : {notANumber, -1.0, -inf}) {
        broken.values[Vexparameters::slot(Vexparameters::volume)] = volume;
        broken.values[Vexparameters::slot(Vexparameters::mode)] = 1e300;
        broken.values[Vexparameters::slot(0, Vexparameters::frequency)] = inf;
        preset("broken", broken);
        auto effect = make();
        AEffect* e = effect->getAeffect();
        for (int i = 0; i < Vexparameters::count; ++i) {
            const float value = e->getParameter(e, i);
            EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << i << " with volume " << volume;
        }
        EXPECT_LT(renderNoise(e, 2, 256), 10.0) << "before a sample rate, volume " << volume;
        call(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        EXPECT_LT(renderNoise(e, 8, 256), 10.0) << volume;
    }
}

// Every factory preset and the harshest settings stay finite and bounded at
// every rate a host may run, down to 8 kHz, where 20 kHz corners lie far
// above the Nyquist frequency.
TEST_F(Robustness, EveryRateFrom8To384KilohertzStaysStable)
{
    for (const auto& entry : std::filesystem::directory_iterator(VEX_SOURCE_DIR "/banks/default"))
        std::filesystem::copy(entry.path(), dir.file("banks/default/") + entry.path().filename().string());
    auto effect = make();
    AEffect* e = effect->getAeffect();
    Vexprogram harsh;
    Vex::defaults(harsh);
    for (int b = 0; b < 7; ++b) {
        harsh.values[Vexparameters::slot(b, Vexparameters::frequency)] = 20000.0;
        harsh.values[Vexparameters::slot(b, Vexparameters::gain)] = b % 2 ? 36.0 : -36.0;
        harsh.values[Vexparameters::slot(b, Vexparameters::type)] = b % 3;
        harsh.values[Vexparameters::slot(b, Vexparameters::width)] = b % 2;
        harsh.values[Vexparameters::slot(b, Vexparameters::placement)] = b % 5;
    }
    harsh.values[Vexparameters::slot(0, Vexparameters::slope)] = 3.0;
    harsh.values[Vexparameters::slot(6, Vexparameters::slope)] = 3.0;
    harsh.values[Vexparameters::slot(6, Vexparameters::type)] = 2.0;
    const Records::Bytes harshRecord = Records::program(harsh);
    for (float rate : {8000.0f, 11025.0f, 16000.0f, 22050.0f, 44100.0f, 96000.0f, 192000.0f, 384000.0f}) {
        call(e, effSetSampleRate, 0, 0, nullptr, rate);
        for (int program = 0; program < 19; ++program) {
            if (program == 18)
                call(e, effSetChunk, 1, static_cast<VstIntPtr>(harshRecord.size()),
                     const_cast<unsigned char*>(harshRecord.data()));
            else
                call(e, effSetProgram, 0, program);
            // A 36 dB boost of noise is loud, and the program after it rings
            // (its filters start from the harsh ones' history), but it must
            // stay a number.
            ASSERT_LT(renderNoise(e, 6, 512), 1e5) << "rate " << rate << ", program " << program;
        }
    }
    // Back at a common rate, nothing of the above lingers.
    call(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    call(e, effSetProgram, 0, 0);
    EXPECT_LT(renderNoise(e, 4, 512), 1e3);
}

// A sample that is no number costs the block it arrives in, not the session.
TEST_F(Robustness, ABadInputSampleCostsOneBlock)
{
    auto effect = make();
    AEffect* e = effect->getAeffect();
    call(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        float left[64] = {}, right[64] = {};
        left[10] = bad;
        float* channels[] = {left, right};
        e->processReplacing(e, channels, channels, 64);
        EXPECT_FALSE(std::isfinite(left[63])) << "the block itself is lost";
        EXPECT_LT(renderNoise(e, 4, 64), 10.0) << bad;
        double dleft[64] = {}, dright[64] = {};
        dright[0] = static_cast<double>(bad);
        double* dchannels[] = {dleft, dright};
        e->processDoubleReplacing(e, dchannels, dchannels, 64);
        EXPECT_LT(renderNoise(e, 4, 64), 10.0) << bad;
    }
}

namespace {

// An effect whose every entry fails.
class Throwingeffect : public AudioEffectX {
public:
    explicit Throwingeffect(bool* closed) : AudioEffectX(Fakehost::callback, 1, 1), closed(closed) {}
    ~Throwingeffect() override { *closed = true; }
    VstIntPtr dispatcher(VstInt32 opcode, VstInt32, VstIntPtr, void*, float) override
    {
        if (opcode == effGetVendorVersion)
            throw std::bad_alloc();
        throw std::runtime_error("dispatcher");
    }
    void setParameter(VstInt32, float) override { throw std::runtime_error("setParameter"); }
    float getParameter(VstInt32) override { throw std::runtime_error("getParameter"); }
    void processReplacing(float**, float**, VstInt32) override { throw std::runtime_error("process"); }
    void processDoubleReplacing(double**, double**, VstInt32) override { throw std::runtime_error("process"); }

private:
    bool* closed;
};

} // namespace

TEST(Boundary, NoExceptionReachesTheHost)
{
    bool closed = false;
    AEffect* e = (new Throwingeffect(&closed))->getAeffect();
    EXPECT_EQ(call(e, effGetVendorVersion), 0);
    EXPECT_EQ(call(e, effGetParamName, 0, 0, nullptr), 0);
    e->setParameter(e, 0, 0.5f);
    EXPECT_EQ(e->getParameter(e, 0), 0.0f);
    float sample = 0.25f;
    float* channels[] = {&sample, &sample};
    e->processReplacing(e, channels, channels, 1);
    double precise = 0.25;
    double* dchannels[] = {&precise, &precise};
    e->processDoubleReplacing(e, dchannels, dchannels, 1);
    EXPECT_EQ(call(e, effClose), 1) << "a failing close still frees the effect";
    EXPECT_TRUE(closed);
}
