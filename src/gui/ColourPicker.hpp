#pragma once
// Picking a colour by hue, saturation and value: a hue-saturation field
// (hue left to right, saturation bottom to top), a value strip beside it
// for the chosen hue and saturation, and previews of the colour the picker
// started with and the one picked.

#include "gui/BevelPanel.hpp"
#include "gui/Button.hpp"
#include "gui/Dialog.hpp"
#include "gui/Form.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <string>

namespace kv {

struct Hsv {
    double hue = 0.0;         // 0..360
    double saturation = 0.0;  // 0..100
    double value = 0.0;       // 0..100
};
Hsv toHsv(sf::Color colour);
// Alpha 255.
sf::Color toRgb(const Hsv& hsv);

class ColourPicker : public Component {
public:
    static constexpr float stripWidth = 32.f;
    // Room under the field and the strip for the previews.
    static constexpr float previewRoom = 80.f;

    void create(sf::Vector2f position, sf::Vector2f size);
    // Also the "before" preview.
    void setColour(sf::Color colour);
    // The picked colour, with the alpha it was given.
    sf::Color getColour() const;

    void clear() override;
    // Dragging in the field or the strip.
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return alpha; }
    void setAlpha(std::uint8_t alpha) override;

    sf::FloatRect fieldArea() const;
    sf::FloatRect stripArea() const;

    double hue = 0.0, saturation = 0.0, value = 100.0;
    bool fieldDrag = false, stripDrag = false;

private:
    void layout();
    void paintField();
    void paintStrip();
    void placeMarks();

    sf::Vector2f position, size;
    std::uint8_t alpha = 255;
    std::uint8_t colourAlpha = 255;
    // Sprites are made when drawing, so a copied picker draws its own
    // textures.
    sf::Texture fieldTexture, stripTexture;
    sf::CircleShape cursor{8.f, 30};
    sf::RectangleShape marker;
    sf::RectangleShape before, after;
    BevelPanel fieldFrame, stripFrame, previewFrame;
};

class ColourPickerDialog : public Dialog {
public:
    void create(const std::string& title, sf::Color colour);

    void clear() override;
    // Only on passes that ran an engine tick: form, buttons, picker.
    void update() override;
    void draw() override;
    sf::Vector2f getPosition() const override { return form.getPosition(); }
    sf::Vector2f getSize() const override { return form.getSize(); }
    float getWidth() const override { return form.getWidth(); }
    float getHeight() const override { return form.getHeight(); }
    void setTitle(const std::string& title) override { form.setTitle(title); }
    std::string getTitle() const override { return form.getTitle(); }

    Form form;
    Button ok, cancel;
    ColourPicker picker;
};

// A colour dialog, "Select Colour" unless titled otherwise: on Ok the colour
// becomes the picked one.
bool pickColour(sf::Color& colour, const std::string& title = "Select Colour");

} // namespace kv
