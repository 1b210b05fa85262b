#include "platform/text/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

constexpr int DefaultPixelSize = 11;

int RoundToInt(double v) { return int(std::lround(v)); }
int Round26Dot6(FT_Pos v) { return int((v + 32) >> 6); }

int ChoosePixelSize(FT_Face face, LONG height)
{
    std::int64_t ppem = DefaultPixelSize;
    if (height < 0) {
        ppem = -std::int64_t(height);
    } else if (height > 0) {
        std::int64_t cell = 0;
        auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        if (os2 && os2->usWinAscent + os2->usWinDescent > 0)
            cell = std::int64_t(os2->usWinAscent) + os2->usWinDescent;
        else if (face->ascender - face->descender > 0)
            cell = std::int64_t(face->ascender) - face->descender;
        ppem = cell > 0 && face->units_per_EM > 0
                   ? RoundToInt(double(height) * face->units_per_EM / double(cell))
                   : std::int64_t(height);
    }
    return int(std::clamp<std::int64_t>(ppem, 1, FontFace::MaxPixelSize));
}

// Bitmap fonts have fixed sizes: take the one nearest to the request.
bool SelectNearestStrike(FT_Face face, int ppem)
{
    if (face->num_fixed_sizes <= 0)
        return false;
    int best = 0;
    for (int i = 1; i < face->num_fixed_sizes; ++i) {
        if (std::abs(Round26Dot6(face->available_sizes[i].y_ppem) - ppem) <
            std::abs(Round26Dot6(face->available_sizes[best].y_ppem) - ppem))
            best = i;
    }
    return FT_Select_Size(face, best) == 0;
}

// Any FreeType bitmap (1-bit, 2-bit, 4-bit, grey, colour) to 0..255 coverage.
void CopyCoverage(FT_Library library, const FT_Bitmap& source, TextGlyph* glyph)
{
    FT_Bitmap grey;
    FT_Bitmap_Init(&grey);
    if (FT_Bitmap_Convert(library, &source, &grey, 1) != 0 || grey.pitch < 0) {
        FT_Bitmap_Done(library, &grey);
        glyph->width = glyph->height = 0;
        glyph->coverage.clear();
        return;
    }
    glyph->width = int(grey.width);
    glyph->height = int(grey.rows);
    glyph->coverage.resize(std::size_t(glyph->width) * std::size_t(glyph->height));
    const int levels = grey.num_grays > 1 ? grey.num_grays - 1 : 1;
    for (int y = 0; y < glyph->height; ++y) {
        const unsigned char* row = grey.buffer + std::size_t(y) * std::size_t(grey.pitch);
        std::uint8_t* out = glyph->coverage.data() + std::size_t(y) * std::size_t(glyph->width);
        for (int x = 0; x < glyph->width; ++x)
            out[x] = std::uint8_t(std::min(255, row[x] * 255 / levels));
    }
    FT_Bitmap_Done(library, &grey);
}

// The platform's synthetic bold for bitmaps: every stroke one pixel wider to the right.
void WidenByOnePixel(TextGlyph* glyph)
{
    if (glyph->width == 0)
        return;
    const int width = glyph->width + 1;
    std::vector<std::uint8_t> wider(std::size_t(width) * std::size_t(glyph->height));
    for (int y = 0; y < glyph->height; ++y) {
        const std::uint8_t* in = glyph->coverage.data() + std::size_t(y) * std::size_t(glyph->width);
        std::uint8_t* out = wider.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            std::uint8_t here = x < glyph->width ? in[x] : 0;
            std::uint8_t left = x > 0 ? in[x - 1] : 0;
            out[x] = std::max(here, left);
        }
    }
    glyph->width = width;
    glyph->coverage = std::move(wider);
}

int Ink(const TextGlyph& glyph)
{
    int sum = 0;
    for (std::uint8_t c : glyph.coverage)
        sum += c;
    return sum / 255;
}

} // namespace

