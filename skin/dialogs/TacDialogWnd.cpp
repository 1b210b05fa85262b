#include "skin/dialogs/TacDialogWnd.h"

#include "skin/controls/TacBGInfo.h"
#include "skin/dialogs/TacButtonWnd.h"
#include "skin/dialogs/TacStaticWnd.h"
#include "skin/forms/FramePainter.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinRect.h"

#include "platform/core/AsciiCase.h"
#include "platform/frame/DefaultFrame.h"
#include "platform/frame/StaticControl.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/graphics/Gdi.h"
#include "platform/graphics/Region.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"

using namespace platform;

namespace skin {

namespace {

bool IsTitleButton(LRESULT code)
{
    return code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON || code == HTHELP;
}

// Push buttons: the style's low nibble is a push or default push button.
bool IsPushButtonStyle(DWORD style) { return (style & 0x0F) <= 0x01; }

} // namespace

TacDialogWnd::TacDialogWnd(TsSkinManager& manager, HWND hwnd) : TacSubclassedWnd(hwnd), manager_(manager)
{
    UpdateIndexes();
}

TacDialogWnd::~TacDialogWnd()
{
    if (!Alive())
        return;
    // The platform's own frame and shape come back.
    SetWindowRgn(Handle(), nullptr, true);
    const HWND hwnd = Handle();
    // Unhooked first (by the base), then redrawn: done here while the handle is known.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

TacBorderStyle TacDialogWnd::BorderStyleOf(DWORD style, DWORD exStyle)
{
    if ((style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION)
        return TacBorderStyle::acbsNone;
    if (style & WS_THICKFRAME)
        return TacBorderStyle::acbsSizeable;
    if (exStyle & WS_EX_DLGMODALFRAME)
        return TacBorderStyle::acbsDialog;
    return TacBorderStyle::acbsSizeable;
}

TacBorderStyle TacDialogWnd::BorderStyle() const
{
    return BorderStyleOf(DWORD(GetWindowLong(Handle(), GWL_STYLE)), DWORD(GetWindowLong(Handle(), GWL_EXSTYLE)));
}

void TacDialogWnd::UpdateIndexes()
{
    formIndex_ = titleIndex_ = captionIndex_ = -1;
    if (const TsSkinModel* model = manager_.Model()) {
        formIndex_ = model->GetSkinIndex("DIALOG");
        if (formIndex_ < 0)
            formIndex_ = model->GetSkinIndex("FORM");
        titleIndex_ = model->GetSkinIndex("DIALOGTITLE");
        if (titleIndex_ < 0)
            titleIndex_ = model->GetSkinIndex("FORMTITLE");
        captionIndex_ = model->ConstData.Sections[std::size_t(TacSection::ssCaption)];
    }
    changed_ = rgnChanged_ = true;
    layout_.reset();
    hotHT_ = pressedHT_ = 0;
}

bool TacDialogWnd::Skinned() const
{
    return Alive() && manager_.Active() && manager_.Model() && formIndex_ >= 0 && !manager_.SkinRemoving();
}

int TacDialogWnd::FontColor() const
{
    if (!Skinned())
        return -1;
    const TsGeneralData& section = manager_.Model()->gd[std::size_t(formIndex_)];
    return section.Props[0].FontColor.Color;
}

TitleLayoutInput TacDialogWnd::LayoutInput() const
{
    TitleLayoutInput in;
    const HWND hwnd = Handle();
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLong(hwnd, GWL_EXSTYLE));
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    in.CaptionWidth = int(wr.Width());
    in.WindowHeight = int(wr.Height());
    in.BorderWidth = int(DefaultFrame::FrameInsets(style, exStyle).left);
    const TacBorderStyle border = BorderStyleOf(style, exStyle);
    in.CaptionHeight = border != TacBorderStyle::acbsNone && (style & WS_CAPTION) == WS_CAPTION
                           ? GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION)
                           : 0;
    in.BigButtons = border == TacBorderStyle::acbsSizeable;
    in.Sizeable = (style & WS_THICKFRAME) != 0;
    in.Maximized = IsZoomed(hwnd);
    in.Minimized = IsIconic(hwnd);
    in.SystemMenu = (style & WS_SYSMENU) != 0;
    in.MaxVisible = (style & WS_MAXIMIZEBOX) != 0;
    in.MinVisible = (style & WS_MINIMIZEBOX) != 0;
    in.MaxAllowed = in.MaxVisible;
    in.MinAllowed = in.MinVisible;
    in.HasCaptionSection = captionIndex_ >= 0;
    in.TakeSkinMargins(manager_.Model());
    return in;
}

const TitleLayout& TacDialogWnd::Layout()
{
    TitleLayout fresh(LayoutInput(), manager_.Model());
    if (layout_)
        for (std::size_t i = 0; i < TitleButtonCount; ++i)
            fresh.Buttons()[i].cpState = layout_->Buttons()[i].cpState;
    layout_ = fresh;
    return *layout_;
}

LRESULT TacDialogWnd::HitTest(POINT screen)
{
    RECT wr{};
    GetWindowRect(Handle(), &wr);
    return Layout().HitTest(POINT{screen.x - wr.left, screen.y - wr.top});
}

bool TacDialogWnd::EnsureCache()
{
    if (!Skinned())
        return false;
    RECT wr{};
    GetWindowRect(Handle(), &wr);
    if (!changed_ && cache_.Width() == int(wr.Width()) && cache_.Height() == int(wr.Height()) && !cache_.IsEmpty())
        return true;
    cache_.SetSize(int(wr.Width()), int(wr.Height()));
    FramePaintArgs a;
    a.Model = manager_.Model();
    a.FormIndex = formIndex_;
    Layout();
    a.TitleIndex = titleIndex_;
    a.CaptionIndex = captionIndex_;
    a.Layout = &*layout_;
    a.Active = active_;
    a.Enabled = IsWindowEnabled(Handle());
    a.Caption = GetWindowText(Handle());
    PaintFrame(cache_, a, &tempBmp_);
    changed_ = false;
    if (rgnChanged_)
        UpdateRgn();
    return true;
}

const Bitmap* TacDialogWnd::Picture()
{
    return EnsureCache() ? &cache_ : nullptr;
}

void TacDialogWnd::UpdateRgn()
{
    rgnChanged_ = false;
    rects_.clear();
    const TsSkinModel* model = manager_.Model();
    RECT wr{};
    GetWindowRect(Handle(), &wr);
    const RECT window = Rect(0, 0, wr.Width(), wr.Height());
    if (Skinned() && !IsZoomed(Handle())) {
        const int border = model->gd[std::size_t(formIndex_)].BorderIndex;
        if (model->IsValidImgIndex(border)) {
            const auto runs = TransparentCornerRuns(model->ma[std::size_t(border)], *model, window, 0, false);
            rects_.insert(rects_.end(), runs.begin(), runs.end());
        }
        const int titleMask = model->GetMaskIndex(titleIndex_, "BORDERSMASK");
        if (model->IsValidImgIndex(titleMask) && LayoutInput().CaptionHeight > 0) {
            const auto runs =
                TransparentCornerRuns(model->ma[std::size_t(titleMask)], *model, Layout().TitleRect(), 0, true);
            rects_.insert(rects_.end(), runs.begin(), runs.end());
        }
    }
    HRGN rgn = nullptr;
    if (!rects_.empty()) {
        rgn = CreateRectRgn(0, 0, 0, 0);
        *rgn = Region(window).Subtracted(Region::FromRects(rects_));
    }
    SetWindowRgn(Handle(), rgn, true);
}

void TacDialogWnd::Repaint()
{
    changed_ = true;
    if (Alive())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool TacDialogWnd::WrapChildren(std::vector<std::unique_ptr<TacSubclassedWnd>>& children)
{
    bool allWrapped = true;
    for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TacSubclassedWnd::Of(child))
            continue;
        const String cls = LowerAscii(GetClassName(child));
        const DWORD style = DWORD(GetWindowLong(child, GWL_STYLE));
        std::unique_ptr<TacSubclassedWnd> wrapper;
        if (cls == u"button" && IsPushButtonStyle(style))
            wrapper = std::make_unique<TacButtonWnd>(manager_, child);
        else if (cls == LowerAscii(kStaticClass) && TacStaticWnd::Wrappable(style))
            wrapper = std::make_unique<TacStaticWnd>(child, [this] { return FontColor(); });
        if (!wrapper)
            continue; // kinds this program never puts in a dialog keep their own look
        if (!wrapper->Alive())
            allWrapped = false;
        else
            children.push_back(std::move(wrapper));
    }
    return allWrapped;
}

