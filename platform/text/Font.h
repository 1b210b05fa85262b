// Fonts through fontconfig and FreeType. Fonts are created once per description and live until the
// process ends, so an HFONT never dangles; DeleteFont is a no-op kept for symmetry with the
// platform's calls.
//
// Resolution: the face name is looked up through fontconfig, with the folder of the system's
// Windows-compatible fonts added (it holds Tahoma and Tahoma Bold); a face that is not installed
// becomes DejaVu Sans, and characters a face lacks are taken from DejaVu Sans at the same size.
// Bold and italic the file lacks are synthesised (emboldened, slanted outlines).
//
// Rendering: at the sizes a face carries hand-made bitmaps for (Tahoma: 8 to 16 pixels, so the
// program's usual 11 and 13), those bitmaps are drawn: crisp and monochrome, as the platform
// draws Tahoma there; antialiased outlines looked soft and grey beside them. Other sizes are
// antialiased grey coverage with light (vertical-only) hinting. Metrics follow the platform's
// TrueType rules: ascent and descent are the face's Windows ascent and descent scaled and
// rounded, tmAveCharWidth is the width of "x", advance widths are the face's own, without kerning.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/core/Types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

struct LOGFONT {
    // Negative: character height in pixels (the usual form); positive: cell height in pixels.
    LONG lfHeight = -11;
    LONG lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    String lfFaceName = u"Tahoma";
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

HFONT CreateFontIndirect(const LOGFONT& lf);
void DeleteFont(HFONT font);
// The font of windows and controls that set none: Tahoma, 11 pixels.
HFONT GetDefaultGuiFont();
bool GetObjectFont(HFONT font, LOGFONT* lf);
// The file that the face resolved to (for tests and diagnostics).
std::string GetFontFile(HFONT font);

bool GetTextMetrics(HDC dc, TEXTMETRIC* tm);
bool GetTextExtentPoint32(HDC dc, StringView text, SIZE* size);

// The font a DC draws with: its selected font, or the default GUI font.
HFONT CurrentFont(HDC dc);

// A glyph as drawn: coverage 0..255 per pixel, placed relative to the pen on the baseline.
struct TextGlyph {
    int left = 0; // from the pen to the first column
    int top = 0;  // from the baseline up to the first row
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> coverage; // width * height, rows top-down
};

// A horizontal bar drawn with the text (underline, strike-out): rows from the top of the cell.
struct TextBar {
    int top = 0;
    int thickness = 1;
};

class FontFace;

// A created font: the face its description resolved to at its pixel size, a fallback face for the
// characters that face lacks, and every glyph drawn so far.
class Font {
public:
    // face may be null when no font file could be read: the font then measures but draws no ink.
    Font(const LOGFONT& lf, std::string file, std::unique_ptr<FontFace> face);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    const LOGFONT& LogFont() const { return lf_; }
    const TEXTMETRIC& Metrics() const { return metrics_; }
    const std::string& File() const { return file_; }
    TextBar Underline() const { return underline_; }
    TextBar StrikeOut() const { return strikeOut_; }

    // The face's glyph for ch, else the fallback face's, else the face's missing-glyph box.
    // Control and format characters have neither ink nor width.
    const TextGlyph& GlyphFor(char32_t ch);
    int CharWidth(char32_t ch) { return GlyphFor(ch).advance; }
    // Sum of the advance widths (no kerning, as the platform); UTF-16 with surrogate pairs.
    int TextWidth(StringView text);

private:
    const TextGlyph* Resolve(char32_t ch);
    FontFace* Fallback();

    using GlyphPage = std::array<const TextGlyph*, 256>;

    LOGFONT lf_;
    std::string file_;
    std::unique_ptr<FontFace> face_;
    std::unique_ptr<FontFace> fallback_;
    bool fallbackTried_ = false;
    TEXTMETRIC metrics_;
    TextBar underline_;
    TextBar strikeOut_;
    TextGlyph blank_;   // control characters
    TextGlyph missing_; // every character when there is no face at all
    std::vector<std::unique_ptr<GlyphPage>> pages_;
};

} // namespace platform