std::unique_ptr<FontFace> FontFace::Open(FT_LibraryRec_* library, const std::string& file, int index, LONG height,
                                         FaceStyle style)
{
    if (!library || file.empty())
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0)
        return nullptr;
    int ppem = ChoosePixelSize(face, height);
    bool sized = FT_IS_SCALABLE(face) ? FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem)) == 0
                                      : SelectNearestStrike(face, ppem);
    if (!sized || (FT_IS_SCALABLE(face) && face->units_per_EM == 0)) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    bool boldFile = os2 ? os2->usWeightClass >= 600 : (face->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    Synthesis synthesis;
    synthesis.bold = style.bold && !boldFile;
    synthesis.oblique = style.italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    if (!FT_IS_SCALABLE(face)) {
        ppem = std::max(1, Round26Dot6(face->size->metrics.y_ppem << 6));
        synthesis.oblique = false; // shearing needs outlines
    }
    return std::unique_ptr<FontFace>(new FontFace(face, ppem, synthesis));
}

FontFace::FontFace(FT_FaceRec_* face, int ppem, Synthesis synthesis)
    : face_(face), ppem_(ppem), synthesis_(synthesis)
{
    emboldenOutlines_ = !synthesis_.bold && OutlinesLighterThanWeight();
    ComputeMetrics();
}

FontFace::~FontFace() { FT_Done_Face(face_); }

unsigned FontFace::CharIndex(char32_t ch) const { return FT_Get_Char_Index(face_, FT_ULong(ch)); }

bool FontFace::OutlinesLighterThanWeight() const
{
    if (!FT_IS_SCALABLE(face_))
        return false;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    bool claimsBold = os2 ? os2->usWeightClass >= 600 : (face_->style_flags & FT_STYLE_FLAG_BOLD) != 0;
    if (!claimsBold)
        return false;
    // The stem of a plain "l" is its whole width: about 0.09 em in regular faces, 0.17 in bold ones.
    FT_UInt index = FT_Get_Char_Index(face_, 'l');
    if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0 ||
        face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return false;
    FT_BBox box;
    FT_Outline_Get_CBox(&face_->glyph->outline, &box);
    return double(box.xMax - box.xMin) / face_->units_per_EM < 0.13;
}

void FontFace::ComputeMetrics()
{
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
    const FT_Size_Metrics& sized = face_->size->metrics;
    const bool scalable = FT_IS_SCALABLE(face_) && face_->units_per_EM > 0;
    const double scale = scalable ? double(ppem_) / face_->units_per_EM : 0.0;

    // Cell metrics as the platform takes them from TrueType: the Windows ascent and descent.
    int ascent, descent;
    if (scalable && os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = RoundToInt(os2->usWinAscent * scale);
        descent = RoundToInt(os2->usWinDescent * scale);
    } else if (scalable && hhea && hhea->Ascender - hhea->Descender > 0) {
        ascent = RoundToInt(hhea->Ascender * scale);
        descent = RoundToInt(-hhea->Descender * scale);
    } else {
        ascent = Round26Dot6(sized.ascender);
        descent = Round26Dot6(-sized.descender);
    }
    ascent = std::max(ascent, 1);
    descent = std::max(descent, 0);

    TEXTMETRIC& tm = metrics_;
    tm.tmAscent = ascent;
    tm.tmDescent = descent;
    tm.tmHeight = ascent + descent;
    tm.tmInternalLeading = std::max(0, tm.tmHeight - ppem_);
    tm.tmExternalLeading = 0;
    if (scalable && os2 && hhea) {
        int extra = int(hhea->Line_Gap) - ((int(os2->usWinAscent) + int(os2->usWinDescent)) -
                                           (int(hhea->Ascender) - int(hhea->Descender)));
        tm.tmExternalLeading = std::max(0, RoundToInt(extra * scale));
    }
    tm.tmMaxCharWidth = scalable && hhea ? RoundToInt(hhea->advance_Width_Max * scale) : Round26Dot6(sized.max_advance);
    if (os2)
        tm.tmWeight = os2->usWeightClass;
    else
        tm.tmWeight = (face_->style_flags & FT_STYLE_FLAG_BOLD) ? FW_BOLD : FW_NORMAL;
    if (synthesis_.bold)
        tm.tmWeight = FW_BOLD;

    // The platform's average width is that of "x" for the fonts it ships; the OS/2 average of the
    // system's Tahoma counts every glyph and comes out far wider than the text it sets.
    unsigned x = CharIndex('x');
    if (x != 0)
        tm.tmAveCharWidth = GlyphAt(x).advance;
    else if (scalable && os2 && os2->xAvgCharWidth > 0)
        tm.tmAveCharWidth = RoundToInt(os2->xAvgCharWidth * scale);
    else
        tm.tmAveCharWidth = (ppem_ + 1) / 2;
    tm.tmAveCharWidth = std::max(1, tm.tmAveCharWidth);
    tm.tmMaxCharWidth = std::max(tm.tmMaxCharWidth, tm.tmAveCharWidth);

    // Underline: FreeType gives the centre of the bar; the platform places its top.
    underline_.thickness = 1;
    int below = 1;
    if (scalable && face_->underline_thickness > 0) {
        underline_.thickness = std::max(1, RoundToInt(face_->underline_thickness * scale));
        below = std::max(0, RoundToInt(-(face_->underline_position + face_->underline_thickness / 2.0) * scale));
    }
    underline_.top = std::clamp(ascent + below, 0, std::max(0, tm.tmHeight - underline_.thickness));

    strikeOut_.thickness = underline_.thickness;
    int above = (ppem_ * 3 + 5) / 10;
    if (scalable && os2 && os2->yStrikeoutSize > 0) {
        strikeOut_.thickness = std::max(1, RoundToInt(os2->yStrikeoutSize * scale));
        above = RoundToInt(os2->yStrikeoutPosition * scale);
    }
    strikeOut_.top = std::clamp(ascent - above, 0, std::max(0, tm.tmHeight - strikeOut_.thickness));
}

