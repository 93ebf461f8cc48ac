// The shipped DLL as a Windows host meets it.
#include "common/effectrecord.h"
#include "common/fakehost.h"
#include "eq/vexparameters.h"
#include "framework/plugin/programrecords.h"
#include "framework/plugin/vstfxpfileio.h"
#include "loadeddll.h"
#include "tools/vsthost/versionresource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <vector>

namespace {

struct Dll : testing::Test {
    Loadeddll dll;
    void SetUp() override { Fakehost::reset(); }

    static VstIntPtr call(AEffect* e, VstInt32 opcode, void* ptr = nullptr)
    {
        return e->dispatcher(e, opcode, 0, 0, ptr, 0.0f);
    }
};

#if defined(__i386__)
// Calls processReplacing as a host that keeps only 4-byte stack alignment
// may: on entry the stack pointer is 8 bytes away from where the compiler
// expects it.
void processOnMisalignedStack(AEffect* e, float** channels, VstInt32 frames)
{
    AEffectProcessProc process = e->processReplacing;
    asm volatile("mov %%esp, %%esi\n\t"
                 "and $-16, %%esp\n\t"
                 "sub $8, %%esp\n\t"
                 "push %%edx\n\t"
                 "push %%ecx\n\t"
                 "push %%ecx\n\t"
                 "push %%ebx\n\t"
                 "call *%%eax\n\t"
                 "mov %%esi, %%esp"
                 : "+a"(process), "+b"(e), "+c"(channels), "+d"(frames)
                 :
                 : "esi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7");
}
#endif

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

TEST_F(Dll, ExportsBothEntryPoints)
{
    EXPECT_NE(dll.exported("VSTPluginMain"), nullptr);
    EXPECT_EQ(dll.exported("main"), dll.exported("VSTPluginMain"));
}

TEST_F(Dll, ImportsOnlySystemLibraries)
{
    const std::set<std::string> system = {"kernel32.dll", "user32.dll",   "gdi32.dll",  "msimg32.dll",
                                          "gdiplus.dll",  "shell32.dll",  "ole32.dll",  "msvcrt.dll",
                                          "advapi32.dll", "comdlg32.dll", "bcrypt.dll", "winmm.dll"};
    const std::vector<std::string> imports = dll.imports();
    EXPECT_FALSE(imports.empty());
    for (const std::string& name : imports)
        EXPECT_TRUE(system.count(lower(name)) || lower(name).rfind("api-ms-win-", 0) == 0) << name;
}

// What Windows' file properties, installers and hosts read: the product's
// version and maker; the reader tells a file that carries none.
TEST_F(Dll, VersionResourceNamesTheProductVersion)
{
    const Versionresource resource(dll.folder() + "\\Vexatone.dll");
    EXPECT_EQ(resource.fileVersion(), VEX_VERSION ".0");
    EXPECT_EQ(resource.text("FileVersion"), VEX_VERSION);
    EXPECT_EQ(resource.text("ProductVersion"), VEX_VERSION);
    EXPECT_EQ(resource.text("ProductName"), "Vexatone");
    EXPECT_EQ(resource.text("CompanyName"), "Hollowbirch");
    EXPECT_EQ(resource.text("NoSuchValue"), "");
    EXPECT_FALSE(Versionresource(besideExecutable("win32_tests.exe")).found());
}

TEST_F(Dll, HostAnsweringVersionZeroGetsNothing)
{
    Fakehost::reset(0);
    EXPECT_EQ(dll.effect(Fakehost::callback), nullptr);
    EXPECT_EQ(dll.readFile(Loadeddll::settings), "");
}

TEST_F(Dll, HandshakeHandsOutTheEffect)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(Fakehost::calls().at(0).opcode, audioMasterVersion);
    expectEffectRecord(*e);

