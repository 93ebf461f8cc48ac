// The effect instance as the plug-in side sees it: the host interface and the
// parameter count check.
#include "framework/vst/vstplugin.h"

#include "common/fakehost.h"
#include "eq/editor/vexbuilder.h"
#include "eq/editor/vexgui.h"
#include "eq/vex.h"
#include "framework/platform/headless/headless.h"
#include "framework/gui/headless/screen.h"
#include "module/factory.h"
#include "equalizer.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <xmmintrin.h>

namespace {

// A layout that registers one parameter fewer than the effect announces.
class Shortbuilder {
public:
    Shortbuilder(Vexgui& /*gui*/, Vex& vex) : vex(vex) {}
    void build()
    {
        for (int i = 0; i < 38; ++i)
            vex.addParameter(std::make_unique<Framework::Paramdescriptor>());
    }

private:
    Vex& vex;
};

// The full table, with a first parameter whose name is longer than a host takes.
class Longnamebuilder {
public:
    Longnamebuilder(Vexgui& gui, Vex& vex) : builder(gui, vex), vex(vex) {}
    void build()
    {
        auto descriptor = std::make_unique<Framework::Paramdescriptor>();
        descriptor->name = "123456789012";
        vex.addParameter(std::move(descriptor));
        builder.build();
    }

private:
    Vexbuilder builder;
    Vex& vex;
};

template <class Builder = Vexbuilder> using Instance = Framework::VSTplugin<Vex, Vexgui, Builder>;

struct Effect : testing::Test {
    Tempfolder dir;
    void SetUp() override { Fakehost::reset(); }

    template <class Builder = Vexbuilder>
    static std::unique_ptr<Instance<Builder>> make(audioMasterCallback callback = Fakehost::callback)
    {
        return std::make_unique<Instance<Builder>>(callback, vexatoneInfo(), Equalizer::handlers(), "Red");
    }
};

} // namespace

TEST_F(Effect, ParameterCountCheck)
{
    make();
    EXPECT_TRUE(Framework::Headless::shownErrors().empty());

    make<Shortbuilder>();
    ASSERT_EQ(Framework::Headless::shownErrors().size(), 1u);
    EXPECT_EQ(Framework::Headless::shownErrors()[0], "Params mismatch expected 48 but was 38");
}

TEST_F(Effect, SampleRateAndProgramFollowTheDispatcher)
{
    auto effect = make();
    Framework::Host& host = *effect;
    AEffect* e = effect->getAeffect();
    const float& rate = host.samplerate();
    const std::int32_t& program = host.program();
    EXPECT_EQ(rate, 44100.0f);
    EXPECT_EQ(program, 0);

    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    e->dispatcher(e, effSetProgram, 0, 5, nullptr, 0.0f);
    EXPECT_EQ(rate, 48000.0f);
    EXPECT_EQ(program, 5);
    EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 5);

    for (VstIntPtr outside : {VstIntPtr(127), VstIntPtr(-1), VstIntPtr(1) << 40})
        e->dispatcher(e, effSetProgram, 0, outside, nullptr, 0.0f);
    EXPECT_EQ(program, 5);
}

TEST_F(Effect, AutomateReportsOnceToTheHost)
{
    auto effect = make();
    Fakehost::reset();
    static_cast<Framework::Host&>(*effect).automate(13, 0.75f);
    ASSERT_EQ(Fakehost::calls().size(), 1u);
    const Hostcall& call = Fakehost::calls()[0];
    EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_EQ(call.effect, effect->getAeffect());
    EXPECT_EQ(call.index, 13);
    EXPECT_EQ(call.value, 0);
    EXPECT_EQ(call.opt, 0.75f);
}

TEST_F(Effect, UpdatedisplayAsksTheHostToRedraw)
{
    auto effect = make();
    Fakehost::reset();
    static_cast<Framework::Host&>(*effect).updatedisplay();
    ASSERT_EQ(Fakehost::calls().size(), 1u);
    EXPECT_EQ(Fakehost::calls()[0].opcode, audioMasterUpdateDisplay);
    EXPECT_EQ(Fakehost::calls()[0].index, 0);
    EXPECT_EQ(Fakehost::calls()[0].value, 0);
    EXPECT_EQ(Fakehost::calls()[0].opt, 0.0f);
}

TEST_F(Effect, WithoutHostCallbackNothingIsReportedAndBaseValuesStay)
{
    auto effect = make(nullptr);
    Framework::Host& host = *effect;
    host.automate(0, 0.5f);
    host.updatedisplay();
    EXPECT_TRUE(Fakehost::calls().empty());

    const AEffect* e = effect->getAeffect();
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, effFlagsHasEditor | effFlagsCanReplacing);
    EXPECT_EQ(e->uniqueID, 0x4E6F4566);
}

