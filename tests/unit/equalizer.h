// A complete equalizer with its parameter table, built as the effect instance
// builds it, over a host that records what the equalizer tells it.
#pragma once

#include "eq/editor/vexbuilder.h"
#include "eq/editor/vexgui.h"
#include "eq/vex.h"
#include "framework/plugin/settingsfile.h"
#include "framework/plugin/vstfxpfileio.h"
#include "framework/plugin/host.h"
#include "tempfolder.h"

#include <memory>
#include <utility>
#include <vector>

class Testhost final : public Framework::Host {
public:
    void automate(std::int32_t index, float value) override
    {
        automated.emplace_back(index, value);
        edits.emplace_back('a', index);
    }
    void reserved(std::int32_t) override {}
    const float& samplerate() override { return rate; }
    std::int32_t& program() override { return current; }
    void updatedisplay() override { ++displayUpdates; }
    void beginEdit(std::int32_t index) override { edits.emplace_back('b', index); }
    void endEdit(std::int32_t index) override { edits.emplace_back('e', index); }

    float rate = 44100.0f;
    std::int32_t current = 0;
    std::vector<std::pair<int, float>> automated;
    int displayUpdates = 0;
    // Gestures and automation in order: 'b' begin, 'a' automate, 'e' end, and the index.
    std::vector<std::pair<char, int>> edits;
};

struct Equalizer {
    Tempfolder dir;
    Framework::Settingsfile settings{dir.file("Vexatone.ini")};
    Testhost host;
    Vexgui gui{settings};
    std::unique_ptr<Vex> vex = std::make_unique<Vex>(settings, handlers(), host, gui);

    // On the SSE2 path, whose results the model reproduces bit for bit.
    Equalizer()
    {
        vex->usePath(Chain::Path::sse2);
        vex->open();
        Vexbuilder(gui, *vex).build();
    }

    static Framework::Programfileios handlers()
    {
        return {std::make_shared<Framework::VSTfxpfileio>(0x6B347739, 39, 1)};
    }

    void setSampleRate(float rate)
    {
        host.rate = rate;
        vex->setSampleRate(rate);
    }
    // Runs one stereo sample through the equalizer and answers the output.
    std::pair<double, double> process(double left, double right)
    {
        double frame[2] = {left, right};
        double* channels[2] = {&frame[0], &frame[1]};
        vex->process(channels, channels, 1);
        return {frame[0], frame[1]};
    }
    double live(int slot) { return vex->edited().values[slot]; }
};

// Every band active, with every filter kind in play, a curve scale and a volume.
inline void everyBandActive(Vex& v)
{
    const double gains[] = {0, 6, -9, 12, -3, 4.5, -12};
    const double types[] = {0, 1, 0, 1, 2, 1, 2};
    for (int b = 0; b < 7; ++b) {
        v.setValue(gains[b], 5 * b + 3, true);
        v.setValue(types[b], 5 * b + 4, true);
        v.setNormalized(0.2 + 0.1 * b, 5 * b + 2, true);
    }
    v.setValue(0.8, 36, true);
    v.setValue(2.0, 37, true);
}
