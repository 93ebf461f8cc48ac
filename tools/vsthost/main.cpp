// vsthost: a console host for VST 2.x effects. "info" prints what an effect
// says it is, its parameters and its programs; "render" runs a WAV file
// through it offline and reports how fast the effect processed it;
// "snapshot" opens its editor in a window and saves what it shows as PNG.
#include "hostededitor.h"
#include "hostedeffect.h"
#include "hostwindow.h"
#include "sizesetting.h"
#include "effectsetup.h"
#include "processtime.h"
#include "riffpath.h"
#include "versionresource.h"
#include "wavreader.h"
#include "wavwriter.h"

#include "framework/plugin/vstfxpfileio.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

const char* const usage =
    "usage: vsthost [info] PLUGIN.dll\n"
    "       vsthost render PLUGIN.dll IN.wav OUT.wav [--home FOLDER] [--program N] [--preset FILE.fxp]\n"
    "                      [--set \"NAME=VALUE\"]... [--block N] [--save-preset FILE.fxp]\n"
    "       vsthost snapshot PLUGIN.dll OUT.png [--program N] [--preset FILE.fxp]\n"
    "                      [--set \"NAME=VALUE\"]... [--repaints N] [--scale PERCENT]\n"
    "                      [--input IN.wav [--at SECONDS]]\n"
    "  --program N   select program N before the preset and settings\n"
    "  --preset F    load a chunk preset file saved from this effect\n"
    "  --set N=V     set the parameter named N (as info lists it) to V, normalized 0..1\n"
    "  --block N     process N frames per call, 1..65536 (512)\n"
    "  --home F      keep the plug-in's settings and presets in folder F for the run, not in the\n"
    "                user's own\n"
    "  --save-preset F  save the program, as set up before rendering, as a preset file\n"
    "  --repaints N  time up to N full repaints of the editor and setParameter with it closed and\n"
    "                open, each for about half a second\n"
    "  --scale P     open the editor at P percent: 100, 125, 150, 175 or 200 (the plug-in's\n"
    "                settings file names the size for the run and is put back afterwards)\n"
    "  --input F     play F through the effect in real time, its editor open, before the picture\n"
    "  --at S        ... until S seconds into F (the whole file without it)\n"
    "Input: 16- or 24-bit PCM or 32-bit float WAV, mono or stereo. Output: 32-bit float stereo.\n";

// Files longer than this show their progress.
constexpr unsigned progressSeconds = 10;

int info(const std::string& path)
{
    Hostedeffect host(path);
    const AEffect& e = host.effect();
    std::printf("plug-in   %s\n", path.c_str());
    const Versionresource file(path);
    if (file.found())
        std::printf("file      %s %s by %s (file version %s)\n", file.text("ProductName").c_str(),
                    file.text("ProductVersion").c_str(), file.text("CompanyName").c_str(), file.fileVersion().c_str());
    else
        std::printf("file      no version resource\n");
    std::printf("effect    %s\n", host.text(effGetEffectName).c_str());
    std::printf("product   %s\n", host.text(effGetProductString).c_str());
    std::printf("vendor    %s (version %ld)\n", host.text(effGetVendorString).c_str(),
                static_cast<long>(host.dispatch(effGetVendorVersion)));
    std::printf("unique ID '%s' (0x%08lX), version %ld\n", fourCC(e.uniqueID).c_str(),
                static_cast<unsigned long>(static_cast<std::uint32_t>(e.uniqueID)), static_cast<long>(e.version));
    std::printf("I/O       %ld in, %ld out\n", static_cast<long>(e.numInputs), static_cast<long>(e.numOutputs));
    std::printf("counts    %ld parameters, %ld programs\n", static_cast<long>(e.numParams),
                static_cast<long>(e.numPrograms));
    std::printf("flags     0x%lX\n", static_cast<unsigned long>(e.flags));
    std::printf("\nparameters (index, name, value, unit)\n");
    for (VstInt32 i = 0; i < e.numParams; ++i) {
        std::string line = host.text(effGetParamName, i);
        line.resize(std::max<std::size_t>(line.size(), 8), ' ');
        line += "  " + host.text(effGetParamDisplay, i);
        const std::string unit = host.text(effGetParamLabel, i);
        if (!unit.empty())
            line += " " + unit;
        std::printf("%4ld  %s\n", static_cast<long>(i), line.c_str());
    }
    std::printf("\nprograms\n");
    for (VstInt32 i = 0; i < e.numPrograms; ++i)
        std::printf("%4ld  %s\n", static_cast<long>(i), host.text(effGetProgramNameIndexed, i).c_str());
    return 0;
}