void TacDialogWnd::PaintNonClient(HDC dc)
{
    if (!EnsureCache())
        return;
    const RECT client = Layout().ClientRect();
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    HDC src = CreateBitmapDC(&cache_);
    BitBlt(dc, 0, 0, cache_.Width(), cache_.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    RestoreDC(dc, saved);
}

void TacDialogWnd::SetButtonState(LRESULT code, int state)
{
    if (!layout_)
        Layout();
    TsCaptionButton* b = layout_->ButtonOf(code);
    if (!b || b->cpState == state)
        return;
    b->cpState = state;
    if (changed_ || cache_.IsEmpty()) {
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
    }
    FramePaintArgs a;
    a.Model = manager_.Model();
    a.FormIndex = formIndex_;
    a.TitleIndex = titleIndex_;
    a.Layout = &*layout_;
    a.Active = active_;
    a.Enabled = IsWindowEnabled(Handle());
    PaintTitleButton(cache_, tempBmp_, a, *b);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TacDialogWnd::TitleMouseMove(LRESULT code)
{
    if (code == hotHT_)
        return;
    if (hotHT_ != pressedHT_ || !pressedHT_)
        SetButtonState(hotHT_, 0);
    hotHT_ = code;
    if (!pressedHT_)
        SetButtonState(code, 1);
}

void TacDialogWnd::TitleButtonUp(POINT screen)
{
    const LRESULT pressed = pressedHT_;
    pressedHT_ = 0;
    if (GetCapture() == Handle())
        ReleaseCapture();
    const LRESULT here = HitTest(screen);
    SetButtonState(pressed, here == pressed ? 1 : 0);
    hotHT_ = here == pressed ? pressed : 0;
    if (here != pressed)
        return; // released elsewhere: nothing happens
    const LPARAM where = MAKELPARAM(screen.x, screen.y);
    switch (pressed) {
    case HTCLOSE:
        SetButtonState(pressed, 0);
        SendMessage(Handle(), WM_SYSCOMMAND, SC_CLOSE, where);
        break;
    case HTMINBUTTON: SendMessage(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, where); break;
    case HTMAXBUTTON: SendMessage(Handle(), WM_SYSCOMMAND, IsZoomed(Handle()) ? SC_RESTORE : SC_MAXIMIZE, where); break;
    case HTHELP: SendMessage(Handle(), WM_SYSCOMMAND, SC_CONTEXTHELP, where); break;
    default: break;
    }
}

void TacDialogWnd::DropSystemMenu(POINT at)
{
    const DWORD style = DWORD(GetWindowLong(Handle(), GWL_STYLE));
    if (!(style & WS_SYSMENU))
        return;
    if (!systemMenu_)
        systemMenu_ = std::make_unique<TsSystemMenu>(nullptr);
    SystemMenuState state;
    state.Minimized = IsIconic(Handle());
    state.Maximized = IsZoomed(Handle());
    state.Sizeable = (style & WS_THICKFRAME) != 0;
    state.CanMinimize = (style & WS_MINIMIZEBOX) != 0;
    state.CanMaximize = (style & WS_MAXIMIZEBOX) != 0;
    // A dialog that can neither be sized nor minimised nor maximised offers only Move and Close.
    const bool resizable = state.Sizeable || state.CanMinimize || state.CanMaximize;
    for (toolkit::TMenuItem* item : {systemMenu_->ItemRestore, systemMenu_->ItemSize, systemMenu_->ItemMinimize,
                                     systemMenu_->ItemMaximize})
        item->SetVisible(resizable);
    systemMenu_->ShowFor(Handle(), state, at);
}

LRESULT TacDialogWnd::SkinCommand(WPARAM wParam, LPARAM lParam)
{
    switch (AcCommandOf(wParam)) {
    case AC_GETBG: {
        auto* info = reinterpret_cast<TacBGInfo*>(lParam);
        if (!info || !EnsureCache())
            break;
        const RECT client = Layout().ClientRect();
        info->BgType = btCache;
        info->Bmp = &cache_;
        info->Offset = POINT{info->R.left + client.left, info->R.top + client.top};
        return 1;
    }
    case AC_GETCONTROLCOLOR:
        if (Skinned())
            return SectionColor(*manager_.Model(), formIndex_, 0, manager_.Model()->GetGlobalColor());
        break;
    case AC_SETNEWSKIN:
    case AC_REFRESH:
    case AC_REMOVESKIN:
        if (reinterpret_cast<TsSkinManager*>(lParam) == &manager_) {
            UpdateIndexes();
            if (!Skinned())
                UpdateRgn();
            Repaint();
        }
        return 0;
    default: break;
    }
    return CallOld(SM_VELTACMD, wParam, lParam);
}

LRESULT TacDialogWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == SM_VELTACMD)
        return SkinCommand(wParam, lParam);
    if (!Skinned())
        return CallOld(msg, wParam, lParam);
    const HWND hwnd = Handle();
    switch (msg) {
    case WM_NCHITTEST:
        if (LayoutInput().CaptionHeight > 0)
            return HitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_NCPAINT: {
        if (HDC dc = GetWindowDC(hwnd)) {
            PaintNonClient(dc);
            ReleaseDC(hwnd, dc);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        if (wParam && EnsureCache()) {
            const RECT client = Layout().ClientRect();
            HDC src = CreateBitmapDC(&cache_);
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.Width(), client.Height(), src, client.left, client.top,
                   SRCCOPY);
            DeleteDC(src);
            return 1;
        }
        break;
    case WM_PRINT:
        if ((lParam & PRF_NONCLIENT) && wParam) {
            PaintNonClient(reinterpret_cast<HDC>(wParam));
            lParam &= ~LPARAM(PRF_NONCLIENT);
        }
        break;
    case WM_NCACTIVATE: {
        if (active_ != (wParam != 0)) {
            active_ = wParam != 0;
            changed_ = true;
        }
        const LRESULT result = CallOld(msg, wParam, lParam);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return result;
    }
    case WM_SETTEXT:
    case WM_ENABLE: {
        const LRESULT result = CallOld(msg, wParam, lParam);
        changed_ = true;
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return result;
    }
    case WM_SIZE: changed_ = rgnChanged_ = true; break;
    case WM_SHOWWINDOW:
        if (wParam)
            EnsureCache(); // the shape is in place before the window first appears
        break;
    case WM_NCMOUSEMOVE:
        if (IsTitleButton(LRESULT(wParam))) {
            TitleMouseMove(LRESULT(wParam));
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
            tme.hwndTrack = hwnd;
            TrackMouseEvent(&tme);
            return 0;
        }
        TitleMouseMove(0);
        break;
    case WM_NCMOUSELEAVE:
        if (!pressedHT_)
            TitleMouseMove(0);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (IsTitleButton(LRESULT(wParam))) {
            pressedHT_ = LRESULT(wParam);
            SetButtonState(pressedHT_, 2);
            SetCapture(hwnd);
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        if (pressedHT_)
            return 0;
        break;
    case WM_CONTEXTMENU: {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const LRESULT hit = LayoutInput().CaptionHeight > 0 ? HitTest(at) : HTNOWHERE;
        if (hit == HTCAPTION || hit == HTSYSMENU) {
            DropSystemMenu(at);
            return 0;
        }
        break;
    }
    case WM_LBUTTONUP:
        if (pressedHT_) {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(hwnd, &screen);
            TitleButtonUp(screen);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (pressedHT_ && reinterpret_cast<HWND>(lParam) != hwnd) {
            SetButtonState(pressedHT_, 0);
            pressedHT_ = hotHT_ = 0;
        }
        break;
    default: break;
    }
    return CallOld(msg, wParam, lParam);
}

} // namespace skin
