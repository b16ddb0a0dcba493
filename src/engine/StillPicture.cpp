#include "engine/StillPicture.hpp"

#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Log.hpp"
#include "engine/Screenshot.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/System/Vector2.hpp>

namespace KVCore {
namespace {

// The last frame shown; written by endFrame through notePictureShown, read
// by still screens.  Nothing clears it: a screen's first frame is always
// drawn, whatever it says.
struct StillPictureState {
    double shownAt = 0.0;
    std::uint64_t eventsAt = 0;
    sf::Vector2i pointerAt;
    std::uint64_t messagesAt = 0;
};
StillPictureState state;

} // namespace

bool pictureStands(const StillPictureFacts& facts)
{
    return facts.secondsSinceShown < stillPictureRefreshSeconds && !facts.eventsSinceShown && !facts.pointerMoved &&
           !facts.overlaysBusy;
}

bool lastPictureStands()
{
    StillPictureFacts facts;
    facts.secondsSinceShown = timeSource().seconds() - state.shownAt;
    facts.eventsSinceShown = eventsRead() != state.eventsAt;
    facts.pointerMoved = window().mousePosition() != state.pointerAt;
    // A message stands still on screen until it goes: only a change to the
    // messages needs the picture drawn again.
    facts.overlaysBusy = screenMessagesChanges() != state.messagesAt || !hints().empty() || settings().displayFPS ||
                         screenshotPending() || loadingFlag();
    return pictureStands(facts);
}

void holdFrame()
{
    // So that a message goes when it would have were the frame drawn.  Held
    // frames never come while loading, and ageing counts each second once
    // however often it is asked.
    ageScreenMessages();
    window().holdFrame();
    pollEvents();
}

void notePictureShown()
{
    state.shownAt = timeSource().seconds();
    state.eventsAt = eventsRead();
    state.pointerAt = window().mousePosition();
    state.messagesAt = screenMessagesChanges();
}

} // namespace KVCore
