#include "engine/Overlay.hpp"

#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Hints.hpp"
#include "engine/Icons.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace KVCore {
namespace {

using kv::withAlpha;

constexpr unsigned messageSize = 16;
constexpr float messageMargin = 5.f;
const sf::Color messageBoxColour(0, 0, 0, 128);
constexpr unsigned hintSize = 18;
constexpr float hintMargin = 4.f;
constexpr unsigned fpsSize = 24;
constexpr float fpsTop = 20.f;
constexpr float fpsMargin = 5.f;
const sf::Color fpsBackColour(0, 0, 0, 192);
constexpr std::array<int, 3> cursorIcons = {164, 61, 84};

// The FPS text and cursor sprites, set up once per process by KVCore::init;
// the messages as last laid out, made again by drawScreenMessages when a
// message comes or goes or their anchor moves, so that a frame with the
// same messages on it allocates nothing.
struct OverlayState {
    bool ready = false;
    sf::Text fpsText;
    float fpsReservedWidth = 0.f;
    FpsCounter fps;
    std::array<sf::Sprite, 3> cursors;
    std::optional<std::uint64_t> messagesLaidOut;
    sf::Vector2f messagesAnchor;
    std::vector<sf::Text> messageTexts;
    sf::RectangleShape messageBox;
    sf::FloatRect messagesArea;
};
OverlayState state;

} // namespace

MessageLayout layoutMessages(sf::Vector2f anchor, float lineSpacing, const std::vector<float>& widths)
{
    MessageLayout layout;
    const float n = static_cast<float>(widths.size());
    for (std::size_t i = 0; i < widths.size(); ++i)
        layout.linePositions.push_back({anchor.x, anchor.y - n * lineSpacing + static_cast<float>(i) * lineSpacing});
    const float widest = widths.empty() ? 0.f : *std::max_element(widths.begin(), widths.end());
    layout.box = {anchor.x - messageMargin, anchor.y - n * lineSpacing - messageMargin, widest + 2 * messageMargin,
                  n * lineSpacing + 2 * messageMargin};
    return layout;
}

sf::FloatRect placeHintBox(sf::Vector2f position, sf::Vector2f boxSize, sf::Vector2f viewSize)
{
    sf::Vector2f p = position;
    p.x = std::max(0.f, std::min(p.x, viewSize.x - boxSize.x));
    p.y = std::max(0.f, std::min(p.y, viewSize.y - boxSize.y));
    return {p, boxSize};
}

int FpsCounter::frame(int wallSecond)
{
    if (wallSecond != lastSecond_) {
        shown_ = counter_;
        counter_ = 0;
        lastSecond_ = wallSecond;
    } else {
        ++counter_;
    }
    return shown_ + 1;
}

void setUpOverlay()
{
    if (!state.ready) {
        state.fpsText = sf::Text("", Text::mediumFont(), fpsSize);
        state.fpsReservedWidth = sf::Text("00000000", Text::mediumFont(), fpsSize).getLocalBounds().width;
        state.ready = true;
    }
    for (std::size_t i = 0; i < cursorIcons.size(); ++i) {
        state.cursors[i] = Icons::getIcon(cursorIcons[i]);
        const sf::FloatRect bounds = state.cursors[i].getLocalBounds();
        state.cursors[i].setOrigin(bounds.width / 2.f, bounds.height / 2.f);
    }
}

namespace {

void layOutMessages(const std::vector<ScreenMessage>& messages, sf::Vector2f anchor)
{
    state.messageTexts.clear();
    std::vector<float> widths;
    for (const ScreenMessage& m : messages) {
        state.messageTexts.emplace_back(m.text, Text::standardFont(), messageSize);
        state.messageTexts.back().setFillColor(m.colour);
        widths.push_back(state.messageTexts.back().getLocalBounds().width);
    }
    const MessageLayout layout = layoutMessages(anchor, Text::standardLineSpacing(messageSize), widths);
    for (std::size_t i = 0; i < state.messageTexts.size(); ++i)
        state.messageTexts[i].setPosition(layout.linePositions[i]);
    state.messageBox.setSize({layout.box.width, layout.box.height});
    state.messageBox.setPosition(layout.box.left, layout.box.top);
    state.messageBox.setFillColor(messageBoxColour);
    state.messagesArea = state.messageBox.getGlobalBounds();
    for (const sf::Text& text : state.messageTexts) {
        const sf::FloatRect t = text.getGlobalBounds();
        const sf::FloatRect a = state.messagesArea;
        const float left = std::min(a.left, t.left), top = std::min(a.top, t.top);
        state.messagesArea = {left, top, std::max(a.left + a.width, t.left + t.width) - left,
                              std::max(a.top + a.height, t.top + t.height) - top};
    }
    state.messagesLaidOut = screenMessagesChanges();
    state.messagesAnchor = anchor;
}

} // namespace

