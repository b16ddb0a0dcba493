#include "audio/WavFile.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace content::synth {

namespace {

void putLittleEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

} // namespace

std::string encodeWav(const Signal& signal)
{
    constexpr std::uint32_t channels = 1;
    constexpr std::uint32_t bytesPerSample = 2;
    const auto dataBytes = static_cast<std::uint32_t>(signal.size() * bytesPerSample * channels);

    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);  // integer PCM
    putLittleEndian(out, channels, 2);
    putLittleEndian(out, sampleRate, 4);
    putLittleEndian(out, sampleRate * bytesPerSample * channels, 4);
    putLittleEndian(out, bytesPerSample * channels, 2);
    putLittleEndian(out, 8 * bytesPerSample, 2);
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    out.reserve(out.size() + dataBytes);
    for (float s : signal) {
        const long value = std::lround(std::clamp(static_cast<double>(s), -1.0, 1.0) * 32767.0);
        putLittleEndian(out, static_cast<std::uint32_t>(static_cast<std::int16_t>(value)), 2);
    }
    return out;
}

} // namespace content::synth
