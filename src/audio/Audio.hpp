#pragma once
// The audio module: named samples, the pool of playing sounds and music.

namespace Audio {

// Takes the volumes from the engine settings.
bool init();
void shutdown();
bool initialised();
// Once per events-poller tick.
void pollSound();

} // namespace Audio
