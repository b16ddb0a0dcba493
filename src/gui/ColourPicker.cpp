#include "gui/ColourPicker.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Mouse.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Dialogs.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

constexpr float gap = 12.f;
constexpr float margin = 10.f;
constexpr float pickerHeight = 300.f;
constexpr float dialogWidth = 500.f;
const sf::Color cursorColour(0, 0, 0, 192);

std::uint8_t channel(double unit) { return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0)); }

} // namespace

Hsv toHsv(sf::Color colour)
{
    const double r = colour.r / 255.0, g = colour.g / 255.0, b = colour.b / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b}), span = high - low;
    Hsv hsv;
    hsv.value = high * 100.0;
    hsv.saturation = high > 0.0 ? span / high * 100.0 : 0.0;
    if (span > 0.0) {
        double h = high == r ? std::fmod((g - b) / span, 6.0) : high == g ? (b - r) / span + 2.0 : (r - g) / span + 4.0;
        h *= 60.0;
        hsv.hue = h < 0.0 ? h + 360.0 : h;
    }
    return hsv;
}

sf::Color toRgb(const Hsv& hsv)
{
    const double v = std::clamp(hsv.value, 0.0, 100.0) / 100.0;
    const double c = v * std::clamp(hsv.saturation, 0.0, 100.0) / 100.0;
    double h = std::fmod(hsv.hue, 360.0) / 60.0;
    if (h < 0.0)
        h += 6.0;
    const double x = c * (1.0 - std::fabs(std::fmod(h, 2.0) - 1.0));
    double r = 0.0, g = 0.0, b = 0.0;
    switch (static_cast<int>(h)) {
    case 0: r = c; g = x; break;
    case 1: r = x; g = c; break;
    case 2: g = c; b = x; break;
    case 3: g = x; b = c; break;
    case 4: r = x; b = c; break;
    default: r = c; b = x; break;
    }
    const double m = v - c;
    return {channel(r + m), channel(g + m), channel(b + m), 255};
}

void ColourPicker::create(sf::Vector2f newPosition, sf::Vector2f newSize)
{
    position = {std::floor(newPosition.x), std::floor(newPosition.y)};
    size = {std::floor(newSize.x), std::floor(newSize.y)};
    cursor.setOrigin(cursor.getRadius(), cursor.getRadius());
    cursor.setFillColor(sf::Color::Transparent);
    cursor.setOutlineColor(cursorColour);
    cursor.setOutlineThickness(2.f);
    marker.setFillColor(sf::Color::Transparent);
    marker.setOutlineColor(sf::Color::Black);
    marker.setOutlineThickness(2.f);
    fieldDrag = stripDrag = false;
    layout();
    paintField();
    setColour(toRgb({hue, saturation, value}));
    // Made again after a fade, it shows in full, as every widget does.
    setAlpha(255);
}

sf::FloatRect ColourPicker::fieldArea() const
{
    return {position.x, position.y, size.x - stripWidth - gap, size.y - previewRoom};
}

sf::FloatRect ColourPicker::stripArea() const
{
    return {position.x + size.x - stripWidth, position.y, stripWidth, size.y - previewRoom};
}

void ColourPicker::layout()
{
    const sf::FloatRect f = fieldArea(), s = stripArea();
    // Sunken frames just outside the pictures.
    fieldFrame.create({f.left - 1.f, f.top - 1.f}, {f.left + f.width, f.top + f.height}, theme::bevelDarkColour,
                      theme::bevelLightColour, sf::Color::Transparent);
    stripFrame.create({s.left - 1.f, s.top - 1.f}, {s.left + s.width, s.top + s.height}, theme::bevelDarkColour,
                      theme::bevelLightColour, sf::Color::Transparent);
    const float top = f.top + f.height + gap;
    const float height = position.y + size.y - top;
    const float half = std::floor(size.x * 0.5f);
    before.setPosition(position.x, top);
    before.setSize({half, height});
    after.setPosition(position.x + half, top);
    after.setSize({size.x - half, height});
    previewFrame.create({position.x - 1.f, top - 1.f}, {position.x + size.x, top + height}, theme::bevelDarkColour,
                        theme::bevelLightColour, sf::Color::Transparent);
    marker.setSize({s.width + 4.f, 4.f});
}

void ColourPicker::paintField()
{
    const sf::FloatRect f = fieldArea();
    const auto w = static_cast<unsigned>(std::max(1.f, f.width)), h = static_cast<unsigned>(std::max(1.f, f.height));
    sf::Image image;
    image.create(w, h);
    for (unsigned py = 0; py < h; ++py)
        for (unsigned px = 0; px < w; ++px)
            image.setPixel(px, py, toRgb({360.0 * px / w, 100.0 * (h - py) / h, 100.0}));
    fieldTexture.loadFromImage(image);
}

void ColourPicker::paintStrip()
{
    const sf::FloatRect s = stripArea();
    const auto w = static_cast<unsigned>(s.width), h = static_cast<unsigned>(std::max(1.f, s.height));
    sf::Image image;
    image.create(w, h);
    for (unsigned row = 0; row < h; ++row) {
        const sf::Color c = toRgb({hue, saturation, 100.0 * (h - row) / h});
        for (unsigned px = 0; px < w; ++px)
            image.setPixel(px, row, c);
    }
    stripTexture.loadFromImage(image);
}

void ColourPicker::placeMarks()
{
    const sf::FloatRect f = fieldArea(), s = stripArea();
    cursor.setPosition(static_cast<float>(f.left + hue / 360.0 * f.width),
                       static_cast<float>(f.top + f.height - saturation / 100.0 * f.height));
    marker.setPosition(s.left - 2.f, static_cast<float>(s.top + s.height - value / 100.0 * s.height) - 2.f);
    after.setFillColor(withAlpha(toRgb({hue, saturation, value}), alpha));
}

