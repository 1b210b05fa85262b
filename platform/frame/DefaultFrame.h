// The plain frame that DefWindowProc gives a window before anything else paints one: border by
// style, caption bar with icon, title and caption buttons. Geometry, hit-testing and painting
// live together here so that they cannot drift apart.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Region.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

// Adds a help button to the caption of a window without minimise and maximise boxes.
constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;

// The bold caption font of window titles.
HFONT CaptionFont();
// Area-averages the icon to size x size with premultiplied alpha, ready for AlphaBlend; a smaller
// icon is enlarged by repeating pixels.
Bitmap ScaledIcon(const Bitmap& icon, int size);

struct FrameInfo {
    DWORD style = 0, exStyle = 0;
    RECT windowRect{};            // the window's rectangle (any origin; usually screen)
    String caption;
    HICON icon = nullptr;         // 32-bit with alpha, may be null
    bool active = false;
    LRESULT pressedButton = HTNOWHERE; // caption button shown pushed (HTCLOSE, HTMINBUTTON, HTMAXBUTTON, HTHELP)
    LRESULT hotButton = HTNOWHERE;
};

class DefaultFrame {
public:
    explicit DefaultFrame(const FrameInfo& info);

    // In the coordinates of info.windowRect.
    RECT ClientRect() const;
    // p in the coordinates of info.windowRect; answers an HT* code.
    LRESULT HitTest(POINT p) const;
    // Window-relative (0, 0 = the window's top-left); empty when the window has no such button.
    RECT ButtonRect(LRESULT hitCode) const;
    // A disabled button (maximise beside a lone minimise box, or the reverse) still hit-tests as
    // itself but does nothing when clicked.
    bool IsButtonEnabled(LRESULT hitCode) const;
    // The DC's origin lies at the window's top-left; nothing inside the client rectangle is touched.
    void Paint(HDC windowDC) const;

    // Window-relative pieces, empty when absent.
    RECT CaptionRect() const;     // the caption band, icon, title and buttons
    RECT IconRect() const;
    RECT TitleTextRect() const;
    // Window-relative: everything of the window outside the client rectangle.
    Region NonClientRegion() const;

    // Frame widths for a style: how far the client rectangle lies inside the window rectangle.
    struct Insets {
        LONG left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const Insets&, const Insets&) = default;
    };
    static Insets FrameInsets(DWORD style, DWORD exStyle);
    // The window rectangle whose client rectangle is clientRect (AdjustWindowRectEx without menu).
    static RECT WindowRectForClient(const RECT& clientRect, DWORD style, DWORD exStyle);

private:
    enum class Border { None, Thin, Fixed, Sizing };
    static Border BorderKind(DWORD style, DWORD exStyle);
    static int BorderWidth(Border border);
    static int CaptionHeight(DWORD style, DWORD exStyle);

    LONG Width() const { return info_.windowRect.Width(); }
    LONG Height() const { return info_.windowRect.Height(); }
    RECT ClientRectRelative() const;
    LRESULT BorderHitTest(POINT rel) const;
    bool IsSmallCaption() const;

    void PaintBorder(HDC dc) const;
    void PaintCaption(HDC dc) const;
    void PaintIcon(HDC dc) const;
    void PaintButton(HDC dc, LRESULT hitCode) const;

    FrameInfo info_;
    Border border_ = Border::None;
    int borderWidth_ = 0;
    int captionHeight_ = 0;
    int clientEdge_ = 0;
    RECT closeRect_{}, maxRect_{}, minRect_{}, helpRect_{};
};

} // namespace platform