// Streams at most `most` frames of the file through the effect in stereo,
// block by block, handing each block's output channels and length to
// done; returns the time spent inside processReplacing, in seconds.
template <class Each> double stream(Hostedeffect& host, Wavreader& in, int block, std::uint64_t most, Each each)
{
    const AEffect& e = host.effect();
    const auto frames = static_cast<std::size_t>(block);
    const std::size_t channels = static_cast<std::size_t>(in.channels());
    std::vector<float> interleaved(frames * channels);
    // Every pin the effect declares gets a buffer; those past the first two stay silent.
    std::vector<std::vector<float>> inputs(std::max<std::size_t>(2, e.numInputs), std::vector<float>(frames));
    std::vector<std::vector<float>> outputs(std::max<std::size_t>(2, e.numOutputs), std::vector<float>(frames));
    std::vector<float*> inputPointers, outputPointers;
    for (auto& buffer : inputs)
        inputPointers.push_back(buffer.data());
    for (auto& buffer : outputs)
        outputPointers.push_back(buffer.data());

    double spent = 0.0;
    for (std::uint64_t done = 0; done < most;) {
        const std::size_t count =
            in.read(interleaved.data(), static_cast<std::size_t>(std::min<std::uint64_t>(frames, most - done)));
        if (count == 0)
            break;
        for (std::size_t i = 0; i < count; ++i) {
            inputs[0][i] = interleaved[i * channels];
            inputs[1][i] = interleaved[i * channels + channels - 1];
        }
        const Clock::time_point start = Clock::now();
        host.process(inputPointers.data(), outputPointers.data(), static_cast<VstInt32>(count));
        spent += secondsSince(start);
        done += count;
        each(outputPointers, count, done);
    }
    return spent;
}

// The whole file into out, with its progress shown for long files.
double process(Hostedeffect& host, Wavreader& in, Wavwriter& out, int block)
{
    std::vector<float> stereo(static_cast<std::size_t>(block) * 2);
    const bool showProgress = in.frames() > std::uint64_t{progressSeconds} * in.rate();
    int shown = -1;
    const double seconds = stream(
        host, in, block, UINT64_MAX, [&](const std::vector<float*>& outputs, std::size_t count, std::uint64_t done) {
            for (std::size_t i = 0; i < count; ++i) {
                stereo[2 * i] = outputs[0][i];
                stereo[2 * i + 1] = outputs[1][i];
            }
            out.write(stereo.data(), count);
            const int percent = static_cast<int>(done * 100 / std::max<std::uint64_t>(in.frames(), 1));
            if (showProgress && percent != shown) {
                std::fprintf(stderr, "\rrendering %3d%%", percent);
                shown = percent;
            }
        });
    if (showProgress)
        std::fprintf(stderr, "\n");
    return seconds;
}

// The effect's current program as a preset file, as a host saves one.
void savePreset(Hostedeffect& host, const std::string& path)
{
    void* chunk = nullptr;
    const auto size = static_cast<int>(host.dispatch(effGetChunk, 1, 0, &chunk));
    if (size <= 0 || !chunk)
        throw std::runtime_error("the effect hands out no program chunk");
    const AEffect& e = host.effect();
    const Framework::VSTfxpfileio writer(e.uniqueID, e.numParams, e.version);
    if (!writer.write(host.text(effGetProgramName), chunk, size, path))
        throw std::runtime_error(path + ": cannot write the preset file");
}

int render(const Renderoptions& options)
{
    useHome(options.home);
    Wavreader in(options.input);
    if (samePath(options.input, options.output))
        throw std::runtime_error(options.output + ": the output would overwrite the input");
    Hostedeffect host(options.plugin);
    if (!(host.effect().flags & effFlagsCanReplacing) || !host.effect().processReplacing)
        throw std::runtime_error(options.plugin + ": the effect cannot process replacing");
    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(in.rate()));
    host.dispatch(effSetBlockSize, 0, options.block);
    host.resume();
    configure(host.effect(), options);
    if (options.savePreset)
        savePreset(host, *options.savePreset);

    Wavwriter out(options.output, 2, in.rate());
    const double processing = process(host, in, out, options.block);
    out.finish();
    host.suspend();

    // What the file really held, which a damaged header may overstate.
    const std::uint64_t frames = out.frames();
    const double seconds = static_cast<double>(frames) / in.rate();
    std::printf("rendered %s frames (%.2f s at %u Hz) to %s", std::to_string(frames).c_str(), seconds, in.rate(),
                options.output.c_str());
    if (frames > 0 && processing > 0.0)
        std::printf(": %.2f million frames/s, %.0fx realtime, %.1f ns per frame", frames / processing / 1e6,
                    seconds / processing, processing * 1e9 / frames);
    std::printf("\n");
    return 0;
}

