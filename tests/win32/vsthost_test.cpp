// vsthost.exe run as a user runs it on the plug-in in its bundle folder, and
// the WAV reader it stands on.
#include "common/fakehost.h"
#include "framework/plugin/vstfxpfileio.h"
#include "loadeddll.h"
#include "testskin.h"
#include "eq/editor/displayscale.h"
#include "tools/vsthost/wavreader.h"
#include "tools/vsthost/wavwriter.h"

#include <gtest/gtest.h>
#include <mmreg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// Normalized values: frequency logarithmic over 20 Hz..20 kHz, gain linear over ±36 dB.
double frequency(double hz)
{
    return std::log10(hz / 20.0) / 3.0;
}
double gain(double dB)
{
    return (dB + 36.0) / 72.0;
}

std::string setting(const char* name, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, " --set \"%s=%.6f\"", name, value);
    return text;
}

std::string littleEndian(std::uint32_t value, int bytes)
{
    std::string s;
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>(value >> 8 * i);
    return s;
}

std::string chunk(const char* id, const std::string& body)
{
    return id + littleEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

// A format chunk at 48 kHz; an extensible one names subTag as its sub-format.
std::string format(int tag, int channels, int bits, int subTag = 0)
{
    const int frame = channels * bits / 8;
    std::string body = littleEndian(tag, 2) + littleEndian(channels, 2) + littleEndian(48000, 4) +
                       littleEndian(48000 * frame, 4) + littleEndian(frame, 2) + littleEndian(bits, 2);
    if (tag == WAVE_FORMAT_EXTENSIBLE)
        body += littleEndian(22, 2) + littleEndian(bits, 2) + littleEndian(3, 4) + littleEndian(subTag, 4) +
                littleEndian(0, 2) + littleEndian(0x10, 2) + std::string("\x80\x00\x00\xAA\x00\x38\x9B\x71", 8);
    return chunk("fmt ", body);
}

std::string riff(const std::string& chunks)
{
    return "RIFF" + littleEndian(static_cast<std::uint32_t>(chunks.size() + 4), 4) + "WAVE" + chunks;
}

std::string floats(std::initializer_list<float> values)
{
    return std::string(reinterpret_cast<const char*>(values.begin()), values.size() * sizeof(float));
}

struct Vsthost : testing::Test {
    Loadeddll dll;

    std::string file(const std::string& name) const { return dll.folder() + "\\" + name; }

    // Runs vsthost.exe from beside this executable; returns its exit code.
    static DWORD run(const std::string& arguments)
    {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string exe = path;
        exe = exe.substr(0, exe.find_last_of('\\') + 1) + "vsthost.exe";
        std::string command = "\"" + exe + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return ~DWORD{0};
        // A host stuck (on a message box, say) fails the test rather than the run.
        if (WaitForSingleObject(process.hProcess, 30000) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, ~UINT{0});
        DWORD code = ~DWORD{0};
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    std::string render(const std::string& in, const std::string& options) const
    {
        return "render \"" + file("Vexatone.dll") + "\" \"" + file(in) + "\" \"" + file("out.wav") + "\"" + options;
    }

    // Renders a 1 s, 1 kHz sine of amplitude 0.25 with the options; returns
    // the output's level over the input's in dB, for each output channel,
    // measured on the second half, past the filters' settling.
    std::vector<double> toneGain(const std::string& options, unsigned rate = 44100, int channels = 2) const
    {
        std::vector<float> tone(rate * channels);
        for (std::size_t i = 0; i < tone.size(); ++i)
            tone[i] = static_cast<float>(
                0.25 * std::sin(2.0 * 3.141592653589793 * 1000.0 * static_cast<double>(i / channels) / rate));
        Wavwriter in(file("in.wav"), channels, rate);
        in.write(tone.data(), rate);
        in.finish();
        if (run(render("in.wav", options)) != 0)
            return {};
        Wavreader out(file("out.wav"));
        std::vector<float> rendered(2 * rate);
        if (out.channels() != 2 || out.rate() != rate || out.read(rendered.data(), rate) != rate)
            return {};
        const float inPeak = *std::max_element(tone.begin() + tone.size() / 2, tone.end());
        std::vector<double> dB;
        for (std::size_t channel = 0; channel < 2; ++channel) {
            float outPeak = 0.0f;
            for (std::size_t i = rate + channel; i < rendered.size(); i += 2)
                outPeak = std::max(outPeak, std::abs(rendered[i]));
            dB.push_back(20.0 * std::log10(outPeak / inPeak));
        }
        return dB;
    }

    std::vector<float> readAll(const std::string& bytes, int channels) const
    {
        dll.writeFile("test.wav", bytes);
        Wavreader reader(file("test.wav"));
        EXPECT_EQ(reader.channels(), channels);
        // Room for more frames than any case holds.
        std::vector<float> samples(8);
        samples.resize(reader.read(samples.data(), 4 / reader.channels()) * reader.channels());
        return samples;
    }
};

} // namespace

TEST_F(Vsthost, SettingsBoostTheBandAtTheTone)
{
    const std::string boost = setting("5 f", frequency(1000.0)) + setting("5 g", gain(6.0));
    // Mono must reach both inputs; the file's rate must reach the filters.
    for (const auto& dB : {toneGain(boost), toneGain(boost, 48000, 1)}) {
        ASSERT_EQ(dB.size(), 2u);
        EXPECT_NEAR(dB[0], 6.0, 0.1);
        EXPECT_NEAR(dB[1], 6.0, 0.1);
    }
}

TEST_F(Vsthost, PresetLoadsBeforeTheSettings)
{
    // A preset saved as a host saves one: band 5 at 1 kHz, +12 dB.
    AEffect* e = dll.effect(Fakehost::callback);
    ASSERT_NE(e, nullptr);
    e->setParameter(e, 21, static_cast<float>(frequency(1000.0)));
    e->setParameter(e, 23, static_cast<float>(gain(12.0)));
    void* data = nullptr;
    const auto size = static_cast<int>(e->dispatcher(e, effGetChunk, 1, 0, &data, 0.0f));
    ASSERT_TRUE(data && size > 0);
    const Framework::VSTfxpfileio writer(e->uniqueID, e->numParams, e->version);
    ASSERT_TRUE(writer.write("Boost", data, size, file("boost.fxp")));
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);

    const std::string preset = " --program 3 --preset \"" + file("boost.fxp") + "\"";
    EXPECT_NEAR(toneGain(preset).at(0), 12.0, 0.1);
    EXPECT_NEAR(toneGain(preset + setting("5 g", gain(6.0))).at(0), 6.0, 0.1);
}

