#include "frontend/MenuList.hpp"

#include "audio/Audio.hpp"
#include "engine/Display.hpp"
#include "engine/Icons.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <optional>

namespace Frontend {
namespace {

constexpr unsigned titleSize = 24;
constexpr unsigned lineSize = 18;
constexpr float menuLeft = 15.f;
constexpr float topMargin = 15.f;
constexpr float minimumWidth = 320.f;
constexpr float labelRoom = 96.f;  // icon and margins beside the widest label
constexpr float rowGap = 3.f;
constexpr float panelPadding = 8.f;
constexpr float boxGap = 12.f;
constexpr float bigIconSize = 64.f;
constexpr float iconTextGap = 12.f;

const sf::Color panelColour(0, 0, 128, 192);
const sf::Color hintBoxColour(0, 0, 0, 160);
const sf::Color rowColour(10, 20, 70, 170);
const sf::Color currentRowColour(60, 110, 215, 225);
const sf::Color dimTextColour(205, 210, 230, 255);
const sf::Color outlineColour(0, 0, 0, 255);
constexpr float labelOutline = 0.75f;

// Where the mouse was at the last update of any menu, so that a mouse
// resting where a sub-menu opens does not pick a row.  Lives for the whole
// program; forgetMenuMousePosition clears it.
struct MenuMouse {
    std::optional<sf::Vector2i> lastSeen;
};
MenuMouse menuMouse;

float lineSpacing(const sf::Font& font, unsigned size) { return font.getLineSpacing(size); }

float textWidth(const sf::Font& font, unsigned size, const std::string& s)
{
    if (s.empty())
        return 0.f;
    const sf::Text t(s, font, size);
    return t.findCharacterPos(s.size()).x - t.findCharacterPos(0).x;
}

float standardWidth(const std::string& s) { return textWidth(Text::standardFont(), lineSize, s); }

// Breaks a text into lines no wider than the width: at spaces where it can,
// after a path separator or between letters where a word alone is too wide.
std::vector<std::string> wrapText(const std::string& text, float width)
{
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos)
            end = text.size();
        std::string word = text.substr(at, end - at);
        at = end + 1;
        const std::string joined = line.empty() ? word : line + " " + word;
        if (standardWidth(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty())
            lines.push_back(line);
        line.clear();
        while (standardWidth(word) > width && word.size() > 1) {
            std::size_t cut = word.size() - 1;
            while (cut > 1 && standardWidth(word.substr(0, cut)) > width)
                --cut;
            const std::size_t separator = word.find_last_of("\\/", cut - 1);
            if (separator != std::string::npos && separator > 0)
                cut = separator + 1;
            lines.push_back(word.substr(0, cut));
            word.erase(0, cut);
        }
        line = word;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

void drawText(sf::RenderTarget& target, const std::string& s, const sf::Font& font, unsigned size,
              sf::Vector2f at, sf::Color colour, float outline = 0.f)
{
    if (s.empty())
        return;
    sf::Text t(s, font, size);
    t.setFillColor(colour);
    if (outline > 0.f) {
        t.setOutlineThickness(outline);
        t.setOutlineColor(outlineColour);
    }
    t.setPosition(std::round(at.x), std::round(at.y));
    target.draw(t);
}

// The panels and rows of a frame go in one draw and the icons in another:
// none of them overlap, so drawing all of a kind at once looks the same.
// Kept between frames, so drawing a menu again allocates nothing.
struct MenuBatch {
    sf::VertexArray panels{sf::Triangles};
    sf::VertexArray icons{sf::Triangles};
    const sf::Texture* iconSheet = nullptr;
};
MenuBatch batch;

// Two triangles split as SFML splits a sprite.
void addQuad(sf::VertexArray& to, const sf::FloatRect& r, sf::Color colour, const sf::FloatRect& source = {})
{
    const float right = r.left + r.width, bottom = r.top + r.height;
    const float u = source.left, v = source.top, uRight = u + source.width, vBottom = v + source.height;
    const sf::Vertex a({r.left, r.top}, colour, {u, v}), b({r.left, bottom}, colour, {u, vBottom}),
        c({right, r.top}, colour, {uRight, v}), d({right, bottom}, colour, {uRight, vBottom});
    for (const sf::Vertex& corner : {a, b, c, b, c, d})
        to.append(corner);
}

void drawRect(const sf::FloatRect& r, sf::Color colour) { addQuad(batch.panels, r, colour); }

void drawIcon(sf::RenderTarget& target, int icon, const sf::FloatRect& r)
{
    const sf::Sprite& sprite = Icons::getIcon(icon);
    const sf::FloatRect bounds = sprite.getLocalBounds();
    if (bounds.width <= 0.f || bounds.height <= 0.f || !sprite.getTexture())
        return;
    const sf::FloatRect at(std::round(r.left), std::round(r.top), r.width, r.height);
    if (!batch.iconSheet)
        batch.iconSheet = sprite.getTexture();
    if (sprite.getTexture() == batch.iconSheet) {
        addQuad(batch.icons, at, sprite.getColor(), sf::FloatRect(sprite.getTextureRect()));
        return;
    }
    // An icon from elsewhere (the stand-in for a number out of range).
    sf::Sprite single = sprite;
    single.setScale(r.width / bounds.width, r.height / bounds.height);
    single.setPosition(at.left, at.top);
    target.draw(single);
}

void drawBatch(sf::RenderTarget& target)
{
    target.draw(batch.panels);
    if (batch.iconSheet)
        target.draw(batch.icons, sf::RenderStates(batch.iconSheet));
    batch.panels.clear();
    batch.icons.clear();
}

void playIfValid(int sampleId)
{
    if (sampleId >= 1)
        Audio::playSound(sampleId, Audio::listenerPosition(), false, "", -1.f);
}

} // namespace

void forgetMenuMousePosition() { menuMouse.lastSeen.reset(); }

void MenuList::setTitle(std::string title, std::string secondLine, std::string thirdLine)
{
    title_ = std::move(title);
    secondLine_ = std::move(secondLine);
    thirdLine_ = std::move(thirdLine);
    const Audio::MenuSounds& names = Audio::menuSounds();
    selectSound_ = Audio::getSampleId(names.select);
    moveSound_ = Audio::getSampleId(names.move);
    cancelSound_ = Audio::getSampleId(names.cancel);
}

void MenuList::setExtraLine(std::string text) { extraLine_ = std::move(text); }

void MenuList::addRow(std::string label, int icon, std::string hint)
{
    rows_.push_back({std::move(label), icon, std::move(hint)});
}

MenuLayout MenuList::layout(sf::Vector2f view) const
{
    MenuLayout l;
    const sf::Font& medium = Text::mediumFont();
    const sf::Font& standard = Text::standardFont();
    const float line = lineSpacing(standard, lineSize);
    l.rowHeight = 1.5f * std::max(32.f, line);

    const std::pair<const std::string*, bool> titleLines[] = {
        {&title_, true}, {&secondLine_, false}, {&thirdLine_, true}, {&extraLine_, false}};
    float titleHeight = 0.f;
    float widest = minimumWidth;
    for (const auto& [text, big] : titleLines) {
        if (text->empty())
            continue;
        const sf::Font& font = big ? medium : standard;
        const unsigned size = big ? titleSize : lineSize;
        titleHeight += lineSpacing(font, size);
        widest = std::max(widest, textWidth(font, size, *text) + 2 * panelPadding);
    }
    for (const MenuRow& row : rows_)
        widest = std::max(widest, standardWidth(row.label) + labelRoom);
    l.width = std::ceil(widest);

    const float panelHeight = std::ceil(titleHeight + 2 * panelPadding);
    const float rowsHeight = static_cast<float>(rows_.size()) * l.rowHeight;
    // A long list on a low view gives up the margin above it first.
    const float top = std::floor(std::clamp((view.y - panelHeight - rowsHeight) / 2.f, 0.f, topMargin));
    l.titlePanel = {menuLeft, top, l.width, panelHeight};
    const float firstRow = top + panelHeight + rowGap;
    for (std::size_t i = 0; i < rows_.size(); ++i)
        l.rows.push_back({menuLeft, firstRow + static_cast<float>(i) * l.rowHeight, l.width, l.rowHeight - rowGap});
    const float menuBottom = l.rows.empty() ? l.titlePanel.top + panelHeight : l.rows.back().top + l.rows.back().height;

    // The hint box keeps its height from row to row: the tallest any row
    // needs in a box of that width.
    const auto boxHeight = [&](float boxWidth) {
        const float textRoom = boxWidth - 2 * panelPadding - bigIconSize - iconTextGap;
        std::size_t most = 2;
        for (const MenuRow& row : rows_)
            most = std::max(most, wrapText(row.label, textRoom).size() + wrapText(row.hint, textRoom).size());
        return std::ceil(std::max(bigIconSize, static_cast<float>(most) * line) + 2 * panelPadding);
    };
    // Below the menu when there is room, above the bottom line the main
    // menu keeps for the mod folder; otherwise beside the menu, at the foot
    // of the view.
    const float boxFloor = view.y - line - 2 * panelPadding;
    float boxWidth = l.width;
    float height = boxHeight(boxWidth);
    if (menuBottom + boxGap + height <= boxFloor) {
        l.hintBox = {menuLeft, menuBottom + boxGap, boxWidth, height};
    } else {
        const float left = menuLeft + l.width + menuLeft;
        boxWidth = std::max(160.f, std::min(l.width, view.x - menuLeft - left));
        height = boxHeight(boxWidth);
        l.hintBox = {left, std::max(0.f, boxFloor - height), boxWidth, height};
    }
    l.hintIcon = {l.hintBox.left + panelPadding, l.hintBox.top + (l.hintBox.height - bigIconSize) / 2.f,
                  bigIconSize, bigIconSize};
    if (current_ >= 0 && static_cast<std::size_t>(current_) < rows_.size()) {
        const float textRoom = l.hintBox.width - 2 * panelPadding - bigIconSize - iconTextGap;
        const MenuRow& row = rows_[static_cast<std::size_t>(current_)];
        l.hintLines = wrapText(row.label, textRoom);
        l.labelLineCount = l.hintLines.size();
        for (std::string& s : wrapText(row.hint, textRoom))
            l.hintLines.push_back(std::move(s));
    }
    return l;
}

int MenuList::rowUnderMouse(const MenuLayout& l) const
{
    for (std::size_t i = 0; i < l.rows.size(); ++i) {
        const sf::FloatRect& r = l.rows[i];
        if (Mouse::isInRect(r.left, r.top, r.left + r.width, r.top + r.height))
            return static_cast<int>(i);
    }
    return -1;
}

void MenuList::select(int row)
{
    const int count = static_cast<int>(rows_.size());
    if (count == 0)
        return;
    current_ = (row % count + count) % count;
    playIfValid(moveSound_);
}

void MenuList::choose()
{
    if (rows_.empty())
        return;
    playIfValid(selectSound_);
    result_ = current_;
}

void MenuList::update()
{
    result_ = -1;
    cancelled_ = false;

    const MenuLayout l = layout(KVCore::viewSize());
    const sf::Vector2i mouse = Mouse::getViewPosition();
    const int under = rowUnderMouse(l);
    const bool moved = menuMouse.lastSeen != mouse;
    menuMouse.lastSeen = mouse;
    if (moved && under >= 0 && under != current_)
        select(under);
    if (under >= 0 && Mouse::clicked(Mouse::Left)) {
        Mouse::waitRelease();
        // The row clicked is the row chosen, even when the keys had moved
        // the highlight elsewhere and the mouse had not moved since.
        current_ = under;
        choose();
    }

    if (Keyboard::keyHit(sf::Keyboard::Up))
        select(current_ - 1);
    else if (Keyboard::keyHit(sf::Keyboard::Down))
        select(current_ + 1);
    if (Keyboard::keyHit(sf::Keyboard::Escape)) {
        playIfValid(cancelSound_);
        cancelled_ = true;
    } else if (Keyboard::keyHit(sf::Keyboard::Return) || Keyboard::keyHit(sf::Keyboard::Space)) {
        // The press that chose must not reach the screen that opens next.
        Keyboard::waitKeyRelease(sf::Keyboard::Return);
        Keyboard::waitKeyRelease(sf::Keyboard::Space);
        choose();
    }
}

void MenuList::draw(sf::RenderTarget& target) const
{
    const MenuLayout l = layout(KVCore::viewSize());
    const sf::Font& medium = Text::mediumFont();
    const sf::Font& standard = Text::standardFont();
    const float line = lineSpacing(standard, lineSize);
    const bool hinted = current_ >= 0 && static_cast<std::size_t>(current_) < rows_.size();

    // The panels and icons first, then every text over them.
    drawRect(l.titlePanel, panelColour);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const sf::FloatRect& r = l.rows[i];
        drawRect(r, static_cast<int>(i) == current_ ? currentRowColour : rowColour);
        drawIcon(target, rows_[i].icon, {20.f, r.top + (l.rowHeight - 32.f) / 2.f, 32.f, 32.f});
    }
    if (hinted) {
        drawRect(l.hintBox, hintBoxColour);
        drawIcon(target, rows_[static_cast<std::size_t>(current_)].icon, l.hintIcon);
    }
    drawBatch(target);

