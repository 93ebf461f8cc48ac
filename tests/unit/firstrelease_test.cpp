// What the first release saved, loaded now: its factory bank as a host's
// bank chunk, with an edit, and one of its program chunks. Each must sound
// exactly as it did; the fingerprints below were taken from renders of the
// signal path as it was before placement and slopes existed.
#include "equalizer.h"
#include "records.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>

namespace {

// The first release's bank chunk, built from its factory files.
Records::Bytes firstReleaseBank()
{
    Records::Bytes bank;
    int read = 0;
    for (int p = 0; p < vexProgramCount; ++p) {
        Records::Bytes program(336);
        std::string file;
        for (const auto& entry : std::filesystem::directory_iterator(VEX_SOURCE_DIR "/banks/default"))
            if (entry.path().filename().string().rfind((p < 9 ? "0" : "") + std::to_string(p + 1) + " ", 0) == 0)
                file = entry.path().string();
        if (p < 18 && Equalizer::handlers()[0]->read(program.data(), 336, file) == 336)
            ++read;
        else {
            Vexprogram init;
            Vex::defaults(init);
            program = Records::firstProgram(init);
        }
        bank.insert(bank.end(), program.begin(), program.end());
    }
    EXPECT_EQ(read, 18) << "the eighteen factory files of the first release";
    bank.resize(bank.size() + 24 + 260 + 4);
    return bank;
}

// A fingerprint of the program's output for a fixed noise, blocks of 256.
std::uint64_t fingerprint(Equalizer& eq)
{
    std::uint64_t hash = 1469598103934665603u, noise = 12345;
    std::vector<float> left(256), right(256);
    for (int block = 0; block < 16; ++block) {
        for (std::size_t i = 0; i < left.size(); ++i) {
            noise = noise * 6364136223846793005u + 1442695040888963407u;
            left[i] = static_cast<float>(static_cast<std::int32_t>(noise >> 32)) / 4294967296.0f;
            right[i] = static_cast<float>(static_cast<std::int32_t>(noise >> 16)) / 4294967296.0f;
        }
        float* channels[] = {left.data(), right.data()};
        eq.vex->process(channels, channels, 256);
        for (const std::vector<float>* channel : {&left, &right})
            for (float sample : *channel) {
                std::uint32_t bits;
                std::memcpy(&bits, &sample, sizeof bits);
                hash = (hash ^ bits) * 1099511628211u;
            }
    }
    return hash;
}

} // namespace

TEST(Firstrelease, SessionsAndPresetsSoundAsTheyDid)
{
    Records::Bytes bank = firstReleaseBank();
    ASSERT_EQ(bank.size(), 42960u);
    // Program 17 with band 4 raised by 6 dB, as a host saves it after an edit.
    Vexbank record = Records::bank(bank.data(), bank.size());
    record.programs[17].values[Vexparameters::slot(3, Vexparameters::gain)] = 6.0;
    bank = Records::firstBank(record, false, 0);

    std::map<int, std::uint64_t> heard;
    for (int program = 0; program < 18; ++program) {
        Equalizer eq;
        eq.setSampleRate(44100.0f);
        eq.vex->setBankChunk(bank.data(), static_cast<int>(bank.size()));
        eq.host.current = program;
        eq.vex->setProgram(program);
        for (int i = Vexparameters::firstPlacement; i < Vexparameters::count; ++i)
            EXPECT_EQ(eq.vex->getValue(i), 0.0) << "what the first release lacked is at its default";
        heard[program] = fingerprint(eq);
    }
    // The same program as a program chunk of the first release.
    Equalizer eq;
    eq.setSampleRate(44100.0f);
    const Records::Bytes program = Records::firstProgram(record.programs[17]);
    eq.vex->setProgramChunk(program.data(), static_cast<int>(program.size()));
    EXPECT_EQ(fingerprint(eq), heard[17]);

    const std::uint64_t expected[18] = {
        13309787630329721674u, 2820716798385979615u,  13496303486256940623u, 17936503179880531515u,
        9366867669636468501u,  3932951777244434534u,  3845950067122186774u,  10935360455983342142u,
        5596659072252391318u,  7073052495009932069u,  2135171951593731913u,  8964522726688584450u,
        6349709439168788714u,  10787416485325491407u, 12757080231426831652u, 16671755329783780693u,
        11312324486203590800u, 10765302472970877630u,
    };
    for (int p = 0; p < 18; ++p)
        EXPECT_EQ(heard[p], expected[p]) << "program " << p;
}
