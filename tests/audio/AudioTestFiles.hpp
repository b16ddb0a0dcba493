#pragma once
// Sound files the audio tests write for themselves (PCM WAV, a 4-channel MOD
// and an S3M, each with one synthesised sample) and the loudness of rendered
// or captured PCM.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <span>
#include <string>
#include <vector>

namespace test::audio {

inline void putLe(std::string& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::vector<std::int16_t> sine(double frequency, double seconds, unsigned rate = 22050)
{
    std::vector<std::int16_t> out(static_cast<std::size_t>(std::lround(seconds * rate)));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(16383 * std::sin(2 * std::numbers::pi * frequency * i / rate)));
    return out;
}

// 16-bit mono PCM at 22050 Hz: a 44-byte header, then the samples.
inline std::string wavFile(const std::vector<std::int16_t>& samples)
{
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    putLe(out, 36 + bytes, 4);
    out += "WAVEfmt ";
    for (std::uint32_t v : {16u, 1u | (1u << 16), 22050u, 44100u, 2u | (16u << 16)})
        putLe(out, v, 4);  // chunk size, PCM + mono, rates, block align + bits
    out += "data";
    putLe(out, bytes, 4);
    for (std::int16_t s : samples)
        putLe(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

// 8-bit signed sine, 32 samples a cycle: near 260 Hz when played at 8.3 kHz.
inline std::string instrument(std::size_t bytes)
{
    std::string out(bytes, '\0');
    for (std::size_t i = 0; i < bytes; ++i)
        out[i] = static_cast<char>(std::lround(100 * std::sin(2 * std::numbers::pi * static_cast<double>(i % 32) / 32)));
    return out;
}

// ProTracker "M.K." module: one pattern whose song ends after `rows` rows at
// 6 ticks a row (0.12 s), the one-shot instrument struck at row 0.
inline std::string modFile(int rows, std::size_t sampleBytes)
{
    std::string out(20, '\0');
    for (int i = 0; i < 31; ++i) {
        const unsigned words = i == 0 ? static_cast<unsigned>(sampleBytes / 2) : 0;
        out += std::string(22, '\0');
        out += {static_cast<char>(words >> 8), static_cast<char>(words & 0xFF), 0, static_cast<char>(i == 0 ? 64 : 0), 0, 0, 0, 1};
    }
    out += {1, 0x7F};
    out += std::string(128, '\0') + "M.K.";
    std::string pattern(64 * 16, '\0');
    pattern.replace(pattern.begin(), pattern.begin() + 4, {0x01, static_cast<char>(0xAC), 0x10, 0});  // period 428, sample 1
    if (rows < 64)
        pattern[static_cast<std::size_t>((rows - 1) * 16 + 4 + 2)] = 0x0D;  // pattern break: the song ends
    return out + pattern + instrument(sampleBytes);
}

// Scream Tracker 3 module: the instrument struck at C-4 in row 0.
inline std::string s3mFile()
{
    std::string out(28, '\0');
    out += "\x1A\x10";
    // reserved, orders, instruments, patterns, flags, version, unsigned samples
    for (unsigned v : {0u, 2u, 1u, 1u, 0u, 0x1320u, 2u})
        putLe(out, v, 2);
    out += "SCRM";
    out += {0x40, 6, 0x7D, static_cast<char>(0xB0), 0x10, 0};  // volumes, speed, tempo, no pan table
    out += std::string(10, '\0');
    for (int c = 0; c < 32; ++c)
        out += static_cast<char>(c < 4 ? c : 255);
    out += {0, static_cast<char>(0xFF)};  // order: pattern 0, end
    putLe(out, 0x70 / 16, 2);             // instrument, pattern, sample at 0x70, 0xC0, 0x110
    putLe(out, 0xC0 / 16, 2);
    out.resize(0x70, '\0');
    out += '\x01' + std::string(12, '\0') + '\0';
    putLe(out, 0x110 / 16, 2);
    for (std::uint32_t v : {4000u, 0u, 0u})  // length, loop start and end
        putLe(out, v, 4);
    out += {0x40, 0, 0, 0};  // volume, unpacked one-shot 8-bit
    putLe(out, 8363, 4);
    out += std::string(40, '\0') + "SCRS";
    out.resize(0xC0, '\0');
    putLe(out, 2 + 4 + 63, 2);
    out += {0x20, 0x40, 1, 0};  // channel 0: C-4, instrument 1; end of row
    out += std::string(63, '\0');
    out.resize(0x110, '\0');
    for (char c : instrument(4000))
        out += static_cast<char>(c ^ 0x80);
    return out;
}

// Root mean square of one channel of interleaved stereo samples.
inline double rms(std::span<const std::int16_t> samples, unsigned channel)
{
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = channel; i < samples.size(); i += 2, ++n)
        sum += double(samples[i]) * samples[i];
    return n ? std::sqrt(sum / double(n)) : 0.0;
}

inline double louderRms(std::span<const std::int16_t> stereo) { return std::max(rms(stereo, 0), rms(stereo, 1)); }

} // namespace test::audio
