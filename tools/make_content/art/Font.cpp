#include "art/Font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

struct Font::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    ~Face()
    {
        if (face)
            FT_Done_Face(face);
        if (library)
            FT_Done_FreeType(library);
    }

    void setSize(float size) const
    {
        FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(size * 64.f)), 72, 72);
    }

    // Loads one glyph; its advance and bitmap stay in the face's slot.
    bool load(unsigned char c, bool render) const
    {
        return FT_Load_Char(face, c, (render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) | FT_LOAD_NO_HINTING) == 0;
    }

    float kerning(unsigned char previous, unsigned char next) const
    {
        if (!previous || !FT_HAS_KERNING(face))
            return 0.f;
        FT_Vector delta{};
        FT_Get_Kerning(face, FT_Get_Char_Index(face, previous), FT_Get_Char_Index(face, next), FT_KERNING_UNFITTED,
                       &delta);
        return static_cast<float>(delta.x) / 64.f;
    }
};

Font::Font(const std::filesystem::path& path) : face_(std::make_unique<Face>())
{
    if (FT_Init_FreeType(&face_->library) != 0 || FT_New_Face(face_->library, path.c_str(), 0, &face_->face) != 0)
        throw std::runtime_error("cannot read the font " + path.string());
}

Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

void Font::draw(Mask& mask, std::string_view text, float size, float x, float y, float spacing) const
{
    face_->setSize(size);
    float pen = x;
    unsigned char previous = 0;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        pen += face_->kerning(previous, c);
        previous = c;
        if (!face_->load(c, true))
            continue;
        const FT_GlyphSlot slot = face_->face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        const int left = static_cast<int>(std::lround(pen)) + slot->bitmap_left;
        const int top = static_cast<int>(std::lround(y)) - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row)
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int mx = left + static_cast<int>(column), my = top + static_cast<int>(row);
                if (mx < 0 || my < 0 || mx >= mask.width() || my >= mask.height())
                    continue;
                const float coverage =
                    static_cast<float>(bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column]) / 255.f;
                mask(mx, my) = std::max(mask(mx, my), coverage);
            }
        pen += static_cast<float>(slot->advance.x) / 64.f + spacing;
    }
}

float Font::measure(std::string_view text, float size, float spacing) const
{
    face_->setSize(size);
    float width = 0.f;
    unsigned char previous = 0;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        width += face_->kerning(previous, c);
        previous = c;
        if (face_->load(c, false))
            width += static_cast<float>(face_->face->glyph->advance.x) / 64.f + spacing;
    }
    return text.empty() ? 0.f : width - spacing;
}

float Font::capHeight(float size) const
{
    face_->setSize(size);
    if (!face_->load('H', false))
        return size * 0.7f;
    return static_cast<float>(face_->face->glyph->metrics.horiBearingY) / 64.f;
}

} // namespace art
