// Draws the engine's pictures at build time into "textures/": the icon
// sheet "Icons.png" from the glyphs of an icon font, and the three check-box
// pictures.
//
//   make_engine_textures ICON_FONT.ttf ZAVI3_FOLDER
//
// Runs without a display: glyphs come straight from FreeType and the
// pictures are built in memory as sf::Image, which needs no GL context.
// Nothing is written unless every picture could be drawn.

#include "IconTable.hpp"
#include "engine/Icons.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace engine_textures;

namespace {

constexpr unsigned sheetSize = 1024;
using Icons::iconSize;
using Icons::separatorWidth;

// Glyphs are scaled so that the font's em spans the whole cell, which keeps
// the pictures at one optical size, but never wider or taller than this, so
// the outline still fits around them.
constexpr double glyphEm = 32.0;
constexpr double glyphMaxSide = 28.0;
constexpr double outlineRadius = 1.5;

// With a badge the main glyph moves up and left to make room for it; the
// badge is an arrow drawn in the bottom-right corner.
constexpr double badgedGlyphMaxSide = 24.0;
constexpr double badgedGlyphCentre = 14.0;
constexpr double badgeCentreX = 23.0;
constexpr double badgeTop = 17.5;
constexpr double badgeBottom = 28.0;
constexpr double badgeHeadSize = 5.0;
constexpr double badgeHalfWidth = 1.5;
constexpr double badgeGap = 2.5;

// Glyphs and outlines are worked out at this many times the cell's
// resolution and then averaged down, so that thin strokes and small holes
// get as solid an outline as the rest.
constexpr int detail = 4;
constexpr int detailSize = iconSize * detail;

constexpr unsigned checkBoxSize = 24;

struct Rgb {
    double r, g, b;
};

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

// Signed distance from (px, py) to a rounded rectangle; negative inside.
double roundedRectDistance(double px, double py, double left, double top, double right, double bottom, double radius)
{
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double qx = std::abs(px - cx) - (right - left) / 2.0 + radius;
    const double qy = std::abs(py - cy) - (bottom - top) / 2.0 + radius;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

double segmentDistance(double px, double py, double ax, double ay, double bx, double by)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double t = clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Anti-aliased coverage of a pixel whose centre is at the given distance
// outside an edge.
double edgeCoverage(double distance) { return clamp01(0.5 - distance); }

// A square field of coverage values from 0 to 1; reads outside are 0.
class Coverage {
public:
    explicit Coverage(int size) : size_(size), values_(static_cast<std::size_t>(size * size), 0.0) {}

    int size() const { return size_; }
    double at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= size_ || y >= size_)
            return 0.0;
        return values_[index(x, y)];
    }
    void set(int x, int y, double v) { values_[index(x, y)] = v; }

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * size_ + x); }

    int size_;
    std::vector<double> values_;
};

// Grows the shape by a disc of the given radius: the alpha of an outline
// around it.
Coverage grow(const Coverage& in, double radius)
{
    std::vector<std::pair<int, int>> disc;
    const int reach = static_cast<int>(radius);
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dx * dx + dy * dy <= radius * radius)
                disc.emplace_back(dx, dy);
    Coverage out(in.size());
    for (int y = 0; y < in.size(); ++y) {
        for (int x = 0; x < in.size(); ++x) {
            double best = 0.0;
            for (auto [dx, dy] : disc) {
                best = std::max(best, in.at(x + dx, y + dy));
                if (best >= 1.0)
                    break;
            }
            out.set(x, y, best);
        }
    }
    return out;
}

// Averages blocks of factor by factor values into one.
Coverage shrink(const Coverage& in, int factor)
{
    Coverage out(in.size() / factor);
    for (int y = 0; y < out.size(); ++y) {
        for (int x = 0; x < out.size(); ++x) {
            double sum = 0.0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    sum += in.at(x * factor + dx, y * factor + dy);
            out.set(x, y, sum / (factor * factor));
        }
    }
    return out;
}