    char name[64] = {};
    EXPECT_EQ(call(e, effGetEffectName, name), 1);
    EXPECT_STREQ(name, "Vexatone");
    EXPECT_EQ(call(e, effGetVendorString, name), 1);
    EXPECT_STREQ(name, "Hollowbirch");
    EXPECT_EQ(call(e, effGetVstVersion), 2400);
    EXPECT_EQ(call(e, effClose), 1);
}

// The settings are the user's, in %APPDATA%; nothing is written beside the
// DLL, whose folder users may not change.
TEST_F(Dll, CloseLeavesTheSettingsInTheUsersFolder)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    dll.writeFile(Loadeddll::settings, "");
    EXPECT_EQ(call(e, effClose), 1);

    char path[MAX_PATH] = {};
    GetModuleFileNameA(dll.module(), path, MAX_PATH);
    std::string folder = path;
    folder.resize(folder.find_last_of('\\'));
    EXPECT_EQ(lower(folder), lower(dll.folder()));
    EXPECT_EQ(dll.readFile(Loadeddll::settings), "skin\r\nRed\r\ndef-bank-path\r\n" + folder +
                                                     "\\banks\\default\\\r\nsize\r\nscreen\r\nanalyzer\r\noutput\r\n");
    EXPECT_EQ(GetFileAttributesA((dll.folder() + "\\Vexatone.ini").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

// The settings file an earlier version kept beside the DLL gives the user's
// first values, and is never written.
TEST_F(Dll, SettingsBesideTheDllStartTheUsersOwn)
{
    const std::string earlier = "skin\r\nBlue\r\ndef-bank-path\r\n" + dll.folder() + "\\banks\\default\\\r\n";
    dll.writeFile("Vexatone.ini", earlier);
    call(dll.effect(Fakehost::callback), effClose);
    EXPECT_EQ(dll.readFile(Loadeddll::settings), earlier + "size\r\nscreen\r\nanalyzer\r\noutput\r\n");
    EXPECT_EQ(dll.readFile("Vexatone.ini"), earlier);
}

TEST_F(Dll, StoredSettingsAreKeptAcrossInstances)
{
    // A bank folder that exists: a missing one would stop the start at a message box.
    const std::string stored = "skin\r\nBlue\r\ndef-bank-path\r\n" + dll.folder() + "\\banks\\default\\\r\n";
    dll.writeFile(Loadeddll::settings, stored);
    AEffect* first = dll.effect(Fakehost::callback);
    AEffect* second = dll.effect(Fakehost::callback);
    ASSERT_TRUE(first && second);
    call(second, effClose);
    call(first, effClose);
    EXPECT_EQ(dll.readFile(Loadeddll::settings), stored + "size\r\nscreen\r\nanalyzer\r\noutput\r\n");
}

TEST_F(Dll, EveryInstanceProcessesAudio)
{
    // Each instance's signal state must be 16-byte aligned wherever the heap
    // puts it; a misaligned one faults on its first sample.
    std::vector<AEffect*> effects;
    std::vector<std::vector<char>> heapNoise;
    for (int i = 0; i < 12; ++i) {
        heapNoise.emplace_back(static_cast<std::size_t>(8 + 8 * i));
        effects.push_back(dll.effect(Fakehost::callback));
        ASSERT_NE(effects.back(), nullptr);
    }
    float left[32] = {0.5f}, right[32] = {-0.5f};
    float* channels[] = {left, right};
    for (AEffect* e : effects) {
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
        e->processReplacing(e, channels, channels, 32);
        call(e, effClose);
    }
}

#if defined(__i386__)
// The signal path (the fused one on processors with AVX2 and FMA) realigns
// the stack for itself.
TEST_F(Dll, ProcessesAudioFromAMisalignedStack)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    e->setParameter(e, 23, 0.8f);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    std::vector<float> left(1024), right(1024);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = right[i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
    float* channels[] = {left.data(), right.data()};
    processOnMisalignedStack(e, channels, 1024);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](float x) { return std::isfinite(x); }));
    EXPECT_GT(std::fabs(left[1000]), 0.01f);
    call(e, effClose);
}
#endif

