// One font file opened at one pixel size through FreeType, with the glyphs it has drawn so far.
// Internal to the text code; the rest of the program uses Font.h.
#pragma once

#include "platform/text/Font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace platform {

// Widths of text saturate here, far beyond any bitmap, instead of overflowing.
constexpr int MaxTextWidth = 1 << 30;
inline int AddWidth(int width, int advance)
{
    std::int64_t sum = std::int64_t(width) + advance;
    return int(sum > MaxTextWidth ? MaxTextWidth : sum);
}

// The style asked for; what the file lacks of it is made up when drawing.
struct FaceStyle {
    bool bold = false;
    bool italic = false;
};

class FontFace {
public:
    // Sizes beyond this are clamped: a glyph of a bigger size would need megabytes of coverage.
    static constexpr int MaxPixelSize = 1000;

    // Opens face `index` of `file`. height follows LOGFONT::lfHeight: negative is the em size in
    // pixels, positive the cell height (ascent + descent), 0 the default GUI size. Answers nullptr
    // when the file cannot be read as a scalable or bitmap font.
    static std::unique_ptr<FontFace> Open(FT_LibraryRec_* library, const std::string& file, int index, LONG height,
                                          FaceStyle style);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // 0 when the face has no glyph for ch.
    unsigned CharIndex(char32_t ch) const;
    const TextGlyph& GlyphAt(unsigned index);

    int PixelSize() const { return ppem_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    TextBar Underline() const { return underline_; }
    TextBar StrikeOut() const { return strikeOut_; }

private:
    struct Synthesis {
        bool bold = false;
        bool oblique = false;
    };
    FontFace(FT_FaceRec_* face, int ppem, Synthesis synthesis);
    void ComputeMetrics();
    bool OutlinesLighterThanWeight() const;
    TextGlyph Load(unsigned index);
    bool LoadOutline(TextGlyph* glyph);
    int OutlineInk(unsigned index);

    FT_FaceRec_* face_;
    int ppem_;
    Synthesis synthesis_;
    // The face says bold but its outlines are regular (the Tahoma Bold of the system's font package
    // pairs bold widths and bitmaps with the regular outlines): outlines are emboldened to match.
    bool emboldenOutlines_ = false;
    TEXTMETRIC metrics_;
    TextBar underline_;
    TextBar strikeOut_;
    std::unordered_map<unsigned, std::unique_ptr<TextGlyph>> glyphs_;
};

} // namespace platform
