// A multi-line edit: lines kept as a string list, word wrap, scroll bars drawn in its client
// area (answering WM_VSCROLL / WM_HSCROLL), the mouse wheel, and Enter for new lines.
#pragma once

#include "toolkit/DrawnScrollBar.h"
#include "toolkit/TCustomEdit.h"
#include "toolkit/TStrings.h"

namespace toolkit {

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);

    // The text as lines; changing them changes the text.
    TStrings* Lines() { return &lines_; }
    void SetLines(const TStrings* value) { lines_.Assign(value); }
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }

    TRect TextRect() override;
    // The scroll bars as they are laid out now (empty bounds when absent).
    DrawnScrollBar VerticalBar();
    DrawnScrollBar HorizontalBar();

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Change() override;
    void BuildLines(std::vector<TextLine>& lines, int width) override;
    // Draws the scroll bars (and the corner between them) over the client area's edges.
    virtual void PaintScrollBars(TCanvas& canvas);

private:
    bool HasVertical() const { return scrollBars_ == ssVertical || scrollBars_ == ssBoth; }
    bool HasHorizontal() const { return scrollBars_ == ssHorizontal || scrollBars_ == ssBoth; }
    void Scroll(bool vertical, int code, int thumbPosition);
    bool ScrollBarMouse(TMessage& message);
    void WrapParagraph(std::vector<TextLine>& lines, int start, int end, int width);
    void LinesChanged();

    TStrings lines_;
    bool wordWrap_ = true;
    TScrollStyle scrollBars_ = ssNone;
    bool syncing_ = false;
    // The bar whose thumb is being dragged, and where in the thumb it was taken.
    int dragBar_ = 0; // 0 none, 1 vertical, 2 horizontal
    int dragGrip_ = 0;
    DrawnScrollBar::Hit pressed_ = DrawnScrollBar::Hit::None;
    bool pressedVertical_ = true;
};

} // namespace toolkit
