// The drop-down list of a combo box: a top-level popup window that never takes the activation or
// the focus (the combo box keeps the keyboard). While it is shown it holds the mouse capture, so
// that a click anywhere else closes it. It shows DropDownCount items at a time, with a scroll bar
// when there are more, and answers WM_VSCROLL with the standard scroll codes and the wheel.
#pragma once

#include "toolkit/DrawnScrollBar.h"
#include "toolkit/TCustomControl.h"

namespace toolkit {

class TCustomComboBox;

class TComboDropList : public TCustomControl {
public:
    explicit TComboDropList(TCustomComboBox* combo);

    // The highlighted item (-1 none); setting it scrolls it into view.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    // Items shown at a time.
    int VisibleCount() const;
    // The item at a client point; -1 outside the items.
    int ItemAtPos(TPoint p);
    // An item's rectangle in client coordinates.
    TRect ItemRect(int index);
    TRect ItemsRect();
    DrawnScrollBar ScrollBar();
    bool IsShowing();
    // Sizes the window for the combo box's items and shows it below the combo box (above when
    // the screen has no room below), taking the mouse capture.
    void Popup();
    void Hide();

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void EraseBackground(platform::HDC dc) override;
    void Paint() override;

private:
    int Count() const;
    void Mouse(TMessage& message);

    TCustomComboBox* combo_;
    int itemIndex_ = -1;
    int topIndex_ = 0;
    bool itemPressed_ = false;
    bool thumbDragging_ = false;
    int thumbGrip_ = 0;
    DrawnScrollBar::Hit pressed_ = DrawnScrollBar::Hit::None;
};

} // namespace toolkit
