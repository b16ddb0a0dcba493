#include "audio/ModMusic.hpp"

#include "platform/Paths.hpp"
#include "platform/TextCase.hpp"

#include <dumb.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <iostream>

namespace kv {
namespace {

// DUMB's stdio file layer, registered before the first module is opened;
// DUMB's own clean-up runs at exit, after every stream made since is gone
// (function-local statics end in reverse order of construction).
struct DumbSession {
    DumbSession() { dumb_register_stdfiles(); }
    ~DumbSession() { dumb_exit(); }
    DumbSession(const DumbSession&) = delete;
    DumbSession& operator=(const DumbSession&) = delete;
};

void startDumb()
{
    static DumbSession session;
}

std::atomic<int> rendererCount{0};

// DUMB positions count 1/65536 s.
long toDumbPosition(sf::Time offset)
{
    const sf::Int64 us = std::max<sf::Int64>(offset.asMicroseconds(), 0);
    return static_cast<long>(us * 65536 / 1000000);
}

std::string lowerExtension(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos)
        return {};
    return platform::lowerAscii(std::string_view(path).substr(dot));
}

DUH* loadByExtension(const std::string& path)
{
    const std::string ext = lowerExtension(path);
    const std::string native = platform::toNativePath(path).string();
    if (ext == ".mod")
        return dumb_load_mod(native.c_str());
    if (ext == ".xm")
        return dumb_load_xm(native.c_str());
    if (ext == ".s3m")
        return dumb_load_s3m(native.c_str());
    if (ext == ".it")
        return dumb_load_it(native.c_str());
    return nullptr;
}

} // namespace

void ModMusic::DuhUnloader::operator()(DUH* duh) const { unload_duh(duh); }

void ModMusic::RendererEnder::operator()(DUH_SIGRENDERER* renderer) const
{
    duh_end_sigrenderer(renderer);
    --rendererCount;
}

ModMusic::ModMusic() { startDumb(); }

ModMusic::~ModMusic()
{
    // The base class only joins the streaming thread after our members are
    // gone; stop it while the renderer still exists.
    stop();
    release();
}

bool ModMusic::open(const std::string& path)
{
    stop();
    release();
    duh_.reset(loadByExtension(path));
    if (!duh_) {
        std::cerr << "Failed to open module file: " << path << '\n';
        return false;
    }
    initialize(channels, sampleRate);
    return true;
}

int ModMusic::liveRenderers() { return rendererCount.load(); }

long ModMusic::rendererPosition() const
{
    return renderer_ ? duh_sigrenderer_get_position(renderer_.get()) : -1;
}

bool ModMusic::onGetData(Chunk& data)
{
    long frames = 0;
    if (renderer_)
        frames = duh_render(renderer_.get(), 16, 0, 1.0f, 65536.0f / static_cast<float>(sampleRate),
                            static_cast<long>(blockFrames), block_.data());
    // A renderer that falls short leaves silence, never the previous block.
    const auto rendered = static_cast<std::size_t>(std::clamp<long>(frames, 0, static_cast<long>(blockFrames)));
    std::fill(block_.begin() + static_cast<std::ptrdiff_t>(rendered * channels), block_.end(), std::int16_t{0});
    data.samples = block_.data();
    data.sampleCount = block_.size();
    return true;
}

void ModMusic::onSeek(sf::Time timeOffset)
{
    renderer_.reset();
    if (!duh_)
        return;
    renderer_.reset(duh_start_sigrenderer(duh_.get(), 0, static_cast<int>(channels), toDumbPosition(timeOffset)));
    if (renderer_)
        ++rendererCount;
}

void ModMusic::release()
{
    renderer_.reset();
    duh_.reset();
}

} // namespace kv
