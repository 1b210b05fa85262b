// Lays text out in lines the way DrawText formats it: prefix marks, line breaks, word wrapping,
// tab stops, ellipses and right-to-left order. Internal to the text code.
#pragma once

#include "platform/text/Font.h"
#include "platform/core/Types.h"

#include <vector>

namespace platform {

// One glyph of a laid-out line, in visual order.
struct PlacedGlyph {
    const TextGlyph* glyph = nullptr;
    char32_t ch = 0;
    int x = 0;       // pen position from the line's left edge
    int advance = 0; // may differ from the glyph's for a tab
    bool prefixUnderline = false;
};

struct TextLine {
    std::size_t first = 0; // into Glyphs()
    std::size_t count = 0;
    int width = 0;
};

class TextLayout {
public:
    // format takes the DT_ flags; width is the formatting rectangle's width, used by word breaks
    // and ellipses. Text of one line for TextOut: format DT_SINGLELINE | DT_NOPREFIX.
    TextLayout(Font& font, StringView text, UINT format, int width);

    const std::vector<TextLine>& Lines() const { return lines_; }
    const std::vector<PlacedGlyph>& Glyphs() const { return glyphs_; }
    int MaxWidth() const { return maxWidth_; }

private:
    struct Cell {
        char32_t ch;
        bool prefixUnderline;
    };

    void Decode(StringView text);
    void BreakParagraph(std::size_t begin, std::size_t end);
    void AddLine(std::size_t begin, std::size_t end);
    int AdvanceAt(const Cell& cell, int x);
    void Truncate(std::vector<PlacedGlyph>* line, int* lineWidth);
    void Reorder(std::vector<PlacedGlyph>* line) const;

    Font& font_;
    UINT format_;
    int width_;
    int tabStop_;
    std::vector<Cell> cells_;
    std::vector<PlacedGlyph> glyphs_;
    std::vector<TextLine> lines_;
    int maxWidth_ = 0;
};

// Visual order of a line: indexes into chars, left to right. rtl sets the paragraph direction;
// strong right-to-left letters are reversed within it; neutrals between runs of one direction
// take that direction, others the paragraph's.
std::vector<std::size_t> VisualOrder(const std::vector<char32_t>& chars, bool rtl);

} // namespace platform
