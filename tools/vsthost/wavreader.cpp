#include "wavreader.h"

#include "riffpath.h"

#include <mmreg.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <stdexcept>

namespace {

constexpr std::size_t readBytes = 1 << 16;

// The sub-format of a WAVE_FORMAT_EXTENSIBLE file whose samples are laid out
// as those of the plain format tag.
GUID subFormat(WORD tag)
{
    return {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

// The size of the file in bytes, 64 bits wide.
std::uint64_t fileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes))
        throw std::runtime_error(path + ": cannot read the file's size");
    return static_cast<std::uint64_t>(attributes.nFileSizeHigh) << 32 | attributes.nFileSizeLow;
}

} // namespace

Wavreader::Wavreader(const std::string& path)
{
    std::string full = riffPath(path);
    file = mmioOpenA(&full[0], nullptr, MMIO_READ | MMIO_ALLOCBUF);
    if (!file)
        throw std::runtime_error(path + ": cannot open the file");
    try {
        MMCKINFO riff = {};
        riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR)
            throw std::runtime_error(path + ": not a WAV file");
        readFormat(path, riff);
        // The data chunk may come before or after the format chunk.
        mmioSeek(file, static_cast<LONG>(riff.dwDataOffset + 4), SEEK_SET);
        MMCKINFO data = {};
        data.ckid = mmioFOURCC('d', 'a', 't', 'a');
        if (mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
            throw std::runtime_error(path + ": the WAV file has no data chunk");
        // Only a file read whole is rendered: one that its chunk sizes cannot
        // describe (over 4 GB, or over the 2 GB this API seeks in) or whose
        // data chunk claims more than the file holds would stop early.
        const std::uint64_t size = fileSize(full);
        if (size > static_cast<std::uint64_t>(LONG_MAX))
            throw std::runtime_error(path + ": " + std::to_string(size) +
                                     " bytes, larger than the 2 GB Windows' RIFF API can read");
        mmioSeek(file, static_cast<LONG>(data.dwDataOffset), SEEK_SET);
        const std::uint64_t present = size > data.dwDataOffset ? size - data.dwDataOffset : 0;
        if (data.cksize > present)
            throw std::runtime_error(path + ": the WAV data chunk claims " + std::to_string(data.cksize) +
                                     " bytes, the file holds " + std::to_string(present) +
                                     " (cut short, or too large for its header)");
        const std::size_t frameBytes = static_cast<std::size_t>(channelCount * bytesPerSample);
        frameCount = data.cksize / frameBytes;
        bytesLeft = frameCount * frameBytes;
        raw.resize(readBytes / frameBytes * frameBytes);
    } catch (...) {
        mmioClose(file, 0);
        throw;
    }
}

Wavreader::~Wavreader()
{
    mmioClose(file, 0);
}

void Wavreader::readFormat(const std::string& path, MMCKINFO& riff)
{
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(file, &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        throw std::runtime_error(path + ": the WAV file has no format chunk");
    WAVEFORMATEXTENSIBLE format = {};
    const LONG size = static_cast<LONG>(std::min<DWORD>(chunk.cksize, sizeof format));
    if (size < static_cast<LONG>(sizeof(PCMWAVEFORMAT)) ||
        mmioRead(file, reinterpret_cast<HPSTR>(&format), size) != size)
        throw std::runtime_error(path + ": the WAV format chunk is cut short");
    WORD tag = format.Format.wFormatTag;
    if (tag == WAVE_FORMAT_EXTENSIBLE) {
        if (size < static_cast<LONG>(sizeof format))
            throw std::runtime_error(path + ": the WAV format chunk is cut short");
        if (IsEqualGUID(format.SubFormat, subFormat(WAVE_FORMAT_PCM)))
            tag = WAVE_FORMAT_PCM;
        else if (IsEqualGUID(format.SubFormat, subFormat(WAVE_FORMAT_IEEE_FLOAT)))
            tag = WAVE_FORMAT_IEEE_FLOAT;
    }
    const int bits = format.Format.wBitsPerSample;
    channelCount = format.Format.nChannels;
    sampleRate = format.Format.nSamplesPerSec;
    isFloat = tag == WAVE_FORMAT_IEEE_FLOAT;
    bytesPerSample = bits / 8;
    const bool supported = (tag == WAVE_FORMAT_PCM && (bits == 16 || bits == 24)) || (isFloat && bits == 32);
    if (!supported)
        throw std::runtime_error(path + ": unsupported sample format (format tag " + std::to_string(tag) + ", " +
                                 std::to_string(bits) + " bits); use 16- or 24-bit PCM or 32-bit float");
    if (channelCount != 1 && channelCount != 2)
        throw std::runtime_error(path + ": " + std::to_string(channelCount) +
                                 " channels; only mono and stereo files are supported");
    if (sampleRate == 0)
        throw std::runtime_error(path + ": the sample rate is 0");
    if (format.Format.nBlockAlign != channelCount * bytesPerSample)
        throw std::runtime_error(path + ": the frame size does not match the sample format");
    mmioAscend(file, &chunk, 0);
}

float Wavreader::sample(const unsigned char* bytes) const
{
    if (isFloat) {
        float value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    if (bytesPerSample == 2)
        return static_cast<float>(static_cast<std::int16_t>(bytes[0] | bytes[1] << 8)) / 32768.0f;
    // 24 bits, sign-extended from the top of a 32-bit word.
    const auto word = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) << 8 |
                                                static_cast<std::uint32_t>(bytes[1]) << 16 |
                                                static_cast<std::uint32_t>(bytes[2]) << 24);
    return static_cast<float>(word / 256) / 8388608.0f;
}

std::size_t Wavreader::read(float* destination, std::size_t count)
{
    const std::size_t frameBytes = static_cast<std::size_t>(channelCount * bytesPerSample);
    std::size_t done = 0;
    while (done < count && bytesLeft > 0) {
        const auto want =
            static_cast<std::size_t>(std::min<std::uint64_t>({(count - done) * frameBytes, raw.size(), bytesLeft}));
        const LONG got = mmioRead(file, reinterpret_cast<HPSTR>(raw.data()), static_cast<LONG>(want));
        const std::size_t frames = got > 0 ? static_cast<std::size_t>(got) / frameBytes : 0;
        // A failed or short read ends the data.
        bytesLeft = frames * frameBytes == want ? bytesLeft - want : 0;
        for (std::size_t i = 0; i < frames * channelCount; ++i)
            destination[done * channelCount + i] = sample(&raw[i * bytesPerSample]);
        done += frames;
    }
    return done;
}
