#include "toolkit/DrawnScrollBar.h"

#include <algorithm>

namespace toolkit {

int DrawnScrollBar::ButtonLength() const
{
    int length = vertical ? bounds.Height() : bounds.Width();
    int thickness = vertical ? bounds.Width() : bounds.Height();
    return std::min(thickness, length / 2);
}

TRect DrawnScrollBar::LineUpRect() const
{
    int b = ButtonLength();
    return vertical ? TRect{bounds.left, bounds.top, bounds.right, bounds.top + b}
                    : TRect{bounds.left, bounds.top, bounds.left + b, bounds.bottom};
}

TRect DrawnScrollBar::LineDownRect() const
{
    int b = ButtonLength();
    return vertical ? TRect{bounds.left, bounds.bottom - b, bounds.right, bounds.bottom}
                    : TRect{bounds.right - b, bounds.top, bounds.right, bounds.bottom};
}

TRect DrawnScrollBar::TrackRect() const
{
    int b = ButtonLength();
    return vertical ? TRect{bounds.left, bounds.top + b, bounds.right, bounds.bottom - b}
                    : TRect{bounds.left + b, bounds.top, bounds.right - b, bounds.bottom};
}

int DrawnScrollBar::ThumbLength() const
{
    TRect track = TrackRect();
    int length = vertical ? track.Height() : track.Width();
    if (!Scrollable() || length <= 0)
        return 0;
    // Never so small that it cannot be grabbed.
    int thumb = int(static_cast<long long>(length) * page / count);
    return std::min(length, std::max(thumb, 10));
}

int DrawnScrollBar::ThumbOffset() const
{
    TRect track = TrackRect();
    int length = vertical ? track.Height() : track.Width();
    int free = length - ThumbLength();
    if (MaxPosition() == 0 || free <= 0)
        return 0;
    return int(static_cast<long long>(free) * std::clamp(position, 0, MaxPosition()) / MaxPosition());
}

TRect DrawnScrollBar::ThumbRect() const
{
    int thumb = ThumbLength();
    if (thumb == 0)
        return TRect{};
    TRect track = TrackRect();
    int offset = ThumbOffset();
    return vertical ? TRect{track.left, track.top + offset, track.right, track.top + offset + thumb}
                    : TRect{track.left + offset, track.top, track.left + offset + thumb, track.bottom};
}

int DrawnScrollBar::PositionForThumbOffset(int offset) const
{
    TRect track = TrackRect();
    int length = vertical ? track.Height() : track.Width();
    int free = length - ThumbLength();
    if (free <= 0)
        return 0;
    offset = std::clamp(offset, 0, free);
    // Rounded to the nearest position.
    return int((static_cast<long long>(offset) * MaxPosition() + free / 2) / free);
}

DrawnScrollBar::Hit DrawnScrollBar::HitTest(TPoint p) const
{
    if (!bounds.Contains(p))
        return Hit::None;
    if (LineUpRect().Contains(p))
        return Hit::LineUp;
    if (LineDownRect().Contains(p))
        return Hit::LineDown;
    TRect thumb = ThumbRect();
    if (thumb.IsEmpty())
        return Hit::None;
    if (thumb.Contains(p))
        return Hit::Thumb;
    bool before = vertical ? p.y < thumb.top : p.x < thumb.left;
    return before ? Hit::PageUp : Hit::PageDown;
}

void DrawnScrollBar::Paint(TCanvas& canvas, Hit pressed, bool enabled) const
{
    if (bounds.IsEmpty())
        return;
    ControlLook& look = CurrentControlLook();
    const unsigned off = (enabled && Scrollable()) ? LookState::Normal : LookState::Disabled;
    auto state = [&](Hit part) { return off | (pressed == part ? LookState::Pressed : 0u); };
    look.DrawScrollPart(canvas, TrackRect(), ScrollPart::Track, vertical, off);
    look.DrawScrollPart(canvas, LineUpRect(), ScrollPart::LineUp, vertical, state(Hit::LineUp));
    look.DrawScrollPart(canvas, LineDownRect(), ScrollPart::LineDown, vertical, state(Hit::LineDown));
    TRect thumb = ThumbRect();
    if (!thumb.IsEmpty() && off == LookState::Normal)
        look.DrawScrollPart(canvas, thumb, ScrollPart::Thumb, vertical, state(Hit::Thumb));
}

} // namespace toolkit
