// The WAV reader on Linux, through libsndfile.
#include "../wavreader.h"

#include <sndfile.h>

#include <stdexcept>

Wavreader::Wavreader(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* opened = sf_open(path.c_str(), SFM_READ, &info);
    if (!opened)
        throw std::runtime_error(path + ": cannot open the file (" + sf_strerror(nullptr) + ")");
    file = opened;
    const int major = info.format & SF_FORMAT_TYPEMASK, sub = info.format & SF_FORMAT_SUBMASK;
    const char* problem = nullptr;
    if (major != SF_FORMAT_WAV && major != SF_FORMAT_WAVEX)
        problem = ": not a WAV file";
    else if (sub != SF_FORMAT_PCM_16 && sub != SF_FORMAT_PCM_24 && sub != SF_FORMAT_FLOAT)
        problem = ": unsupported sample format (16- or 24-bit PCM or 32-bit float only)";
    else if (info.channels < 1 || info.channels > 2)
        problem = ": only mono and stereo files are supported";
    else if (info.samplerate <= 0)
        problem = ": the sample rate is 0";
    if (problem) {
        sf_close(opened);
        throw std::runtime_error(path + problem);
    }
    channelCount = info.channels;
    sampleRate = static_cast<unsigned>(info.samplerate);
    frameCount = static_cast<std::uint64_t>(info.frames);
}

Wavreader::~Wavreader()
{
    sf_close(static_cast<SNDFILE*>(file));
}

std::size_t Wavreader::read(float* destination, std::size_t count)
{
    const sf_count_t got = sf_readf_float(static_cast<SNDFILE*>(file), destination, static_cast<sf_count_t>(count));
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}
