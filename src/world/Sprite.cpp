#include "world/Sprite.hpp"

#include "engine/Layers.hpp"
#include "engine/Shaders.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "storage/BinaryFile.hpp"
#include "platform/TextCase.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shader.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>

bool showObjectsBounds = false;

namespace {

const char* const invalidSpriteFile = "Not a valid sprite file";
const char* const invalidTalvexFile = "Not a valid Talvex sprite file.";

std::uint64_t powerOfTwoAtLeast(std::uint64_t n)
{
    std::uint64_t p = 1;
    while (p < n)
        p <<= 1;
    return p;
}

std::uint64_t ceilSquareRoot(std::uint64_t n)
{
    std::uint64_t r = 0;
    while (r * r < n)
        ++r;
    return r;
}

int clampToInt(std::uint64_t n)
{
    return static_cast<int>(std::min<std::uint64_t>(n, std::numeric_limits<int>::max()));
}

std::vector<sf::Vector2u> frameSizes(const std::vector<SpriteFrame>& frames)
{
    std::vector<sf::Vector2u> sizes;
    sizes.reserve(frames.size());
    for (const SpriteFrame& frame : frames)
        sizes.push_back(frame.image.getSize());
    return sizes;
}

bool layoutFits(const SpriteLayout& layout)
{
    return layout.textureWidth <= Sprite::maxTextureSide && layout.textureHeight <= Sprite::maxTextureSide;
}

bool frameTooLarge(const sf::Image& image)
{
    return image.getSize().x > Sprite::maxFrameSide || image.getSize().y > Sprite::maxFrameSide;
}

} // namespace

SpriteLayout layoutSpriteFrames(const std::vector<sf::Vector2u>& frameSizes)
{
    SpriteLayout layout;
    const std::uint64_t count = frameSizes.size();
    if (count == 0)
        return layout;
    const std::uint64_t rowLength = (count % 2 == 0 && count < 20) ? count / 2 : ceilSquareRoot(count);
    layout.rects.reserve(frameSizes.size());
    std::uint64_t x = 0, y = 0, inRow = 0, rowHeight = 0, widest = 0;
    for (std::size_t i = 0; i < frameSizes.size(); ++i) {
        const sf::Vector2u size = frameSizes[i];
        layout.rects.emplace_back(clampToInt(x), clampToInt(y), clampToInt(size.x), clampToInt(size.y));
        x += size.x + std::uint64_t{Sprite::framePadding};
        rowHeight = std::max<std::uint64_t>(rowHeight, size.y + std::uint64_t{Sprite::framePadding});
        ++inRow;
        if (inRow > rowLength || i + 1 == frameSizes.size()) {
            widest = std::max(widest, x);
            y += rowHeight;
            x = inRow = rowHeight = 0;
        }
    }
    layout.textureWidth = powerOfTwoAtLeast(widest);
    layout.textureHeight = powerOfTwoAtLeast(y);
    return layout;
}

Sprite::Sprite()
{
    reset();
}

Sprite::~Sprite() = default;
Sprite::Sprite(Sprite&&) noexcept = default;
Sprite& Sprite::operator=(Sprite&&) noexcept = default;

void Sprite::reset()
{
    clearFrames();
    description = "(none)";
}

void Sprite::clearFrames()
{
    frames.clear();
    currentFrame = 0;
    restartFrameClock();
}

bool Sprite::addFrame(const sf::Image& image, const std::string& sourcePath, int displayTime, bool rebuild)
{
    if (displayTime < 0)
        displayTime = frames.empty() ? defaultDisplayTime : frames.back().displayTime;
    SpriteFrame frame;
    frame.displayTime = static_cast<std::int16_t>(std::min<int>(displayTime, std::numeric_limits<std::int16_t>::max()));
    frame.sourcePath = sourcePath;
    frame.image = image;
    frames.push_back(std::move(frame));
    if (!rebuild)
        return true;
    const bool packed = buildTexture();
    currentFrame = 0;
    restartFrameClock();
    return packed;
}

