#include "skin/forms/TsSkinProvider.h"

#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/SkinRect.h"

#include "platform/frame/DefaultFrame.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Message.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Paint.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCustomForm.h"

using namespace platform;
using toolkit::TMessage;

namespace skin {

namespace {

// The form's timers of the title buttons' hover effects, one per button in the layout's order.
constexpr UINT_PTR EffectTimerBase = 0xAC50;

bool IsTitleButton(LRESULT code)
{
    return code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON || code == HTHELP;
}

POINT ScreenToWindowPoint(HWND hwnd, POINT screen)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{screen.x - r.left, screen.y - r.top};
}

} // namespace

TsSkinProvider::TsSkinProvider(toolkit::TComponent* AOwner)
    : toolkit::TComponent(AOwner), SystemMenu(new TsSystemMenu(this))
{
}

TsSkinProvider::~TsSkinProvider()
{
    StopButtonEffects(false);
    Unhook();
}

TsSkinProvider* TsSkinProvider::Of(const toolkit::TCustomForm* form)
{
    if (!form)
        return nullptr;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        toolkit::TComponent* c = form->Components(i);
        if (auto* p = dynamic_cast<TsSkinProvider*>(c))
            return p;
        // The manager's holder object sits between the form and its provider.
        for (int j = 0; j < c->ComponentCount(); ++j)
            if (auto* p = dynamic_cast<TsSkinProvider*>(c->Components(j)))
                return p;
    }
    return nullptr;
}

void TsSkinProvider::SetForm(toolkit::TCustomForm* form)
{
    Unhook();
    form_ = form;
    if (!form_)
        return;
    FCommonData = std::make_unique<TsCommonData>(form_, COC_TsSkinProvider);
    FCommonData->FOwnerObject = this;
    FCommonData->SetSkinSection(u"FORM");
    OldWndProc = form_->WindowProc;
    form_->WindowProc = [this](TMessage& m) { NewWndProc(m); };
}

void TsSkinProvider::Unhook()
{
    if (form_ && OldWndProc)
        form_->WindowProc = OldWndProc;
    OldWndProc = nullptr;
}

void TsSkinProvider::Loaded()
{
    toolkit::TComponent::Loaded();
    if (!FCommonData)
        return;
    FCommonData->SetLoading(false);
    UpdateIndexes();
}

void TsSkinProvider::UpdateIndexes()
{
    FCommonData->UpdateIndexes(true);
    const TsSkinModel* model = FCommonData->Model();
    FTitleSkinIndex = FCaptionSkinIndex = FHeaderIndex = -1;
    if (model) {
        const std::string title = FTitleSkin.empty() ? std::string("FORMTITLE") : Utf16ToUtf8(FTitleSkin);
        FTitleSkinIndex = model->GetSkinIndex(title);
        FCaptionSkinIndex = model->ConstData.Sections[std::size_t(TacSection::ssCaption)];
        FHeaderIndex = model->GetSkinIndex("FORMHEADER");
    }
    FCommonData->BGChanged = true;
    rgnChanged_ = true;
    layout_.reset();
}

void TsSkinProvider::SetShowAppIcon(bool value)
{
    FShowAppIcon = value;
    InvalidateFrame();
}

