#include "music/ModuleRender.hpp"

#include <dumb.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace content::music {
namespace {

struct RendererEnder {
    void operator()(DUH_SIGRENDERER* renderer) const { duh_end_sigrenderer(renderer); }
};

// The loop's length in frames, exactly: the tracker's ticks do not fall on
// whole frames, so the length worked out from the tempo can be a few frames
// off.  Found where a stretch of the second time round lines up best with
// the first.
std::size_t measuredLoop(const std::vector<std::int16_t>& pcm, std::size_t loopStart, std::size_t nominal)
{
    constexpr std::size_t window = ModuleRender::sampleRate;
    constexpr long slide = 256;
    const std::size_t from = loopStart + 4 * ModuleRender::sampleRate;
    if (2 * (from + nominal + window + slide) > pcm.size())
        throw std::runtime_error("too little rendered to measure the loop");
    long best = 0;
    double bestScore = -1;
    for (long shift = -slide; shift <= slide; ++shift) {
        double dot = 0, power = 0;
        for (std::size_t i = 0; i < window; ++i) {
            const double a = pcm[2 * (from + i)];
            const double b = pcm[2 * static_cast<std::size_t>(static_cast<long>(from + nominal + i) + shift)];
            dot += a * b;
            power += b * b;
        }
        const double score = dot / std::sqrt(power + 1.0);
        if (score > bestScore) {
            bestScore = score;
            best = shift;
        }
    }
    return static_cast<std::size_t>(static_cast<long>(nominal) + best);
}

} // namespace

void ModuleRender::DuhUnloader::operator()(DUH* duh) const { unload_duh(duh); }

ModuleRender::ModuleRender(const std::string& xmBytes)
{
    DUMBFILE* file = dumbfile_open_memory(xmBytes.data(), static_cast<long>(xmBytes.size()));
    if (!file)
        throw std::runtime_error("DUMB cannot open a module in memory");
    duh_.reset(dumb_read_xm(file));
    dumbfile_close(file);
    if (!duh_)
        throw std::runtime_error("DUMB refuses the XM module");
}

ModuleRender::~ModuleRender() = default;

double ModuleRender::lengthSeconds() const { return static_cast<double>(duh_get_length(duh_.get())) / 65536.0; }

std::vector<std::int16_t> ModuleRender::render(std::size_t frames) const
{
    std::unique_ptr<DUH_SIGRENDERER, RendererEnder> renderer(duh_start_sigrenderer(duh_.get(), 0, 2, 0));
    if (!renderer)
        throw std::runtime_error("DUMB cannot start the module");
    std::vector<std::int16_t> pcm(frames * 2, 0);
    // The game's block size, so the output matches what the stream plays.
    constexpr std::size_t block = sampleRate / 2;
    for (std::size_t done = 0; done < frames;) {
        const std::size_t want = std::min(block, frames - done);
        const long got = duh_render(renderer.get(), 16, 0, 1.0f, 65536.0f / sampleRate, static_cast<long>(want),
                                    pcm.data() + done * 2);
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return pcm;
}

std::vector<std::int16_t> ModuleRender::recordLoop(double loopSeconds) const
{
    const auto songFrames = static_cast<std::size_t>(std::lround(lengthSeconds() * sampleRate));
    const auto nominal = std::min(songFrames, static_cast<std::size_t>(std::lround(loopSeconds * sampleRate)));
    const std::size_t loopStart = songFrames - nominal;
    std::vector<std::int16_t> pcm = render(songFrames + nominal + 2 * sampleRate);
    const std::size_t loop = measuredLoop(pcm, loopStart, nominal);
    pcm.erase(pcm.begin() + static_cast<std::ptrdiff_t>(2 * (loopStart + 2 * loop)), pcm.end());
    pcm.erase(pcm.begin(), pcm.begin() + static_cast<std::ptrdiff_t>(2 * (loopStart + loop)));
    return pcm;
}

} // namespace content::music
