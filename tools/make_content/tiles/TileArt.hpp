#pragma once
// One tile, or a block of tiles drawn as one picture, being painted.
// Coordinates are tile pixels (0 to 32 across one tile); the picture is held
// at `detail` times that and averaged down when the tiles are cut out, which
// smooths every edge.  A new picture starts as uncut grass, the ground of
// everything that stands on the lawn.

#include "tiles/Palette.hpp"

#include "art/Canvas.hpp"

#include <SFML/Graphics/Image.hpp>

#include <functional>

namespace tiles {

constexpr int tileSize = 32;
constexpr int detail = 4;

// A signed distance or a value at a point, in tile pixels.
using Field = std::function<float(float x, float y)>;

class TileArt {
public:
    explicit TileArt(int columns = 1, int rows = 1);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    float width() const { return static_cast<float>(columns_ * tileSize); }
    float height() const { return static_cast<float>(rows_ * tileSize); }

    art::Canvas& canvas() { return canvas_; }
    const art::Canvas& canvas() const { return canvas_; }

    // Coverage of a shape or of the inside (negative side) of a distance field.
    art::Mask mask(const art::Shape& shape) const;
    art::Mask mask(const Field& distance) const;

    void fill(const art::Paint& paint);
    void paint(const art::Mask& mask, art::Colour colour);
    void paint(const art::Mask& mask, const art::Paint& paint);
    void paint(const art::Shape& shape, art::Colour colour) { paint(mask(shape), colour); }
    void paint(const art::Shape& shape, const art::Paint& paint) { this->paint(mask(shape), paint); }

    // Darkens the ground under the mask's shadow, cast towards the bottom
    // right; with `fadeAtEdges` the shadow thins out before the picture's
    // edge, so it never ends in a hard line against the next tile.
    void castShadow(const art::Mask& caster, float dx, float dy, float blur, float strength, bool fadeAtEdges = true);
    // The same for a caster given as a distance field (negative inside), so
    // the shadow carries on into the next tile wherever the caster does.
    void castShadow(const Field& caster, float dx, float dy, float softness, float strength);
    // Multiplies the colours by a factor field.
    void light(const Field& factor);
    // Darkens by a field of shadow strengths from 0 to 1.
    void darken(const Field& amount);
    // Rounds the body with light from the top left: the side facing the
    // light is brighter, the far side darker.  `roundness` is how far in
    // from the edge the surface keeps curving.
    void relief(const art::Mask& body, float roundness, float strength);
    // The same from a height field given directly (continuous across tiles).
    void relief(const Field& height, float strength, const art::Mask* within = nullptr);
    // A dark line just outside the body, `width` tile pixels wide, so that a
    // thing standing on the lawn reads against the grass as something solid.
    void outline(const art::Mask& body, float width = 0.6f, art::Colour colour = palette::rim);

    // The finished tile at (column, row) of the block: opaque, 32 by 32.
    sf::Image tile(int column = 0, int row = 0) const;

private:
    int columns_, rows_;
    art::Canvas canvas_;
};

// A shape given in tile pixels, at the picture's detail.
art::Shape atDetail(const art::Shape& shape);

} // namespace tiles
