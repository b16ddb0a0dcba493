#include "world/Tileset.hpp"

#include "engine/Layers.hpp"
#include "engine/Quad.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "storage/BinaryFile.hpp"
#include "storage/SafeFile.hpp"
#include "platform/TextCase.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <optional>
#include <string_view>
#include <cstring>

namespace {

constexpr const char* notValidMessage = "Not a valid tileset file";
constexpr const char* tooAdvancedMessage = "Tileset file version is too advanced";
constexpr const char* sheetSizeMessage = "Invalid image size, must be 1024 by 1024 pixels";

// Talvex file layout, as offsets from the end of its 36-byte header.
constexpr std::size_t talvexHeaderSize = 36;
constexpr std::size_t talvexRecordsOffset = 1024;
constexpr std::size_t talvexRecordSize = 28;
constexpr std::size_t talvexNameSize = 27;
constexpr std::size_t talvexImagesOffset = talvexRecordsOffset + Tileset::tileCount * talvexRecordSize + 312320;
constexpr int talvexTileSide = 16;
constexpr std::size_t talvexImageSize = talvexTileSide * talvexTileSide * 2;
constexpr std::size_t talvexBodySize = talvexImagesOffset + Tileset::tileCount * talvexImageSize;
static_assert(talvexHeaderSize + talvexBodySize == Tileset::talvexFileSize);

// SFML reports load and save failures on its own error stream; we report
// them through lastError instead, so it is muted while we call it.
class QuietSfmlErrors {
public:
    QuietSfmlErrors() : previous_(sf::err().rdbuf(nullptr)) {}
    ~QuietSfmlErrors()
    {
        sf::err().rdbuf(previous_);
        sf::err().clear();
    }
    QuietSfmlErrors(const QuietSfmlErrors&) = delete;
    QuietSfmlErrors& operator=(const QuietSfmlErrors&) = delete;

private:
    std::streambuf* previous_;
};

sf::Image blackTile()
{
    sf::Image image;
    image.create(Tileset::tileSize, Tileset::tileSize, sf::Color::Black);
    return image;
}

std::vector<Tile> resetTiles()
{
    const sf::Image black = blackTile();
    std::vector<Tile> tiles(Tileset::tileCount);
    for (Tile& tile : tiles) {
        tile.image = black;
        tile.description = "(none)";
        tile.type = TileType::Land;
    }
    return tiles;
}

bool isTileSized(const sf::Image& image)
{
    return image.getSize() == sf::Vector2u(Tileset::tileSize, Tileset::tileSize);
}

// A PNG states its size in its first chunk.  Reading it first spares us
// decoding (and allocating for) a picture that is refused anyway.
bool pngHeaderSize(const std::string& path, sf::Vector2u& size)
{
    static constexpr std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::array<std::uint8_t, 24> head{};
    const platform::FileHandle file = platform::openFile(path, "rb");
    if (!file || std::fread(head.data(), 1, head.size(), file.get()) != head.size())
        return false;
    if (!std::equal(signature.begin(), signature.end(), head.begin()) || std::memcmp(&head[12], "IHDR", 4) != 0)
        return false;
    auto bigEndian = [&](std::size_t at) {
        return (static_cast<unsigned>(head[at]) << 24) | (static_cast<unsigned>(head[at + 1]) << 16) |
               (static_cast<unsigned>(head[at + 2]) << 8) | static_cast<unsigned>(head[at + 3]);
    };
    size = {bigEndian(16), bigEndian(20)};
    return true;
}

std::uint8_t expand(unsigned value, unsigned maximum) { return static_cast<std::uint8_t>(value * 255 / maximum); }

// A 16 by 16 Talvex picture doubled to 32 by 32.  Source coordinates are
// rounded half up, so the first source row and column show once and the
// last three times; imported tiles keep that look.
sf::Image talvexTileImage(const std::uint8_t* pixels)
{
    std::array<sf::Color, talvexTileSide * talvexTileSide> source;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const unsigned v = pixels[2 * i] | (static_cast<unsigned>(pixels[2 * i + 1]) << 8);
        source[i] = sf::Color(expand((v >> 11) & 31, 31), expand((v >> 5) & 63, 63), expand(v & 31, 31));
    }
    std::array<std::uint8_t, Tileset::tileSize * Tileset::tileSize * 4> rgba;
    for (unsigned y = 0; y < Tileset::tileSize; ++y)
        for (unsigned x = 0; x < Tileset::tileSize; ++x) {
            const unsigned sx = std::min((x + 1) / 2, 15u);
            const unsigned sy = std::min((y + 1) / 2, 15u);
            const sf::Color c = source[sy * talvexTileSide + sx];
            std::uint8_t* p = &rgba[(y * Tileset::tileSize + x) * 4];
            p[0] = c.r;
            p[1] = c.g;
            p[2] = c.b;
            p[3] = c.a;
        }
    sf::Image image;
    image.create(Tileset::tileSize, Tileset::tileSize, rgba.data());
    return image;
}

} // namespace

