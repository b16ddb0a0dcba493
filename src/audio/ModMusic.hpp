#pragma once
// Tracker modules (MOD, XM, S3M and IT) played as endless streamed music.
// DUMB loads and renders the module; the audio library pulls half-second
// blocks on its streaming thread.
//
// Life of a stream: open loads a module (no renderer yet); setting a playing
// offset starts the renderer at that time; from then on the stream plays,
// pauses and stops like any other.  The song never ends: past its last row
// DUMB starts it over.

#include <SFML/Audio/SoundStream.hpp>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct DUH;
struct DUH_SIGRENDERER;

namespace kv {

class ModMusic : public sf::SoundStream {
public:
    static constexpr unsigned sampleRate = 44100;
    static constexpr unsigned channels = 2;
    // Frames per block: half a second.
    static constexpr std::size_t blockFrames = sampleRate / 2;

    ModMusic();
    ~ModMusic() override;
    ModMusic(const ModMusic&) = delete;
    ModMusic& operator=(const ModMusic&) = delete;

    // Loads ".mod", ".xm", ".s3m" or ".it" (any letter case), after dropping
    // the module loaded before.  A refused file leaves the stream empty and
    // writes "Failed to open module file: <path>" to standard error.
    bool open(const std::string& path);
    bool hasModule() const { return duh_ != nullptr; }

    // Renderers alive in the whole program; each stream holds at most one.
    static int liveRenderers();
    // Where the renderer stands, in 1/65536 s; -1 without one.  Only while
    // the stream is stopped: the streaming thread owns it otherwise.
    long rendererPosition() const;

protected:
    // Streaming thread: touches nothing but the block buffer and the renderer.
    bool onGetData(Chunk& data) override;
    // Main thread, with the streaming thread stopped.
    void onSeek(sf::Time timeOffset) override;

private:
    struct DuhUnloader {
        void operator()(DUH* duh) const;
    };
    struct RendererEnder {
        void operator()(DUH_SIGRENDERER* renderer) const;
    };

    void release();

    // Declared in this order so that the renderer goes before its module.
    std::unique_ptr<DUH, DuhUnloader> duh_;
    std::unique_ptr<DUH_SIGRENDERER, RendererEnder> renderer_;
    std::array<std::int16_t, blockFrames * channels> block_{};
};

} // namespace kv
