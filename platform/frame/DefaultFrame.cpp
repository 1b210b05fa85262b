#include "platform/frame/DefaultFrame.h"

#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/PixelAlpha.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace platform {

namespace {

constexpr int kIconSize = 16;

// Caption button glyphs, drawn pixel for pixel so that they stay crisp at any button size: each
// string is one row, '#' a pixel of the glyph colour.
using Glyph = std::array<std::string_view, 9>;
constexpr Glyph kCloseGlyph = {"##.....##", ".##...##.", "..##.##..", "...###...", "..##.##..", ".##...##.",
                               "##.....##", "", ""};
constexpr Glyph kSmallCloseGlyph = {"##...##", ".##.##.", "..###..", "..###..", ".##.##.", "##...##", "", "", ""};
constexpr Glyph kMinimizeGlyph = {"", "", "", "", "", "", "", "#######.", "#######."};
constexpr Glyph kMaximizeGlyph = {"#########", "#########", "#.......#", "#.......#", "#.......#",
                                  "#.......#", "#.......#", "#.......#", "#########"};
constexpr Glyph kRestoreGlyph = {"...######", "...######", "...#....#", "######..#", "######..#",
                                 "#....####", "#....#...", "#....#...", "######..."};
constexpr Glyph kHelpGlyph = {"..####..", ".##..##.", ".....##.", "....##..", "...##...", "...##...",
                              "........", "...##...", "...##..."};

SIZE GlyphSize(const Glyph& glyph)
{
    SIZE size{};
    for (std::size_t y = 0; y < glyph.size(); ++y) {
        if (!glyph[y].empty()) {
            size.cx = std::max<LONG>(size.cx, LONG(glyph[y].size()));
            size.cy = LONG(y) + 1;
        }
    }
    return size;
}

void DrawGlyph(HDC dc, const Glyph& glyph, int x, int y, COLORREF color)
{
    for (std::size_t row = 0; row < glyph.size(); ++row) {
        std::string_view line = glyph[row];
        std::size_t col = 0;
        while (col < line.size()) {
            if (line[col] != '#') {
                ++col;
                continue;
            }
            std::size_t end = col;
            while (end < line.size() && line[end] == '#')
                ++end;
            FillSolidRect(dc, Bounds(x + LONG(col), y + LONG(row), LONG(end - col), 1), color);
            col = end;
        }
    }
}

COLORREF Mix(COLORREF a, COLORREF b, int weightOfB256)
{
    auto channel = [&](BYTE ca, BYTE cb) { return BYTE((ca * (256 - weightOfB256) + cb * weightOfB256 + 128) >> 8); };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

// Fills the ring between outer and inner (inner lies inside outer).
void FillRing(HDC dc, const RECT& outer, const RECT& inner, COLORREF color)
{
    FillSolidRect(dc, Rect(outer.left, outer.top, outer.right, inner.top), color);
    FillSolidRect(dc, Rect(outer.left, inner.bottom, outer.right, outer.bottom), color);
    FillSolidRect(dc, Rect(outer.left, inner.top, inner.left, inner.bottom), color);
    FillSolidRect(dc, Rect(inner.right, inner.top, outer.right, inner.bottom), color);
}


} // namespace

HFONT CaptionFont()
{
    // Fonts live for the whole process, so one lookup serves every frame.
    static HFONT font = [] {
        LOGFONT lf;
        GetObjectFont(GetDefaultGuiFont(), &lf);
        lf.lfWeight = FW_BOLD;
        return CreateFontIndirect(lf);
    }();
    return font;
}

Bitmap ScaledIcon(const Bitmap& icon, int size)
{
    size = std::max(size, 1);
    Bitmap out(size, size);
    const int w = icon.Width(), h = icon.Height();
    for (int dy = 0; dy < size; ++dy) {
        int y0 = dy * h / size;
        int y1 = std::max(y0 + 1, (dy + 1) * h / size);
        for (int dx = 0; dx < size; ++dx) {
            int x0 = dx * w / size;
            int x1 = std::max(x0 + 1, (dx + 1) * w / size);
            std::uint64_t sr = 0, sg = 0, sb = 0, sa = 0;
            for (int y = y0; y < y1; ++y) {
                const PixelBGRA* line = icon.ScanLine(y);
                for (int x = x0; x < x1; ++x) {
                    PixelBGRA p = line[x];
                    unsigned a = PixelA(p);
                    sr += PremultiplyChannel(PixelR(p), a);
                    sg += PremultiplyChannel(PixelG(p), a);
                    sb += PremultiplyChannel(PixelB(p), a);
                    sa += a;
                }
            }
            std::uint64_t n = std::uint64_t(y1 - y0) * std::uint64_t(x1 - x0);
            auto avg = [n](std::uint64_t s) { return BYTE((s + n / 2) / n); };
            out.SetPixel(dx, dy, MakePixel(avg(sr), avg(sg), avg(sb), avg(sa)));
        }
    }
    return out;
}

DefaultFrame::DefaultFrame(const FrameInfo& info)
    : info_(info)
{
    border_ = BorderKind(info.style, info.exStyle);
    borderWidth_ = BorderWidth(border_);
    captionHeight_ = CaptionHeight(info.style, info.exStyle);
    clientEdge_ = (info.exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;

    if (captionHeight_ == 0 || !(info.style & WS_SYSMENU))
        return;
    const RECT band = CaptionRect();
    const LONG buttonHeight = captionHeight_ - 1 - 4;
    const LONG buttonWidth = buttonHeight + 2;
    const LONG top = band.top + 2;
    LONG right = band.right - 2;
    auto place = [&](RECT* r) {
        *r = Bounds(right - buttonWidth, top, buttonWidth, buttonHeight);
        right = r->left;
    };
    place(&closeRect_);
    right -= 2;
    if (!IsSmallCaption()) {
        if (info.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
            place(&maxRect_);
            place(&minRect_);
        } else if (info.exStyle & WS_EX_CONTEXTHELP) {
            place(&helpRect_);
        }
    }
    // A button that does not fit in the caption band is not shown at all.
    const LONG leftLimit = band.left + (IconRect().IsEmpty() ? 0 : IconRect().right);
    for (RECT* r : {&closeRect_, &maxRect_, &minRect_, &helpRect_}) {
        if (!r->IsEmpty() && (r->left < leftLimit || r->bottom > band.bottom))
            *r = RECT{};
    }
}

DefaultFrame::Border DefaultFrame::BorderKind(DWORD style, DWORD exStyle)
{
    if (style & WS_THICKFRAME)
        return Border::Sizing;
    if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        return Border::Fixed;
    if (style & WS_BORDER)
        return Border::Thin;
    return Border::None;
}

int DefaultFrame::BorderWidth(Border border)
{
    switch (border) {
    case Border::Sizing: return GetSystemMetrics(SM_CXFRAME);
    case Border::Fixed: return GetSystemMetrics(SM_CXFIXEDFRAME);
    case Border::Thin: return GetSystemMetrics(SM_CXBORDER);
    case Border::None: break;
    }
    return 0;
}

int DefaultFrame::CaptionHeight(DWORD style, DWORD exStyle)
{
    if ((style & WS_CAPTION) != WS_CAPTION)
        return 0;
    return GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
}

bool DefaultFrame::IsSmallCaption() const
{
    return (info_.exStyle & WS_EX_TOOLWINDOW) != 0;
}

DefaultFrame::Insets DefaultFrame::FrameInsets(DWORD style, DWORD exStyle)
{
    const int border = BorderWidth(BorderKind(style, exStyle));
    const int edge = (exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
    const int caption = CaptionHeight(style, exStyle);
    return Insets{border + edge, border + caption + edge, border + edge, border + edge};
}

RECT DefaultFrame::WindowRectForClient(const RECT& clientRect, DWORD style, DWORD exStyle)
{
    const Insets in = FrameInsets(style, exStyle);
    return Rect(clientRect.left - in.left, clientRect.top - in.top, clientRect.right + in.right,
                clientRect.bottom + in.bottom);
}

RECT DefaultFrame::ClientRectRelative() const
{
    const Insets in = FrameInsets(info_.style, info_.exStyle);
    RECT r = Rect(in.left, in.top, Width() - in.right, Height() - in.bottom);
    // A window smaller than its frame has an empty client rectangle, never an inverted one.
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

RECT DefaultFrame::ClientRect() const
{
    RECT r = ClientRectRelative();
    OffsetRect(&r, info_.windowRect.left, info_.windowRect.top);
    return r;
}

RECT DefaultFrame::CaptionRect() const
{
    if (captionHeight_ == 0)
        return RECT{};
    RECT band = Rect(borderWidth_, borderWidth_, Width() - borderWidth_, borderWidth_ + captionHeight_);
    RECT clipped;
    IntersectRect(&clipped, band, Rect(0, 0, Width(), Height()));
    return clipped;
}

RECT DefaultFrame::IconRect() const
{
    if (captionHeight_ == 0 || !(info_.style & WS_SYSMENU) || !info_.icon || info_.icon->IsEmpty() ||
        IsSmallCaption())
        return RECT{};
    const RECT band = CaptionRect();
    const LONG bar = captionHeight_ - 1;
    RECT r = Bounds(band.left + 3, band.top + (bar - kIconSize) / 2, kIconSize, kIconSize);
    if (r.right > band.right || r.bottom > band.bottom)
        return RECT{};
    return r;
}

RECT DefaultFrame::TitleTextRect() const
{
    if (captionHeight_ == 0)
        return RECT{};
    const RECT band = CaptionRect();
    const RECT icon = IconRect();
    LONG left = icon.IsEmpty() ? band.left + 4 : icon.right + 4;
    LONG right = band.right - 4;
    for (const RECT* r : {&closeRect_, &maxRect_, &minRect_, &helpRect_}) {
        if (!r->IsEmpty())
            right = std::min(right, r->left - 4);
    }
    if (right <= left)
        return RECT{};
    return Rect(left, band.top, right, band.top + captionHeight_ - 1);
}

Region DefaultFrame::NonClientRegion() const
{
    return Region(Rect(0, 0, Width(), Height())).Subtracted(Region(ClientRectRelative()));
}

RECT DefaultFrame::ButtonRect(LRESULT hitCode) const
{
    switch (hitCode) {
    case HTCLOSE: return closeRect_;
    case HTMAXBUTTON: return maxRect_;
    case HTMINBUTTON: return minRect_;
    case HTHELP: return helpRect_;
    default: return RECT{};
    }
}

bool DefaultFrame::IsButtonEnabled(LRESULT hitCode) const
{
    if (ButtonRect(hitCode).IsEmpty())
        return false;
    if (hitCode == HTMAXBUTTON)
        return (info_.style & WS_MAXIMIZEBOX) != 0;
    if (hitCode == HTMINBUTTON)
        return (info_.style & WS_MINIMIZEBOX) != 0;
    return true;
}

LRESULT DefaultFrame::BorderHitTest(POINT rel) const
{
    if (border_ != Border::Sizing || (info_.style & (WS_MAXIMIZE | WS_MINIMIZE)))
        return HTBORDER;
    // Corners reach along each edge as far as a caption is high, so that they are easy to grab.
    const LONG corner = GetSystemMetrics(SM_CYCAPTION) + borderWidth_;
    const bool nearLeft = rel.x < corner, nearRight = rel.x >= Width() - corner;
    const bool nearTop = rel.y < corner, nearBottom = rel.y >= Height() - corner;
    if (rel.y < borderWidth_)
        return nearLeft ? HTTOPLEFT : nearRight ? HTTOPRIGHT : HTTOP;
    if (rel.y >= Height() - borderWidth_)
        return nearLeft ? HTBOTTOMLEFT : nearRight ? HTBOTTOMRIGHT : HTBOTTOM;
    if (rel.x < borderWidth_)
        return nearTop ? HTTOPLEFT : nearBottom ? HTBOTTOMLEFT : HTLEFT;
    return nearTop ? HTTOPRIGHT : nearBottom ? HTBOTTOMRIGHT : HTRIGHT;
}

LRESULT DefaultFrame::HitTest(POINT p) const
{
    if (!info_.windowRect.Contains(p))
        return HTNOWHERE;
    const POINT rel{p.x - info_.windowRect.left, p.y - info_.windowRect.top};
    if (ClientRectRelative().Contains(rel))
        return HTCLIENT;
    const RECT inside = Rect(borderWidth_, borderWidth_, Width() - borderWidth_, Height() - borderWidth_);
    if (!inside.Contains(rel))
        return BorderHitTest(rel);
    if (CaptionRect().Contains(rel)) {
        for (LRESULT code : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP}) {
            if (ButtonRect(code).Contains(rel))
                return code;
        }
        const RECT icon = IconRect();
        if (!icon.IsEmpty() && rel.x < icon.right + 2)
            return HTSYSMENU;
        return HTCAPTION;
    }
    // The client edge, or what is left of a window smaller than its frame.
    return clientEdge_ > 0 ? HTBORDER : HTNOWHERE;
}

void DefaultFrame::Paint(HDC dc) const
{
    const int saved = SaveDC(dc);
    const RECT client = ClientRectRelative();
    if (!client.IsEmpty())
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    PaintBorder(dc);
    if (captionHeight_ > 0)
        PaintCaption(dc);
    RestoreDC(dc, saved);
}

void DefaultFrame::PaintBorder(HDC dc) const
{
    const RECT outer = Rect(0, 0, Width(), Height());
    const RECT inner = Rect(borderWidth_, borderWidth_, Width() - borderWidth_, Height() - borderWidth_);
    switch (border_) {
    case Border::Sizing:
    case Border::Fixed: {
        RECT r = outer;
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        if (!inner.IsEmpty())
            FillRing(dc, r, inner, GetSysColor(COLOR_BTNFACE));
        else
            FillSolidRect(dc, r, GetSysColor(COLOR_BTNFACE));
        break;
    }
    case Border::Thin:
        FrameRect(dc, outer, GetSysColor(COLOR_WINDOWFRAME));
        break;
    case Border::None:
        break;
    }
    if (clientEdge_ > 0) {
        const Insets in = FrameInsets(info_.style, info_.exStyle);
        RECT edge = Rect(in.left - clientEdge_, in.top - clientEdge_, Width() - in.right + clientEdge_,
                         Height() - in.bottom + clientEdge_);
        if (!edge.IsEmpty())
            DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    }
}

void DefaultFrame::PaintCaption(HDC dc) const
{
    const RECT band = CaptionRect();
    if (band.IsEmpty())
        return;
    RECT bar = band;
    bar.bottom = std::min(band.bottom, band.top + captionHeight_ - 1);

    const COLORREF from = GetSysColor(info_.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    const COLORREF to = GetSysColor(info_.active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    GradientFillRect(dc, bar, from, to, GRADIENT_FILL_RECT_H);
    if (bar.bottom < band.bottom)
        FillSolidRect(dc, Rect(band.left, bar.bottom, band.right, band.bottom), GetSysColor(COLOR_BTNFACE));

    PaintIcon(dc);

    RECT text = TitleTextRect();
    if (!text.IsEmpty() && !info_.caption.empty()) {
        SelectFont(dc, CaptionFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(info_.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawText(dc, info_.caption, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }

    for (LRESULT code : {HTHELP, HTMINBUTTON, HTMAXBUTTON, HTCLOSE}) {
        if (!ButtonRect(code).IsEmpty())
            PaintButton(dc, code);
    }
}

void DefaultFrame::PaintIcon(HDC dc) const
{
    const RECT r = IconRect();
    if (r.IsEmpty())
        return;
    Bitmap small = ScaledIcon(*info_.icon, kIconSize);
    HDC src = CreateBitmapDC(&small);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, r.left, r.top, kIconSize, kIconSize, src, 0, 0, kIconSize, kIconSize, blend);
    DeleteDC(src);
}

void DefaultFrame::PaintButton(HDC dc, LRESULT hitCode) const
{
    const RECT r = ButtonRect(hitCode);
    const bool enabled = IsButtonEnabled(hitCode);
    const bool pressed = enabled && info_.pressedButton == hitCode;
    const bool hot = enabled && !pressed && info_.hotButton == hitCode;

    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    FillSolidRect(dc, r, hot ? Mix(face, GetSysColor(COLOR_GRADIENTACTIVECAPTION), 128) : face);
    RECT edge = r;
    DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    const Glyph* glyph = IsSmallCaption() ? &kSmallCloseGlyph : &kCloseGlyph;
    switch (hitCode) {
    case HTMINBUTTON: glyph = &kMinimizeGlyph; break;
    case HTMAXBUTTON: glyph = (info_.style & WS_MAXIMIZE) ? &kRestoreGlyph : &kMaximizeGlyph; break;
    case HTHELP: glyph = &kHelpGlyph; break;
    default: break;
    }
    // Every glyph is placed by the common 9 x 9 box, so minimise sits low and the others centre.
    const SIZE size = GlyphSize(*glyph);
    const LONG box = 9;
    LONG x = r.left + (r.Width() - (hitCode == HTMINBUTTON ? box : size.cx)) / 2;
    LONG y = r.top + (r.Height() - (hitCode == HTCLOSE ? size.cy : box)) / 2;
    if (pressed) {
        ++x;
        ++y;
    }
    if (enabled) {
        DrawGlyph(dc, *glyph, x, y, GetSysColor(COLOR_BTNTEXT));
    } else {
        DrawGlyph(dc, *glyph, x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawGlyph(dc, *glyph, x, y, GetSysColor(COLOR_BTNSHADOW));
    }
}

} // namespace platform
