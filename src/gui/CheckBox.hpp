#pragma once
// A check box with a caption.  Not a Component: update handles the mouse and
// draws in the same call, once per pass.

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <string>

namespace kv {

class CheckBox {
public:
    void create(const std::string& caption, float x, float y);
    // Forgets caption, position and state.
    void clear();
    // Inverts on a press inside the box, then draws.
    void update();
    bool isChecked() const { return checked; }
    void setChecked(bool on) { checked = on; }
    float getWidth() const { return box.width; }
    float getHeight() const { return box.height; }
    std::uint8_t getAlpha() const { return alpha; }
    void setAlpha(std::uint8_t alpha);

    bool isCreated() const { return created; }
    const std::string& getCaption() const { return caption; }
    sf::FloatRect getBox() const { return box; }

private:
    void draw() const;

    bool created = false;
    bool checked = false;
    bool mouseOver = false;
    std::string caption;
    sf::FloatRect box;
    std::uint8_t alpha = 255;
    sf::Sprite checkedSprite, uncheckedSprite, mouseOverSprite;
    sf::Text captionText;
};

} // namespace kv
