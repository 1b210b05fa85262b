#include "platform/text/Font.h"

#include "platform/text/FontCache.h"
#include "platform/text/FontFace.h"
#include "platform/text/Utf16.h"

#include <algorithm>

namespace platform {

namespace {

// Characters that steer text rather than show: controls, joiners, direction marks, byte order mark.
bool IsInvisible(char32_t ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch < 0xA0) || ch == 0xAD || (ch >= 0x200B && ch <= 0x200F) ||
           (ch >= 0x2028 && ch <= 0x202E) || (ch >= 0x2060 && ch <= 0x2064) || ch == 0xFEFF;
}

constexpr char32_t MaxCodePoint = 0x10FFFF;

} // namespace

Font::Font(const LOGFONT& lf, std::string file, std::unique_ptr<FontFace> face)
    : lf_(lf), file_(std::move(file)), face_(std::move(face))
{
    if (face_) {
        metrics_ = face_->Metrics();
        underline_ = face_->Underline();
        strikeOut_ = face_->StrikeOut();
    } else {
        // No font file at all: keep the layout sensible with the proportions of a plain sans face.
        int ppem = lf.lfHeight < 0 ? int(std::min<std::int64_t>(-std::int64_t(lf.lfHeight), FontFace::MaxPixelSize))
                                   : lf.lfHeight > 0 ? std::min<int>(lf.lfHeight, FontFace::MaxPixelSize) * 5 / 6 : 11;
        ppem = std::max(ppem, 1);
        metrics_.tmAscent = (ppem * 9 + 5) / 10 + 1;
        metrics_.tmDescent = (ppem * 2 + 5) / 10 + 1;
        metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
        metrics_.tmInternalLeading = std::max(0, int(metrics_.tmHeight) - ppem);
        metrics_.tmAveCharWidth = std::max(1, ppem / 2);
        metrics_.tmMaxCharWidth = ppem;
        metrics_.tmWeight = lf.lfWeight >= 600 ? FW_BOLD : FW_NORMAL;
        underline_ = TextBar{std::max(0, int(metrics_.tmHeight) - 1), 1};
        strikeOut_ = TextBar{int(metrics_.tmAscent) / 2, 1};
        missing_.advance = metrics_.tmAveCharWidth;
    }
    if (lf.lfWeight >= 600)
        metrics_.tmWeight = std::max<LONG>(metrics_.tmWeight, FW_BOLD);
    pages_.resize((MaxCodePoint >> 8) + 1);
}

Font::~Font() = default;

FontFace* Font::Fallback()
{
    if (!fallbackTried_) {
        fallbackTried_ = true;
        if (face_) {
            fallback_ = FontCache::Instance().OpenFallback(face_->PixelSize(), lf_.lfWeight, lf_.lfItalic);
            // The face may be the fallback family itself: it has nothing more to offer.
            if (fallback_ && FontCache::Instance().Resolve(Utf8ToUtf16(FontCache::FallbackFamily), lf_.lfWeight,
                                                           lf_.lfItalic).file == file_)
                fallback_.reset();
        }
    }
    return fallback_.get();
}

const TextGlyph* Font::Resolve(char32_t ch)
{
    if (IsInvisible(ch))
        return &blank_;
    if (!face_)
        return &missing_;
    if (unsigned index = face_->CharIndex(ch))
        return &face_->GlyphAt(index);
    if (FontFace* fallback = Fallback())
        if (unsigned index = fallback->CharIndex(ch))
            return &fallback->GlyphAt(index);
    return &face_->GlyphAt(0);
}

const TextGlyph& Font::GlyphFor(char32_t ch)
{
    if (ch > MaxCodePoint)
        ch = 0xFFFD;
    std::unique_ptr<GlyphPage>& page = pages_[ch >> 8];
    if (!page) {
        page = std::make_unique<GlyphPage>();
        page->fill(nullptr);
    }
    const TextGlyph*& slot = (*page)[ch & 0xFF];
    if (!slot)
        slot = Resolve(ch);
    return *slot;
}

int Font::TextWidth(StringView text)
{
    int width = 0;
    for (std::size_t i = 0; i < text.size();)
        width = AddWidth(width, GlyphFor(DecodeUtf16(text, i)).advance);
    return width;
}

HFONT CreateFontIndirect(const LOGFONT& lf) { return FontCache::Instance().Get(lf); }

void DeleteFont(HFONT) {}

HFONT GetDefaultGuiFont()
{
    static HFONT font = CreateFontIndirect(LOGFONT{});
    return font;
}

bool GetObjectFont(HFONT font, LOGFONT* lf)
{
    if (!font || !lf)
        return false;
    *lf = font->LogFont();
    return true;
}

std::string GetFontFile(HFONT font) { return font ? font->File() : std::string(); }

HFONT CurrentFont(HDC dc) { return dc && dc->font ? dc->font : GetDefaultGuiFont(); }

bool GetTextMetrics(HDC dc, TEXTMETRIC* tm)
{
    if (!dc || !tm)
        return false;
    *tm = CurrentFont(dc)->Metrics();
    return true;
}

bool GetTextExtentPoint32(HDC dc, StringView text, SIZE* size)
{
    if (!dc || !size)
        return false;
    Font* font = CurrentFont(dc);
    size->cx = font->TextWidth(text);
    size->cy = font->Metrics().tmHeight;
    return true;
}

} // namespace platform
