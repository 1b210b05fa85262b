#include "skin/scroll/TacScrollWnd.h"

#include "skin/controls/ParentBackground.h"
#include "skin/controls/TsCommonData.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/SkinRect.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Cursor.h"
#include "platform/window/Paint.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "toolkit/TWinControl.h"

#include <algorithm>

namespace skin {

using namespace platform;

namespace {

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

} // namespace

TacScrollWnd::TacScrollWnd(toolkit::TWinControl& control, TsCommonData& skinData, ScrollBarSource source,
                           std::string frameSection)
    : control_(control), skinData_(skinData), source_(std::move(source)), frameSection_(std::move(frameSection)),
      previous_(control.WindowProc)
{
    control_.WindowProc = [this](toolkit::TMessage& m) { WndProc(m); };
}

TacScrollWnd::~TacScrollWnd()
{
    if (Handle()) {
        KillTimer(HoverTimerId);
        KillTimer(FirstRepeatTimerId);
        KillTimer(RepeatTimerId);
        if (tookCapture_ && GetCapture() == Handle())
            ReleaseCapture();
    }
    control_.WindowProc = previous_;
}

HWND TacScrollWnd::Handle() const
{
    return control_.HandleAllocated() ? const_cast<toolkit::TWinControl&>(control_).Handle() : nullptr;
}

bool TacScrollWnd::Active() const
{
    const TsSkinModel* model = skinData_.Model();
    return model && skinData_.Skinned() && SkinHasScrollBars(*model);
}

TacScrollWnd::BarState TacScrollWnd::Bar(bool vertical) const
{
    BarState bar;
    const toolkit::DrawnScrollBar drawn = source_(vertical);
    bar.Vertical = vertical;
    bar.Bounds = drawn.bounds;
    bar.Length = vertical ? drawn.bounds.bottom - drawn.bounds.top : drawn.bounds.right - drawn.bounds.left;
    const int thickness = vertical ? drawn.bounds.right - drawn.bounds.left : drawn.bounds.bottom - drawn.bounds.top;
    bar.Shown = bar.Length > 0 && thickness > 0;
    // The arrows are as long as a system scroll bar is thick, as the skin options leave them.
    bar.ArrowLength = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    bar.Info.nMin = 0;
    bar.Info.nMax = std::max(0, drawn.count - 1);
    bar.Info.nPage = std::max(0, drawn.page);
    bar.Info.nPos = drawn.position;
    bar.Info.nTrackPos = drawn.position;
    bar.Active = bar.Shown && control_.Enabled() && RangeValid(bar.Info);
    bar.Thumb = CalcThumb(bar.Length, bar.ArrowLength, acMinThumbSize, bar.Info);
    bar.ThumbVisible = bar.Active && ThumbShown(bar.Length, bar.ArrowLength, acMinThumbSize, bar.Info);
    return bar;
}

int TacScrollWnd::BarAt(POINT p) const
{
    for (int index : {1, 0}) {
        const BarState bar = Bar(index == 1);
        if (bar.Shown && Inside(bar.Bounds, p))
            return index;
    }
    return -1;
}

TacScrollPortion TacScrollWnd::PortionAt(const BarState& bar, POINT p) const
{
    // Across the bar the point must lie on it; along it the geometry decides.
    const bool across = bar.Vertical ? p.x >= bar.Bounds.left && p.x < bar.Bounds.right
                                     : p.y >= bar.Bounds.top && p.y < bar.Bounds.bottom;
    if (!bar.Shown || !across)
        return spNone;
    const int along = bar.Vertical ? p.y - bar.Bounds.top : p.x - bar.Bounds.left;
    return HitTestPortion(along, bar.Length, bar.ArrowLength, bar.Thumb);
}

POINT TacScrollWnd::CursorInClient() const
{
    POINT p{};
    GetCursorPos(&p);
    if (HWND h = Handle())
        ScreenToClient(h, &p);
    return p;
}

void TacScrollWnd::KillTimer(UINT_PTR id)
{
    if (HWND h = Handle())
        platform::KillTimer(h, id);
}

void TacScrollWnd::WndProc(toolkit::TMessage& m)
{
    if (!Active()) {
        // A press or hover begun under a skin ends with it.
        if (currentBar_ >= 0 || mouseOverBar_ >= 0) {
            ResetPress();
            StopHover();
        }
        previous_(m);
        // The control's own bars come back where the skin's were.
        if (m.Msg == SM_VELTACMD && AcCommandOf(m.WParam) == AC_REMOVESKIN)
            control_.Invalidate();
        return;
    }
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_PAINT:
        previous_(m);
        PaintBars();
        PaintFrame();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (currentBar_ < 0) {
            const int index = BarAt(p);
            if (index < 0)
                break;
            Press(index, p);
        }
        m.Result = 0;
        return;
    case WM_MOUSEMOVE:
        if (currentBar_ >= 0) {
            MoveDuringPress(p);
            m.Result = 0;
            return;
        }
        Hover(p);
        break;
    case WM_LBUTTONUP:
        if (currentBar_ < 0)
            break;
        // The release ends the press wherever it happens and is not the control's to see.
        Release();
        m.Result = 0;
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        // No menu or scroll-bar behaviour of the control's own shows over a bar.
        if (BarAt(p) >= 0) {
            m.Result = 0;
            return;
        }
        break;
    case WM_TIMER:
        if (m.WParam == FirstRepeatTimerId || m.WParam == RepeatTimerId) {
            if (m.WParam == FirstRepeatTimerId && currentBar_ >= 0) {
                KillTimer(FirstRepeatTimerId);
                SetTimer(Handle(), RepeatTimerId, RepeatInterval, nullptr);
            }
            RepeatTick();
            m.Result = 0;
            return;
        }
        if (m.WParam == HoverTimerId) {
            HoverTick();
            m.Result = 0;
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (also from a drop-down list that held it before the
        // press, when the list closes): the press ends as a release would end it.
        if (currentBar_ >= 0 && HWND(m.LParam) != Handle()) {
            tookCapture_ = false;
            Release();
        }
        break;
    case WM_DESTROY:
        ResetPress();
        StopHover();
        break;
    case SM_VELTACMD:
        previous_(m);
        switch (AcCommandOf(m.WParam)) {
        case AC_SETNEWSKIN:
        case AC_REMOVESKIN:
        case AC_REFRESH:
            ResetPress();
            StopHover();
            control_.Invalidate();
            break;
        default: break;
        }
        return;
    default:
        break;
    }
    previous_(m);
}

void TacScrollWnd::Press(int barIndex, POINT p)
{
    const BarState bar = Bar(barIndex == 1);
    const TacScrollPortion portion = PortionAt(bar, p);
    if (!bar.Active || portion == spNone)
        return; // a bar that cannot scroll swallows the click
    currentBar_ = barIndex;
    currentPortion_ = portion;
    scrollMsg_ = barIndex == 1 ? WM_VSCROLL : WM_HSCROLL;
    if (HWND h = Handle(); h && GetCapture() != h) {
        SetCapture(h);
        tookCapture_ = true;
    }
    if (portion == spThumb) {
        thumbSize_ = bar.Thumb.Length;
        thumbPos_ = bar.Thumb.Start;
        thumbTracking_ = true;
        thumbMouseOffset_ = (bar.Vertical ? p.y - bar.Bounds.top : p.x - bar.Bounds.left) - bar.Thumb.Start;
        lastSBPos_ = bar.Info.nPos;
        timerPortion_ = spThumb;
        PaintBar(bar.Vertical);
        return;
    }
    timerPortion_ = portion;
    PaintBar(bar.Vertical);
    SendScroll(portion, 0);
    if (currentBar_ >= 0 && Handle())
        SetTimer(Handle(), FirstRepeatTimerId, FirstRepeatDelay, nullptr);
}

void TacScrollWnd::MoveDuringPress(POINT p)
{
    if (thumbTracking_) {
        DragTo(p);
        return;
    }
    const BarState bar = Bar(currentBar_ == 1);
    const TacScrollPortion under = PortionAt(bar, p);
    const TacScrollPortion drawn = under == currentPortion_ ? currentPortion_ : spNone;
    if (drawn != timerPortion_) {
        timerPortion_ = drawn;
        PaintBar(bar.Vertical);
    }
}

void TacScrollWnd::DragTo(POINT p)
{
    const BarState bar = Bar(currentBar_ == 1);
    const int mouse = bar.Vertical ? p.y - bar.Bounds.top : p.x - bar.Bounds.left;
    thumbPos_ = DraggedThumbStart(mouse, thumbMouseOffset_, bar.Length, bar.ArrowLength, thumbSize_);
    PaintBar(bar.Vertical);
    const int position = DragPosition(thumbPos_, bar.Length, bar.ArrowLength, thumbSize_, bar.Info);
    if (position != lastSBPos_) {
        const int trackPos = position + bar.Info.nMin;
        SendScroll(toolkit::ScrollCode::ThumbTrack, trackPos);
    }
    lastSBPos_ = position;
}

void TacScrollWnd::RepeatTick()
{
    if (currentBar_ < 0 || thumbTracking_) {
        KillTimer(FirstRepeatTimerId);
        KillTimer(RepeatTimerId);
        return;
    }
    POINT p = CursorInClient();
    MoveDuringPress(p);
    if (timerPortion_ == currentPortion_)
        SendScroll(currentPortion_, 0);
}

void TacScrollWnd::Release()
{
    const bool vertical = currentBar_ == 1;
    KillTimer(FirstRepeatTimerId);
    KillTimer(RepeatTimerId);
    if (currentPortion_ == spThumb) {
        const int last = lastSBPos_;
        if (thumbTracking_) {
            SendScroll(toolkit::ScrollCode::ThumbPosition, last);
            thumbTracking_ = false;
        }
        SendScroll(toolkit::ScrollCode::EndScroll, last);
    } else {
        SendScroll(toolkit::ScrollCode::EndScroll, 0);
    }
    ResetPress();
    PaintBar(vertical);
}

void TacScrollWnd::ResetPress()
{
    KillTimer(FirstRepeatTimerId);
    KillTimer(RepeatTimerId);
    const bool giveBack = tookCapture_ && Handle() && GetCapture() == Handle();
    // Everything is forgotten before the capture goes, so its notice finds no press to end.
    tookCapture_ = false;
    currentBar_ = -1;
    currentPortion_ = spNone;
    timerPortion_ = spNone;
    scrollMsg_ = 0;
    thumbTracking_ = false;
    thumbSize_ = thumbPos_ = thumbMouseOffset_ = 0;
    lastSBPos_ = -1;
    if (giveBack)
        ReleaseCapture();
}

void TacScrollWnd::Hover(POINT p)
{
    const int index = BarAt(p);
    if (index < 0) {
        if (mouseOverBar_ >= 0)
            StopHover();
        return;
    }
    const BarState bar = Bar(index == 1);
    const TacScrollPortion portion = bar.Active ? PortionAt(bar, p) : spNone;
    if (index == mouseOverBar_ && portion == hitPortion_)
        return;
    const bool otherBar = index != mouseOverBar_;
    const int previousBar = mouseOverBar_;
    mouseOverBar_ = index;
    hitPortion_ = portion;
    if (!hoverTimer_ && Handle())
        hoverTimer_ = SetTimer(Handle(), HoverTimerId, HoverInterval, nullptr) != 0;
    if (otherBar && previousBar >= 0)
        PaintBar(previousBar == 1);
    PaintBar(index == 1);
}

void TacScrollWnd::HoverTick()
{
    if (thumbTracking_)
        return;
    const POINT p = CursorInClient();
    const BarState bar = Bar(mouseOverBar_ == 1);
    // The cursor may have left the window without a move the control saw.
    RECT client{};
    if (Handle())
        GetClientRect(Handle(), &client);
    if (mouseOverBar_ < 0 || !bar.Shown || !Inside(bar.Bounds, p) || !Inside(client, p) || !IsWindowVisible(Handle())) {
        StopHover();
        return;
    }
    const TacScrollPortion portion = bar.Active ? PortionAt(bar, p) : spNone;
    if (portion != hitPortion_) {
        hitPortion_ = portion;
        PaintBar(bar.Vertical);
    }
}

void TacScrollWnd::StopHover()
{
    if (hoverTimer_)
        KillTimer(HoverTimerId);
    hoverTimer_ = false;
    const int was = mouseOverBar_;
    mouseOverBar_ = -1;
    hitPortion_ = spNone;
    if (was >= 0 && Active())
        PaintBar(was == 1);
}

void TacScrollWnd::SendScroll(int code, int position)
{
    const UINT msg = scrollMsg_;
    const LRESULT answer = control_.Perform(SM_VELTACMD, AcCommand(AC_BEFORESCROLL, WORD(code)), LPARAM(msg));
    const LPARAM lParam = answer == 1 ? LPARAM(position) : 0;
    control_.Perform(msg, MAKEWPARAM(WORD(code), WORD(std::clamp(position, 0, 65535))), lParam);
    control_.Perform(SM_VELTACMD, AcCommand(AC_AFTERSCROLL, WORD(code)), LPARAM(msg));
}

ScrollBarLook TacScrollWnd::LookOf(const BarState& bar, int barIndex) const
{
    ScrollBarLook look;
    look.Vertical = bar.Vertical;
    look.ArrowLength = bar.ArrowLength;
    look.Active = bar.Active;
    look.Thumb = bar.Thumb;
    look.ThumbVisible = bar.ThumbVisible;
    if (const TsSkinManager* manager = skinData_.Manager())
        look.ShiftContentOnClick = manager->ButtonsOptions.ShiftContentOnClick;
    const bool pressedHere = currentBar_ == barIndex;
    if (pressedHere && thumbTracking_) {
        // The drag draws its thumb where the mouse holds it, the rest at rest.
        look.Thumb = TacThumb{thumbPos_, thumbSize_};
        look.ThumbVisible = true;
        look.ThumbState = 2;
        return look;
    }
    const bool hoveredHere = mouseOverBar_ == barIndex && bar.Active && currentBar_ < 0;
    for (int arrow = 0; arrow < 2; ++arrow) {
        const TacScrollPortion portion = arrow == 0 ? spArrowBefore : spArrowAfter;
        if (pressedHere && timerPortion_ == portion)
            look.ArrowStates[arrow] = 2;
        else if (hoveredHere && hitPortion_ == portion)
            look.ArrowStates[arrow] = 1;
    }
    if (pressedHere && (timerPortion_ == spPageBefore || timerPortion_ == spPageAfter))
        look.PagePressed = timerPortion_;
    if (hoveredHere && hitPortion_ == spThumb)
        look.ThumbState = 1;
    return look;
}

Bitmap TacScrollWnd::ComposeBar(bool vertical) const
{
    const TsSkinModel* model = skinData_.Model();
    const BarState bar = Bar(vertical);
    if (!model || !Active() || !bar.Shown)
        return Bitmap();
    Bitmap bmp(bar.Bounds.right - bar.Bounds.left, bar.Bounds.bottom - bar.Bounds.top);
    TCacheInfo ci;
    ci.FillColor = SectionColorOf(skinData_, 0);
    PaintScrollBar(*model, LookOf(bar, vertical ? 1 : 0), ci, bmp);
    return bmp;
}

void TacScrollWnd::PaintBar(bool vertical)
{
    HWND h = Handle();
    if (!h || !IsWindowVisible(h) || !Active())
        return;
    const Bitmap bmp = ComposeBar(vertical);
    if (bmp.IsEmpty())
        return;
    const BarState bar = Bar(vertical);
    // One block transfer per bar, so hovering and dragging never flicker.
    HDC dc = GetDC(h);
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(&bmp));
    BitBlt(dc, bar.Bounds.left, bar.Bounds.top, bmp.Width(), bmp.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    ReleaseDC(h, dc);
}

void TacScrollWnd::PaintBars()
{
    PaintBar(false);
    PaintBar(true);
    const BarState horizontal = Bar(false), vertical = Bar(true);
    HWND h = Handle();
    const TsSkinModel* model = skinData_.Model();
    if (!horizontal.Shown || !vertical.Shown || !h || !model)
        return;
    const RECT corner{vertical.Bounds.left, horizontal.Bounds.top, vertical.Bounds.right, horizontal.Bounds.bottom};
    if (corner.right <= corner.left || corner.bottom <= corner.top)
        return;
    Bitmap bmp(corner.right - corner.left, corner.bottom - corner.top);
    TCacheInfo ci;
    ci.FillColor = SectionColorOf(skinData_, 0);
    PaintScrollCorner(*model, !horizontal.Active || !vertical.Active, ci.FillColor, ci, bmp);
    HDC dc = GetDC(h);
    HDC src = CreateBitmapDC(&bmp);
    BitBlt(dc, corner.left, corner.top, bmp.Width(), bmp.Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    ReleaseDC(h, dc);
}

const TsMaskData* TacScrollWnd::FrameMask() const
{
    const TsSkinModel* model = skinData_.Model();
    if (frameSection_.empty() || !model || !Active())
        return nullptr;
    const int index = model->GetSkinIndex(frameSection_);
    // A section without a border mask leaves the control's own frame line.
    if (!model->IsValidSkinIndex(index) || !model->IsValidImgIndex(model->gd[std::size_t(index)].BorderIndex))
        return nullptr;
    return &model->ma[std::size_t(model->gd[std::size_t(index)].BorderIndex)];
}

RECT TacScrollWnd::FrameWidths() const
{
    const TsMaskData* mask = FrameMask();
    return mask ? RECT{mask->WL, mask->WT, mask->WR, mask->WB} : RECT{};
}

void TacScrollWnd::PaintFrame()
{
    const TsMaskData* frame = FrameMask();
    HWND h = Handle();
    if (!frame || !h)
        return;
    const TsMaskData& mask = *frame;
    const TsSkinModel& model = *skinData_.Model();
    RECT client{};
    GetClientRect(h, &client);
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    // The mask goes over what the control has just drawn, so that its see-through pixels keep
    // the items and bars beneath instead of covering them with a background.
    HDC dc = GetDC(h);
    Bitmap bmp(width, height);
    HDC bmpDC = CreateBitmapDC(&bmp);
    BitBlt(bmpDC, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    TCacheInfo ci;
    ci.Bmp = &bmp;
    ci.Ready = true;
    ci.FillColor = SectionColorOf(skinData_, 0);
    DrawSkinRect(bmp, bmp.BoundsRect(), ci, mask, model, 0, true);
    BitBlt(dc, 0, 0, width, height, bmpDC, 0, 0, SRCCOPY);
    DeleteDC(bmpDC);
    ReleaseDC(h, dc);
}

} // namespace skin
