#include "frontend/MainMenu.hpp"

#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Icons.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "frontend/PlayGame.hpp"
#include "game/GameScreen.hpp"
#include "game/SaveGame.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <array>

namespace Frontend {
namespace {

struct IconButton {
    int icon;
    const char* hint;
};

// The tools the finished menu will lead to, shown as a row of icons.
constexpr std::array<IconButton, 8> iconRow = {{
    {89, "Play"},
    {75, "Map Editor"},
    {154, "Tile Editor"},
    {146, "Sprite Editor"},
    {144, "Audio Panel"},
    {122, "Help"},
    {102, "Options"},
    {38, "Exit"},
}};

constexpr float buttonSize = 48.f;
constexpr float buttonGap = 12.f;

void drawTitle(sf::RenderTarget& target, sf::Vector2f view)
{
    sf::Text title(KVCore::appInfo().appName, Text::largeFont(), 64);
    const sf::FloatRect bounds = title.getLocalBounds();
    title.setPosition(static_cast<float>(static_cast<int>((view.x - bounds.width) / 2 - bounds.left)),
                      static_cast<float>(static_cast<int>(view.y / 3 - bounds.top)));
    target.draw(title);
}

void drawIconRow(sf::RenderTarget& target, sf::Vector2f view)
{
    const float rowWidth = iconRow.size() * buttonSize + (iconRow.size() - 1) * buttonGap;
    sf::Vector2f at((view.x - rowWidth) / 2.f, view.y / 2.f);
    for (const IconButton& b : iconRow) {
        const bool over = Mouse::isInRect(at.x, at.y, at.x + buttonSize, at.y + buttonSize);
        sf::RectangleShape face({buttonSize, buttonSize});
        face.setPosition(at);
        face.setFillColor(over ? kv::theme::hoverColour : kv::theme::bevelDarkColour);
        face.setOutlineThickness(1.f);
        face.setOutlineColor(kv::theme::bevelLightColour);
        target.draw(face);
        sf::Sprite icon = Icons::getIcon(b.icon);
        icon.setPosition(at.x + (buttonSize - 32.f) / 2.f, at.y + (buttonSize - 32.f) / 2.f);
        target.draw(icon);
        if (over)
            KVCore::showHint(std::string("menu:") + b.hint, {at.x, at.y + buttonSize + 6.f}, 0.5f, b.hint);
        at.x += buttonSize + buttonGap;
    }
}

// Until the play menu exists, Return plays the first slot: it continues when
// the slot has a game, and starts a new one at Normal when it has none.
void drawPlayLine(sf::RenderTarget& target, sf::Vector2f view)
{
    sf::Text line("Press Return to play", Text::standardFont(), 18);
    const sf::FloatRect bounds = line.getLocalBounds();
    line.setPosition(static_cast<float>(static_cast<int>((view.x - bounds.width) / 2 - bounds.left)),
                     static_cast<float>(static_cast<int>(view.y / 2 + buttonSize + 48.f)));
    target.draw(line);
}

void playFirstSlot()
{
    Frontend::playFromSlot(0, [] { return std::optional<std::int16_t>(SkillNormal); }, Game::runGame);
}

} // namespace

void runMainMenu()
{
    KVCore::WindowBackend& w = KVCore::window();
    while (w.isOpen()) {
        KVCore::beginFrame();
        sf::RenderTarget* gui = KVCore::layerTarget(KVCore::GuiLayer);
        if (sf::RenderWindow* target = w.renderWindow(); target && gui) {
            target->clear(sf::Color::Black);
            drawTitle(*target, KVCore::viewSize());
            drawIconRow(*gui, KVCore::viewSize());
            drawPlayLine(*target, KVCore::viewSize());
        }
        KVCore::endFrame(0);
        if (KVCore::tickFlag() && Keyboard::keyHit(sf::Keyboard::Return))
            playFirstSlot();
    }
}

} // namespace Frontend
