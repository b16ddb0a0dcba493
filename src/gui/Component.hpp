#pragma once
// The toolkit's widgets are plain values that a screen owns and drives by
// hand: update, then draw, then read the result fields.  No tree, no parent,
// no event queue.

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace kv {

class Component {
public:
    Component() = default;
    Component(const Component& other);
    Component& operator=(const Component& other);
    virtual ~Component();

    virtual void clear() = 0;
    virtual void update() = 0;
    virtual void draw() = 0;
    virtual void setPosition(sf::Vector2f topLeft) = 0;
    virtual sf::Vector2f getPosition() const = 0;
    virtual void setSize(sf::Vector2f size) = 0;
    virtual sf::Vector2f getSize() const = 0;
    virtual float getWidth() const = 0;
    virtual float getHeight() const = 0;
    virtual std::uint8_t getAlpha() const = 0;
    virtual void setAlpha(std::uint8_t alpha) = 0;

    std::int32_t id = -1;

protected:
    // Focusable widgets take an id from the table when they are created.
    void takeId();
    bool hasFocus() const;
};

constexpr std::int32_t idTableSize = 2048;

// The id table and the keyboard owner; KVCore::init clears them.
void clearIdTable();
std::int32_t takeFreeId();
void freeId(std::int32_t id);
bool idTaken(std::int32_t id);
// The next taken id after this one, wrapping round to the lowest; -1 when
// none is taken.
std::int32_t nextTakenId(std::int32_t after);

std::int32_t focusedId();
void setFocusedId(std::int32_t id);

// Where widgets draw: the engine's GUI layer unless a screen redirected the
// toolkit to a target of its own.
sf::RenderTarget* guiTarget();
void setGuiTarget(sf::RenderTarget* target);

} // namespace kv
