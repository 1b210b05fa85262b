#include "platform/text/TextLayout.h"

#include "platform/core/AsciiCase.h"
#include "platform/text/FontFace.h"
#include "platform/text/Utf16.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::size_t None = std::size_t(-1);

bool IsBreakSpace(char32_t ch) { return ch == u' ' || ch == u'\t'; }

bool IsStrongRtl(char32_t ch)
{
    return (ch >= 0x0590 && ch <= 0x08FF) || (ch >= 0xFB1D && ch <= 0xFDFF) || (ch >= 0xFE70 && ch <= 0xFEFF) ||
           (ch >= 0x10800 && ch <= 0x10FFF) || (ch >= 0x1E800 && ch <= 0x1EFFF);
}

// Letters and digits of left-to-right scripts; punctuation, symbols and spaces are neutral.
bool IsStrongLtr(char32_t ch)
{
    if (ch < 0x80)
        return (ch >= u'0' && ch <= u'9') || IsAsciiLetter(ch);
    if (IsStrongRtl(ch))
        return false;
    if (ch < 0xC0 || ch == 0xD7 || ch == 0xF7)
        return false;
    if ((ch >= 0x2000 && ch <= 0x2BFF) || (ch >= 0x3000 && ch <= 0x303F) || (ch >= 0xFE00 && ch <= 0xFE6F) ||
        (ch >= 0xFF00 && ch <= 0xFF20))
        return false;
    return true;
}

} // namespace

std::vector<std::size_t> VisualOrder(const std::vector<char32_t>& chars, bool rtl)
{
    const std::size_t n = chars.size();
    // Embedding levels: even runs read left to right, odd ones right to left.
    std::vector<int> levels(n);
    const int paragraph = rtl ? 1 : 0;
    auto strongLevel = [&](char32_t ch) { return IsStrongRtl(ch) ? 1 : (rtl ? 2 : 0); };
    std::size_t i = 0;
    while (i < n) {
        if (IsStrongRtl(chars[i]) || IsStrongLtr(chars[i])) {
            levels[i] = strongLevel(chars[i]);
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < n && !IsStrongRtl(chars[j]) && !IsStrongLtr(chars[j]))
            ++j;
        bool before = i > 0, after = j < n;
        int level = paragraph;
        if (before && after && IsStrongRtl(chars[i - 1]) == IsStrongRtl(chars[j]))
            level = strongLevel(chars[j]);
        for (std::size_t k = i; k < j; ++k)
            levels[k] = level;
        i = j;
    }

    std::vector<std::size_t> order(n);
    for (std::size_t k = 0; k < n; ++k)
        order[k] = k;
    int highest = n ? *std::max_element(levels.begin(), levels.end()) : 0;
    for (int level = highest; level >= 1; --level) {
        std::size_t k = 0;
        while (k < n) {
            if (levels[order[k]] < level) {
                ++k;
                continue;
            }
            std::size_t end = k;
            while (end < n && levels[order[end]] >= level)
                ++end;
            std::reverse(order.begin() + std::ptrdiff_t(k), order.begin() + std::ptrdiff_t(end));
            k = end;
        }
    }
    return order;
}

TextLayout::TextLayout(Font& font, StringView text, UINT format, int width)
    : font_(font), format_(format), width_(std::max(width, 0))
{
    tabStop_ = 8 * std::max<int>(1, font_.Metrics().tmAveCharWidth);
    Decode(text);
    if (cells_.empty())
        return;
    if (format_ & DT_SINGLELINE) {
        BreakParagraph(0, cells_.size());
        return;
    }
    // A break ends a line; a break at the very end opens no new one.
    std::size_t begin = 0;
    while (begin < cells_.size()) {
        std::size_t end = begin;
        while (end < cells_.size() && cells_[end].ch != u'\r' && cells_[end].ch != u'\n')
            ++end;
        BreakParagraph(begin, end);
        std::size_t next = end;
        if (next < cells_.size()) {
            if (cells_[next].ch == u'\r' && next + 1 < cells_.size() && cells_[next + 1].ch == u'\n')
                ++next;
            ++next;
        }
        begin = next;
    }
}

// UTF-16 to code points; "&x" marks x for underlining and "&&" is one "&", unless DT_NOPREFIX.
void TextLayout::Decode(StringView text)
{
    cells_.reserve(text.size());
    const bool prefixes = !(format_ & DT_NOPREFIX);
    const bool showUnderline = !(format_ & DT_HIDEPREFIX);
    bool marked = false;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t ch = DecodeUtf16(text, i);
        if (prefixes && ch == u'&' && !marked) {
            marked = true;
            continue;
        }
        bool underline = marked && ch != u'&' && showUnderline;
        marked = false;
        cells_.push_back(Cell{ch, underline});
    }
}

int TextLayout::AdvanceAt(const Cell& cell, int x)
{
    if (cell.ch == u'\t' && (format_ & DT_EXPANDTABS))
        return tabStop_ - (x % tabStop_ + tabStop_) % tabStop_;
    return font_.CharWidth(cell.ch);
}