void TsSkinProvider::SetDrawClientArea(bool value)
{
    FDrawClientArea = value;
    if (form_ && form_->HandleAllocated())
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinProvider::SetDrawNonClientArea(bool value)
{
    FDrawNonClientArea = value;
    InvalidateFrame();
}

void TsSkinProvider::SetTitleSkin(StringView value)
{
    FTitleSkin = String(value);
    if (FCommonData)
        UpdateIndexes();
    InvalidateFrame();
}

void TsSkinProvider::SetCaptionAlignment(toolkit::TAlignment value)
{
    FCaptionAlignment = value;
    InvalidateFrame();
}

bool TsSkinProvider::DrawsFrame() const
{
    if (!form_ || !FCommonData || !FDrawNonClientArea || !form_->HandleAllocated())
        return false;
    const TsSkinManager* manager = FCommonData->Manager();
    if (!manager || !manager->Active() || !FCommonData->Model() || FCommonData->SkinIndex() < 0)
        return false;
    const DWORD style = DWORD(GetWindowLong(form_->Handle(), GWL_STYLE));
    return (style & WS_CAPTION) == WS_CAPTION;
}

TitleLayoutInput TsSkinProvider::LayoutInput() const
{
    TitleLayoutInput in;
    const HWND hwnd = form_->Handle();
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    const DWORD exStyle = DWORD(GetWindowLong(hwnd, GWL_EXSTYLE));
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    const bool minimized = IsIconic(hwnd);
    const bool mainWindow = toolkit::Application && toolkit::Application->MainForm() == form_;
    in.CaptionWidth = minimized && !mainWindow ? 160 : int(wr.Width());
    in.WindowHeight = int(wr.Height());
    // The frame keeps the platform's size: the client area lies where the platform puts it.
    in.BorderWidth = int(DefaultFrame::FrameInsets(style, exStyle).left);
    in.CaptionHeight = (style & WS_CAPTION) == WS_CAPTION
                           ? GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION)
                           : 0;
    const toolkit::TFormBorderStyle border = form_->BorderStyle();
    in.BigButtons = border == toolkit::bsSingle || border == toolkit::bsSizeable;
    in.Sizeable = (style & WS_THICKFRAME) != 0;
    in.Maximized = IsZoomed(hwnd);
    in.Minimized = minimized;
    in.MainWindow = mainWindow;
    const toolkit::TBorderIcons icons = form_->BorderIcons();
    in.SystemMenu = icons.Contains(toolkit::biSystemMenu);
    in.MaxVisible = in.Sizeable || icons.Contains(toolkit::biMaximize);
    in.MinVisible = in.Sizeable || icons.Contains(toolkit::biMinimize);
    if (!in.BigButtons) {
        // Dialog-like frames offer what their style offers.
        in.MaxVisible = (style & WS_MAXIMIZEBOX) != 0;
        in.MinVisible = (style & WS_MINIMIZEBOX) != 0;
    }
    in.HelpVisible = icons.Contains(toolkit::biHelp);
    in.MaxAllowed = (style & WS_MAXIMIZEBOX) != 0;
    in.MinAllowed = (style & WS_MINIMIZEBOX) != 0;
    in.CloseEnabled = true;
    // Without any picture to show, the icon's place goes to the caption instead of staying empty.
    in.ShowIcon = FTitleIcon.Visible && in.BigButtons && FShowAppIcon && IconImage();
    in.IconSize = SIZE{FTitleIcon.Width, FTitleIcon.Height};
    in.HasCaptionSection = FCaptionSkinIndex >= 0;
    in.TakeSkinMargins(FCommonData->Model());
    return in;
}

HICON TsSkinProvider::IconImage() const
{
    if (FTitleIcon.Glyph)
        return FTitleIcon.Glyph;
    if (HICON own = form_->Icon()->Handle())
        return own;
    return toolkit::Application ? toolkit::Application->Icon()->Handle() : nullptr;
}

const TitleLayout& TsSkinProvider::Layout()
{
    TitleLayout fresh(LayoutInput(), FCommonData->Model());
    // The mouse's states outlive a new layout: they belong to the buttons, not to their places.
    if (layout_)
        for (int i = 0; i < TitleButtonCount; ++i)
            fresh.Buttons()[std::size_t(i)].cpState = layout_->Buttons()[std::size_t(i)].cpState;
    layout_ = fresh;
    return *layout_;
}

const TsCaptionButton* TsSkinProvider::Button(LRESULT hitCode)
{
    if (!layout_)
        Layout();
    return layout_->ButtonOf(hitCode);
}

FramePaintArgs TsSkinProvider::PaintArgs()
{
    FramePaintArgs a;
    a.Model = FCommonData->Model();
    a.FormIndex = FCommonData->SkinIndex();
    a.TitleIndex = FTitleSkinIndex;
    a.CaptionIndex = FCaptionSkinIndex;
    if (!layout_)
        Layout();
    a.Layout = &*layout_;
    a.Active = FormActive;
    a.Enabled = IsWindowEnabled(form_->Handle());
    a.Caption = form_->Caption();
    a.Icon = IconImage();
    a.CaptionAlignment = FCaptionAlignment;
    for (std::size_t i = 0; i < effects_.size(); ++i)
        a.UnderEffect[i] = effects_[i] != nullptr;
    return a;
}

bool TsSkinProvider::PaintAll()
{
    if (!DrawsFrame())
        return false;
    RECT wr{};
    GetWindowRect(form_->Handle(), &wr);
    if (!FCommonData->FCacheBmp)
        FCommonData->FCacheBmp = std::make_unique<Bitmap>();
    Bitmap& cache = *FCommonData->FCacheBmp;
    cache.SetSize(int(wr.Width()), int(wr.Height()));
    Layout();
    PaintFrame(cache, PaintArgs(), &TempBmp);
    FCommonData->BGChanged = false;
    if (rgnChanged_)
        UpdateRgn();
    FCommonData->FUpdating = false;
    return true;
}