// A clock in seconds for the timing modes.
double seconds()
{
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

// Each timing mode measures for about this long in all, whatever the
// machine's speed, so a slow or busy machine takes no longer.
constexpr double timingBudget = 0.5;

// The mean time of one setParameter, in nanoseconds, for each parameter,
// over calls that move it to and fro (and back where it was) for an equal
// share of the time budget.
std::vector<double> parameterCosts(Hostedeffect& host)
{
    const int count = host.effect().numParams;
    const double share = count > 0 ? timingBudget / count : 0.0;
    std::vector<double> costs;
    for (int index = 0; index < count; ++index) {
        const float value = host.getParameter(index);
        const float other = value < 0.5f ? value + 0.25f : value - 0.25f;
        long calls = 0;
        const double start = seconds();
        double elapsed = 0.0;
        do {
            for (int i = 0; i < 8; ++i) {
                host.setParameter(index, other);
                host.setParameter(index, value);
            }
            calls += 16;
            elapsed = seconds() - start;
        } while (elapsed < share);
        costs.push_back(elapsed * 1e9 / static_cast<double>(calls));
    }
    return costs;
}

// The cheapest and the dearest parameter's cost, with their names, and the
// median over the parameters.
std::string costRange(Hostedeffect& host, const std::vector<double>& costs)
{
    if (costs.empty())
        return "no parameters";
    const auto low = std::min_element(costs.begin(), costs.end()), high = std::max_element(costs.begin(), costs.end());
    std::vector<double> sorted = costs;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    char text[200];
    std::snprintf(text, sizeof text, "%.0f ns ('%s') to %.0f ns ('%s'), median %.0f ns", *low,
                  host.text(effGetParamName, static_cast<VstInt32>(low - costs.begin())).c_str(), *high,
                  host.text(effGetParamName, static_cast<VstInt32>(high - costs.begin())).c_str(),
                  sorted[sorted.size() / 2]);
    return text;
}

// The median time of a full repaint (invalidate and paint now), in
// microseconds, over at most this many repaints and the time budget.
double repaintCost(const Hostededitor& editor, int repaints)
{
    std::vector<double> times;
    const double begun = seconds();
    do {
        const double start = seconds();
        editor.repaint();
        times.push_back((seconds() - start) * 1e6);
    } while (static_cast<int>(times.size()) < repaints && seconds() - begun < timingBudget);
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

// Plays the input through the effect in real time, a sixtieth of a second
// at a time, while the editor's window runs its timer: what a host does
// with the editor open. Reports the process's CPU time while it played.
void play(Hostedeffect& host, const Renderoptions& options)
{
    Wavreader in(options.input);
    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(in.rate()));
    host.dispatch(effSetBlockSize, 0, static_cast<VstIntPtr>(in.rate() / 60));
    host.resume();
    const std::uint64_t most = options.at ? static_cast<std::uint64_t>(*options.at * in.rate()) : in.frames();
    const Clock::time_point begun = Clock::now();
    const double startTime = seconds(), startProcessor = processorSeconds();
    stream(host, in, static_cast<int>(in.rate() / 60), most,
           [&](const std::vector<float*>&, std::size_t, std::uint64_t done) {
               const Clock::time_point due = begun + std::chrono::milliseconds(done * 1000 / in.rate());
               for (Hostwindow::pump(); Clock::now() < due; Hostwindow::pump())
                   std::this_thread::sleep_for(std::chrono::milliseconds(1));
           });
    const double played = seconds() - startTime, used = processorSeconds() - startProcessor;
    host.suspend();
    std::printf("played %.2f s: the process used %.2f s of CPU (%.1f %% of a core)\n", played, used,
                played > 0.0 ? 100.0 * used / played : 0.0);
}

int snapshot(const Renderoptions& options)
{
    useHome(options.home);
    if (!options.pointer.empty())
        throw std::invalid_argument("--pointer is for the headless snapshot tool");
    // The plug-in writes its settings file when it is first made.
    if (options.scale && !std::ifstream(Sizesetting::file()))
        const Hostedeffect first(options.plugin);
    const Sizesetting size(options.scale);
    Hostedeffect host(options.plugin);
    // Timed before the options apply, though each parameter ends where it was.
    const std::vector<double> closedCosts = options.repaints ? parameterCosts(host) : std::vector<double>();
    configure(host.effect(), options);
    const Hostededitor editor(host);
    if (!options.input.empty())
        play(host, options);
    const Picture picture = editor.picture();
    if (picture.empty())
        throw std::runtime_error("cannot read what the editor shows");
    if (!picture.save(options.output))
        throw std::runtime_error(options.output + ": cannot write the PNG file");
    std::printf("saved the editor, %d x %d, to %s\n", picture.width(), picture.height(), options.output.c_str());
    if (options.repaints) {
        std::printf("full repaint: %.1f us (median of up to %d)\n", repaintCost(editor, options.repaints),
                    options.repaints);
        std::printf("setParameter with the editor closed: %s\n", costRange(host, closedCosts).c_str());
        std::printf("setParameter with the editor open:   %s\n", costRange(host, parameterCosts(host)).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "info") == 0)
            return info(argv[2]);
        // The plug-in alone, as earlier versions took it, means info.
        if (argc == 2 && std::strcmp(argv[1], "render") != 0 && std::strcmp(argv[1], "snapshot") != 0 &&
            std::strncmp(argv[1], "-", 1) != 0)
            return info(argv[1]);
        if (argc >= 2 && std::strcmp(argv[1], "render") == 0)
            return render(Renderoptions(argc - 2, argv + 2));
        if (argc >= 2 && std::strcmp(argv[1], "snapshot") == 0)
            return snapshot(Renderoptions(argc - 2, argv + 2, Renderoptions::Command::snapshot));
        std::fputs(usage, stderr);
        return 2;
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "vsthost: %s\n%s", error.what(), usage);
        return 2;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "vsthost: out of memory\n");
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vsthost: %s\n", error.what());
        return 1;
    }
}
