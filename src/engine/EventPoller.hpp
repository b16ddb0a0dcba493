#pragma once
// The fixed-rate events poller.  Every screen runs its own loop; each pass
// ends in KVCore::endFrame, which calls pollEvents.  At most one tick runs per
// frame, 30 times a second, and only a tick reads window events and input.

#include <cstdint>
#include <functional>

namespace KVCore {

constexpr unsigned ticksPerSecond = 30;

void pollEvents();
// One tick: only while the poller runs and the tick flag is set.
void processEvents();

void startPoller();
void stopPoller();
bool pollerStarted();

bool tickFlag();
float tickDelta();
float frameTime();
// The next frame's time counts from now: after work done outside the frame
// loop (loading a level), which must not reach play as one long frame.
void restartFrameClock();
std::uint32_t tickCounter();
// Window events read by ticks since the poller first started, the ones no
// tick acts on (pointer movement) included.
std::uint64_t eventsRead();

// The frame-rate limit in effect; at 30 or below every frame is a tick.
void setFrameLimitInEffect(unsigned limit);
unsigned frameLimitInEffect();

// Ends the process after a confirmed close; tests replace it to stay alive.
void setExitHandler(std::function<void(int)> handler);

// Asks for the close confirmation in a window; full screen closes at once.
void setCloseConfirmation(bool ask);

// Whether the window lost its focus in the last tick; asking forgets it.
bool takeFocusLoss();

} // namespace KVCore
