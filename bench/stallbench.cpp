// How long each audio block takes while another thread does a host's
// program and chunk work, with and without automation on the audio thread.
// A block that takes longer than its own duration is a dropout. Blocks of 64
// frames at 48 kHz; with automation, three parameters are set before each
// block, on the audio thread, as most hosts do. The audio thread runs
// unpaced, so the figures are what each block costs under contention.
//
//   stallbench [PLUGIN.dll] [BLOCKS]      (the DLL on Windows only)
#include "framework/vst/aeffect.h"

#if defined(_WIN32)
#include "tools/vsthost/hostedeffect.h"
#else
#include "module/entry.h"
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int frames = 64;
constexpr double rate = 48000.0;
constexpr double budgetMs = 1000.0 * frames / rate;

#if defined(_WIN32)
struct Loaded {
    explicit Loaded(const std::string& path) : hosted(path) {}
    AEffect* effect() { return &hosted.effect(); }
    Hostedeffect hosted;
};
#else
VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Loaded {
    explicit Loaded(const std::string&) : aeffect(VSTPluginMain(hostCallback))
    {
        aeffect->dispatcher(aeffect, effOpen, 0, 0, nullptr, 0.0f);
    }
    ~Loaded() { aeffect->dispatcher(aeffect, effClose, 0, 0, nullptr, 0.0f); }
    AEffect* effect() { return aeffect; }
    AEffect* aeffect;
};
#endif

enum class Work { programs, chunks };

struct Figures {
    double p999Ms, maxMs;
    int overBudget;
};

// Runs blocks on this thread while another thread loops over work.
Figures run(AEffect* e, int blocks, Work work, bool automate)
{
    void* data = nullptr;
    const auto size = static_cast<VstInt32>(e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f));
    std::vector<char> bank(static_cast<char*>(data), static_cast<char*>(data) + size);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int round = 0; !done; ++round) {
            if (work == Work::programs)
                e->dispatcher(e, effSetProgram, 0, round % 127, nullptr, 0.0f);
            else
                e->dispatcher(e, effSetChunk, 0, size, bank.data(), 0.0f);
        }
    });
    std::vector<float> left(frames, 0.25f), right(frames, -0.25f);
    float* channels[2] = {left.data(), right.data()};
    std::vector<double> times(static_cast<std::size_t>(blocks));
    for (int b = 0; b < blocks; ++b) {
        const auto start = std::chrono::steady_clock::now();
        if (automate) {
            const float value = static_cast<float>(b % 100) / 100.0f;
            e->setParameter(e, 13, value);     // a gain
            e->setParameter(e, 21, 1 - value); // a frequency
            e->setParameter(e, 37, value);     // the main volume
        }
        e->processReplacing(e, channels, channels, frames);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times[static_cast<std::size_t>(b)] = took.count();
    }
    done = true;
    worker.join();
    std::sort(times.begin(), times.end());
    Figures f{};
    f.p999Ms = times[static_cast<std::size_t>(0.999 * (blocks - 1))];
    f.maxMs = times.back();
    f.overBudget = static_cast<int>(times.end() - std::upper_bound(times.begin(), times.end(), budgetMs));
    return f;
}

} // namespace

int main(int argc, char** argv)
{
#if defined(_WIN32)
    if (argc < 2) {
        std::fprintf(stderr, "usage: stallbench PLUGIN.dll [BLOCKS]\n");
        return 1;
    }
    const std::string path = argv[1];
    const int blocks = argc > 2 ? std::max(1000, std::atoi(argv[2])) : 30000;
#else
    const std::string path;
    const int blocks = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 30000;
#endif
    Loaded loaded(path);
    AEffect* e = loaded.effect();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, static_cast<float>(rate));
    e->dispatcher(e, effSetBlockSize, 0, frames, nullptr, 0.0f);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
    std::printf("%d blocks of %d frames at %.0f Hz per row; budget %.3f ms\n", blocks, frames, rate, budgetMs);
    std::printf("%-22s %-10s %10s %10s %12s\n", "other thread", "automation", "p99.9 ms", "max ms", "over budget");
    for (Work work : {Work::programs, Work::chunks})
        for (bool automate : {false, true}) {
            const Figures f = run(e, blocks, work, automate);
            std::printf("%-22s %-10s %10.3f %10.3f %12d\n",
                        work == Work::programs ? "program switches" : "bank chunk loads", automate ? "yes" : "no",
                        f.p999Ms, f.maxMs, f.overBudget);
        }
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
    return 0;
}