void TextLayout::BreakParagraph(std::size_t begin, std::size_t end)
{
    const bool wrap = (format_ & DT_WORDBREAK) && !(format_ & DT_SINGLELINE);
    if (!wrap || begin == end) {
        AddLine(begin, end);
        return;
    }
    const bool breakWords = (format_ & DT_EDITCONTROL) != 0;
    std::size_t pos = begin;
    while (pos < end) {
        int x = 0;
        std::size_t breakAt = None; // where the line may end: the start of the last run of spaces
        std::size_t wordStart = pos;
        std::size_t lineEnd = end, next = end;
        for (std::size_t i = pos; i < end; ++i) {
            const Cell& cell = cells_[i];
            int advance = AdvanceAt(cell, x);
            if (IsBreakSpace(cell.ch)) {
                if (i > pos && !IsBreakSpace(cells_[i - 1].ch))
                    breakAt = i;
                x = AddWidth(x, advance);
                continue;
            }
            if (i == pos || IsBreakSpace(cells_[i - 1].ch))
                wordStart = i;
            if (x + advance > width_ && i > pos) {
                if (breakAt != None && breakAt < wordStart) {
                    lineEnd = breakAt;
                    next = wordStart;
                    break;
                }
                if (breakWords) {
                    lineEnd = next = i;
                    break;
                }
                // A word longer than the line runs over it, up to the next space.
            }
            x = AddWidth(x, advance);
        }
        AddLine(pos, lineEnd);
        pos = next;
    }
}

void TextLayout::AddLine(std::size_t begin, std::size_t end)
{
    std::vector<PlacedGlyph> line;
    line.reserve(end - begin + 3);
    int x = 0;
    for (std::size_t i = begin; i < end; ++i) {
        PlacedGlyph placed;
        placed.ch = cells_[i].ch;
        placed.glyph = &font_.GlyphFor(placed.ch);
        placed.advance = AdvanceAt(cells_[i], x);
        placed.prefixUnderline = cells_[i].prefixUnderline;
        x = AddWidth(x, placed.advance);
        line.push_back(placed);
    }
    int width = x;
    if ((format_ & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) && width > width_ && !((format_ & DT_CALCRECT) && width_ == 0))
        Truncate(&line, &width);

    bool reorder = (format_ & DT_RTLREADING) != 0;
    for (std::size_t i = 0; i < line.size() && !reorder; ++i)
        reorder = IsStrongRtl(line[i].ch);
    if (reorder)
        Reorder(&line);

    TextLine textLine;
    textLine.first = glyphs_.size();
    textLine.count = line.size();
    int pen = 0;
    for (PlacedGlyph& placed : line) {
        placed.x = pen;
        pen = AddWidth(pen, placed.advance);
        glyphs_.push_back(placed);
    }
    textLine.width = width;
    maxWidth_ = std::max(maxWidth_, width);
    lines_.push_back(textLine);
}

// Cuts the line so that it and "..." fit the width: at any character for DT_END_ELLIPSIS, after a
// whole word for DT_WORD_ELLIPSIS (at a character when even the first word does not fit).
void TextLayout::Truncate(std::vector<PlacedGlyph>* line, int* lineWidth)
{
    const TextGlyph& dot = font_.GlyphFor(u'.');
    const int ellipsis = 3 * dot.advance;
    int width = *lineWidth;
    std::size_t keep = line->size();
    while (keep > 0 && width + ellipsis > width_)
        width -= (*line)[--keep].advance;
    if (format_ & DT_WORD_ELLIPSIS) {
        std::vector<PlacedGlyph>& glyphs = *line;
        std::size_t cut = keep;
        if (cut > 0 && cut < glyphs.size() && !IsBreakSpace(glyphs[cut].ch) && !IsBreakSpace(glyphs[cut - 1].ch)) {
            while (cut > 0 && !IsBreakSpace(glyphs[cut - 1].ch))
                --cut;
        }
        while (cut > 0 && IsBreakSpace(glyphs[cut - 1].ch))
            --cut;
        if (cut > 0) {
            for (std::size_t i = cut; i < keep; ++i)
                width -= glyphs[i].advance;
            keep = cut;
        }
    }
    line->resize(keep);
    width = 0;
    for (const PlacedGlyph& placed : *line)
        width = AddWidth(width, placed.advance);
    for (int i = 0; i < 3; ++i) {
        PlacedGlyph placed;
        placed.ch = u'.';
        placed.glyph = &dot;
        placed.advance = dot.advance;
        line->push_back(placed);
    }
    *lineWidth = AddWidth(width, ellipsis);
}

void TextLayout::Reorder(std::vector<PlacedGlyph>* line) const
{
    std::vector<char32_t> chars;
    chars.reserve(line->size());
    for (const PlacedGlyph& placed : *line)
        chars.push_back(placed.ch);
    std::vector<std::size_t> order = VisualOrder(chars, (format_ & DT_RTLREADING) != 0);
    std::vector<PlacedGlyph> visual;
    visual.reserve(order.size());
    for (std::size_t index : order)
        visual.push_back((*line)[index]);
    *line = std::move(visual);
}

} // namespace platform