// Paints colour with the given coverage over what is there ("over"
// compositing with straight alpha).
void blend(sf::Image& image, unsigned x, unsigned y, Rgb colour, double alpha)
{
    alpha = clamp01(alpha);
    if (alpha <= 0.0)
        return;
    const sf::Color below = image.getPixel(x, y);
    const double belowAlpha = below.a / 255.0;
    const double outAlpha = alpha + belowAlpha * (1.0 - alpha);
    auto channel = [&](double top, sf::Uint8 bottom) {
        const double value = (top * alpha + bottom * belowAlpha * (1.0 - alpha)) / outAlpha;
        return static_cast<sf::Uint8>(std::lround(std::clamp(value, 0.0, 255.0)));
    };
    image.setPixel(x, y,
        sf::Color(channel(colour.r, below.r), channel(colour.g, below.g), channel(colour.b, below.b),
            static_cast<sf::Uint8>(std::lround(outAlpha * 255.0))));
}

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FaceHandle = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;

std::string hex(char32_t codepoint)
{
    std::ostringstream text;
    text << "U+" << std::uppercase << std::hex << std::setw(4) << std::setfill('0')
         << static_cast<unsigned>(codepoint);
    return text.str();
}

class IconFont {
public:
    explicit IconFont(const std::string& path)
    {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0)
            throw std::runtime_error("cannot start FreeType");
        library_.reset(library);
        FT_Face face = nullptr;
        if (const FT_Error error = FT_New_Face(library, path.c_str(), 0, &face); error != 0)
            throw std::runtime_error("cannot read the icon font \"" + path + "\" (FreeType error "
                + std::to_string(error) + ")");
        face_.reset(face);
        if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0)
            throw std::runtime_error("the icon font \"" + path + "\" has no outlines");
    }

    // The glyph, turned, scaled so that the em is emPixels (but its larger
    // side at most maxSide) and centred on (centreX, centreY) of a canvas of
    // canvasSize pixels, y down.
    Coverage render(char32_t codepoint, Turn turn, double emPixels, double maxSide, double centreX,
        double centreY, int canvasSize) const
    {
        FT_Face face = face_.get();
        const FT_UInt glyphIndex = FT_Get_Char_Index(face, codepoint);
        if (glyphIndex == 0)
            throw std::runtime_error("the icon font has no glyph " + hex(codepoint));
        if (FT_Load_Glyph(face, glyphIndex, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0
            || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
            throw std::runtime_error("cannot load the outline of glyph " + hex(codepoint));
        FT_Outline* outline = &face->glyph->outline;

        // Outline coordinates are y up; turning is done in font units.
        constexpr FT_Fixed one = 0x10000;
        if (turn == Turn::quarterClockwise) {
            FT_Matrix quarter{0, one, -one, 0};
            FT_Outline_Transform(outline, &quarter);
        } else if (turn == Turn::mirrored) {
            FT_Matrix mirror{-one, 0, 0, one};
            FT_Outline_Transform(outline, &mirror);
        }

        FT_BBox box;
        FT_Outline_Get_CBox(outline, &box);
        const double side = static_cast<double>(std::max(box.xMax - box.xMin, box.yMax - box.yMin));
        if (side <= 0.0)
            throw std::runtime_error("glyph " + hex(codepoint) + " is empty");
        double scale = emPixels / face->units_per_EM;
        scale = std::min(scale, maxSide / side);

        // To 26.6 pixels.
        const auto fixedScale = static_cast<FT_Fixed>(std::lround(scale * 64.0 * one));
        FT_Matrix toPixels{fixedScale, 0, 0, fixedScale};
        FT_Outline_Transform(outline, &toPixels);
        FT_Outline_Get_CBox(outline, &box);
        const double wantX = centreX * 64.0;
        const double wantY = (canvasSize - centreY) * 64.0;
        FT_Outline_Translate(outline, static_cast<FT_Pos>(std::lround(wantX - (box.xMin + box.xMax) / 2.0)),
            static_cast<FT_Pos>(std::lround(wantY - (box.yMin + box.yMax) / 2.0)));

        std::vector<unsigned char> pixels(static_cast<std::size_t>(canvasSize * canvasSize), 0);
        FT_Bitmap bitmap{};
        bitmap.rows = static_cast<unsigned>(canvasSize);
        bitmap.width = static_cast<unsigned>(canvasSize);
        bitmap.pitch = canvasSize;
        bitmap.buffer = pixels.data();
        bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
        bitmap.num_grays = 256;
        if (FT_Outline_Get_Bitmap(library_.get(), outline, &bitmap) != 0)
            throw std::runtime_error("cannot render glyph " + hex(codepoint));

        // With a positive pitch the first row is the top one.
        Coverage coverage(canvasSize);
        for (int y = 0; y < canvasSize; ++y)
            for (int x = 0; x < canvasSize; ++x)
                coverage.set(x, y, pixels[static_cast<std::size_t>(y * canvasSize + x)] / 255.0);
        return coverage;
    }

private:
    LibraryHandle library_;
    FaceHandle face_;
};

Coverage arrowBadge(Badge badge)
{
    const bool down = badge == Badge::in;
    const double tipY = down ? badgeBottom : badgeTop;
    const double tailY = down ? badgeTop : badgeBottom;
    const double headY = down ? tipY - badgeHeadSize : tipY + badgeHeadSize;
    Coverage arrow(detailSize);
    for (int y = 0; y < detailSize; ++y) {
        for (int x = 0; x < detailSize; ++x) {
            const double px = (x + 0.5) / detail;
            const double py = (y + 0.5) / detail;
            const double distance = std::min({segmentDistance(px, py, badgeCentreX, tailY, badgeCentreX, tipY),
                segmentDistance(px, py, badgeCentreX - badgeHeadSize, headY, badgeCentreX, tipY),
                segmentDistance(px, py, badgeCentreX + badgeHeadSize, headY, badgeCentreX, tipY)});
            arrow.set(x, y, edgeCoverage((distance - badgeHalfWidth) * detail));
        }
    }
    return arrow;
}

// The icon's shape at detail resolution.
Coverage iconShape(const IconFont& font, const IconGlyph& entry)
{
    if (entry.badge == Badge::none) {
        constexpr double centre = detailSize / 2.0;
        return font.render(
            entry.glyph, entry.turn, glyphEm * detail, glyphMaxSide * detail, centre, centre, detailSize);
    }

    // A clear gap around the badge lets the outline separate it from the
    // picture underneath.
    constexpr double centre = badgedGlyphCentre * detail;
    const Coverage glyph = font.render(entry.glyph, entry.turn, glyphEm * detail, badgedGlyphMaxSide * detail,
        centre, centre, detailSize);
    const Coverage badge = arrowBadge(entry.badge);
    const Coverage gap = grow(badge, badgeGap * detail);
    Coverage merged(detailSize);
    for (int y = 0; y < detailSize; ++y)
        for (int x = 0; x < detailSize; ++x)
            merged.set(x, y, std::max(glyph.at(x, y) * (1.0 - gap.at(x, y)), badge.at(x, y)));
    return merged;
}

// Light glyph over a dark outline, so the icon reads on grey button faces
// as well as on dark blue menu panels.
void paintIcon(sf::Image& sheet, int icon, const Coverage& shape)
{
    const Coverage coverage = shrink(shape, detail);
    const Coverage outline = shrink(grow(shape, outlineRadius * detail), detail);
    const auto left = static_cast<unsigned>(Icons::iconRect(icon).left);
    const auto top = static_cast<unsigned>(Icons::iconRect(icon).top);
    constexpr Rgb dark{16, 20, 28};
    for (int y = 0; y < iconSize; ++y) {
        // A faint top-to-bottom shade gives the glyph a little body.
        const double t = y / double(iconSize - 1);
        const Rgb light{255 - 30 * t, 255 - 24 * t, 255 - 14 * t};
        for (int x = 0; x < iconSize; ++x) {
            const auto px = left + static_cast<unsigned>(x);
            const auto py = top + static_cast<unsigned>(y);
            blend(sheet, px, py, dark, outline.at(x, y));
            blend(sheet, px, py, light, coverage.at(x, y));
        }
    }
}

// The toolbar separator: a light groove with dark edges, centred in its
// 12-pixel strip and fading out at both ends.
void paintSeparator(sf::Image& sheet)
{
    const auto left = static_cast<unsigned>(Icons::iconRect(separatorIcon).left);
    const auto top = static_cast<unsigned>(Icons::iconRect(separatorIcon).top);
    constexpr Rgb dark{16, 20, 28};
    constexpr Rgb light{236, 238, 242};
    const unsigned middle = separatorWidth / 2;  // the groove is columns middle-1 and middle
    for (unsigned y = 2; y < iconSize - 2; ++y) {
        const double fromEnd = std::min(y - 2, iconSize - 3 - y);
        const double fade = clamp01((fromEnd + 1) / 4.0);
        blend(sheet, left + middle - 2, top + y, dark, 0.8 * fade);
        blend(sheet, left + middle - 1, top + y, light, fade);
        blend(sheet, left + middle, top + y, light, fade);
        blend(sheet, left + middle + 1, top + y, dark, 0.8 * fade);
    }
}

sf::Image drawIconSheet(const IconFont& font)
{
    sf::Image sheet;
    sheet.create(sheetSize, sheetSize, sf::Color::Transparent);
    for (const IconGlyph& entry : iconGlyphs)
        paintIcon(sheet, entry.icon, iconShape(font, entry));
    paintSeparator(sheet);
    return sheet;
}

enum class CheckBoxPicture { unchecked, checked, mouseOver };

sf::Image drawCheckBox(CheckBoxPicture picture)
{
    sf::Image image;
    image.create(checkBoxSize, checkBoxSize, sf::Color::Transparent);
    constexpr double size = checkBoxSize;
    for (unsigned y = 0; y < checkBoxSize; ++y) {
        for (unsigned x = 0; x < checkBoxSize; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            if (picture == CheckBoxPicture::mouseOver) {
                // Drawn under the box: a blue glow around it, and a tint
                // that shows faintly through the box's face.
                const double glow = edgeCoverage(roundedRectDistance(px, py, 0, 0, size, size, 5));
                blend(image, x, y, Rgb{96, 132, 236}, 0.9 * glow);
                continue;
            }
            // Frame, a sunken bevel (dark top left, light bottom right) and
            // the face.
            const double frame = edgeCoverage(roundedRectDistance(px, py, 2, 2, size - 2, size - 2, 3));
            blend(image, x, y, Rgb{58, 64, 74}, frame);
            const double bevel = edgeCoverage(roundedRectDistance(px, py, 3, 3, size - 3, size - 3, 2));
            const double bevelShade = 120 + 135 * (x + y) / (2.0 * (size - 1.0));
            blend(image, x, y, Rgb{bevelShade, bevelShade, bevelShade + 4}, bevel);
            const double face = edgeCoverage(roundedRectDistance(px, py, 4, 4, size - 4, size - 4, 1.5));
            const double faceShade = 238 + 17 * y / (size - 1.0);
            blend(image, x, y, Rgb{faceShade, faceShade, faceShade}, 0.9 * face);
            if (picture == CheckBoxPicture::checked) {
                const double tick = std::min(segmentDistance(px, py, 6.5, 12.5, 10.5, 16.5),
                    segmentDistance(px, py, 10.5, 16.5, 17.5, 7.5));
                blend(image, x, y, Rgb{20, 110, 40}, edgeCoverage(tick - 1.8));
            }
        }
    }
    return image;
}

// Writes through a temporary file beside the target, so a half-written
// picture never takes the real name.  The temporary name keeps the ".png"
// ending because SFML picks the format from it.
void savePng(const sf::Image& image, const fs::path& target)
{
    const fs::path partial = target.parent_path() / ("." + target.stem().string() + "-partial.png");
    if (!image.saveToFile(partial.string())) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw std::runtime_error("cannot write " + partial.string());
    }
    std::error_code error;
    fs::rename(partial, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw std::runtime_error(
            "cannot rename " + partial.string() + " to " + target.string() + ": " + error.message());
    }
}

