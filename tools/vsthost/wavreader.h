// Reads a PCM or float WAV file through Windows' RIFF API (libsndfile on
// Linux), frame by frame as interleaved floats, so files of any length stream
// through a fixed buffer.
#pragma once

#if defined(_WIN32)
#include <windows.h>

#include <mmsystem.h>
#endif

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Wavreader {
public:
    // Opens the file and reads its format; throws std::runtime_error with a
    // message that names the file when it cannot be read or is not supported:
    // 16- or 24-bit PCM or 32-bit float, mono or stereo.
    explicit Wavreader(const std::string& path);
    ~Wavreader();
    Wavreader(const Wavreader&) = delete;
    Wavreader& operator=(const Wavreader&) = delete;

    int channels() const { return channelCount; }
    unsigned rate() const { return sampleRate; }
    std::uint64_t frames() const { return frameCount; }

    // Reads up to count frames into destination (count * channels() floats),
    // scaled to -1..1; returns the frames read, 0 at the end of the data.
    std::size_t read(float* destination, std::size_t count);

private:
#if defined(_WIN32)
    void readFormat(const std::string& path, MMCKINFO& riff);
    float sample(const unsigned char* bytes) const;

    HMMIO file = nullptr;
    int bytesPerSample = 0;
    bool isFloat = false;
    std::uint64_t bytesLeft = 0;
    std::vector<unsigned char> raw;
#else
    void* file = nullptr; // SNDFILE
#endif
    int channelCount = 0;
    unsigned sampleRate = 0;
    std::uint64_t frameCount = 0;
};