bool Sprite::buildTexture()
{
    textureStale_ = true;
    const SpriteLayout layout = layoutSpriteFrames(frameSizes(frames));
    bool packed = true;
    if (frames.empty()) {
        packed_.create(emptyTextureSide, emptyTextureSide, sf::Color::White);
    } else if (!layoutFits(layout)) {
        packed_ = sf::Image();
        packed = false;
    } else {
        packed_.create(static_cast<unsigned>(layout.textureWidth), static_cast<unsigned>(layout.textureHeight),
                       sf::Color::Transparent);
        for (std::size_t i = 0; i < frames.size(); ++i)
            packed_.copy(frames[i].image, static_cast<unsigned>(layout.rects[i].left),
                         static_cast<unsigned>(layout.rects[i].top));
    }
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SpriteFrame& frame = frames[i];
        frame.textureRect = packed ? layout.rects[i] : sf::IntRect();
        const sf::Vector2u size = frame.image.getSize();
        frame.sprite.setTextureRect(frame.textureRect);
        // Whole pixels, so frames drawn at whole positions stay sharp.
        frame.sprite.setOrigin(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
        frame.sprite.setColor(sf::Color::White);
    }
    const sf::Vector2u first = frames.empty() ? sf::Vector2u() : frames.front().image.getSize();
    halfWidth = static_cast<float>(first.x / 2);
    halfHeight = static_cast<float>(first.y / 2);
    const float m = static_cast<float>(std::min(first.x, first.y) / 2);
    boxLeft = -m;
    boxTop = -m;
    boxRight = m;
    boxBottom = m;
    return packed;
}

bool Sprite::load(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path)) {
        lastError = "Unable to open " + path;
        return false;
    }
    const std::string tag = file.readStdString();
    if (!file.good() || tag != fileTag) {
        lastError = invalidSpriteFile;
        return false;
    }
    const auto version = file.readValue<std::int16_t>();
    if (!file.good()) {
        lastError = invalidSpriteFile;
        return false;
    }
    if (version > fileVersion) {
        lastError = "File format too advanced";
        return false;
    }

    // Read into a scratch sprite: a refused file leaves this one as it was.
    Sprite loaded;
    loaded.description = file.readStdString();
    const auto count = file.readValue<std::int16_t>();
    if (!file.good() || count < 0) {
        lastError = invalidSpriteFile;
        return false;
    }
    for (std::int16_t i = 0; i < count; ++i) {
        const std::string sourcePath = file.readStdString();
        const auto displayTime = file.readValue<std::int16_t>();
        const sf::Image image = file.readImage(true);
        if (!file.good() || frameTooLarge(image)) {
            lastError = invalidSpriteFile;
            return false;
        }
        loaded.addFrame(image, sourcePath, displayTime, false);
    }
    if (!layoutFits(layoutSpriteFrames(frameSizes(loaded.frames)))) {
        lastError = invalidSpriteFile;
        return false;
    }

    description = std::move(loaded.description);
    frames = std::move(loaded.frames);
    buildTexture();
    currentFrame = 0;
    restartFrameClock();
    return true;
}

bool Sprite::save(const std::string& path)
{
    if (frames.empty()) {
        lastError = "Cannot save sprite because no frames exist";
        return false;
    }
    BinaryFile file;
    if (!file.create(path)) {
        lastError = file.lastError;
        return false;
    }
    if (frames.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        file.discard();
        lastError = "Unable to write to " + path;
        return false;
    }
    file.writeStdString(fileTag);
    file.writeValue(fileVersion);
    file.writeStdString(description);
    file.writeValue(static_cast<std::int16_t>(frames.size()));
    for (const SpriteFrame& frame : frames) {
        file.writeStdString(frame.sourcePath);
        file.writeValue(frame.displayTime);
        file.writeImage(frame.image);
    }
    if (!file.close()) {
        lastError = file.lastError;
        return false;
    }
    return true;
}

bool Sprite::importTalvexSprite(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path)) {
        lastError = "Unable to open " + path;
        return false;
    }
    std::array<char, BinaryFile::headerTagSize + 1> tag{};
    file.read(tag.data(), BinaryFile::headerTagSize);
    const auto version = file.readValue<std::int32_t>();
    if (!file.good() || !platform::equalIgnoringCase(tag.data(), talvexTag)) {
        lastError = invalidTalvexFile;
        return false;
    }
    if (version >= talvexVersionLimit) {
        lastError = "Sprite file format too advanced";
        return false;
    }

    const bool sixteenBit = version >= 4;
    const auto skipImage = [&] {
        if (sixteenBit)
            file.readFixedString(256);
        file.readOldImage(!sixteenBit);
    };

    Sprite imported;
    imported.description = file.readFixedString(32);
    const auto frameCount = file.readValue<std::int8_t>();
    const auto extraCount = file.readValue<std::int8_t>();
    file.readValue<std::uint32_t>();
    if (version > 5)
        file.readFixedString(256);
    if (!file.good() || frameCount < 0 || extraCount < 0) {
        lastError = invalidTalvexFile;
        return false;
    }
    for (int i = 0; i < extraCount && file.good(); ++i) {
        file.readFixedString(32);
        for (int value = 0; value < 3; ++value)
            file.readValue<std::uint32_t>();
        skipImage();
    }
    for (int i = 0; i < frameCount && file.good(); ++i) {
        const auto displayTime = file.readValue<std::int32_t>();
        if (sixteenBit)
            file.readFixedString(256);
        const sf::Image image = file.readOldImage(!sixteenBit);
        if (version > 5)
            file.readFixedString(256);
        if (file.good())
            imported.addFrame(image, std::string(), displayTime, false);
    }
    file.readValue<std::uint8_t>();
    if (version >= 2)
        file.readValue<std::uint8_t>();
    if (version == 3)
        file.readValue<std::uint32_t>();
    if (version >= 5) {
        file.readValue<std::uint32_t>();
        std::array<char, 3> unused{};
        file.read(unused.data(), unused.size());
    }
    if (!file.good() || !layoutFits(layoutSpriteFrames(frameSizes(imported.frames)))) {
        lastError = invalidTalvexFile;
        return false;
    }

    description = std::move(imported.description);
    frames = std::move(imported.frames);
    buildTexture();
    currentFrame = 0;
    restartFrameClock();
    return true;
}

