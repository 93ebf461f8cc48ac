// The Linux twin of the shared peer benchmark's VST 2.x timing host
// (shared/bench/vstbench.cpp, quick mode): loads a Linux VST 2.x library
// with dlopen and times processReplacing on stereo white noise at 48 kHz,
// one instance per block size, told that size, subruns interleaved. The
// figure per block size is the median over groups of calls spanning 512
// frames, so preemption is filtered. All 7 bands on with the shared
// harness's gains (bells).
// usage: vstbench PLUGIN.so [seconds=10] [subruns=3] [BLOCKS=512,64]
#include <dlfcn.h>
#include <xmmintrin.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

using VstIntPtr = std::intptr_t;
struct AEffect;
using HostCb = VstIntPtr (*)(AEffect*, std::int32_t, std::int32_t, VstIntPtr, void*, float);
using DispatchFn = VstIntPtr (*)(AEffect*, std::int32_t, std::int32_t, VstIntPtr, void*, float);
using ProcFn = void (*)(AEffect*, float**, float**, std::int32_t);
using SetParFn = void (*)(AEffect*, std::int32_t, float);
using GetParFn = float (*)(AEffect*, std::int32_t);
#pragma pack(push, 8)
struct AEffect {
    std::int32_t magic;
    DispatchFn dispatcher;
    ProcFn process;
    SetParFn setParameter;
    GetParFn getParameter;
    std::int32_t numPrograms, numParams, numInputs, numOutputs, flags;
    VstIntPtr r1, r2;
    std::int32_t initialDelay, realQ, offQ;
    float ioRatio;
    void* object;
    void* user;
    std::int32_t uniqueID, version;
    ProcFn processReplacing;
    void* processDouble;
    char future[56];
};
#pragma pack(pop)
using MainFn = AEffect* (*)(HostCb);
enum {
    effOpen = 0,
    effClose = 1,
    effGetParamDisplay = 7,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effStartProcess = 71,
    effStopProcess = 72
};

namespace {

int hostBlock = 512;
VstIntPtr hostcb(AEffect*, std::int32_t op, std::int32_t, VstIntPtr, void*, float)
{
    switch (op) {
    case 1:
        return 2400;
    case 16:
        return 48000;
    case 17:
        return hostBlock;
    default:
        return 0;
    }
}

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

MainFn entry;
double lastp50;
const float gains[7] = {0.55f, 0.46f, 0.53f, 0.43f, 0.56f, 0.47f, 0.54f}; // as the shared harness

AEffect* make(int block)
{
    hostBlock = block;
    AEffect* e = entry(hostcb);
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.f);
    e->dispatcher(e, effSetBlockSize, 0, block, nullptr, 0);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0);
    e->dispatcher(e, effStartProcess, 0, 0, nullptr, 0);
    for (int b = 0; b < 7; ++b) {
        e->setParameter(e, 5 * b, 1.f);
        e->setParameter(e, 5 * b + 3, gains[b]);
    }
    return e;
}

void destroy(AEffect* e)
{
    e->dispatcher(e, effStopProcess, 0, 0, nullptr, 0);
    e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vstbench PLUGIN.so [seconds] [subruns] [BLOCKS e.g. 512,64]\n");
        return 2;
    }
    const double secs = argc > 2 ? std::atof(argv[2]) : 10.0;
    const int subruns = argc > 3 ? std::atoi(argv[3]) : 3;
    std::vector<int> blocks;
    for (const char* p = argc > 4 ? argv[4] : "512,64"; *p;) {
        blocks.push_back(std::atoi(p));
        while (*p && *p != ',')
            ++p;
        if (*p)
            ++p;
    }
    std::printf("host MXCSR 0x%x (FTZ/DAZ %s)\n", _mm_getcsr(), (_mm_getcsr() & 0x8040) ? "set" : "not set");
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        std::fprintf(stderr, "cannot load %s: %s\n", argv[1], dlerror());
        return 1;
    }
    entry = reinterpret_cast<MainFn>(dlsym(library, "VSTPluginMain"));
    if (!entry)
        entry = reinterpret_cast<MainFn>(dlsym(library, "main"));
    if (!entry) {
        std::fprintf(stderr, "no entry point\n");
        return 1;
    }
    const int NB = 48000; // 1 s of noise, looped
    std::vector<float> nl(NB), nr(NB), ol(NB), orr(NB);
    std::uint32_t seed = 1;
    for (int i = 0; i < NB; ++i) {
        seed = seed * 1664525u + 1013904223u;
        nl[i] = ((seed >> 8) / 16777216.0f - 0.5f);
        seed = seed * 1664525u + 1013904223u;
        nr[i] = ((seed >> 8) / 16777216.0f - 0.5f);
    }
    auto run = [&](AEffect* fx, long frames, int block) {
        float* out[2] = {ol.data(), orr.data()};
        long done = 0;
        int pos = 0;
        const int group = (512 + block - 1) / block;
        int inGroup = 0;
        double acc = 0, total = 0;
        std::vector<double> bt;
        while (done < frames) {
            if (pos + block > NB)
                pos = 0;
            float* in[2] = {nl.data() + pos, nr.data() + pos};
            const double a = now();
            fx->processReplacing(fx, in, out, block);
            const double spent = now() - a;
            acc += spent;
            total += spent;
            if (++inGroup == group) {
                bt.push_back(acc * 1e9 / (static_cast<double>(block) * group));
                inGroup = 0;
                acc = 0;
            }
            done += block;
            pos += block;
        }
        lastp50 = bt.empty() ? total * 1e9 / done : median(bt);
        return total * 1e9 / done;
    };
    AEffect* e = make(512);
    std::printf("plugin %s  params %d programs %d  flags 0x%x\n", argv[1], e->numParams, e->numPrograms, e->flags);
    run(e, 48000, 512);
    {
        double si = 0, so = 0;
        bool finite = true;
        run(e, NB, 512);
        const int p = (NB / 512 - 1) * 512;
        for (int i = 0; i < 512; ++i) {
            si += nl[p + i] * nl[p + i];
            so += ol[i] * ol[i];
            finite = finite && std::isfinite(ol[i]) && std::isfinite(orr[i]);
        }
        std::printf("out/in_dB %.2f finite %s\n", 10 * std::log10(so / si), finite ? "yes" : "NO");
    }
    const long frames = static_cast<long>(secs * 48000);
    const std::size_t n = blocks.size();
    std::vector<AEffect*> fx(n);
    std::vector<std::vector<double>> res(n), p50(n);
    for (std::size_t k = 0; k < n; ++k) {
        fx[k] = make(blocks[k]);
        run(fx[k], 48000, blocks[k]);
    }
    for (int r = 0; r < subruns; ++r)
        for (std::size_t j = 0; j < n; ++j) {
            const std::size_t k = (j + r) % n;
            res[k].push_back(run(fx[k], frames, blocks[k]));
            p50[k].push_back(lastp50);
        }
    std::printf("scenario                      median_ns/fr   min    max  block_p50  (subruns of %.1f s)\n", secs);
    for (std::size_t k = 0; k < n; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "noise_b%d", blocks[k]);
        std::printf("%-28s %10.2f %7.2f %7.2f %8.2f\n", name, median(res[k]),
                    *std::min_element(res[k].begin(), res[k].end()), *std::max_element(res[k].begin(), res[k].end()),
                    median(p50[k]));
        destroy(fx[k]);
    }
    destroy(e);
    return 0;
}