TEST_F(Dll, ParametersAndAudioThroughTheRealDll)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    const char* suffixes[] = {" on/off", " f", " q", " g", " type"};
    char name[16];
    for (int i = 0; i < 39; ++i) {
        e->dispatcher(e, effGetParamName, i, 0, name, 0.0f);
        const std::string expected = i < 35    ? std::to_string(i / 5 + 1) + suffixes[i % 5]
                                     : i == 35 ? "zoom"
                                     : i == 36 ? "curve +-"
                                     : i == 37 ? "main vol"
                                               : "out mode";
        EXPECT_EQ(std::string(name), expected);
    }

    // A +12 dB bell at 1 kHz (band 5) heard on a 1 kHz sine.
    e->setParameter(e, 23, 0.5f + 12.0f / 72.0f);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    std::vector<float> left(8192), right(8192);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = right[i] = static_cast<float>(0.1 * std::sin(2.0 * 3.14159265358979 * 1000.0 * i / 44100.0));
    float* channels[] = {left.data(), right.data()};
    e->processReplacing(e, channels, channels, static_cast<VstInt32>(left.size()));
    float peak = 0.0f;
    for (std::size_t i = 4096; i < left.size(); ++i)
        peak = std::max(peak, std::fabs(left[i]));
    EXPECT_NEAR(20.0 * std::log10(peak / 0.1), 12.0, 0.1);
    call(e, effClose);
}

TEST_F(Dll, FactoryBankReachesTheHost)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    // Which file comes first is the file system's choice, so look the
    // presets up by name.
    std::set<std::string> names;
    char name[32];
    for (int i = 0; i < 127; ++i) {
        EXPECT_EQ(e->dispatcher(e, effGetProgramNameIndexed, i, 0, name, 0.0f), 1);
        names.insert(name);
    }
    EXPECT_TRUE(names.count("Telephone"));
    EXPECT_TRUE(names.count("Mono Check"));
    EXPECT_TRUE(names.count("init")) << "slots no file fills hold the default program";

    for (int i = 0; i < 127; ++i) {
        e->dispatcher(e, effGetProgramNameIndexed, i, 0, name, 0.0f);
        if (std::string(name) != "Mono Check")
            continue;
        EXPECT_EQ(e->getParameter(e, 38), 0.0f);
        e->dispatcher(e, effSetProgram, 0, i, nullptr, 0.0f);
        EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), i);
        EXPECT_FLOAT_EQ(e->getParameter(e, 38), 2.0f / 3.0f) << "output mode M";
        e->dispatcher(e, effGetProgramName, 0, 0, name, 0.0f);
        EXPECT_STREQ(name, "Mono Check");
    }
    call(e, effClose);
}

TEST_F(Dll, ChunksRoundTripByteForByte)
{
    AEffect* first = dll.effect(Fakehost::callback);
    AEffect* second = dll.effect(Fakehost::callback);
    ASSERT_TRUE(first && second);
    first->setParameter(first, 13, 0.8f);
    first->dispatcher(first, effSetProgram, 0, 9, nullptr, 0.0f);
    first->setParameter(first, 13, 0.9f);

    void* data = nullptr;
    const VstIntPtr bankSize = first->dispatcher(first, effGetChunk, 0, 0, &data, 0.0f);
    const std::string bank(static_cast<const char*>(data), static_cast<std::size_t>(bankSize));
    const VstIntPtr programSize = first->dispatcher(first, effGetChunk, 1, 0, &data, 0.0f);
    const std::string program(static_cast<const char*>(data), static_cast<std::size_t>(programSize));

    second->dispatcher(second, effSetChunk, 0, bankSize, const_cast<char*>(bank.data()), 0.0f);
    second->dispatcher(second, effSetProgram, 0, 9, nullptr, 0.0f);
    ASSERT_EQ(second->dispatcher(second, effGetChunk, 1, 0, &data, 0.0f), programSize);
    EXPECT_EQ(std::string(static_cast<const char*>(data), static_cast<std::size_t>(programSize)), program);
    EXPECT_FLOAT_EQ(second->getParameter(second, 13), 0.9f);
    ASSERT_EQ(second->dispatcher(second, effGetChunk, 0, 0, &data, 0.0f), bankSize);
    EXPECT_EQ(std::string(static_cast<const char*>(data), static_cast<std::size_t>(bankSize)), bank);
    call(first, effClose);
    call(second, effClose);
}