TEST_F(Effect, HostSeesParameterTextsThroughTheDispatcher)
{
    auto effect = make();
    AEffect* e = effect->getAeffect();
    char text[64];
    const auto ask = [&](VstInt32 opcode, VstInt32 index) {
        std::memset(text, 'z', sizeof text);
        e->dispatcher(e, opcode, index, 0, text, 0.0f);
        return std::string(text);
    };
    EXPECT_EQ(ask(effGetParamName, 0), "1 on/off");
    EXPECT_EQ(ask(effGetParamName, 36), "curve +-");
    EXPECT_EQ(ask(effGetParamDisplay, 1), "50.0");
    EXPECT_EQ(ask(effGetParamLabel, 3), "dB");
    EXPECT_EQ(ask(effGetParamLabel, 1), "");
    EXPECT_EQ(ask(effGetParamName, 39), "1 chan");
    EXPECT_EQ(ask(effGetParamDisplay, 39), "ST");
    EXPECT_EQ(ask(effGetParamName, 47), "7 slope");
    EXPECT_EQ(ask(effGetParamDisplay, 47), "12 dB");
    EXPECT_EQ(ask(effGetParamName, 48), "");
    EXPECT_EQ(e->dispatcher(e, effCanBeAutomated, 35, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(e, effCanBeAutomated, 36, 0, nullptr, 0.0f), 1);
    EXPECT_EQ(e->dispatcher(e, effGetParamName, 0, 0, nullptr, 0.0f), 0) << "null text pointer";
}

TEST_F(Effect, HostParameterCallsAndNoEcho)
{
    auto effect = make();
    AEffect* e = effect->getAeffect();
    Fakehost::reset();
    e->setParameter(e, 13, 0.75f);
    EXPECT_FLOAT_EQ(e->getParameter(e, 13), 0.75f);
    EXPECT_TRUE(Fakehost::callsOf(audioMasterAutomate).empty());
    EXPECT_EQ(e->getParameter(e, 48), 0.0f);

    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    const auto echoed = Fakehost::callsOf(audioMasterAutomate);
    ASSERT_EQ(echoed.size(), 48u);
    EXPECT_EQ(echoed[13].index, 13);
    EXPECT_FLOAT_EQ(echoed[13].opt, 0.75f);
}

TEST_F(Effect, ProcessingRestoresTheHostsFloatingPointControl)
{
    auto effect = make();
    AEffect* e = effect->getAeffect();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    float left[64], right[64];
    for (int i = 0; i < 64; ++i)
        left[i] = right[i] = 1e-30f;
    float* channels[] = {left, right};
    const unsigned before = _mm_getcsr();
    e->processReplacing(e, channels, channels, 64);
    EXPECT_EQ(_mm_getcsr(), before);
    for (float sample : left)
        EXPECT_EQ(sample, 0.0f) << "a signal far below hearing comes out as silence";
}

TEST_F(Effect, ParameterNamesAreCutToEightCharacters)
{
    auto effect = make<Longnamebuilder>();
    AEffect* e = effect->getAeffect();
    char text[32];
    std::memset(text, 'z', sizeof text);
    e->dispatcher(e, effGetParamName, 0, 0, text, 0.0f);
    EXPECT_STREQ(text, "12345678");
    EXPECT_EQ(text[9], 'z') << "nothing written past the terminating zero";
}

namespace {

// An editor that reads the effect's parameters and settings as it goes away,
// as an editor closing its window does.
class Probingeditor : public AEffEditor {
public:
    Probingeditor(AudioEffect* effect, float* seen) : AEffEditor(effect), seen(seen) {}
    ~Probingeditor() override { *seen = effect->getParameter(37); }

private:
    float* seen;
};

} // namespace

TEST_F(Effect, TheEditorGoesBeforeWhatItEdits)
{
    float seen = -1.0f;
    auto effect = make();
    effect->attachEditor(std::make_unique<Probingeditor>(effect.get(), &seen));
    AEffect* e = effect.release()->getAeffect();
    EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
    EXPECT_GT(seen, 0.0f) << "the editor still saw the plug-in";
}

// The real editor, opened as a host opens it, paints the test skin's
// background to the pixel; the Windows tests hold the real DLL's editor
// against the same picture, so both back ends show the same.
TEST_F(Effect, TheEditorPaintsItsSkin)
{
    std::filesystem::create_directories(dir.file("skins"));
    std::filesystem::copy(VEX_SOURCE_DIR "/tests/data/testskin", dir.file("skins/Red"));
    auto effect = make();
    AEffect* e = effect->getAeffect();
    e->dispatcher(e, effEditOpen, 0, 0, Framework::Headless::parentWindow(), 0.0f);
    Framework::Window& window = *effect->editorWindow();
    Framework::Headless::paintAll(window);
    // Only the background image is in this skin: everything but the curve
    // display, which draws its lines without images, shows it unchanged.
    int differing = 0;
    for (int y = 0; y < 380; ++y)
        for (int x = 0; x < 800; ++x) {
            if (x >= 6 && x < 750 && y >= 6 && y < 334)
                continue;
            const std::uint32_t expected =
                0xFF000000u | (x * 7 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | ((x + 3 * y) & 0xFF);
            differing += Framework::Headless::screenPixel(window, x, y) != expected;
        }
    EXPECT_EQ(differing, 0);
}