    float y = l.titlePanel.top + panelPadding;
    const float x = l.titlePanel.left + panelPadding;
    const auto titleLine = [&](const std::string& s, bool big, sf::Color colour) {
        if (s.empty())
            return;
        drawText(target, s, big ? medium : standard, big ? titleSize : lineSize, {x, y}, colour);
        y += big ? lineSpacing(medium, titleSize) : line;
    };
    titleLine(title_, true, sf::Color::White);
    titleLine(secondLine_, false, sf::Color::White);
    titleLine(thirdLine_, true, sf::Color::White);
    titleLine(extraLine_, false, dimTextColour);

    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const sf::FloatRect& r = l.rows[i];
        drawText(target, rows_[i].label, standard, lineSize, {l.rowHeight + 17.f, r.top + (l.rowHeight - line) / 2.f},
                 sf::Color::White, static_cast<int>(i) == current_ ? labelOutline : 0.f);
    }

    if (!hinted)
        return;
    const float textLeft = l.hintIcon.left + l.hintIcon.width + iconTextGap;
    float textTop = l.hintBox.top + (l.hintBox.height - static_cast<float>(l.hintLines.size()) * line) / 2.f;
    for (std::size_t i = 0; i < l.hintLines.size(); ++i) {
        drawText(target, l.hintLines[i], standard, lineSize, {textLeft, textTop},
                 i < l.labelLineCount ? sf::Color::White : dimTextColour);
        textTop += line;
    }
}

} // namespace Frontend
