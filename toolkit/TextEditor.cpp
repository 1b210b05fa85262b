#include "toolkit/TextEditor.h"

#include "platform/core/AsciiCase.h"
#include "platform/text/Utf16.h"

#include <algorithm>

namespace toolkit {

namespace {

bool IsBreak(WCHAR c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(WCHAR c) { return c == u' ' || c == u'\t' || c == 0xA0; }

// Letters, digits and the underscore make words; everything else separates them.
bool IsWordChar(WCHAR c)
{
    if (c >= u'0' && c <= u'9')
        return true;
    if (platform::IsAsciiLetter(c) || c == u'_')
        return true;
    return c >= 0xC0 && !IsBlank(c) && c != 0x2014 && c != 0x2013 && c != 0xAB && c != 0xBB;
}

} // namespace

int TextEditor::Clamp(int pos) const
{
    pos = std::clamp(pos, 0, int(text_.size()));
    // Never inside a surrogate pair or a CRLF.
    if (pos > 0 && pos < int(text_.size())) {
        WCHAR c = text_[std::size_t(pos)], before = text_[std::size_t(pos - 1)];
        if ((platform::IsLowSurrogate(c) && platform::IsHighSurrogate(before)) || (c == u'\n' && before == u'\r'))
            --pos;
    }
    return pos;
}

void TextEditor::SetText(StringView text)
{
    text_ = String(text);
    caret_ = anchor_ = 0;
}

void TextEditor::Select(int start, int length)
{
    anchor_ = Clamp(start);
    caret_ = Clamp(start + std::max(length, 0));
}

void TextEditor::MoveTo(int pos, bool extend)
{
    caret_ = Clamp(pos);
    if (!extend)
        anchor_ = caret_;
}

int TextEditor::Next(int pos) const
{
    const int n = int(text_.size());
    if (pos >= n)
        return n;
    WCHAR c = text_[std::size_t(pos)];
    if (pos + 1 < n) {
        WCHAR d = text_[std::size_t(pos + 1)];
        if ((platform::IsHighSurrogate(c) && platform::IsLowSurrogate(d)) || (c == u'\r' && d == u'\n'))
            return pos + 2;
    }
    return pos + 1;
}

int TextEditor::Prev(int pos) const
{
    return pos <= 0 ? 0 : Clamp(pos - 1);
}

int TextEditor::NextWord(int pos) const
{
    const int n = int(text_.size());
    if (pos < n && IsBreak(text_[std::size_t(pos)]))
        return Next(pos);
    while (pos < n && IsWordChar(text_[std::size_t(pos)]))
        ++pos;
    while (pos < n && !IsWordChar(text_[std::size_t(pos)]) && !IsBlank(text_[std::size_t(pos)]) &&
           !IsBreak(text_[std::size_t(pos)]))
        ++pos;
    while (pos < n && IsBlank(text_[std::size_t(pos)]))
        ++pos;
    return Clamp(pos);
}

int TextEditor::PrevWord(int pos) const
{
    if (pos > 0 && IsBreak(text_[std::size_t(pos - 1)]))
        return Prev(pos);
    while (pos > 0 && IsBlank(text_[std::size_t(pos - 1)]))
        --pos;
    if (pos > 0 && IsWordChar(text_[std::size_t(pos - 1)])) {
        while (pos > 0 && IsWordChar(text_[std::size_t(pos - 1)]))
            --pos;
    } else {
        while (pos > 0 && !IsWordChar(text_[std::size_t(pos - 1)]) && !IsBlank(text_[std::size_t(pos - 1)]) &&
               !IsBreak(text_[std::size_t(pos - 1)]))
            --pos;
    }
    return Clamp(pos);
}

void TextEditor::WordAt(int pos, int& first, int& last) const
{
    const int n = int(text_.size());
    pos = Clamp(pos);
    first = last = pos;
    if (n == 0)
        return;
    // At the end of a line, the character before the caret decides.
    int probe = (pos >= n || IsBreak(text_[std::size_t(pos)])) && pos > 0 ? pos - 1 : pos;
    WCHAR c = text_[std::size_t(probe)];
    if (IsBreak(c))
        return;
    auto same = [&](WCHAR d) {
        if (IsWordChar(c))
            return IsWordChar(d);
        if (IsBlank(c))
            return IsBlank(d);
        return false;
    };
    first = probe;
    last = probe + 1;
    while (first > 0 && same(text_[std::size_t(first - 1)]))
        --first;
    while (last < n && same(text_[std::size_t(last)]))
        ++last;
    first = Clamp(first);
}

bool TextEditor::Insert(StringView text)
{
    String piece(text);
    if (!multiLine_) {
        std::size_t lineEnd = piece.find_first_of(u"\r\n");
        if (lineEnd != String::npos)
            piece.resize(lineEnd);
    } else {
        // Lone LFs and CRs become CRLF so that lines end one way throughout.
        String normal;
        for (std::size_t i = 0; i < piece.size(); ++i) {
            if (piece[i] == u'\r') {
                normal += u"\r\n";
                if (i + 1 < piece.size() && piece[i + 1] == u'\n')
                    ++i;
            } else if (piece[i] == u'\n') {
                normal += u"\r\n";
            } else {
                normal += piece[i];
            }
        }
        piece = std::move(normal);
    }
    const int start = SelStart(), length = SelLength();
    if (maxLength_ > 0) {
        int room = maxLength_ - (int(text_.size()) - length);
        if (room < int(piece.size())) {
            piece.resize(std::size_t(std::max(room, 0)));
            // A cut must not leave half of a pair behind.
            if (!piece.empty() && (platform::IsHighSurrogate(piece.back()) || piece.back() == u'\r'))
                piece.pop_back();
        }
    }
    if (piece.empty() && length == 0)
        return false;
    text_.replace(std::size_t(start), std::size_t(length), piece);
    caret_ = anchor_ = start + int(piece.size());
    return true;
}

bool TextEditor::DeleteBackward(bool byWord)
{
    if (SelLength() == 0) {
        if (caret_ == 0)
            return false;
        anchor_ = byWord ? PrevWord(caret_) : Prev(caret_);
    }
    return Insert(u"");
}

bool TextEditor::DeleteForward(bool byWord)
{
    if (SelLength() == 0) {
        if (caret_ >= int(text_.size()))
            return false;
        anchor_ = byWord ? NextWord(caret_) : Next(caret_);
    }
    return Insert(u"");
}

} // namespace toolkit
