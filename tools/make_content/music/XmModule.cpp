#include "music/XmModule.hpp"

#include <stdexcept>

namespace content::music {
namespace {

void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Names are fixed-width fields, padded with zeroes.
void putText(std::string& out, const std::string& text, std::size_t width)
{
    std::string field = text.substr(0, width);
    field.resize(width, '\0');
    out += field;
}

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error("XM module: " + what);
}

// A cell with every column filled goes out whole; otherwise a mask byte
// (high bit set) says which columns follow.
void packCell(std::string& out, const XmCell& cell)
{
    const bool has[5] = {cell.note != 0, cell.instrument != 0, cell.volume != 0, cell.effect != 0, cell.param != 0};
    const std::uint8_t values[5] = {cell.note, cell.instrument, cell.volume, cell.effect, cell.param};
    if (has[0] && has[1] && has[2] && has[3] && has[4]) {
        for (std::uint8_t v : values)
            out += static_cast<char>(v);
        return;
    }
    std::uint8_t mask = 0x80;
    for (int i = 0; i < 5; ++i)
        if (has[i])
            mask |= static_cast<std::uint8_t>(1 << i);
    out += static_cast<char>(mask);
    for (int i = 0; i < 5; ++i)
        if (has[i])
            out += static_cast<char>(values[i]);
}

void writePattern(std::string& out, const XmPattern& pattern, int channels)
{
    check(pattern.rows >= 1 && pattern.rows <= 256, "a pattern has 1 to 256 rows");
    check(pattern.cells.size() == static_cast<std::size_t>(pattern.rows * channels), "pattern size does not match");
    std::string packed;
    for (const XmCell& cell : pattern.cells) {
        check(cell.note <= keyOff, "note out of range");
        packCell(packed, cell);
    }
    check(packed.size() <= 0xFFFF, "pattern too big to pack");
    put(out, 9, 4);
    put(out, 0, 1);
    put(out, static_cast<std::uint32_t>(pattern.rows), 2);
    put(out, static_cast<std::uint32_t>(packed.size()), 2);
    out += packed;
}

void writeEnvelopePoints(std::string& out, const XmEnvelope& envelope)
{
    for (std::size_t i = 0; i < 12; ++i) {
        const XmEnvelope::Point point = i < envelope.points.size() ? envelope.points[i] : XmEnvelope::Point{0, 0};
        put(out, point.tick, 2);
        put(out, point.level, 2);
    }
}

void writeInstrument(std::string& out, const XmInstrument& instrument)
{
    constexpr std::uint32_t headerSize = 263;
    check(!instrument.samples.empty() && instrument.samples.size() <= 16, "an instrument has 1 to 16 samples");
    const XmEnvelope& volume = instrument.volumeEnvelope;
    check(volume.points.size() <= 12, "an envelope has at most 12 points");
    check(volume.sustain < static_cast<int>(volume.points.size()), "envelope sustain point missing");
    for (std::uint8_t index : instrument.keymap)
        check(index < instrument.samples.size(), "keymap names a missing sample");

    const std::size_t start = out.size();
    put(out, headerSize, 4);
    putText(out, instrument.name, 22);
    put(out, 0, 1);
    put(out, static_cast<std::uint32_t>(instrument.samples.size()), 2);
    put(out, 40, 4);
    for (std::uint8_t index : instrument.keymap)
        put(out, index, 1);
    writeEnvelopePoints(out, volume);
    writeEnvelopePoints(out, XmEnvelope{});
    put(out, static_cast<std::uint32_t>(volume.points.size()), 1);
    put(out, 0, 1);
    put(out, volume.sustain < 0 ? 0u : static_cast<std::uint32_t>(volume.sustain), 1);
    put(out, 0, 2);  // volume loop start and end
    put(out, 0, 3);  // panning sustain, loop start and end
    std::uint32_t volumeType = 0;
    if (!volume.points.empty())
        volumeType |= 1;
    if (volume.sustain >= 0)
        volumeType |= 2;
    put(out, volumeType, 1);
    put(out, 0, 1);
    put(out, static_cast<std::uint32_t>(instrument.vibratoType), 1);
    put(out, static_cast<std::uint32_t>(instrument.vibratoSweep), 1);
    put(out, static_cast<std::uint32_t>(instrument.vibratoDepth), 1);
    put(out, static_cast<std::uint32_t>(instrument.vibratoRate), 1);
    check(instrument.fadeout >= 0 && instrument.fadeout <= 0xFFF, "fadeout out of range");
    put(out, static_cast<std::uint32_t>(instrument.fadeout), 2);
    out.resize(start + headerSize, '\0');

    for (const XmSample& sample : instrument.samples) {
        check(sample.loopStart + sample.loopLength <= sample.data.size(), "sample loop past its end");
        check(sample.volume >= 0 && sample.volume <= 64, "sample volume out of range");
        check(sample.finetune >= -128 && sample.finetune <= 127, "finetune out of range");
        check(sample.relativeNote >= -96 && sample.relativeNote <= 95, "relative note out of range");
        check(sample.panning >= 0 && sample.panning <= 255, "panning out of range");
        const bool loops = sample.loopLength > 0;
        put(out, static_cast<std::uint32_t>(sample.data.size() * 2), 4);
        put(out, static_cast<std::uint32_t>(loops ? sample.loopStart * 2 : 0), 4);
        put(out, static_cast<std::uint32_t>(sample.loopLength * 2), 4);
        put(out, static_cast<std::uint32_t>(sample.volume), 1);
        put(out, static_cast<std::uint8_t>(static_cast<std::int8_t>(sample.finetune)), 1);
        put(out, 0x10u | (loops ? 1u : 0u), 1);  // 16-bit, forward loop
        put(out, static_cast<std::uint32_t>(sample.panning), 1);
        put(out, static_cast<std::uint8_t>(static_cast<std::int8_t>(sample.relativeNote)), 1);
        put(out, 0, 1);
        putText(out, sample.name, 22);
    }
    // Each sample as the difference from the one before.
    for (const XmSample& sample : instrument.samples) {
        std::int16_t previous = 0;
        for (std::int16_t value : sample.data) {
            put(out, static_cast<std::uint16_t>(value - previous), 2);
            previous = value;
        }
    }
}

} // namespace

