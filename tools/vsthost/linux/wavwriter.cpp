// The WAV writer on Linux, through libsndfile: 32-bit float.
#include "../wavwriter.h"

#include <sndfile.h>

#include <cstdio>
#include <stdexcept>

Wavwriter::Wavwriter(const std::string& path, int channels, unsigned rate)
    : name(path), fullPath(path), channelCount(channels)
{
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        throw std::runtime_error(path + ": cannot create the file (" + sf_strerror(nullptr) + ")");
}

Wavwriter::~Wavwriter()
{
    if (file) {
        sf_close(static_cast<SNDFILE*>(file));
        std::remove(fullPath.c_str());
    }
}

void Wavwriter::write(const float* frames, std::size_t count)
{
    if (sf_writef_float(static_cast<SNDFILE*>(file), frames, static_cast<sf_count_t>(count)) !=
        static_cast<sf_count_t>(count))
        fail("cannot write the samples");
    framesWritten += count;
}

void Wavwriter::finish()
{
    SNDFILE* closing = static_cast<SNDFILE*>(file);
    file = nullptr;
    if (sf_close(closing) != 0)
        throw std::runtime_error(name + ": cannot finish the file");
}

void Wavwriter::fail(const char* what)
{
    throw std::runtime_error(name + ": " + what);
}