Tileset::Tileset() : tiles(tileCount) {}

sf::IntRect Tileset::tileRect(int index)
{
    return {(index % tilesPerRow) * tileSize, (index / tilesPerRow) * tileSize, tileSize, tileSize};
}

void Tileset::reset()
{
    tiles = resetTiles();
    description.clear();
    fileName.clear();
    buildAtlas();
    loaded = true;
}

bool Tileset::load(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path)) {
        lastError = file.lastError;
        return false;
    }
    if (file.readStdString() != fileTag || !file.good()) {
        lastError = notValidMessage;
        return false;
    }
    const auto version = file.readValue<std::int16_t>();
    if (!file.good()) {
        lastError = notValidMessage;
        return false;
    }
    if (version >= 2) {
        lastError = tooAdvancedMessage;
        return false;
    }

    std::string newDescription = file.readStdString();
    std::vector<Tile> newTiles(tileCount);
    for (Tile& tile : newTiles) {
        tile.description = file.readStdString();
        tile.type = static_cast<TileType>(file.readValue<std::uint8_t>());
        tile.image = file.readImage(false);
        if (!file.good() || !isTileSized(tile.image)) {
            lastError = notValidMessage;
            return false;
        }
    }

    tiles.swap(newTiles);
    description = std::move(newDescription);
    fileName = path;
    loaded = true;
    buildAtlas();
    return true;
}

bool Tileset::save(const std::string& path)
{
    BinaryFile file;
    if (!file.create(path)) {
        lastError = file.lastError;
        return false;
    }
    file.writeStdString(fileTag);
    file.writeValue(currentVersion);
    file.writeStdString(description);
    for (const Tile& tile : tiles) {
        file.writeStdString(tile.description);
        file.writeValue(static_cast<std::uint8_t>(tile.type));
        if (isTileSized(tile.image)) {
            file.writeImage(tile.image);
        } else {
            // Written as a record the loader accepts: the picture's top-left
            // 32 by 32 over black (all black for a tile never given one).
            sf::Image fitted = blackTile();
            fitted.copy(tile.image, 0, 0, {0, 0, tileSize, tileSize}, false);
            file.writeImage(fitted);
        }
    }
    if (!file.close()) {
        lastError = file.lastError;
        return false;
    }
    fileName = path;
    return true;
}

