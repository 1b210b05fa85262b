// The text-editing control: one line (TEdit), several (TMemo) or the edit part of a combo box.
// It keeps its text in a TextEditor, lays it out in lines, paints text, selection and a blinking
// caret on its canvas (Paint, which a skin may replace), and its frame in the non-client area
// (WM_NCPAINT, through PaintFrame). Clipboard commands travel as WM_CUT, WM_COPY, WM_PASTE and
// WM_CLEAR so that a subclass sees them.
#pragma once

#include "toolkit/TCustomControl.h"
#include "toolkit/TextEditor.h"

#include <vector>

namespace toolkit {

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return editor_.MaxLength(); }
    void SetMaxLength(int value) { editor_.SetMaxLength(value); }
    WCHAR PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(WCHAR value);
    // Without the focus the selection is not shown.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    // Entering the control with the keyboard selects all of its text.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    int SelStart() const { return editor_.SelStart(); }
    void SetSelStart(int value);
    int SelLength() const { return editor_.SelLength(); }
    void SetSelLength(int value);
    String SelText() const { return editor_.SelText(); }
    // Replaces the selection (read-only or not, as the library does).
    void SetSelText(StringView value);
    void SelectAll();
    void ClearSelection() { Perform(platform::WM_CLEAR); }
    void Clear() { SetText(u""); }
    void CutToClipboard() { Perform(platform::WM_CUT); }
    void CopyToClipboard() { Perform(platform::WM_COPY); }
    void PasteFromClipboard() { Perform(platform::WM_PASTE); }
    // The caret's position (the moving end of the selection).
    int CaretIndex() const { return editor_.Caret(); }

    // How the text is laid out, for painting, hit-testing and tests.
    int LineCount();
    int LineOf(int pos);
    int TopLine() const { return topLine_; }
    int ScrollX() const { return scrollX_; }
    int LineHeight() const;
    // The client point of a position's caret (top of its line).
    TPoint PosToClient(int pos);
    // The position nearest to a client point.
    int ClientToPos(TPoint p);
    // Whether the caret is drawn at this moment (focused, in its visible blink phase).
    bool CaretShown() const;
    // The client area's part the text is laid out in.
    virtual TRect TextRect();

    TNotifyEvent OnChange;

protected:
    TCustomEdit(TComponent* AOwner, bool multiLine);

    struct TextLine {
        int start = 0;
        int end = 0;       // the line's characters end here (a line break is not part of it)
        bool soft = false; // a wrap, not a line break, ends it
    };

    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(WCHAR& key) override;
    // The editing keys and characters; true when handled (the key is then consumed).
    virtual bool EditKey(WORD key, TShiftState shift);
    virtual bool EditChar(WCHAR key);
    String GetText() const override { return editor_.Text(); }
    void SetTextBuffer(StringView value) override;
    void EraseBackground(platform::HDC dc) override;
    void Paint() override;
    // Draws the frame into a DC on the whole window (origin at its top-left).
    virtual void PaintFrame(platform::HDC windowDC);
    // The state the look draws the frame in.
    virtual unsigned LookStateFlags();
    // Draws the lines of text, the selection and the caret into the text rectangle.
    void PaintText(TCanvas& canvas);

    virtual void Change();
    // The user changed the text (typing, deleting, pasting, cutting), before Change.
    virtual void UserEdited() {}

    // Breaks the text into lines for a text rectangle width pixels wide.
    virtual void BuildLines(std::vector<TextLine>& lines, int width);
    // Scrolls so that the caret is in view.
    virtual void ScrollCaretIntoView();
    // Lines that fit the text rectangle (at least one).
    int VisibleLines();
    void SetTopLine(int value);
    void SetScrollX(int value);
    int MaxLineWidth();
    int MaxTopLine();

    // Dialog codes: characters and arrows.
    virtual LRESULT DialogCode();
    // Called after every change of text, caret or layout: repaints and restarts the caret blink.
    void EditorChanged(bool textChanged);
    void InvalidateLayout() { layoutValid_ = false; }
    void EnsureLayout();
    const std::vector<TextLine>& Lines() { EnsureLayout(); return lines_; }
    // Pixel width of the shown characters [from, to) of the text.
    int TextWidth(int from, int to) const;
    int PosInLine(const TextLine& line, int x) const;
    void MoveCaret(int pos, bool extend);
    // Inserts text typed or pasted by the user (nothing when read-only).
    bool UserInsert(StringView text);
    // After the editor's text was changed for the user: repaint, store, notify.
    void CommitUserEdit();
    // Moves the caret by lines (multi-line layouts), keeping its horizontal place.
    void MoveByLines(int delta, bool extend);

    TextEditor editor_;
    bool multiLine_ = false;
    bool wantReturns_ = false;

private:
    void MouseSelect(TMessage& message);
    void SyncTextBuffer();
    void StartCaretBlink();
    void StopCaretBlink();
    void RedrawFrame();
    String Shown(int from, int to) const;

    std::vector<TextLine> lines_;
    bool layoutValid_ = false;
    int layoutWidth_ = -1;
    int topLine_ = 0;
    int scrollX_ = 0;
    int goalX_ = -1;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool autoSelect_ = true;
    bool modified_ = false;
    WCHAR passwordChar_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    bool dragging_ = false;
    bool caretOn_ = false;
    bool hot_ = false;
    int wordFirst_ = -1, wordLast_ = -1;
};

} // namespace toolkit