const sf::Texture* Sprite::texture()
{
    if (textureStale_) {
        textureStale_ = false;
        texture_.reset();
        if (packed_.getSize().x > 0 && packed_.getSize().y > 0) {
            auto made = std::make_unique<sf::Texture>();
            if (made->loadFromImage(packed_))
                texture_ = std::move(made);
        }
    }
    return texture_.get();
}

std::int64_t Sprite::frameClockMilliseconds() const
{
    // Whole milliseconds, as a clock reads them; the nudge keeps 0.1 s from
    // reading as 99 ms through rounding of the seconds.
    return static_cast<std::int64_t>(std::floor((KVCore::timeSource().seconds() - frameStart_) * 1000.0 + 1e-6));
}

void Sprite::restartFrameClock()
{
    frameStart_ = KVCore::timeSource().seconds();
}

void Sprite::draw(int layer, float x, float y, float rotation, float scaleX, float scaleY, std::uint8_t alpha,
                  bool freeze, float shadowOffset)
{
    if (frames.empty())
        return;
    std::size_t index = 0;
    if (!freeze) {
        if (currentFrame < 0 || static_cast<std::size_t>(currentFrame) >= frames.size())
            currentFrame = 0;
        const int shown = frames[static_cast<std::size_t>(currentFrame)].displayTime;
        if (shown > 0 && frameClockMilliseconds() >= shown * 10) {
            restartFrameClock();
            const int next = currentFrame + 1;
            currentFrame = static_cast<std::int16_t>(
                static_cast<std::size_t>(next) >= frames.size() || next > std::numeric_limits<std::int16_t>::max()
                    ? 0
                    : next);
        }
        index = static_cast<std::size_t>(currentFrame);
    }

    // Asking for the target before the window exists would open the display.
    sf::RenderTarget* target = KVCore::windowIsOpen() ? KVCore::currentTarget() : nullptr;
    if (!target)
        return;
    SpriteFrame& frame = frames[index];
    const sf::Texture* packedTexture = texture();
    // A frame with no pixels has nothing to show, and binding its empty
    // rectangle would show the whole texture instead.
    if (!packedTexture || frame.textureRect.width <= 0 || frame.textureRect.height <= 0)
        return;
    frame.sprite.setTexture(*packedTexture, false);
    frame.sprite.setRotation(rotation);
    frame.sprite.setScale(scaleX, scaleY);
    // The shadow shader fades with the colour's alpha, so a half-transparent
    // sprite casts a fainter shadow.
    frame.sprite.setColor(sf::Color(255, 255, 255, alpha));

    if (shadowOffset > 0.f) {
        if (sf::Shader* shader = Shaders::get(Shaders::spriteShadowShader())) {
            shader->setUniform("texture", sf::Shader::CurrentTexture);
            frame.sprite.setPosition(x + shadowOffset, y + shadowOffset);
            target->draw(frame.sprite, shader);
        }
    }
    frame.sprite.setPosition(x, y);
    target->draw(frame.sprite);

    if (!showObjectsBounds)
        return;
    sf::RenderTarget* outlines = KVCore::layerTarget(layer);
    if (!outlines)
        return;
    sf::RectangleShape box({boxRight - boxLeft + 1.f, boxBottom - boxTop + 1.f});
    box.setPosition(x + boxLeft, y + boxTop);
    box.setFillColor(sf::Color::Transparent);
    box.setOutlineColor(sf::Color::Green);
    box.setOutlineThickness(2.f);
    outlines->draw(box);
    const sf::FloatRect extent = frame.sprite.getGlobalBounds();
    sf::RectangleShape extentShape({extent.width, extent.height});
    extentShape.setPosition(extent.left, extent.top);
    extentShape.setFillColor(sf::Color::Transparent);
    extentShape.setOutlineColor(sf::Color::Yellow);
    extentShape.setOutlineThickness(1.f);
    outlines->draw(extentShape);
}
