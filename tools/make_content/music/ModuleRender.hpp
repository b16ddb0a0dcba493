#pragma once
// An XM module held in memory, played through DUMB the way the game's music
// stream plays it (16-bit stereo at 44100 Hz, full volume), for the credits
// recording and for checking a mix before it ships.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct DUH;

namespace content::music {

class ModuleRender {
public:
    static constexpr int sampleRate = 44100;

    // Throws std::runtime_error when DUMB refuses the bytes.
    explicit ModuleRender(const std::string& xmBytes);
    ~ModuleRender();
    ModuleRender(const ModuleRender&) = delete;
    ModuleRender& operator=(const ModuleRender&) = delete;

    // Where the song first wraps round to its restart order, in seconds.
    double lengthSeconds() const;
    // Interleaved stereo frames from the start, through the restarts.
    std::vector<std::int16_t> render(std::size_t frames) const;
    // Once round a loop of about `loopSeconds` at the end of the song, as
    // it sounds the second time round: with the tails of its end ringing
    // into its start, and cut at the length the renderer really plays, so
    // its last frame leads into its first.
    std::vector<std::int16_t> recordLoop(double loopSeconds) const;

private:
    struct DuhUnloader {
        void operator()(DUH* duh) const;
    };
    std::unique_ptr<DUH, DuhUnloader> duh_;
};

} // namespace content::music
