#include "wavwriter.h"

#include "riffpath.h"

#include <mmreg.h>

#include <stdexcept>

namespace {

// mmio offsets are signed 32-bit; keep clear of the top for the header.
constexpr std::uint64_t maximumDataBytes = 0x7FFF0000;

} // namespace

Wavwriter::Wavwriter(const std::string& path, int channels, unsigned rate)
    : name(path), fullPath(riffPath(path)), channelCount(channels)
{
    file = mmioOpenA(&fullPath[0], nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_ALLOCBUF);
    if (!file)
        throw std::runtime_error(path + ": cannot create the file");
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioCreateChunk(file, &riff, MMIO_CREATERIFF) != MMSYSERR_NOERROR)
        fail("cannot write the header");

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_IEEE_FLOAT;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 32;
    format.nBlockAlign = static_cast<WORD>(channels * 4);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioCreateChunk(file, &chunk, 0) != MMSYSERR_NOERROR ||
        mmioWrite(file, reinterpret_cast<const char*>(&format), sizeof format) != sizeof format ||
        mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR)
        fail("cannot write the header");

    // Float data carries its frame count in a fact chunk, filled in by finish().
    const DWORD noFrames = 0;
    chunk = {};
    chunk.ckid = mmioFOURCC('f', 'a', 'c', 't');
    if (mmioCreateChunk(file, &chunk, 0) != MMSYSERR_NOERROR ||
        mmioWrite(file, reinterpret_cast<const char*>(&noFrames), sizeof noFrames) != sizeof noFrames ||
        mmioAscend(file, &chunk, 0) != MMSYSERR_NOERROR)
        fail("cannot write the header");
    factOffset = static_cast<LONG>(chunk.dwDataOffset);

    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioCreateChunk(file, &data, 0) != MMSYSERR_NOERROR)
        fail("cannot write the header");
}

Wavwriter::~Wavwriter()
{
    if (file) {
        mmioClose(file, 0);
        DeleteFileA(fullPath.c_str());
    }
}

void Wavwriter::fail(const char* what)
{
    mmioClose(file, 0);
    file = nullptr;
    DeleteFileA(fullPath.c_str());
    throw std::runtime_error(name + ": " + what);
}

void Wavwriter::write(const float* frames, std::size_t count)
{
    const std::uint64_t bytes = static_cast<std::uint64_t>(count) * channelCount * sizeof(float);
    if ((framesWritten * channelCount * sizeof(float)) + bytes > maximumDataBytes)
        fail("the output would pass the 2 GB Windows' RIFF API can write");
    if (mmioWrite(file, reinterpret_cast<const char*>(frames), static_cast<LONG>(bytes)) != static_cast<LONG>(bytes))
        fail("cannot write the audio (disk full?)");
    framesWritten += count;
}

void Wavwriter::finish()
{
    const auto frames = static_cast<DWORD>(framesWritten);
    if (mmioAscend(file, &data, 0) != MMSYSERR_NOERROR || mmioAscend(file, &riff, 0) != MMSYSERR_NOERROR ||
        mmioSeek(file, factOffset, SEEK_SET) != factOffset ||
        mmioWrite(file, reinterpret_cast<const char*>(&frames), sizeof frames) != sizeof frames)
        fail("cannot complete the file");
    const MMRESULT closed = mmioClose(file, 0);
    file = nullptr;
    if (closed != MMSYSERR_NOERROR) {
        DeleteFileA(fullPath.c_str());
        throw std::runtime_error(name + ": cannot complete the file");
    }
}
