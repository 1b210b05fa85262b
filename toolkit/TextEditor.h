// The editing model shared by the edit, the memo and the combo box's edit part: a text, a caret
// and a selection anchor, with the edits a user makes. It knows nothing of pixels or windows.
// Positions are UTF-16 indexes that never split a surrogate pair or a CRLF.
#pragma once

#include "toolkit/Types.h"

namespace toolkit {

class TextEditor {
public:
    explicit TextEditor(bool multiLine) : multiLine_(multiLine) {}

    const String& Text() const { return text_; }
    // Replaces the text; the caret goes to the start, nothing stays selected.
    void SetText(StringView text);
    bool MultiLine() const { return multiLine_; }

    int Caret() const { return caret_; }
    int Anchor() const { return anchor_; }
    int SelStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    int SelLength() const { return caret_ < anchor_ ? anchor_ - caret_ : caret_ - anchor_; }
    int SelEnd() const { return SelStart() + SelLength(); }
    String SelText() const { return text_.substr(std::size_t(SelStart()), std::size_t(SelLength())); }
    // Selects length characters from start (both clamped); the caret ends at the far end.
    void Select(int start, int length);
    // Moves the caret to pos; with extend the anchor stays, else it follows.
    void MoveTo(int pos, bool extend);
    void SelectAll() { Select(0, int(text_.size())); }

    // 0: unlimited. Typing and pasting stop at this many characters; assigning the text does not.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value < 0 ? 0 : value; }

    // Replaces the selection with text (a single-line editor keeps only its first line); answers
    // whether the text changed.
    bool Insert(StringView text);
    // Backspace and Delete: the selection when there is one, else one character (a word with
    // byWord).
    bool DeleteBackward(bool byWord);
    bool DeleteForward(bool byWord);

    // Neighbouring caret positions and word bounds.
    int Next(int pos) const;
    int Prev(int pos) const;
    int NextWord(int pos) const;
    int PrevWord(int pos) const;
    // The word (or run of blanks, or single other character) around pos: [first, last).
    void WordAt(int pos, int& first, int& last) const;
    int Clamp(int pos) const;

private:
    String text_;
    int caret_ = 0;
    int anchor_ = 0;
    int maxLength_ = 0;
    bool multiLine_;
};

} // namespace toolkit