void drawScreenMessages()
{
    const auto& messages = screenMessages();
    // Asked for only with something to draw: a layer asked for is composed.
    if (messages.empty() || !Text::loaded())
        return;
    const sf::Vector2f anchor = messageAnchor();
    if (state.messagesLaidOut != screenMessagesChanges() || state.messagesAnchor != anchor)
        layOutMessages(messages, anchor);
    // Only the messages' part of the layer is composed: all over, it would
    // cost a pass over the whole window for as long as a message stands.
    const LayerArea drawnOver(state.messagesArea);
    sf::RenderTarget* target = layerTarget(GuiLayer);
    if (!target)
        return;
    target->draw(state.messageBox);
    for (const sf::Text& text : state.messageTexts)
        target->draw(text);
}

void drawHints()
{
    if (hints().empty() || !Text::loaded())
        return;
    sf::RenderTarget* target = layerTarget(GuiLayer);
    if (!target)
        return;
    const std::uint8_t alpha = settings().hintsAlpha;
    const float lineSpacing = Text::standardLineSpacing(hintSize);
    for (const Hint& hint : hints()) {
        sf::Text text(hint.text, Text::standardFont(), hintSize);
        const sf::Vector2f boxSize(text.getLocalBounds().width + hintMargin, lineSpacing + hintMargin);
        const sf::FloatRect box = placeHintBox(hint.position, boxSize, viewSize());

        sf::RectangleShape shape(boxSize);
        shape.setOutlineThickness(1.f);
        shape.setPosition(box.left + kv::theme::shadowOffset, box.top + kv::theme::shadowOffset);
        shape.setFillColor(withAlpha(kv::theme::hintShadowColour, alpha));
        shape.setOutlineColor(withAlpha(kv::theme::hintShadowColour, alpha));
        target->draw(shape);

        shape.setPosition(box.left, box.top);
        shape.setFillColor(withAlpha(hint.backColour, alpha));
        shape.setOutlineColor(withAlpha(hint.backColour, alpha));
        target->draw(shape);

        text.setFillColor(hint.textColour);
        text.setPosition(box.left + 2.f, box.top + 2.f);
        target->draw(text);
    }
}

void drawFpsCounter()
{
    sf::RenderWindow* win = window().renderWindow();
    if (!settings().displayFPS || !state.ready || !win)
        return;
    const int shown = state.fps.frame(timeSource().utcNow().second);
    state.fpsText.setString(std::to_string(shown) + " FPS");
    state.fpsText.setPosition(viewSize().x - state.fpsReservedWidth, fpsTop);
    const sf::FloatRect bounds = state.fpsText.getGlobalBounds();
    sf::RectangleShape back({bounds.width + 2 * fpsMargin, bounds.height + 2 * fpsMargin});
    back.setPosition(bounds.left - fpsMargin, bounds.top - fpsMargin);
    back.setFillColor(fpsBackColour);
    win->draw(back);
    win->draw(state.fpsText);
}

void drawCursor(int cursorMode)
{
    sf::RenderWindow* win = window().renderWindow();
    if (cursorMode < 2 || cursorMode > 4 || !win)
        return;
    sf::Sprite& cursor = state.cursors[static_cast<std::size_t>(cursorMode - 2)];
    const sf::Vector2i at = Mouse::getViewPosition();
    cursor.setPosition(static_cast<float>(at.x), static_cast<float>(at.y));
    win->draw(cursor);
}

} // namespace KVCore
