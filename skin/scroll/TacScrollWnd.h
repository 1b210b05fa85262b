// The skinned scroll bars of a windowed control (the memo, the combo box's drop-down list). The
// control keeps its own scroll state and lays its bars out in its client area; the wrapper sits in
// front of the control's window procedure, draws the bars from the skin's scroll sections over
// the control's own, hit-tests them, and turns presses, holds and thumb drags into the ordinary
// WM_HSCROLL / WM_VSCROLL requests, so the control scrolls exactly as with its own bars. While no
// skin with scroll sections is in force it stands aside and the control's own bars work as ever.
#pragma once

#include "skin/scroll/ScrollBarPainter.h"
#include "skin/scroll/ScrollGeometry.h"

#include "platform/core/Bitmap.h"
#include "toolkit/DrawnScrollBar.h"
#include "toolkit/Messages.h"

#include <functional>
#include <string>

namespace toolkit {
class TWinControl;
}

namespace skin {

class TsCommonData;
struct TsMaskData;

// The control's bar (vertical or not) as it lies now: bounds in client coordinates (empty when
// the control has no such bar), and count, page and position of its scroll state.
using ScrollBarSource = std::function<toolkit::DrawnScrollBar(bool vertical)>;

class TacScrollWnd {
public:
    static constexpr platform::UINT_PTR HoverTimerId = 0xFFF2, FirstRepeatTimerId = 0xFFFD, RepeatTimerId = 0xFFFE;
    static constexpr platform::UINT HoverInterval = 20, FirstRepeatDelay = 300, RepeatInterval = 55;

    // skinData: the skin data that says whether the control is skinned and whose colour lies
    // under the bars (the memo's own; the combo box's for its list). frameSection: the section
    // whose border mask frames the whole client area (the combo box's list, which has no skin
    // data of its own to draw one); empty for a control that draws its own frame.
    TacScrollWnd(toolkit::TWinControl& control, TsCommonData& skinData, ScrollBarSource source,
                 std::string frameSection = {});
    ~TacScrollWnd();
    TacScrollWnd(const TacScrollWnd&) = delete;
    TacScrollWnd& operator=(const TacScrollWnd&) = delete;

    // True while a skin with scroll sections is in force for the control: the wrapper draws and
    // handles the bars.
    bool Active() const;

    // What a bar is made of now: its scroll state, its length, the arrow length and its thumb.
    struct BarState {
        bool Vertical = true;
        bool Shown = false;
        bool Active = false; // it can scroll
        platform::RECT Bounds{};
        int Length = 0;
        int ArrowLength = 0;
        TacScrollInfo Info;
        TacThumb Thumb;
        bool ThumbVisible = false;
    };
    BarState Bar(bool vertical) const;

    // The widths of the skinned frame's border (left, top, right, bottom) while one is drawn;
    // zero otherwise. The control keeps its contents clear of them.
    platform::RECT FrameWidths() const;

    // The bar composed as it would be drawn now (empty when the bar is not shown or no skin).
    platform::Bitmap ComposeBar(bool vertical) const;

    // The press in progress: the bar (0 horizontal, 1 vertical, -1 none), the portion pressed and
    // the one drawn pressed (the pressed portion while the mouse is over it).
    int PressedBar() const { return currentBar_; }
    TacScrollPortion PressedPortion() const { return currentPortion_; }
    TacScrollPortion TimerPortion() const { return timerPortion_; }
    bool ThumbTracking() const { return thumbTracking_; }
    // The bar under the mouse (-1 none) and its portion there.
    int HoveredBar() const { return mouseOverBar_; }
    TacScrollPortion HoveredPortion() const { return hitPortion_; }

private:
    void WndProc(toolkit::TMessage& m);
    platform::HWND Handle() const;
    // The shown bar under a client point: 0 horizontal, 1 vertical, -1 none.
    int BarAt(platform::POINT p) const;
    TacScrollPortion PortionAt(const BarState& bar, platform::POINT p) const;
    platform::POINT CursorInClient() const;

    void Press(int barIndex, platform::POINT p);
    void MoveDuringPress(platform::POINT p);
    void DragTo(platform::POINT p);
    void RepeatTick();
    void Release();
    // Forgets the press without sending anything (the skin went away, the window goes).
    void ResetPress();
    void Hover(platform::POINT p);
    void HoverTick();
    void StopHover();

    void SendScroll(int code, int position);
    void KillTimer(platform::UINT_PTR id);

    ScrollBarLook LookOf(const BarState& bar, int barIndex) const;
    void PaintBars();
    void PaintFrame();
    const TsMaskData* FrameMask() const;
    void PaintBar(bool vertical);

    toolkit::TWinControl& control_;
    TsCommonData& skinData_;
    ScrollBarSource source_;
    std::string frameSection_;
    toolkit::TWndMethod previous_;

    // The press: bar, message, portions, and whether the wrapper took the capture for it.
    int currentBar_ = -1;
    TacScrollPortion currentPortion_ = spNone;
    TacScrollPortion timerPortion_ = spNone;
    platform::UINT scrollMsg_ = 0;
    bool tookCapture_ = false;
    // The drag: the thumb's length and start, where the mouse took it, the last position sent.
    bool thumbTracking_ = false;
    int thumbSize_ = 0;
    int thumbPos_ = 0;
    int thumbMouseOffset_ = 0;
    int lastSBPos_ = -1;
    // The hover.
    int mouseOverBar_ = -1;
    TacScrollPortion hitPortion_ = spNone;
    bool hoverTimer_ = false;
};

} // namespace skin
