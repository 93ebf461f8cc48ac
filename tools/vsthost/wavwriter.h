// Writes a 32-bit float WAV file through Windows' RIFF API (libsndfile on
// Linux), as a stream of interleaved frames.
#pragma once

#if defined(_WIN32)
#include <windows.h>

#include <mmsystem.h>
#endif

#include <cstddef>
#include <cstdint>
#include <string>

class Wavwriter {
public:
    // Creates the file (replacing one of that name) and writes its header;
    // throws std::runtime_error naming the file when that fails.
    Wavwriter(const std::string& path, int channels, unsigned rate);
    // A file left unfinished, after an error, is removed.
    ~Wavwriter();
    Wavwriter(const Wavwriter&) = delete;
    Wavwriter& operator=(const Wavwriter&) = delete;

    // Appends count frames of channels floats each; throws when the disk
    // refuses them or the file would grow past what the RIFF API can address.
    void write(const float* frames, std::size_t count);
    std::uint64_t frames() const { return framesWritten; }
    // Completes the chunk sizes and closes the file; throws when that fails.
    void finish();

private:
    void fail(const char* what);

    std::string name;
    std::string fullPath;
#if defined(_WIN32)
    HMMIO file = nullptr;
    MMCKINFO riff = {};
    MMCKINFO data = {};
    LONG factOffset = 0;
#else
    void* file = nullptr; // SNDFILE
#endif
    int channelCount;
    std::uint64_t framesWritten = 0;
};
