#pragma once
// The credits screen: who made the game, section by section, each line
// sliding in from the right over the credits picture and the section held a
// while before the next; the sections repeat until Escape.  The fortune
// teller hides in it.

#include <SFML/Graphics/Rect.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Frontend {

// Runs until Escape.  Without its picture it says so and returns.
void showCredits();

struct CreditsSection {
    std::string heading;
    std::vector<std::string> lines;
};

// The sections in the order they are shown.
std::vector<CreditsSection> creditsSections();

// A line slides 64 pixels per step, a step comes when the step clock reads
// more than 16 ms, and a section stays 150 steps after its last line.
inline constexpr double creditsStepSeconds = 0.016;
inline constexpr float creditsSlideStep = 64.f;
inline constexpr float creditsLineX = 10.f;
inline constexpr std::int16_t creditsHoldSteps = 150;

struct CreditsAnimation {
    std::int16_t section = 0;
    std::int16_t linesShown = 0;
    std::int16_t holdCounter = creditsHoldSteps;
    // Where the line coming in is drawn.
    float slideX = 0.f;
    // The black band behind the section, edges inclusive.
    float bandLeft = 0.f, bandTop = 0.f, bandRight = 0.f, bandBottom = 0.f;
};

// The rules the screen runs each frame, usable without a window.
// Builds the sections afresh and starts the first at the current view.
void beginCredits();
// Section index, or the first when the index is past the last.
void startCreditsSection(int index);
// One step when the step clock says it is due; true when it ran.
bool stepCredits();
// The frame's key: the first of the tick's pressed keys while the window
// has the focus.  Feeds the fortune teller; false on Escape, which leaves.
bool handleCreditsKey();
const CreditsAnimation& creditsAnimation();
const std::vector<CreditsSection>& shownCreditsSections();
int fortuneKeyState();

// Test seam: runs at the start of every frame of the credits (null: none).
void setCreditsFrameHook(std::function<void()> hook);

} // namespace Frontend
