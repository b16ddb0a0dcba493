#include "music/ModuleRender.hpp"

#include <dumb.h>

#include <algorithm>
#include <stdexcept>

namespace content::music {
namespace {

struct RendererEnder {
    void operator()(DUH_SIGRENDERER* renderer) const { duh_end_sigrenderer(renderer); }
};

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

} // namespace content::music
