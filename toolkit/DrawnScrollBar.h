// A scroll bar that a control draws inside its own client area through the control look: its
// geometry, hit-testing and painting in one place. The platform has no scroll-bar windows, so
// the memo and the combo box's list keep one of these and answer WM_VSCROLL / WM_HSCROLL with
// the standard scroll codes, which a skin may send them as well.
#pragma once

#include "toolkit/ControlLook.h"

namespace toolkit {

// The scroll codes of WM_VSCROLL and WM_HSCROLL (low word of wParam; the high word carries the
// position for the thumb codes).
namespace ScrollCode {
constexpr int LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5, Top = 6,
              Bottom = 7, EndScroll = 8;
}

class DrawnScrollBar {
public:
    enum class Hit { None, LineUp, LineDown, PageUp, PageDown, Thumb };

    bool vertical = true;
    TRect bounds{};
    // count units in all, page of them visible, the first visible one at position.
    int count = 0;
    int page = 0;
    int position = 0;

    int MaxPosition() const { return count > page ? count - page : 0; }
    bool Scrollable() const { return count > page && page > 0; }
    TRect LineUpRect() const;
    TRect LineDownRect() const;
    TRect TrackRect() const;
    TRect ThumbRect() const;
    Hit HitTest(TPoint p) const;
    // The position that puts the thumb's leading edge offset pixels into the track.
    int PositionForThumbOffset(int offset) const;
    // The thumb's leading edge, in pixels into the track.
    int ThumbOffset() const;

    void Paint(TCanvas& canvas, Hit pressed, bool enabled) const;

private:
    int ButtonLength() const;
    int ThumbLength() const;
};

} // namespace toolkit
