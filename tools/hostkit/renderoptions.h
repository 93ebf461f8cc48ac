// The arguments of the render and snapshot commands, checked for form. What
// must match the effect (program range, parameter names) is checked once it
// is loaded.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

class Renderoptions {
public:
    enum class Command { render, snapshot };
    // Parses the arguments after the command's name; throws
    // std::invalid_argument for a bad command line.
    Renderoptions(int argc, char** argv, Command command = Command::render);

    std::string plugin;
    // The WAV file a render processes; for a snapshot, optional (--input):
    // the audio played through the effect, its editor open, until at
    // seconds (the whole file without --at) before the picture is taken.
    std::string input;
    std::optional<double> at;
    std::string output;
    std::optional<int> program;
    std::optional<std::string> preset;
    // Parameter name and normalized value, in command-line order.
    std::vector<std::pair<std::string, float>> settings;
    int block = 512;
    // The user's folders for the run (--home): the plug-in keeps its
    // settings and presets there instead of in the user's own; empty for
    // the user's own.
    std::string home;
    // Render only: the program, once set up, saved as a preset file.
    std::optional<std::string> savePreset;
    // Snapshot only: times this many full repaints of the editor.
    int repaints = 0;
    // Snapshot only: the editor's size in percent, 100 to 200 in steps of
    // 25; 0 leaves the size the plug-in keeps in its settings.
    int scale = 0;
    // Snapshot only (--pointer X,Y, in command-line order): where the
    // pointer rests in turn, in layout pixels, each time long enough for a
    // hint to show.
    std::vector<std::pair<int, int>> pointer;
};
