#pragma once
// Lettering for the game's pictures, from a TrueType font through FreeType:
// text goes into a Mask, which is then outlined, shadowed and painted like
// any other shape.  Text is 8-bit, one byte per character (Latin-1).

#include "art/Mask.hpp"

#include <filesystem>
#include <memory>
#include <string_view>

namespace art {

class Font {
public:
    // Throws std::runtime_error when the font cannot be read.
    explicit Font(const std::filesystem::path& path);
    ~Font();
    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;

    // Adds the text's coverage to the mask, the left end of its baseline at
    // (x, y), letters `size` pixels high (the em), `spacing` extra pixels
    // between letters.
    void draw(Mask& mask, std::string_view text, float size, float x, float y, float spacing = 0.f) const;
    // Width of the text's advance, in pixels.
    float measure(std::string_view text, float size, float spacing = 0.f) const;
    // Height of capital letters above the baseline, for centring.
    float capHeight(float size) const;

private:
    struct Face;
    std::unique_ptr<Face> face_;
};

} // namespace art
