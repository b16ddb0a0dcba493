#include "audio/AudioDevice.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <AL/alc.h>

#include <optional>
#include <ostream>

namespace audio {
namespace {

// SFML opens its device with the first audio object and closes it with the
// last; this buffer is the first and stays, so the device neither closes
// between pieces of music nor reopens (which restarts OpenAL's output).
struct OutputHold {
    OutputHold()
    {
        std::streambuf* const previous = sf::err().rdbuf(nullptr);
        keeper.emplace();
        opened = contextIsCurrent();
        sf::err().rdbuf(previous);
    }

    // SFML makes its context current as soon as the device opens; no
    // context means no device.
    static bool contextIsCurrent() { return alcGetCurrentContext() != nullptr; }

    std::optional<sf::SoundBuffer> keeper;
    bool opened = false;
};

} // namespace

bool outputAvailable()
{
    static const OutputHold hold;
    return hold.opened;
}

} // namespace audio