bool TsSkinProvider::EnsureCache()
{
    const Bitmap* cache = FCommonData->FCacheBmp.get();
    if (cache && !FCommonData->BGChanged && cache->Width() == form_->Width() && cache->Height() == form_->Height() &&
        !cache->IsEmpty())
        return true;
    return PaintAll();
}

void TsSkinProvider::UpdateRgn()
{
    rgnChanged_ = false;
    Rects.clear();
    if (!form_ || !form_->HandleAllocated())
        return;
    const HWND hwnd = form_->Handle();
    const TsSkinModel* model = FCommonData->Model();
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    const RECT window = Rect(0, 0, wr.Width(), wr.Height());
    if (DrawsFrame() && model && !IsZoomed(hwnd)) {
        if (model->IsValidImgIndex(FCommonData->BorderIndex)) {
            const auto runs = TransparentCornerRuns(model->ma[std::size_t(FCommonData->BorderIndex)], *model, window, 0,
                                                    false);
            Rects.insert(Rects.end(), runs.begin(), runs.end());
        }
        const int titleMask = model->GetMaskIndex(FTitleSkinIndex, "BORDERSMASK");
        if (model->IsValidImgIndex(titleMask)) {
            const auto runs =
                TransparentCornerRuns(model->ma[std::size_t(titleMask)], *model, Layout().TitleRect(), 0, true);
            Rects.insert(Rects.end(), runs.begin(), runs.end());
        }
    }
    const Region shape = Rects.empty() ? Region() : Region(window).Subtracted(Region::FromRects(Rects));
    // A refused region is asked again; a platform that keeps refusing keeps the window as it is
    // rather than holding the program in a loop. The window owns each region it is given.
    for (int attempt = 0; attempt < 3; ++attempt) {
        HRGN rgn = nullptr;
        if (!Rects.empty()) {
            rgn = CreateRectRgn(0, 0, 0, 0);
            *rgn = shape;
        }
        if (SetWindowRgn(hwnd, rgn, true) != 0)
            return;
    }
}

LRESULT TsSkinProvider::HitTest(POINT screen)
{
    if (!DrawsFrame())
        return HTNOWHERE;
    return Layout().HitTest(ScreenToWindowPoint(form_->Handle(), screen));
}

void TsSkinProvider::InvalidateFrame()
{
    if (FCommonData)
        FCommonData->BGChanged = true;
    if (form_ && form_->HandleAllocated())
        RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TsSkinProvider::RepaintButton(LRESULT code)
{
    if (!layout_ || !DrawsFrame())
        return;
    const TsCaptionButton* b = layout_->ButtonOf(code);
    if (!b || !b->Visible())
        return;
    if (FCommonData->BGChanged || !FCommonData->FCacheBmp) {
        InvalidateFrame();
        return;
    }
    // Only the button changes: its piece of the bare title comes back and its image goes on top.
    PaintTitleButton(*FCommonData->FCacheBmp, TempBmp, PaintArgs(), *b);
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TsSkinProvider::SetHotHT(LRESULT code, bool repaint)
{
    if (code == CurrentHT)
        return;
    if (!layout_)
        Layout();
    if (TsCaptionButton* old = layout_->ButtonOf(CurrentHT); old && old->cpState != 0) {
        old->cpState = 0;
        if (repaint)
            ShowButtonState(old->cpHitCode, false);
    }
    CurrentHT = code;
    if (biClicked)
        return;
    if (TsCaptionButton* hot = layout_->ButtonOf(code)) {
        hot->cpState = 1;
        if (repaint)
            ShowButtonState(code, false);
    }
}

void TsSkinProvider::SetPressedHT(LRESULT code)
{
    if (!layout_)
        Layout();
    if (TsCaptionButton* old = layout_->ButtonOf(CurrentHT); old && CurrentHT != code && old->cpState != 0) {
        old->cpState = 0;
        ShowButtonState(old->cpHitCode, false);
    }
    CurrentHT = code;
    pressedHT_ = code;
    if (TsCaptionButton* b = layout_->ButtonOf(code)) {
        b->cpState = 2;
        biClicked = true;
        ShowButtonState(code, true);
    }
}

void TsSkinProvider::ButtonReleased(POINT screen)
{
    const LRESULT pressed = pressedHT_;
    biClicked = false;
    pressedHT_ = 0;
    if (GetCapture() == form_->Handle())
        ReleaseCapture();
    const LRESULT here = HitTest(screen);
    TsCaptionButton* b = layout_ ? layout_->ButtonOf(pressed) : nullptr;
    if (b) {
        // Released on itself it is under the mouse again; released elsewhere it is at rest.
        b->cpState = here == pressed ? 1 : 0;
        CurrentHT = here == pressed ? pressed : 0;
        ShowButtonState(pressed, false);
    }
    if (here != pressed)
        return; // pressed, then released elsewhere: the press is dropped
    const HWND hwnd = form_->Handle();
    const LPARAM where = MAKELPARAM(screen.x, screen.y);
    switch (pressed) {
    case HTMINBUTTON:
        if (IsIconic(hwnd) && !(toolkit::Application && toolkit::Application->MainForm() == form_))
            SendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, where);
        else
            SendMessage(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, where);
        break;
    case HTMAXBUTTON: SendMessage(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, where); break;
    case HTCLOSE:
        if (b)
            b->cpState = 0;
        CurrentHT = 0;
        // A hidden window must not leave its close button's effect on the screen.
        StopButtonEffects();
        SendMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, where);
        // The window may be gone now, and this provider with it: nothing of it is touched here.
        break;
    case HTHELP: SendMessage(hwnd, WM_SYSCOMMAND, SC_CONTEXTHELP, where); break;
    default: break;
    }
}