// Earlier builds drew the sheet into a "Textures" folder of its own; that
// copy goes, so a run folder holds one sheet and one textures folder.
void removeOldSheetFolder(const fs::path& zavi3)
{
    const fs::path old = zavi3 / "Textures";
    std::error_code ec;
    if (!fs::is_directory(old, ec) || fs::equivalent(old, zavi3 / "textures", ec))
        return;
    fs::remove(old / "Icons.png", ec);
    if (fs::is_empty(old, ec))
        fs::remove(old, ec);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_engine_textures ICON_FONT.ttf ZAVI3_FOLDER\n";
        return 2;
    }
    try {
        const IconFont font(argv[1]);
        const sf::Image sheet = drawIconSheet(font);
        const sf::Image unchecked = drawCheckBox(CheckBoxPicture::unchecked);
        const sf::Image checked = drawCheckBox(CheckBoxPicture::checked);
        const sf::Image mouseOver = drawCheckBox(CheckBoxPicture::mouseOver);

        const fs::path zavi3 = argv[2];
        const fs::path textures = zavi3 / "textures";
        fs::create_directories(textures);
        savePng(sheet, textures / "Icons.png");
        savePng(checked, textures / "CheckBox_Checked.png");
        savePng(unchecked, textures / "CheckBox_Unchecked.png");
        savePng(mouseOver, textures / "CheckBox_MouseOver.png");
        removeOldSheetFolder(zavi3);
    } catch (const std::exception& e) {
        std::cerr << "make_engine_textures: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
