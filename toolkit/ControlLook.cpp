#include "toolkit/ControlLook.h"

#include "platform/graphics/Gdi.h"
#include "platform/window/Paint.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

namespace {

std::unique_ptr<ControlLook>& LookSlot()
{
    static std::unique_ptr<ControlLook> look;
    return look;
}

void Fill(TCanvas& canvas, const TRect& r, COLORREF color)
{
    if (canvas.Handle() && !r.IsEmpty())
        FillSolidRect(canvas.Handle(), r, color);
}

void VerticalGradient(TCanvas& canvas, const TRect& r, COLORREF top, COLORREF bottom)
{
    if (!canvas.Handle() || r.IsEmpty())
        return;
    GradientFillRect(canvas.Handle(), r, top, bottom, GRADIENT_FILL_RECT_V);
}

// A one-pixel frame whose corner pixels are left out, which reads as slightly rounded.
void SoftFrame(TCanvas& canvas, const TRect& r, COLORREF color)
{
    if (r.Width() < 3 || r.Height() < 3) {
        if (canvas.Handle())
            FrameRect(canvas.Handle(), r, color);
        return;
    }
    Fill(canvas, TRect{r.left + 1, r.top, r.right - 1, r.top + 1}, color);
    Fill(canvas, TRect{r.left + 1, r.bottom - 1, r.right - 1, r.bottom}, color);
    Fill(canvas, TRect{r.left, r.top + 1, r.left + 1, r.bottom - 1}, color);
    Fill(canvas, TRect{r.right - 1, r.top + 1, r.right, r.bottom - 1}, color);
}

struct Face {
    COLORREF border, top, bottom;
};

Face ButtonFace(unsigned state)
{
    using namespace LookState;
    if (state & Disabled)
        return {RGB(191, 191, 191), RGB(244, 244, 244), RGB(244, 244, 244)};
    if (state & (Pressed | Checked))
        return {RGB(86, 157, 229), RGB(204, 228, 247), RGB(190, 220, 244)};
    if (state & Hot)
        return {RGB(126, 180, 234), RGB(236, 246, 253), RGB(220, 238, 252)};
    if (state & (Default | Focused))
        return {RGB(51, 122, 204), RGB(246, 246, 246), RGB(229, 229, 229)};
    return {RGB(172, 172, 172), RGB(246, 246, 246), RGB(229, 229, 229)};
}

} // namespace

ControlLook& CurrentControlLook()
{
    auto& slot = LookSlot();
    if (!slot)
        slot = std::make_unique<ControlLook>();
    return *slot;
}