const TacSBAnimation* TsSkinProvider::ButtonEffect(LRESULT hitCode) const
{
    if (!layout_)
        return nullptr;
    const auto& buttons = layout_->Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].cpHitCode == hitCode)
            return effects_[i].get();
    return nullptr;
}

bool TsSkinProvider::ButtonEffectsAllowed() const
{
    const TsSkinManager* manager = FCommonData ? FCommonData->Manager() : nullptr;
    // Without a compositing desktop a layered window shows as an opaque box: the title repaints.
    return manager && manager->Effects.AllowGlowing && GlowsAvailable();
}

Bitmap TsSkinProvider::ButtonEffectPicture(const TsCaptionButton& b, RECT& screenRect) const
{
    const TsSkinModel* model = FCommonData->Model();
    if (!model)
        return {};
    Bitmap picture = TitleButtonEffectPicture(*model, b, screenRect);
    RECT wr{};
    GetWindowRect(form_->Handle(), &wr);
    OffsetRect(&screenRect, wr.left, wr.top);
    return picture;
}

void TsSkinProvider::ShowButtonState(LRESULT code, bool press)
{
    if (!layout_ || !DrawsFrame())
        return;
    const auto& buttons = layout_->Buttons();
    std::size_t i = 0;
    while (i < buttons.size() && buttons[i].cpHitCode != code)
        ++i;
    if (i == buttons.size() || !buttons[i].Visible())
        return;
    const TsCaptionButton& b = buttons[i];
    std::unique_ptr<TacSBAnimation>& effect = effects_[i];
    if (!ButtonEffectsAllowed()) {
        // Effects switched off meanwhile: one still showing goes at once.
        if (effect) {
            KillTimer(form_->Handle(), EffectTimerBase + i);
            effect.reset();
        }
        RepaintButton(code);
        return;
    }
    const TsSkinManager* manager = FCommonData->Manager();
    const int steps = press || !manager->Effects.AllowAnimation ? 1 : 10;
    if (b.cpState == 0) {
        if (!effect) {
            RepaintButton(code);
            return;
        }
        effect->FadeOut(steps);
    } else {
        RECT screenRect{};
        Bitmap picture = ButtonEffectPicture(b, screenRect);
        if (picture.IsEmpty()) {
            RepaintButton(code);
            return;
        }
        const bool fresh = !effect;
        if (fresh)
            effect = std::make_unique<TacSBAnimation>(form_->Handle(), code);
        effect->FadeIn(b.cpState, std::move(picture), screenRect, steps);
        if (effect->FadedOut()) { // no window could be made for it
            effect.reset();
            RepaintButton(code);
            return;
        }
        if (fresh)
            RepaintButton(code); // the title keeps the button at rest under its effect
    }
    // The first step is made at once: a single step shows the whole change without waiting.
    StepButtonEffect(i);
}

