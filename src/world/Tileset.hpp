#pragma once
// The palette of 1024 square tiles every map is drawn from: per tile a
// 32 by 32 image, a description and a TileType.
//
// File data and GPU data are kept apart so that loading, saving, importing
// and exporting work without a display (kelvane-tool, tests): the tiles are
// plain images, the atlas (all tiles packed 32 to a row into 1024 by 1024) is
// composed on the CPU when first asked for, and its texture is made only
// when something is drawn.
//
// "Kelvane Tileset" file, little-endian:
//   string  tag "Kelvane Tileset" (16-bit length, characters)
//   int16   version, 1 (anything below 2 is read)
//   string  tileset description
//   1024 x  { string description, uint8 type, image (int16 width 32,
//             int16 height 32, 32 x 32 x RGB; transparent written magenta) }
//
// Loaders read into scratch data and change the tileset only when the whole
// file was good; a refused file leaves every field as it was.

#include "world/TileType.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Tile {
    sf::Image image;  // 32 by 32 once the tileset is reset, loaded or imported
    std::string description;
    TileType type = TileType::Land;
};

class Tileset {
public:
    static constexpr int tileCount = 1024;
    static constexpr int tileSize = 32;
    static constexpr int tilesPerRow = 32;
    static constexpr int atlasSize = tilesPerRow * tileSize;
    static constexpr std::int16_t currentVersion = 1;
    static constexpr const char* fileTag = "Kelvane Tileset";

    // Talvex "Zol Type 4 Tileset", version 6 only: 36-byte header, 1024
    // skipped bytes, 1024 records of 28 bytes (signed type code, name), a
    // skipped block, then 1024 images of 16 by 16 pixels in RGB 5-6-5.
    static constexpr const char* talvexTag = "Zol Type 4 Tileset";
    static constexpr std::int32_t talvexVersion = 6;
    static constexpr std::size_t talvexFileSize = 866340;

    std::string lastError;
    std::vector<Tile> tiles;  // always tileCount entries
    std::string description;
    std::string fileName;     // last loaded or saved; empty after reset or import
    bool loaded = false;

    // Empty texts, empty images, not loaded.  Makes no texture.
    Tileset();

    // Every tile "(none)", Land, opaque black; descriptions and fileName
    // emptied; loaded.
    void reset();
    // Failure: false, lastError "Unable to open <path>", "Not a valid
    // tileset file" (wrong tag, truncated or malformed content) or "Tileset
    // file version is too advanced"; nothing changes.
    bool load(const std::string& path);
    // Through a temporary file; failure: "Unable to create <path>" or the
    // write error, and the old file stays.  Success sets fileName.
    bool save(const std::string& path);
    // Replaces the whole tileset with a Talvex tileset; fileName and the
    // description end empty.  Failure leaves everything unchanged.
    bool importTalvexTileset(const std::string& path);
    // Every tile image becomes its 32 by 32 cell of a 1024 by 1024 image
    // file, alpha included; descriptions and types stay.
    bool importTilesheet(const std::string& path);
    // Writes the atlas picture (tiles over black); the format follows the
    // file name's extension.  False with lastError "Unable to create
    // <path>" when it could not be written.
    bool exportTilesheet(const std::string& path);

    // Call after changing tile images: the atlas picture and texture are
    // composed again when next needed.
    void buildAtlas();
    // For play, which only draws: the atlas goes onto the GPU and the tile
    // images (4 MiB) are let go, descriptions and types kept.  The atlas
    // picture, if asked for, is then read back from the texture.  Loading,
    // resetting or importing brings the images back.  Needs a display.
    void releaseTileImages();

    // Draws one tile at a field position; index tileCount or more draws
    // nothing.  alpha 255 goes into the layer as a quad from the atlas,
    // anything less is a tinted sprite on the current render target.
    // Needs a display.
    void drawTile(int layer, std::uint16_t index, sf::Vector2f position, std::uint8_t alpha);

    static std::string getTypeName(TileType type) { return tileTypeName(type); }
    // The tile's area of the atlas.
    static sf::IntRect tileRect(int index);

    // The atlas on the CPU: 1024 by 1024, opaque black, each tile blended
    // over it at its tileRect.  No display needed.
    const sf::Image& atlasImage() const;
    // The atlas texture, made and refreshed on demand.  Needs a display.
    // The image it was made from is let go (4 MiB): play only draws, and
    // the rare caller of atlasImage has it built again.
    const sf::Texture& atlasTexture();
    // A sprite of the tile bound to the atlas texture.  Needs a display.
    sf::Sprite tileSprite(std::uint16_t index);

private:
    // Null while not built.
    mutable std::unique_ptr<sf::Image> atlasImage_;
    // The tiles hold no images; the texture holds the atlas.
    bool imagesReleased_ = false;
    // An sf::Texture needs a GL context even when empty, so it exists only
    // once something is drawn.
    std::unique_ptr<sf::Texture> atlasTexture_;
    bool atlasTextureStale_ = true;
};

// Writes an image file (format from the extension) through a temporary file
// beside it, so a failed write never replaces an existing file.
bool saveImageFile(const sf::Image& image, const std::string& path);
