#include "frontend/Credits.hpp"

#include "audio/Audio.hpp"
#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "frontend/FortuneTeller.hpp"
#include "game/GameResources.hpp"
#include "gui/Dialogs.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"

#include <SFML/Config.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <cmath>

namespace Frontend {
namespace {

constexpr unsigned lineTextSize = 24;
constexpr unsigned footerTextSize = 18;
// Room between the heading and the first line; the band reaches a little
// above the heading and below the last line.
constexpr float firstLineGap = 20.f;
constexpr float bandAboveHeading = 5.f;
constexpr float bandPadding = 10.f;

// Built by beginCredits each time the credits start; what it holds stays
// until the next start.
struct CreditsState {
    std::vector<CreditsSection> sections;
    CreditsAnimation animation;
    double stepClockStart = 0.0;
    int fortuneKeys = 0;
    // The picture while the credits run; the fortune teller's box draws
    // the credits under it.
    const sf::Texture* background = nullptr;
    std::function<void()> frameHook;
};
CreditsState state;

float lineSpacing() { return Text::loaded() ? Text::mediumFont().getLineSpacing(lineTextSize) : 0.f; }

float lineTop(float viewHeight, int line)
{
    const float spacing = lineSpacing();
    return viewHeight / 2.f + spacing + firstLineGap + 2.f * spacing * static_cast<float>(line);
}

void restartStepClock() { state.stepClockStart = KVCore::timeSource().seconds(); }

std::string footerText()
{
    const std::string sfml = "SFML v" + std::to_string(SFML_VERSION_MAJOR) + "." +
                             std::to_string(SFML_VERSION_MINOR) + "." + std::to_string(SFML_VERSION_PATCH);
    return KVCore::appInfo().appName + " | " + KVCore::engineBanner + " | Using " + sfml;
}

sf::Text whiteText(const std::string& text, const sf::Font& font, unsigned size, sf::Vector2f at)
{
    sf::Text shown(text, font, size);
    shown.setFillColor(sf::Color::White);
    shown.setPosition(at);
    return shown;
}

void drawCredits(sf::RenderTarget& target)
{
    const sf::Vector2f view = KVCore::viewSize();

    const CreditsAnimation& a = state.animation;
    sf::RectangleShape band({a.bandRight - a.bandLeft + 1.f, a.bandBottom - a.bandTop + 1.f});
    band.setPosition(a.bandLeft, a.bandTop);
    band.setFillColor(sf::Color::Black);
    target.draw(band);

    const CreditsSection& section = state.sections[static_cast<std::size_t>(a.section)];
    target.draw(whiteText(section.heading, Text::mediumFont(), lineTextSize, {creditsLineX, view.y / 2.f}));
    const auto count = static_cast<int>(section.lines.size());
    for (int i = 0; i < count && i <= a.linesShown; ++i) {
        const float x = i < a.linesShown ? creditsLineX : a.slideX;
        target.draw(whiteText(section.lines[static_cast<std::size_t>(i)], Text::mediumFont(), lineTextSize,
                              {x, lineTop(view.y, i)}));
    }

    const float footerTop = view.y - Text::standardLineSpacing(footerTextSize) - 2.f;
    target.draw(whiteText(footerText(), Text::standardFont(), footerTextSize, {2.f, footerTop}));
}

// A message box freezes what the window holds, which after a shown frame is
// no longer the credits: they are drawn again first.
void redrawForModal()
{
    sf::RenderWindow* win = KVCore::window().renderWindow();
    if (!win || !state.background)
        return;
    win->clear(sf::Color::Black);
    KVCore::drawOverView(*win, *state.background, sf::RenderStates::Default);
    drawCredits(*win);
    win->setActive(true);
}

void emptyPressedKeys()
{
    const std::vector<std::int32_t> keys = Keyboard::pressedKeys();
    for (std::int32_t code : keys)
        Keyboard::keyHit(code);
}

} // namespace

std::vector<CreditsSection> creditsSections()
{
    return {
        {"Kelvane", {"The cutting edge of the Talvex universe"}},
        {"Coding", {"- The Kelvane team"}},
        {"Simple and Fast Multimedia Library (SFML)", {"https://www.sfml-dev.org/"}},
        {"Maps",
         {"- The Kelvane level designers", "- The Kelvane tileset artists", "- The Kelvane map testers"}},
        {"Thanks to", {"- The Talvex team", "- The Kelvane modders", "- The testers"}},
        {"Pictures, sounds and music", {"- The Kelvane artists", "- The Kelvane composers"}},
        {"Libraries",
         {"- SFML 2.5.1: zlib/png licence", "- DUMB 0.9.3: DUMB licence", "- OpenAL Soft: GNU LGPL 2 or later"}},
        {"Fonts and icons",
         {"- Roboto font: Apache License 2.0", "- DejaVu fonts: Bitstream Vera licence",
          "- Material Design icons: Apache License 2.0"}},
    };
}

void beginCredits()
{
    state.sections = creditsSections();
    state.fortuneKeys = 0;
    startCreditsSection(0);
    restartStepClock();
}

void startCreditsSection(int index)
{
    if (state.sections.empty())
        return;
    if (index < 0 || static_cast<std::size_t>(index) >= state.sections.size())
        index = 0;
    const sf::Vector2f view = KVCore::viewSize();
    CreditsAnimation& a = state.animation;
    a.section = static_cast<std::int16_t>(index);
    a.linesShown = 0;
    a.holdCounter = creditsHoldSteps;
    a.slideX = view.x;
    a.bandLeft = 0.f;
    a.bandRight = view.x - 1.f;
    a.bandTop = view.y / 2.f - bandAboveHeading;
    const auto lines = static_cast<int>(state.sections[static_cast<std::size_t>(index)].lines.size());
    a.bandBottom = lineTop(view.y, lines - 1) + lineSpacing() + bandPadding;
}

bool stepCredits()
{
    if (state.sections.empty())
        return false;
    // Counted in whole microseconds, as a timer would: exactly 16 ms is not
    // yet a step, however the seconds happen to round.
    const double now = KVCore::timeSource().seconds();
    const long long elapsed = std::llround((now - state.stepClockStart) * 1e6);
    if (elapsed <= std::llround(creditsStepSeconds * 1e6))
        return false;
    state.stepClockStart = now;

    CreditsAnimation& a = state.animation;
    const auto lines = static_cast<std::int16_t>(state.sections[static_cast<std::size_t>(a.section)].lines.size());
    if (a.linesShown >= lines) {
        --a.holdCounter;
        if (a.holdCounter < 1)
            startCreditsSection(a.section + 1);
        return true;
    }
    a.slideX -= creditsSlideStep;
    if (a.slideX <= creditsLineX) {
        ++a.linesShown;
        a.slideX = KVCore::viewSize().x;
    }
    return true;
}

bool handleCreditsKey()
{
    if (!KVCore::window().hasFocus() || Keyboard::pressedKeys().empty())
        return true;
    const std::int32_t key = Keyboard::pressedKeys().front();
    if (key == sf::Keyboard::Escape) {
        emptyPressedKeys();
        return false;
    }
    const FortuneKeyResult result = fortuneKey(state.fortuneKeys, key);
    state.fortuneKeys = result.state;
    if (result.tellFortune) {
        redrawForModal();
        showFortune();
    }
    return true;
}

const CreditsAnimation& creditsAnimation() { return state.animation; }
const std::vector<CreditsSection>& shownCreditsSections() { return state.sections; }
int fortuneKeyState() { return state.fortuneKeys; }

void setCreditsFrameHook(std::function<void()> hook) { state.frameHook = std::move(hook); }

void showCredits()
{
    const std::string path = resolvedAssetPath("CreditsBack.png");
    sf::Texture background;
    if (!background.loadFromFile(platform::toNativePath(path).string())) {
        kv::showMessage("Unable to load bitmap from " + path);
        return;
    }
    Audio::playMusicByName(Game::resources().creditsMusic);
    KVCore::clearScreenMessages();
    beginCredits();
    state.background = &background;

    KVCore::WindowBackend& w = KVCore::window();
    while (w.isOpen()) {
        if (state.frameHook)
            state.frameHook();
        KVCore::beginFrame(background);
        if (sf::RenderTarget* target = KVCore::currentTarget())
            drawCredits(*target);
        KVCore::endFrame(1);
        stepCredits();
        if (!handleCreditsKey())
            break;
    }
    state.background = nullptr;
}

} // namespace Frontend