void TsSkinProvider::StepButtonEffect(std::size_t index)
{
    std::unique_ptr<TacSBAnimation>& effect = effects_[index];
    const HWND hwnd = form_ && form_->HandleAllocated() ? form_->Handle() : nullptr;
    if (effect)
        effect->Step();
    if (effect && effect->Moving()) {
        SetTimer(hwnd, EffectTimerBase + index, UINT(acTimerInterval), nullptr);
        return;
    }
    KillTimer(hwnd, EffectTimerBase + index);
    if (!effect)
        return;
    const LRESULT code = effect->HitCode;
    if (effect->FadedOut()) {
        effect.reset();
        RepaintButton(code);
        return;
    }
    // Faded in: the mouse may have left meanwhile.
    const TsCaptionButton* b = layout_ ? layout_->ButtonOf(code) : nullptr;
    if (!b || b->cpState == 0)
        ShowButtonState(code, false);
}

void TsSkinProvider::StopButtonEffects(bool repaint)
{
    const HWND hwnd = form_ && form_->HandleAllocated() ? form_->Handle() : nullptr;
    bool any = false;
    for (std::size_t i = 0; i < effects_.size(); ++i) {
        if (!effects_[i])
            continue;
        KillTimer(hwnd, EffectTimerBase + i);
        effects_[i].reset();
        any = true;
    }
    if (any && repaint && FCommonData)
        InvalidateFrame();
}

void TsSkinProvider::DropSystemMenu()
{
    const HWND hwnd = form_->Handle();
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    SystemMenuState state;
    state.Minimized = IsIconic(hwnd);
    state.Maximized = IsZoomed(hwnd);
    state.Sizeable = (style & WS_THICKFRAME) != 0;
    state.CanMinimize = (style & WS_MINIMIZEBOX) != 0;
    state.CanMaximize = (style & WS_MAXIMIZEBOX) != 0;
    // Under the icon, as the window menu drops from the title.
    const RECT icon = Layout().IconRect();
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    SystemMenu->ShowFor(hwnd, state, POINT{wr.left + icon.left, wr.top + icon.bottom});
}

void TsSkinProvider::PaintNonClient(HDC windowDC)
{
    if (!EnsureCache())
        return;
    const RECT client = Layout().ClientRect();
    const int saved = SaveDC(windowDC);
    ExcludeClipRect(windowDC, client.left, client.top, client.right, client.bottom);
    HDC src = CreateBitmapDC(FCommonData->FCacheBmp.get());
    BitBlt(windowDC, 0, 0, FCommonData->FCacheBmp->Width(), FCommonData->FCacheBmp->Height(), src, 0, 0, SRCCOPY);
    DeleteDC(src);
    RestoreDC(windowDC, saved);
}

void TsSkinProvider::EraseClient(HDC clientDC)
{
    const RECT client = Layout().ClientRect();
    HDC src = CreateBitmapDC(FCommonData->FCacheBmp.get());
    BitBlt(clientDC, 0, 0, client.Width(), client.Height(), src, client.left, client.top, SRCCOPY);
    DeleteDC(src);
    // Controls that waited for the form's picture may paint now.
    for (int i = 0; i < form_->ControlCount(); ++i)
        form_->Controls(i)->Perform(SM_VELTACMD, AcCommand(AC_ENDPARENTUPDATE), 0);
}

void TsSkinProvider::CallOld(TMessage& m)
{
    if (OldWndProc)
        OldWndProc(m);
}