TEST_F(Vsthost, RefusesBadCommandLinesAndBadFilesWithoutOutput)
{
    EXPECT_EQ(run(""), 2u);
    EXPECT_EQ(run("render \"" + file("Vexatone.dll") + "\" \"" + file("in.wav") + "\""), 2u);
    EXPECT_EQ(run(render("in.wav", " --block 0")), 2u);
    EXPECT_EQ(run(render("in.wav", setting("5 g", 2.0))), 2u);

    EXPECT_EQ(run(render("missing.wav", "")), 1u);
    dll.writeFile("in.wav", riff(format(WAVE_FORMAT_IEEE_FLOAT, 2, 32) + chunk("data", floats({0.0f, 0.0f}))));
    EXPECT_EQ(run(render("in.wav", setting("no such", 0.5))), 1u);
    EXPECT_EQ(run(render("in.wav", " --program 127")), 1u);
    // A preset saved from another effect ('abcd'), with a 4-byte chunk.
    std::string other(64, '\0');
    other.replace(0, 4, "CcnK").replace(8, 4, "FPCh").replace(16, 4, "abcd");
    other[59] = 4;
    dll.writeFile("other.fxp", other);
    EXPECT_EQ(run(render("in.wav", " --preset \"" + file("other.fxp") + "\"")), 1u);
    EXPECT_EQ(GetFileAttributesA(file("out.wav").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Vsthost, SnapshotSavesWhatTheEditorShows)
{
    ASSERT_TRUE(Testskin::write(dll));
    const std::string snapshot = "snapshot \"" + file("Vexatone.dll") + "\" \"" + file("editor.png") + "\"";
    ASSERT_EQ(run(snapshot + " --program 2" + setting("5 g", gain(6.0))), 0u);
    const Picture saved = Picture::load(file("editor.png"));
    EXPECT_EQ(saved.width(), Testskin::width);
    EXPECT_EQ(saved.height(), Testskin::height);
    EXPECT_EQ(Testskin::differingPixels(saved, Testskin::background()), 0);

    // Timing repaints and parameter changes leaves the same picture.
    DeleteFileA(file("editor.png").c_str());
    ASSERT_EQ(run(snapshot + " --repaints 3"), 0u);
    EXPECT_EQ(Testskin::differingPixels(Picture::load(file("editor.png")), Testskin::background()), 0);

    // A larger editor for one run; the user's settings stay as they were.
    const std::string settings = dll.readFile(Loadeddll::settings);
    ASSERT_EQ(run(snapshot + " --scale 200"), 0u);
    const Picture large = Picture::load(file("editor.png"));
    EXPECT_EQ(large.width(), 2 * Testskin::width);
    EXPECT_EQ(large.height(), 2 * Testskin::height);
    EXPECT_EQ(dll.readFile(Loadeddll::settings), settings);
}

// A tone played with the editor open shows in the analyzer: the display's
// highest change from the background lies in the tone's column, at its level.
TEST_F(Vsthost, SnapshotWithInputShowsTheToneInTheAnalyzer)
{
    ASSERT_TRUE(Testskin::write(dll));
    constexpr unsigned rate = 48000;
    std::vector<float> tone(rate);
    for (std::size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 1000.0 * static_cast<double>(i) / rate));
    Wavwriter in(file("in.wav"), 1, rate);
    in.write(tone.data(), rate);
    in.finish();
    ASSERT_EQ(run("snapshot \"" + file("Vexatone.dll") + "\" \"" + file("editor.png") + "\" --input \"" +
                  file("in.wav") + "\" --at 0.6"),
              0u);
    const Picture shown = Picture::load(file("editor.png")), background = Testskin::background();
    ASSERT_FALSE(shown.empty());
    const auto topChanged = [&](int x) {
        int y = 6;
        while (y < 334 && (shown.at(x, y) & 0xFFFFFF) == (background.at(x, y) & 0xFFFFFF))
            ++y;
        return y;
    };
    const int column = static_cast<int>(std::lround(Displayscale::pointOf(1000.0)));
    int highest = 334, first = -1, last = -1;
    for (int c = column - 40; c <= column + 40; ++c) {
        const int y = topChanged(6 + c);
        if (y < highest)
            highest = y, first = last = c;
        else if (y == highest)
            last = c;
    }
    EXPECT_NEAR((first + last) / 2.0, column, 1.0);
    EXPECT_NEAR(highest, 6 + 6.0 / 96.0 * 328, 3.0) << "-6 dBFS";
    EXPECT_GT(topChanged(6 + column - 40), 100);
    EXPECT_GT(topChanged(6 + column + 40), 100);
}

TEST_F(Vsthost, SnapshotRefusesBadCommandLinesWithoutOutput)
{
    const std::string plugin = " \"" + file("Vexatone.dll") + "\"";
    const std::string out = " \"" + file("editor.png") + "\"";
    EXPECT_EQ(run("snapshot" + plugin), 2u);
    EXPECT_EQ(run("snapshot" + plugin + out + " --block 64"), 2u) << "render's option";
    EXPECT_EQ(run("snapshot" + plugin + out + " --repaints -1"), 2u);
    EXPECT_EQ(run("snapshot" + plugin + out + " --scale 90"), 2u);
    EXPECT_EQ(run("snapshot" + plugin + out + " --at 1"), 2u) << "--at without --input";
    EXPECT_EQ(run("snapshot" + plugin + out + " --input \"" + file("missing.wav") + "\""), 1u);
    EXPECT_EQ(run("snapshot" + plugin + out + " --program 127"), 1u);
    EXPECT_EQ(run("snapshot \"" + file("missing.dll") + "\"" + out), 1u);
    EXPECT_EQ(GetFileAttributesA(file("editor.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Vsthost, ReaderDecodesEachAcceptedLayout)
{
    using Samples = std::vector<float>;
    EXPECT_EQ(readAll(riff(format(WAVE_FORMAT_PCM, 2, 16) + chunk("data", std::string("\x00\x40\x00\x80", 4))), 2),
              (Samples{0.5f, -1.0f}));
    // Data before the format, 24-bit samples sign-extended.
    EXPECT_EQ(
        readAll(riff(chunk("data", std::string("\x00\x00\xC0\xFF\xFF\x7F", 6)) + format(WAVE_FORMAT_PCM, 1, 24)), 1),
        (Samples{-0.5f, 8388607.0f / 8388608.0f}));
    // Extensible float past an unknown chunk.
    EXPECT_EQ(readAll(riff(format(WAVE_FORMAT_EXTENSIBLE, 2, 32, WAVE_FORMAT_IEEE_FLOAT) + chunk("LIST", "INFO") +
                           chunk("data", floats({0.25f, -0.75f}))),
                      2),
              (Samples{0.25f, -0.75f}));
}

TEST_F(Vsthost, ReaderRefusesOtherFiles)
{
    const std::string refused[] = {
        riff(format(WAVE_FORMAT_PCM, 2, 8) + chunk("data", "\x80\x80")),
        riff(format(WAVE_FORMAT_PCM, 3, 16) + chunk("data", std::string(6, '\0'))),
        riff(format(WAVE_FORMAT_EXTENSIBLE, 1, 16, 0x55) + chunk("data", std::string(2, '\0'))),
        riff(format(WAVE_FORMAT_PCM, 1, 16)),
        riff(chunk("fmt ", std::string("\x01\x00\x01\x00", 4))),
        "RIFF",
        // A data chunk that claims more than the file holds: cut short.
        riff(format(WAVE_FORMAT_PCM, 1, 16) + "data" + littleEndian(16, 4) + std::string("\x00\x20\x00\xE0", 4)),
    };
    for (const std::string& bytes : refused) {
        dll.writeFile("test.wav", bytes);
        EXPECT_THROW(Wavreader(file("test.wav")), std::runtime_error);
    }
}

// A WAV over 4 GB wraps its 32-bit chunk sizes: the header of such a file
// names a few kilobytes of data. Render must refuse it, not report the
// kilobytes as the whole. The file is made sparse, so no 4 GB are written.
TEST_F(Vsthost, RenderRefusesAWavItCannotReadWhole)
{
    dll.writeFile("in.wav", riff(format(WAVE_FORMAT_PCM, 2, 16) + chunk("data", std::string(4096, '\0'))));
    HANDLE in = CreateFileA(file("in.wav").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(in, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(in, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = (LONGLONG{1} << 32) + 4096 + 44;
    ASSERT_TRUE(SetFilePointerEx(in, size, nullptr, FILE_BEGIN) && SetEndOfFile(in));
    CloseHandle(in);
    EXPECT_EQ(run(render("in.wav", "")), 1u);
    EXPECT_EQ(GetFileAttributesA(file("out.wav").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(file("in.wav").c_str());

    dll.writeFile("in.wav", riff(format(WAVE_FORMAT_PCM, 2, 16) + "data" + littleEndian(0xFFFFFFF0u, 4) +
                                 std::string(4096, '\0')));
    EXPECT_EQ(run(render("in.wav", "")), 1u);
    EXPECT_EQ(GetFileAttributesA(file("out.wav").c_str()), INVALID_FILE_ATTRIBUTES);
}