void ColourPicker::setColour(sf::Color colour)
{
    const Hsv hsv = toHsv(colour);
    hue = hsv.hue;
    saturation = hsv.saturation;
    value = hsv.value;
    colourAlpha = colour.a;
    before.setFillColor(withAlpha(colour, alpha));
    paintStrip();
    placeMarks();
}

sf::Color ColourPicker::getColour() const { return withAlpha(toRgb({hue, saturation, value}), colourAlpha); }

void ColourPicker::clear()
{
    fieldDrag = stripDrag = false;
    setColour(sf::Color::White);
}

void ColourPicker::update()
{
    if (!KVCore::window().hasFocus())
        return;
    const unsigned buttons = Mouse::getButtons();
    if (!(buttons & Mouse::leftBit)) {
        fieldDrag = stripDrag = false;
        return;
    }
    if (buttons != Mouse::leftBit)
        return;
    const sf::FloatRect f = fieldArea(), s = stripArea();
    if (!fieldDrag && !stripDrag && !Mouse::isCaptured()) {
        if (Mouse::isInRect(f.left, f.top, f.left + f.width, f.top + f.height))
            fieldDrag = true;
        else if (Mouse::isInRect(s.left, s.top, s.left + s.width, s.top + s.height))
            stripDrag = true;
        if (fieldDrag || stripDrag)
            Mouse::beginCapture();
    }
    const sf::Vector2i mouse = Mouse::getViewPosition();
    if (fieldDrag) {
        const double w = std::floor(f.width), h = std::floor(f.height);
        const double px = std::clamp(mouse.x - static_cast<double>(f.left), 0.0, w - 1.0);
        const double py = std::clamp(mouse.y - static_cast<double>(f.top), 0.0, h - 1.0);
        hue = 360.0 - (w - px) / w * 360.0;
        saturation = (h - py) / h * 100.0;
        paintStrip();
        placeMarks();
    } else if (stripDrag) {
        const double h = std::floor(s.height);
        const double row = std::clamp(mouse.y - static_cast<double>(s.top), 0.0, h - 1.0);
        // What the strip shows there, read back; only its value is taken.
        value = toHsv(toRgb({hue, saturation, (h - row) / h * 100.0})).value;
        placeMarks();
    }
}

void ColourPicker::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    const sf::FloatRect f = fieldArea(), s = stripArea();
    sf::Sprite picture(fieldTexture);
    picture.setPosition(f.left, f.top);
    picture.setColor(withAlpha(sf::Color::White, alpha));
    target->draw(picture);
    picture.setTexture(stripTexture, true);
    picture.setPosition(s.left, s.top);
    target->draw(picture);
    fieldFrame.draw();
    stripFrame.draw();
    target->draw(before);
    target->draw(after);
    previewFrame.draw();
    target->draw(cursor);
    target->draw(marker);
}

void ColourPicker::setPosition(sf::Vector2f topLeft)
{
    position = {std::floor(topLeft.x), std::floor(topLeft.y)};
    layout();
    placeMarks();
}

void ColourPicker::setSize(sf::Vector2f newSize)
{
    size = {std::floor(newSize.x), std::floor(newSize.y)};
    layout();
    paintField();
    paintStrip();
    placeMarks();
}

void ColourPicker::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    before.setFillColor(withAlpha(before.getFillColor(), alpha));
    after.setFillColor(withAlpha(after.getFillColor(), alpha));
    cursor.setOutlineColor(withAlpha(cursorColour, static_cast<std::uint8_t>(cursorColour.a * alpha / 255)));
    marker.setOutlineColor(withAlpha(sf::Color::Black, alpha));
    for (BevelPanel* frame : {&fieldFrame, &stripFrame, &previewFrame})
        frame->setAlpha(alpha);
}

void ColourPickerDialog::create(const std::string& title, sf::Color colour)
{
    makeAffirmativeButton(ok, "Ok", {}, okCancelWidth());
    makeNegativeButton(cancel, "Cancel", cancelIcon, {}, okCancelWidth());
    const float th = Form::titleBarHeight();
    const sf::Vector2f size(dialogWidth, th + margin + pickerHeight + margin + ok.getHeight() + margin);
    const sf::Vector2f at = centredInView(size);
    form.create(title, at, size);
    picker.create({at.x + margin + 1.f, at.y + th + margin}, {size.x - 2.f * margin - 2.f, pickerHeight});
    picker.setColour(colour);
    const float buttonTop = at.y + size.y - margin - ok.getHeight();
    cancel.setPosition({at.x + size.x - margin - cancel.getWidth(), buttonTop});
    ok.setPosition({cancel.getPosition().x - margin - ok.getWidth(), buttonTop});
}

void ColourPickerDialog::clear()
{
    picker.clear();
    ok.clear();
    cancel.clear();
}

void ColourPickerDialog::update()
{
    if (!KVCore::tickFlag())
        return;
    form.update();
    ok.update();
    cancel.update();
    picker.update();
}

void ColourPickerDialog::draw()
{
    form.draw();
    ok.draw();
    cancel.draw();
    picker.draw();
}

bool pickColour(sf::Color& colour, const std::string& title)
{
    ModalLoop loop(title);
    waitOutOpeningKeys();
    ColourPickerDialog dialog;
    dialog.create(title, colour);
    bool answer = false;
    while (loop.beginPass()) {
        dialog.update();
        dialog.draw();
        if (dialog.ok.clicked) {
            colour = dialog.picker.getColour();
            answer = true;
            loop.finish();
        } else if (dialog.cancel.clicked) {
            loop.finish();
        }
        loop.endPass();
    }
    return answer;
}

} // namespace kv