bool TsSkinProvider::SkinCommand(TMessage& m)
{
    const int state = FormActive ? 1 : 0;
    switch (AcCommandOf(m.WParam)) {
    case AC_GETPROVIDER:
        m.Result = reinterpret_cast<LRESULT>(this);
        return true;
    case AC_PREPARECACHE:
        m.Result = PaintAll() ? 1 : 0;
        return true;
    case AC_CTRLHANDLED:
    case AC_GETSKINDATA:
        // The client area is the skin's picture: controls on it take the skin's colours, as on
        // any skinned container.
        if (FDrawClientArea && DrawsFrame()) {
            m.Result = AcCommandOf(m.WParam) == AC_CTRLHANDLED ? 1 : reinterpret_cast<LRESULT>(FCommonData.get());
            return true;
        }
        break;
    case AC_GETBG:
        if (m.LParam && FDrawClientArea && DrawsFrame()) {
            InitBGInfo(*FCommonData, *reinterpret_cast<TacBGInfo*>(m.LParam), state);
            m.Result = 1;
            return true;
        }
        break;
    case AC_GETCONTROLCOLOR:
        if (FDrawClientArea && DrawsFrame()) {
            m.Result = SectionColorOf(*FCommonData, state);
            return true;
        }
        break;
    case AC_SETNEWSKIN:
    case AC_REMOVESKIN:
    case AC_REFRESH: {
        const bool ownManager = reinterpret_cast<TsSkinManager*>(m.LParam) == FCommonData->Manager();
        CommonWndProc(m, *FCommonData);
        if (ownManager) {
            StopButtonEffects();
            UpdateIndexes();
            CurrentHT = 0;
            biClicked = false;
            if (!DrawsFrame())
                UpdateRgn();
            if (form_->HandleAllocated())
                RedrawWindow(form_->Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
        CallOld(m);
        return true;
    }
    default: break;
    }
    return false;
}

void TsSkinProvider::NewWndProc(TMessage& m)
{
    if (m.Msg == SM_VELTACMD && SkinCommand(m))
        return;
    if (m.Msg == WM_TIMER && m.WParam >= EffectTimerBase && m.WParam < EffectTimerBase + effects_.size()) {
        StepButtonEffect(std::size_t(m.WParam - EffectTimerBase));
        m.Result = 0;
        return;
    }
    // An effect stays where it was shown: the window moving, resizing or going away ends it.
    if (m.Msg == WM_MOVE || m.Msg == WM_SIZE || (m.Msg == WM_SHOWWINDOW && !m.WParam))
        StopButtonEffects();
    if (m.Msg == WM_DESTROY)
        StopButtonEffects(false);
    if (!DrawsFrame()) {
        CallOld(m);
        return;
    }
    const HWND hwnd = form_->Handle();
    const POINT lp{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_NCHITTEST:
        m.Result = HitTest(lp);
        return;
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(hwnd);
        if (dc) {
            PaintNonClient(dc);
            ReleaseDC(hwnd, dc);
        }
        m.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        if (FDrawClientArea && m.WParam && EnsureCache()) {
            EraseClient(reinterpret_cast<HDC>(m.WParam));
            m.Result = 1;
            return;
        }
        break;
    case WM_PRINT:
        if ((m.LParam & PRF_NONCLIENT) && m.WParam) {
            PaintNonClient(reinterpret_cast<HDC>(m.WParam));
            m.LParam &= ~LPARAM(PRF_NONCLIENT);
        }
        break;
    case WM_NCACTIVATE:
        if (FormActive != (m.WParam != 0)) {
            FormActive = m.WParam != 0;
            FCommonData->BGChanged = true;
        }
        CallOld(m);
        // The platform repaints a frame only when its own look changes.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return;
    case WM_SETTEXT:
    case WM_SETICON:
        CallOld(m);
        InvalidateFrame();
        return;
    case WM_SIZE:
        FCommonData->BGChanged = true;
        rgnChanged_ = true;
        break;
    case WM_NCMOUSEMOVE:
        if (IsTitleButton(LRESULT(m.WParam))) {
            SetHotHT(LRESULT(m.WParam));
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
            tme.hwndTrack = hwnd;
            TrackMouseEvent(&tme);
            m.Result = 0;
            return;
        }
        SetHotHT(0);
        break;
    case WM_NCMOUSELEAVE:
        SetHotHT(-1);
        if (GetCapture() != hwnd)
            biClicked = false;
        m.Result = 0;
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (IsTitleButton(LRESULT(m.WParam))) {
            SetPressedHT(LRESULT(m.WParam));
            SetCapture(hwnd);
            m.Result = 0;
            return;
        }
        if (m.WParam == HTCAPTION)
            SetHotHT(0);
        if (m.WParam == HTSYSMENU) {
            DropSystemMenu();
            m.Result = 0;
            return;
        }
        break;
    case WM_MOUSEMOVE:
        if (biClicked) {
            m.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONUP:
        if (biClicked) {
            POINT screen = lp;
            ClientToScreen(hwnd, &screen);
            ButtonReleased(screen);
            m.Result = 0;
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        if (biClicked && reinterpret_cast<HWND>(m.LParam) != hwnd) {
            biClicked = false;
            SetHotHT(0);
            if (TsCaptionButton* b = layout_ ? layout_->ButtonOf(pressedHT_) : nullptr) {
                b->cpState = 0;
                ShowButtonState(pressedHT_, false);
            }
            pressedHT_ = 0;
        }
        break;
    default: break;
    }
    CallOld(m);
}

} // namespace skin