const TextGlyph& FontFace::GlyphAt(unsigned index)
{
    auto found = glyphs_.find(index);
    if (found != glyphs_.end())
        return *found->second;
    auto glyph = std::make_unique<TextGlyph>(Load(index));
    return *glyphs_.emplace(index, std::move(glyph)).first->second;
}

TextGlyph FontFace::Load(unsigned index)
{
    TextGlyph glyph;
    // Light hinting snaps only vertically, so the designed advance widths survive; the bitmaps a
    // font carries for small sizes (Tahoma's, 8 to 16 pixels) are used as they are: they are what
    // the platform draws at those sizes, crisp and monochrome.
    FT_Int32 flags = FT_LOAD_TARGET_LIGHT;
    if (synthesis_.oblique)
        flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face_, index, flags) != 0)
        return glyph;
    FT_GlyphSlot slot = face_->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP)
        return LoadOutline(&glyph) ? glyph : TextGlyph{};

    const int linearAdvance = int((slot->linearHoriAdvance + 0x8000) >> 16);
    CopyCoverage(slot->library, slot->bitmap, &glyph);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = Round26Dot6(slot->advance.x);
    if (synthesis_.bold) {
        WidenByOnePixel(&glyph);
        glyph.advance += 1;
    } else if (emboldenOutlines_) {
        // Such a face's advance widths are the bold ones its bitmaps fall short of at some sizes;
        // a regular picture among its bitmaps is emboldened the way the platform would.
        if (Ink(glyph) * 4 < OutlineInk(index) * 5) {
            WidenByOnePixel(&glyph);
            glyph.advance += 1;
        }
        glyph.advance = std::max(glyph.advance, linearAdvance);
    }
    return glyph;
}

bool FontFace::LoadOutline(TextGlyph* glyph)
{
    FT_GlyphSlot slot = face_->glyph;
    int extraAdvance = 0;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && (synthesis_.bold || emboldenOutlines_)) {
        // A face that only claims boldness already has the bold advance widths; a regular face
        // emboldened for a bold request grows by its strength.
        FT_Pos strength = synthesis_.bold ? ppem_ * 64 / 24 : ppem_ * 64 / 14;
        FT_Outline_EmboldenXY(&slot->outline, strength, strength / 2);
        if (synthesis_.bold)
            extraAdvance = Round26Dot6(strength);
    }
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE && synthesis_.oblique)
        FT_GlyphSlot_Oblique(slot);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    CopyCoverage(slot->library, slot->bitmap, glyph);
    glyph->left = slot->bitmap_left;
    glyph->top = slot->bitmap_top;
    glyph->advance = Round26Dot6(slot->advance.x) + extraAdvance;
    return true;
}

// The ink of the glyph's outline drawn as the bitmaps are (hinted, monochrome), in pixels.
int FontFace::OutlineInk(unsigned index)
{
    if (FT_Load_Glyph(face_, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_MONO | FT_LOAD_RENDER) != 0)
        return 0;
    TextGlyph outline;
    CopyCoverage(face_->glyph->library, face_->glyph->bitmap, &outline);
    return Ink(outline);
}

} // namespace platform