bool Tileset::importTalvexTileset(const std::string& path)
{
    const std::string prefix = "ImportTalvexTileset: ";
    BinaryFile file;
    if (!file.open(path)) {
        lastError = prefix + "Unable to open " + path;
        return false;
    }
    const std::string notTalvex = prefix + path + " is not a valid Talvex tileset file";
    std::array<char, 33> tag{};
    if (!file.read(tag.data(), 32) || std::strcmp(tag.data(), talvexTag) != 0) {
        lastError = notTalvex;
        return false;
    }
    const auto version = file.readValue<std::int32_t>();
    if (!file.good()) {
        lastError = notTalvex;
        return false;
    }
    if (version != talvexVersion) {
        lastError = prefix + path + " is an unsupported tileset version, only version 6 tilesets may be imported";
        return false;
    }
    // The layout is fixed, so a short file is refused before anything is
    // allocated for it.
    if (file.remaining() < talvexBodySize) {
        lastError = notTalvex;
        return false;
    }
    std::vector<std::uint8_t> body(talvexBodySize);
    if (!file.read(body.data(), body.size())) {
        lastError = notTalvex;
        return false;
    }

    std::vector<Tile> newTiles = resetTiles();
    for (std::size_t i = 0; i < newTiles.size(); ++i) {
        const std::uint8_t* record = &body[talvexRecordsOffset + i * talvexRecordSize];
        const auto code = static_cast<std::int8_t>(record[0]);
        const char* name = reinterpret_cast<const char*>(record + 1);
        // A name without its terminating zero is taken whole.
        newTiles[i].description.assign(name, strnlen(name, talvexNameSize));
        newTiles[i].type = code == 1 ? TileType::Solid : code == 2 ? TileType::Water : TileType::Land;
        newTiles[i].image = talvexTileImage(&body[talvexImagesOffset + i * talvexImageSize]);
    }

    tiles.swap(newTiles);
    description.clear();
    fileName.clear();
    loaded = true;
    buildAtlas();
    return true;
}

bool Tileset::importTilesheet(const std::string& path)
{
    const std::string native = platform::toNativePath(path).string();
    if (sf::Vector2u stated; pngHeaderSize(path, stated) && stated != sf::Vector2u(atlasSize, atlasSize)) {
        lastError = sheetSizeMessage;
        return false;
    }
    sf::Image sheet;
    bool opened = false;
    {
        const QuietSfmlErrors quiet;
        opened = sheet.loadFromFile(native);
    }
    if (!opened) {
        lastError = "Unable to open " + path;
        return false;
    }
    if (sheet.getSize() != sf::Vector2u(atlasSize, atlasSize)) {
        lastError = sheetSizeMessage;
        return false;
    }
    for (int i = 0; i < tileCount; ++i) {
        sf::Image image;
        image.create(tileSize, tileSize);
        image.copy(sheet, 0, 0, tileRect(i), false);
        tiles[static_cast<std::size_t>(i)].image = image;
    }
    buildAtlas();
    return true;
}

bool Tileset::exportTilesheet(const std::string& path)
{
    if (!saveImageFile(atlasImage(), path)) {
        lastError = "Unable to create " + path;
        return false;
    }
    return true;
}

void Tileset::buildAtlas()
{
    atlasImage_.reset();
    atlasTextureStale_ = true;
    imagesReleased_ = false;
}

void Tileset::releaseTileImages()
{
    atlasTexture();
    // A vector built anew: images emptied in place would keep their room.
    std::vector<Tile> lean(tiles.size());
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        lean[i].description = std::move(tiles[i].description);
        lean[i].type = tiles[i].type;
    }
    tiles.swap(lean);
    imagesReleased_ = true;
}

const sf::Image& Tileset::atlasImage() const
{
    if (!atlasImage_ && imagesReleased_ && atlasTexture_)
        atlasImage_ = std::make_unique<sf::Image>(atlasTexture_->copyToImage());
    if (!atlasImage_) {
        auto atlas = std::make_unique<sf::Image>();
        atlas->create(atlasSize, atlasSize, sf::Color::Black);
        for (int i = 0; i < tileCount && static_cast<std::size_t>(i) < tiles.size(); ++i) {
            const sf::IntRect area = tileRect(i);
            atlas->copy(tiles[static_cast<std::size_t>(i)].image, static_cast<unsigned>(area.left),
                        static_cast<unsigned>(area.top), {0, 0, tileSize, tileSize}, true);
        }
        atlasImage_ = std::move(atlas);
    }
    return *atlasImage_;
}