TEST_F(Dll, HostEssentials)
{
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    char midi[] = "receiveVstMidiEvent", other[] = "sendVstEvents";
    EXPECT_EQ(call(e, effCanDo, midi), 1);
    EXPECT_EQ(call(e, effCanDo, other), -1);
    VstPinProperties pin{};
    EXPECT_EQ(e->dispatcher(e, effGetOutputProperties, 1, 0, &pin, 0.0f), 1);
    EXPECT_STREQ(pin.label, "Vexa2");
    EXPECT_EQ(pin.flags, 3);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    EXPECT_EQ(Fakehost::callsOf(audioMasterWantMidi).size(), 1u);
    e->setParameter(e, 5, std::nanf(""));
    EXPECT_TRUE(Fakehost::callsOf(audioMasterAutomate).empty());
    call(e, effClose);
}

// A preset with a main volume that is no number, loaded as program 0 at
// start, and corners far above the Nyquist frequency of an 11.025 kHz host:
// the real DLL's output stays finite in every block.
TEST_F(Dll, MalformedPresetsAndLowRatesStayFinite)
{
    using namespace Vexparameters;
    Vexprogram broken{};
    for (int b = 0; b < bandCount; ++b) {
        broken.values[slot(b, frequency)] = 16000.0;
        broken.values[slot(b, gain)] = 12.0;
        broken.values[slot(b, width)] = 0.5;
        broken.values[slot(b, on)] = 1.0;
        broken.values[slot(b, type)] = b % 3;
    }
    broken.values[slot(volume)] = std::nan("");
    broken.values[slot(mode)] = -3.0;
    CreateDirectoryA((dll.folder() + "\\odd").c_str(), nullptr);
    // Written as the first release wrote its program files.
    const Framework::VSTfxpfileio files(vstFourCC('k', '4', 'w', '9'), 39, 1);
    const Framework::Programrecords records(vexParameterCount, vexFirstParameterCount, vexProgramCount);
    std::vector<unsigned char> record(records.firstProgramSize());
    records.writeFirstProgram({broken.values, broken.name}, record.data());
    ASSERT_TRUE(
        files.write("broken", record.data(), static_cast<int>(record.size()), dll.folder() + "\\odd\\broken.fxp"));
    dll.writeFile(Loadeddll::settings, "skin\nRed\ndef-bank-path\n" + dll.folder() + "\\odd\\\n");

    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    for (int i = 0; i < count; ++i) {
        const float value = e->getParameter(e, i);
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << i;
    }
    std::vector<float> left(512), right(512);
    float* channels[] = {left.data(), right.data()};
    for (float rate : {11025.0f, 8000.0f, 44100.0f}) {
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, rate);
        for (int block = 0; block < 20; ++block) {
            for (std::size_t i = 0; i < left.size(); ++i)
                left[i] = right[i] = static_cast<float>((i * 7919 + block) % 200) / 200.0f - 0.5f;
            e->processReplacing(e, channels, channels, 512);
            for (std::size_t i = 0; i < left.size(); ++i)
                ASSERT_TRUE(std::isfinite(left[i]) && std::isfinite(right[i])) << rate << " " << block;
        }
    }
    call(e, effClose);
}
