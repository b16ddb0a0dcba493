#pragma once
// An animated picture: frames of any size, each with its own display time,
// packed into one texture for drawing.
//
// File data (frame images, display times, source paths) and the packed image
// live on the CPU, so sprites load, save, import and pack without a display
// (the tool and its tests run with none).  The GPU texture is made from the
// packed image the first time the sprite is drawn onto a real target.
//
// "Kelvane Sprite" file (little-endian, BinaryFile string and image
// encodings):
//   string  "Kelvane Sprite"
//   int16   version, 1
//   string  description
//   int16   frame count N
//   N x     string source path, int16 display time, image
//
// Talvex sprite file ("Zol Sprite File", versions below 7), read only:
//   32-byte tag (compared ignoring case), int32 version V,
//   32-byte description, int8 frame count F, int8 extra image count E,
//   4 unused bytes, [V > 5: 256 unused bytes],
//   E extra images (skipped): 32 bytes, 12 bytes, then V >= 4: 256 bytes and
//     a 16-bit image, else a paletted image,
//   F frames: int32 display time, then V >= 4: 256 bytes and a 16-bit
//     image, else a paletted image, then [V > 5: 256 bytes],
//   trailer: 1 byte, [V >= 2: 1], [V == 3: 4], [V >= 5: 4 + 3].
//
// Hostile files are refused with the format's "invalid file" message and the
// sprite keeps what it had: truncated data, a negative count, a frame larger
// than maxFrameSide, or frames that would not pack into maxTextureSide.

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Set by the debug menu: sprites outline their box and frame extent.
extern bool showObjectsBounds;

struct SpriteFrame {
    // Hundredths of a second; 0 or less keeps the frame on screen.
    std::int16_t displayTime = 0;
    // The image file the frame was made from; empty for imported frames.
    std::string sourcePath;
    sf::Image image;
    // Where buildTexture put the image in the packed texture.
    sf::IntRect textureRect;
    // Carries the rectangle, the centre origin and the colour; bound to the
    // sprite's texture when drawn.
    sf::Sprite sprite;
};

// Where each frame goes in the packed texture (see Sprite::buildTexture).
struct SpriteLayout {
    std::vector<sf::IntRect> rects;
    // Powers of two; 64-bit because hostile sizes may not fit a texture.
    std::uint64_t textureWidth = 0;
    std::uint64_t textureHeight = 0;
};

class Sprite {
public:
    static constexpr const char* fileTag = "Kelvane Sprite";
    static constexpr std::int16_t fileVersion = 1;
    static constexpr const char* talvexTag = "Zol Sprite File";
    // The first Talvex version we do not understand.
    static constexpr std::int32_t talvexVersionLimit = 7;
    static constexpr int defaultDisplayTime = 50;
    static constexpr unsigned maxFrameSide = 4096;
    // A single 4096-pixel frame packs into 8192; nothing larger is accepted
    // from a file, and graphics cards are only sure to take this much.
    static constexpr unsigned maxTextureSide = 8192;
    static constexpr int framePadding = 8;
    static constexpr unsigned emptyTextureSide = 128;

    std::string lastError;
    std::string description;
    std::vector<SpriteFrame> frames;
    // A square centred on the sprite's position, half the smaller side of
    // frame 0 each way.
    float boxLeft = 0.f, boxTop = 0.f, boxRight = 0.f, boxBottom = 0.f;
    // Half the width and height of frame 0.
    float halfWidth = 0.f, halfHeight = 0.f;
    std::int16_t currentFrame = 0;

    Sprite();
    ~Sprite();
    Sprite(Sprite&&) noexcept;
    Sprite& operator=(Sprite&&) noexcept;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // No frames, frame 0, clock restarted, description "(none)".
    void reset();
    // No frames, frame 0, clock restarted; the description stays.
    void clearFrames();
    // Appends a frame.  A negative display time takes that of the last frame,
    // or 50 when there is none; times beyond 16 bits are clamped.  With
    // rebuild, packs the texture again and restarts the animation; false only
    // when the frames then do not fit a texture.
    bool addFrame(const sf::Image& image, const std::string& sourcePath, int displayTime, bool rebuild);
    // Packs every frame image into the packed image, sets each frame's
    // rectangle and origin, the half sizes and the box.  False (and an empty
    // packed image) when the packing is larger than maxTextureSide.
    bool buildTexture();

    // Paths are real paths (already resolved).  False with lastError:
    // "Unable to open <path>", "Not a valid sprite file", "File format too
    // advanced"; the sprite is unchanged then.
    bool load(const std::string& path);
    // "Cannot save sprite because no frames exist", "Unable to create
    // <path>", "Unable to write to <path>".  The old file survives a failure.
    bool save(const std::string& path);
    // Replaces the frames with a Talvex sprite's.  "Unable to open <path>",
    // "Not a valid Talvex sprite file.", "Sprite file format too advanced".
    bool importTalvexSprite(const std::string& path);

    // Advances the animation (unless frozen: then frame 0 is drawn and the
    // animation is left alone) and draws the current frame centred on (x, y)
    // onto the current render target, after its shadow at (x + d, y + d)
    // when d is above 0.  Object-bounds outlines go to `layer`.  Without a
    // render target only the animation moves.
    void draw(int layer, float x, float y, float rotation, float scaleX, float scaleY, std::uint8_t alpha,
              bool freeze, float shadowOffset);

    // The packed texture as an image; its size is the texture's size.
    const sf::Image& packedImage() const { return packed_; }
    sf::Vector2u textureSize() const { return packed_.getSize(); }
    // The packed image on the GPU, made on first use (needs a display); null
    // when it cannot be made.
    const sf::Texture* texture();

    // Whole milliseconds since the current frame was entered, by the
    // engine's time source.
    std::int64_t frameClockMilliseconds() const;
    void restartFrameClock();

private:
    sf::Image packed_;
    std::unique_ptr<sf::Texture> texture_;
    bool textureStale_ = true;
    double frameStart_ = 0.0;
};

// The packing rule: the row length R is N / 2 for an even N below 20, else
// the square root of N rounded up; a row ends after the frame that takes its
// count above R.  Each frame takes its size plus 8 pixels of gap; the texture
// is the smallest power of two on each side that holds every row.
SpriteLayout layoutSpriteFrames(const std::vector<sf::Vector2u>& frameSizes);