void SetControlLook(std::unique_ptr<ControlLook> look)
{
    LookSlot() = std::move(look);
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void ControlLook::DrawButton(TCanvas& canvas, const TRect& r, unsigned state)
{
    Face face = ButtonFace(state);
    TRect inner{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    VerticalGradient(canvas, inner, face.top, face.bottom);
    SoftFrame(canvas, r, face.border);
    if ((state & LookState::Default) && !(state & (LookState::Disabled | LookState::Pressed)) && !inner.IsEmpty())
        SoftFrame(canvas, inner, RGB(160, 196, 236));
}

void ControlLook::DrawToolButton(TCanvas& canvas, const TRect& r, unsigned state)
{
    using namespace LookState;
    if ((state & Flat) && !(state & (Hot | Pressed | Checked)))
        return;
    if (state & Flat) {
        Face face = ButtonFace(state & ~(Default | Focused));
        Fill(canvas, TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, face.bottom);
        SoftFrame(canvas, r, face.border);
        return;
    }
    DrawButton(canvas, r, state & ~Default);
}

void ControlLook::DrawFocusRect(TCanvas& canvas, const TRect& r)
{
    TColor saved = canvas.Font()->Color();
    canvas.Font()->SetColor(TColor(RGB(80, 80, 80)));
    canvas.DrawFocusRect(r);
    canvas.Font()->SetColor(saved);
}

void ControlLook::DrawBevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width)
{
    if (cut == bvNone || width <= 0)
        return;
    COLORREF topLeft = GetSysColor(COLOR_BTNHIGHLIGHT), bottomRight = GetSysColor(COLOR_BTNSHADOW);
    if (cut == bvLowered)
        std::swap(topLeft, bottomRight);
    if (cut == bvSpace)
        topLeft = bottomRight = GetSysColor(COLOR_BTNFACE);
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        Fill(canvas, TRect{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
        Fill(canvas, TRect{r.left, r.top + 1, r.left + 1, r.bottom - 1}, topLeft);
        Fill(canvas, TRect{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
        Fill(canvas, TRect{r.left, r.bottom - 1, r.right - 1, r.bottom}, bottomRight);
        InflateRect(&r, -1, -1);
    }
}

void ControlLook::DrawTextField(TCanvas& canvas, TRect& r, TColor background, unsigned state)
{
    using namespace LookState;
    COLORREF border = RGB(122, 122, 122);
    if (state & Disabled)
        border = RGB(204, 204, 204);
    else if (state & Focused)
        border = RGB(0, 120, 215);
    else if (state & Hot)
        border = RGB(23, 23, 23);
    COLORREF fill = (state & Disabled) ? GetSysColor(COLOR_BTNFACE) : ColorToRGB(background);
    Fill(canvas, r, fill);
    if (canvas.Handle())
        FrameRect(canvas.Handle(), r, border);
    InflateRect(&r, -1, -1);
}

void ControlLook::DrawCheckBox(TCanvas& canvas, const TRect& box, TCheckBoxState check, unsigned state)
{
    using namespace LookState;
    COLORREF border = RGB(51, 51, 51), fill = RGB(255, 255, 255), mark = RGB(51, 51, 51);
    if (state & Disabled) {
        border = RGB(188, 188, 188);
        fill = RGB(244, 244, 244);
        mark = RGB(188, 188, 188);
    } else if (state & Pressed) {
        border = RGB(0, 84, 153);
        fill = RGB(204, 228, 247);
    } else if (state & Hot) {
        border = RGB(0, 120, 215);
        fill = RGB(229, 241, 251);
    }
    Fill(canvas, box, fill);
    if (canvas.Handle())
        FrameRect(canvas.Handle(), box, border);
    if (check == cbGrayed) {
        Fill(canvas, TRect{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, mark);
    } else if (check == cbChecked) {
        // A tick two pixels thick: down from the left to the low point, then up to the right.
        int x0 = box.left + 3, y0 = box.top + 6;
        for (int i = 0; i < 3; ++i)
            Fill(canvas, TRect{x0 + i, y0 + i, x0 + i + 1, y0 + i + 2}, mark);
        int xm = x0 + 3, ym = y0 + 2;
        for (int i = 0; i < 5; ++i)
            Fill(canvas, TRect{xm + i, ym - i - 1, xm + i + 1, ym - i + 1}, mark);
    }
}

void ControlLook::DrawComboButton(TCanvas& canvas, const TRect& r, unsigned state)
{
    using namespace LookState;
    if (state & (Pressed | Checked))
        Fill(canvas, r, RGB(204, 228, 247));
    else if (state & Hot)
        Fill(canvas, r, RGB(229, 241, 251));
    if (state & (Hot | Pressed | Checked))
        Fill(canvas, TRect{r.left, r.top, r.left + 1, r.bottom}, RGB(126, 180, 234));
    DrawArrow(canvas, r, ArrowDirection::Down,
              (state & Disabled) ? TColor(RGB(160, 160, 160)) : TColor(RGB(64, 64, 64)));
}

void ControlLook::DrawGroupFrame(TCanvas& canvas, const TRect& r, unsigned)
{
    SoftFrame(canvas, r, RGB(213, 213, 213));
}

void ControlLook::DrawTab(TCanvas& canvas, const TRect& r, unsigned state)
{
    using namespace LookState;
    COLORREF border = RGB(172, 172, 172);
    TRect face{r.left + 1, r.top + 1, r.right - 1, r.bottom};
    if (state & Checked) {
        Fill(canvas, face, GetSysColor(COLOR_BTNFACE));
    } else if (state & Hot) {
        VerticalGradient(canvas, face, RGB(236, 246, 253), RGB(220, 238, 252));
        border = RGB(126, 180, 234);
    } else {
        VerticalGradient(canvas, face, RGB(246, 246, 246), RGB(229, 229, 229));
    }
    Fill(canvas, TRect{r.left + 1, r.top, r.right - 1, r.top + 1}, border);
    Fill(canvas, TRect{r.left, r.top + 1, r.left + 1, r.bottom}, border);
    Fill(canvas, TRect{r.right - 1, r.top + 1, r.right, r.bottom}, border);
}

void ControlLook::DrawPageFrame(TCanvas& canvas, const TRect& r)
{
    Fill(canvas, TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, GetSysColor(COLOR_BTNFACE));
    if (canvas.Handle())
        FrameRect(canvas.Handle(), r, RGB(172, 172, 172));
}

void ControlLook::DrawScrollPart(TCanvas& canvas, const TRect& r, ScrollPart part, bool vertical, unsigned state)
{
    using namespace LookState;
    switch (part) {
    case ScrollPart::Track:
        Fill(canvas, r, RGB(240, 240, 240));
        break;
    case ScrollPart::Thumb: {
        Fill(canvas, r, RGB(240, 240, 240));
        TRect thumb = r;
        if (vertical)
            InflateRect(&thumb, -2, 0);
        else
            InflateRect(&thumb, 0, -2);
        COLORREF c = (state & Pressed) ? RGB(96, 96, 96) : (state & Hot) ? RGB(166, 166, 166) : RGB(205, 205, 205);
        Fill(canvas, thumb, c);
        break;
    }
    case ScrollPart::LineUp:
    case ScrollPart::LineDown: {
        COLORREF back = (state & Pressed) ? RGB(96, 96, 96) : (state & Hot) ? RGB(218, 218, 218) : RGB(240, 240, 240);
        Fill(canvas, r, back);
        ArrowDirection d = part == ScrollPart::LineUp ? (vertical ? ArrowDirection::Up : ArrowDirection::Left)
                                                      : (vertical ? ArrowDirection::Down : ArrowDirection::Right);
        TColor arrow = (state & Disabled) ? TColor(RGB(191, 191, 191))
                       : (state & Pressed) ? TColor(RGB(255, 255, 255))
                                           : TColor(RGB(96, 96, 96));
        DrawArrow(canvas, r, d, arrow);
        break;
    }
    }
}

void ControlLook::DrawListItem(TCanvas& canvas, const TRect& r, StringView text, unsigned state)
{
    using namespace LookState;
    bool selected = state & Checked;
    Fill(canvas, r, selected ? ColorToRGB(SelectionColor(true)) : GetSysColor(COLOR_WINDOW));
    TRect textRect{r.left + 2, r.top, r.right - 2, r.bottom};
    DrawText(canvas, textRect, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS,
             selected ? SelectionTextColor(true) : TColor(GetSysColor(COLOR_WINDOWTEXT)), state & Disabled);
}

void ControlLook::DrawPopupFrame(TCanvas& canvas, TRect& r)
{
    if (canvas.Handle())
        FrameRect(canvas.Handle(), r, RGB(100, 100, 100));
    InflateRect(&r, -1, -1);
}

void ControlLook::DrawHint(TCanvas& canvas, const TRect& r, StringView text)
{
    Fill(canvas, r, GetSysColor(COLOR_INFOBK));
    if (canvas.Handle())
        FrameRect(canvas.Handle(), r, RGB(118, 118, 118));
    TRect textRect{r.left + 4, r.top + 2, r.right - 3, r.bottom - 1};
    DrawText(canvas, textRect, text, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK, TColor(GetSysColor(COLOR_INFOTEXT)), 0);
}

void ControlLook::DrawMenuCheck(TCanvas& canvas, const TRect& item, TColor color)
{
    // A small tick in the margin.
    const TRect box{item.left + 6, item.top + (item.Height() - 9) / 2, item.left + 15,
                    item.top + (item.Height() - 9) / 2 + 9};
    const COLORREF mark = COLORREF(color);
    for (int i = 0; i < 3; ++i)
        Fill(canvas, TRect{box.left + i, box.top + 4 + i, box.left + i + 1, box.top + 6 + i}, mark);
    for (int i = 0; i < 5; ++i)
        Fill(canvas, TRect{box.left + 3 + i, box.top + 5 - i, box.left + 4 + i, box.top + 7 - i}, mark);
}

void ControlLook::DrawMenuItem(TCanvas& canvas, const TRect& r, StringView text, unsigned state)
{
    using namespace LookState;
    const bool hot = (state & Hot) && !(state & Disabled);
    Fill(canvas, r, hot ? RGB(204, 232, 255) : GetSysColor(COLOR_MENU));
    if (hot && canvas.Handle())
        FrameRect(canvas.Handle(), r, RGB(153, 209, 255));
    if (state & Checked)
        DrawMenuCheck(canvas, r, TColor(RGB(51, 51, 51)));
    TRect textRect{r.left + 24, r.top, r.right - 8, r.bottom};
    DrawText(canvas, textRect, text, DT_SINGLELINE | DT_VCENTER | DT_LEFT, TColor(GetSysColor(COLOR_MENUTEXT)),
             state & Disabled);
}

void ControlLook::DrawMenuSeparator(TCanvas& canvas, const TRect& r)
{
    Fill(canvas, r, GetSysColor(COLOR_MENU));
    int y = r.top + r.Height() / 2;
    Fill(canvas, TRect{r.left + 24, y, r.right - 2, y + 1}, RGB(215, 215, 215));
}

void ControlLook::DrawArrow(TCanvas& canvas, const TRect& r, ArrowDirection direction, TColor color)
{
    // A solid triangle 7 pixels across and 4 deep, centred in r.
    COLORREF c = ColorToRGB(color);
    int cx = r.left + (r.Width() - 1) / 2, cy = r.top + (r.Height() - 1) / 2;
    for (int i = 0; i < 4; ++i) {
        switch (direction) {
        case ArrowDirection::Down:
            Fill(canvas, TRect{cx - 3 + i, cy - 1 + i, cx + 4 - i, cy + i}, c);
            break;
        case ArrowDirection::Up:
            Fill(canvas, TRect{cx - 3 + i, cy + 2 - i, cx + 4 - i, cy + 3 - i}, c);
            break;
        case ArrowDirection::Right:
            Fill(canvas, TRect{cx - 1 + i, cy - 3 + i, cx + i, cy + 4 - i}, c);
            break;
        case ArrowDirection::Left:
            Fill(canvas, TRect{cx + 2 - i, cy - 3 + i, cx + 3 - i, cy + 4 - i}, c);
            break;
        }
    }
}

void ControlLook::DrawText(TCanvas& canvas, TRect r, StringView text, UINT format, TColor color, unsigned state)
{
    TColor saved = canvas.Font()->Color();
    TBrushStyle savedBrush = canvas.Brush()->Style;
    canvas.Brush()->Style = bsClear;
    canvas.Font()->SetColor((state & LookState::Disabled) ? DisabledTextColor() : color);
    canvas.DrawText(text, r, format);
    canvas.Font()->SetColor(saved);
    canvas.Brush()->Style = savedBrush;
}

TColor ControlLook::SelectionColor(bool focused) const
{
    return focused ? TColor(GetSysColor(COLOR_HIGHLIGHT)) : TColor(RGB(204, 204, 204));
}

TColor ControlLook::SelectionTextColor(bool focused) const
{
    return focused ? TColor(GetSysColor(COLOR_HIGHLIGHTTEXT)) : TColor(GetSysColor(COLOR_WINDOWTEXT));
}

TColor ControlLook::DisabledTextColor() const
{
    return TColor(RGB(160, 160, 160));
}

} // namespace toolkit