std::string writeXm(const XmModule& module)
{
    check(module.channels >= 1 && module.channels <= 32, "1 to 32 channels");
    check(!module.orders.empty() && module.orders.size() <= 256, "1 to 256 orders");
    check(module.restart >= 0 && module.restart < static_cast<int>(module.orders.size()), "restart past the orders");
    check(!module.patterns.empty() && module.patterns.size() <= 256, "1 to 256 patterns");
    check(module.instruments.size() <= 128, "at most 128 instruments");
    check(module.speed >= 1 && module.speed <= 31 && module.tempo >= 32 && module.tempo <= 255, "speed or tempo");
    for (int order : module.orders)
        check(order >= 0 && order < static_cast<int>(module.patterns.size()), "order names a missing pattern");

    std::string out = "Extended Module: ";
    putText(out, module.name, 20);
    out += '\x1A';
    putText(out, "Kelvane make_content", 20);
    put(out, 0x0104, 2);
    put(out, 276, 4);
    put(out, static_cast<std::uint32_t>(module.orders.size()), 2);
    put(out, static_cast<std::uint32_t>(module.restart), 2);
    put(out, static_cast<std::uint32_t>(module.channels), 2);
    put(out, static_cast<std::uint32_t>(module.patterns.size()), 2);
    put(out, static_cast<std::uint32_t>(module.instruments.size()), 2);
    put(out, 1, 2);  // linear frequencies
    put(out, static_cast<std::uint32_t>(module.speed), 2);
    put(out, static_cast<std::uint32_t>(module.tempo), 2);
    for (std::size_t i = 0; i < 256; ++i)
        put(out, i < module.orders.size() ? static_cast<std::uint32_t>(module.orders[i]) : 0u, 1);

    for (const XmPattern& pattern : module.patterns)
        writePattern(out, pattern, module.channels);
    for (const XmInstrument& instrument : module.instruments)
        writeInstrument(out, instrument);
    return out;
}

} // namespace content::music