const sf::Texture& Tileset::atlasTexture()
{
    if (!atlasTexture_) {
        atlasTexture_ = std::make_unique<sf::Texture>();
        atlasTexture_->create(atlasSize, atlasSize);
        atlasTextureStale_ = true;
    }
    if (atlasTextureStale_) {
        atlasTexture_->update(atlasImage());
        atlasImage_.reset();
        atlasTextureStale_ = false;
    }
    return *atlasTexture_;
}

sf::Sprite Tileset::tileSprite(std::uint16_t index)
{
    return sf::Sprite(atlasTexture(), tileRect(index % tileCount));
}

void Tileset::drawTile(int layer, std::uint16_t index, sf::Vector2f position, std::uint8_t alpha)
{
    if (index >= tileCount)
        return;
    if (alpha < 255) {
        sf::RenderTarget* target = KVCore::currentTarget();
        if (!target)
            return;
        sf::Sprite sprite(atlasTexture(), tileRect(index));
        sprite.setPosition(position);
        sprite.setColor(sf::Color(255, 255, 255, alpha));
        target->draw(sprite);
        return;
    }
    if (!KVCore::layerTarget(layer))
        return;
    // A full 32 units: a quad ending at 31.5 leaves the tile's last pixel
    // column undrawn under OpenGL's pixel-centre rule, a black seam per tile.
    const auto side = static_cast<float>(tileSize);
    KVCore::drawTexturedQuad(layer, atlasTexture(), position, {side, side}, sf::Color::White, tileRect(index));
}

namespace {

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

bool endsWith(const std::string& bytes, std::string_view tail)
{
    return bytes.size() >= tail.size() && bytes.compare(bytes.size() - tail.size(), tail.size(), tail) == 0;
}

// SFML's picture writer ignores a short write, so a full disk leaves a cut-off
// file that it calls saved.  Each format's own framing tells: a PNG ends with
// its IEND chunk, a JPEG with its end-of-image marker, and a BMP is as long as
// its header says.  A TGA carries no length, so it must read back to the same
// pixels.  The check also puts the file on the disk before it replaces another.
bool pictureIsWhole(const std::string& path, std::string extension, const sf::Image& image)
{
    std::string bytes;
    {
        const platform::FileHandle file = platform::openFile(path, "rb");
        if (!file)
            return false;
        const std::optional<std::uint64_t> size = platform::regularFileSize(file.get());
        // No format here stores a picture in more than twice its raw pixels.
        const std::uint64_t rawBytes = 4ull * image.getSize().x * image.getSize().y;
        if (!size || *size > 2 * rawBytes + 65536)
            return false;
        bytes.resize(static_cast<std::size_t>(*size));
        if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || !platform::flushToDisk(file.get()))
            return false;
    }
    extension = platform::lowerAscii(extension);
    if (extension == ".png")
        return endsWith(bytes, std::string_view("IEND\xAE\x42\x60\x82", 8));
    if (extension == ".jpg" || extension == ".jpeg")
        return endsWith(bytes, "\xFF\xD9");
    if (extension == ".bmp")
        return bytes.size() >= 6 && littleEndian32(bytes, 2) == bytes.size();
    sf::Image back;
    const QuietSfmlErrors quiet;
    return back.loadFromMemory(bytes.data(), bytes.size()) && back.getSize() == image.getSize() &&
           std::memcmp(back.getPixelsPtr(), image.getPixelsPtr(), 4u * image.getSize().x * image.getSize().y) == 0;
}

} // namespace

bool saveImageFile(const sf::Image& image, const std::string& path)
{
    // The temporary name keeps the extension: SFML picks the format by it.
    const std::string partial = SafeFile::tempPathFor(path, true);
    const std::size_t dot = partial.find_last_of('.');
    const std::string extension = partial.substr(dot);
    bool saved = false;
    {
        const QuietSfmlErrors quiet;
        saved = image.saveToFile(platform::toWritablePath(partial).string());
    }
    if (saved && pictureIsWhole(partial, extension, image) && platform::renameFile(partial, path))
        return true;
    platform::removeFile(partial);
    return false;
}
