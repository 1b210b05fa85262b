#include "toolkit/TCustomForm.h"

#include "platform/window/Message.h"
#include "platform/core/Screen.h"
#include "platform/window/Window.h"
#include "toolkit/Exception.h"
#include "toolkit/TApplication.h"
#include "toolkit/TScreen.h"

#include <algorithm>
#include <vector>

namespace toolkit {

using namespace platform;

namespace {

constexpr StringView kCannotFocus = u"Cannot focus a disabled or invisible window";

} // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TCustomControl(AOwner)
{
    // Built like a form read from its stored description: loading until AfterConstruction.
    SetComponentStateFlag(csLoading, true);
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetVisible(false);
    SetColor(clBtnFace);
    left_ = 0;
    top_ = 0;
    width_ = 320;
    height_ = 240;
    icon_.OnChange = [this](TObject*) { UpdateIcon(); };
    if (Screen)
        Screen->AddForm(this);
    if (Application)
        Application->FormConstructed(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (Screen)
        Screen->RemoveForm(this);
    if (Application)
        Application->FormDestroyed(this);
}

void TCustomForm::AfterConstruction()
{
    if (created_)
        return;
    created_ = true;
    FinishLoading();
    try {
        DoCreate();
    } catch (...) {
        TApplication::HandleCurrentException(this);
    }
    // A form made visible while it was being built is shown now that it is complete.
    if (Visible() && !IsDestroying())
        UpdateShowing();
}

void TCustomForm::BeforeDestruction()
{
    TCustomControl::BeforeDestruction();
    if (destroyed_)
        return;
    destroyed_ = true;
    try {
        DoDestroy();
    } catch (...) {
        TApplication::HandleCurrentException(this);
    }
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoDestroy()
{
    if (OnDestroy)
        OnDestroy(this);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

bool TCustomForm::IsMainForm() const
{
    return Application && Application->MainForm() == this;
}

void TCustomForm::FormStyles(DWORD& style, DWORD& exStyle) const
{
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    const bool menu = borderIcons_.Contains(biSystemMenu);
    switch (borderStyle_) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsSingle:
    case bsToolWindow:
        style |= WS_CAPTION;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (borderStyle_ != bsNone && menu) {
        style |= WS_SYSMENU;
        if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
            if (borderIcons_.Contains(biMinimize))
                style |= WS_MINIMIZEBOX;
            if (borderIcons_.Contains(biMaximize))
                style |= WS_MAXIMIZEBOX;
        }
    }
    if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
        exStyle |= WS_EX_TOOLWINDOW;
    if (formStyle_ == fsStayOnTop)
        exStyle |= WS_EX_TOPMOST;
    if (windowState_ == wsMinimized)
        style |= WS_MINIMIZE;
    else if (windowState_ == wsMaximized)
        style |= WS_MAXIMIZE;
    if (!Enabled())
        style |= WS_DISABLED;
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    FormStyles(params.Style, params.ExStyle);
    params.WndParent = nullptr;
    if (IsMainForm()) {
        if (Application->MainFormOnTaskBar)
            params.ExStyle |= WS_EX_APPWINDOW;
    } else if (Application && Application->MainForm()) {
        // The other windows belong to the main window, which carries the taskbar button.
        params.WndParent = Application->MainForm()->Handle();
    }
}

void TCustomForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    UpdateIcon();
}

void TCustomForm::UpdateIcon()
{
    if (!HandleAllocated())
        return;
    HICON icon = icon_.Handle();
    if (!icon && Application)
        icon = Application->Icon()->Handle();
    SendMessage(Handle(), WM_SETICON, ICON_BIG, LPARAM(icon));
    SendMessage(Handle(), WM_SETICON, ICON_SMALL, LPARAM(icon));
}

TRect TCustomForm::ClientRect()
{
    if (HandleAllocated())
        return TWinControl::ClientRect();
    DWORD style = 0, exStyle = 0;
    FormStyles(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, false, exStyle);
    return TRect{0, 0, std::max(0, width_ - frame.Width()), std::max(0, height_ - frame.Height())};
}

TSize TCustomForm::FrameSize() const
{
    DWORD style = 0, exStyle = 0;
    FormStyles(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, false, exStyle);
    return TSize{frame.Width(), frame.Height()};
}

void TCustomForm::SetClientWidth(int value)
{
    if (IsLoading()) {
        pendingClientWidth_ = value;
        return;
    }
    if (HandleAllocated())
        TControl::SetClientWidth(value);
    else
        SetWidth(value + FrameSize().cx);
}

void TCustomForm::SetClientHeight(int value)
{
    if (IsLoading()) {
        pendingClientHeight_ = value;
        return;
    }
    if (HandleAllocated())
        TControl::SetClientHeight(value);
    else
        SetHeight(value + FrameSize().cy);
}

void TCustomForm::Loaded()
{
    TCustomControl::Loaded();
    // The frame is final now, so the client size can be turned into the window size.
    if (pendingClientWidth_ >= 0 || pendingClientHeight_ >= 0) {
        const TSize frame = FrameSize();
        int width = pendingClientWidth_ >= 0 ? pendingClientWidth_ + frame.cx : width_;
        int height = pendingClientHeight_ >= 0 ? pendingClientHeight_ + frame.cy : height_;
        pendingClientWidth_ = pendingClientHeight_ = -1;
        SetBounds(left_, top_, width, height);
    }
    Realign();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (value == borderStyle_)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == borderIcons_)
        return;
    borderIcons_ = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == formStyle_)
        return;
    formStyle_ = value;
    if (HandleAllocated())
        SetWindowPos(Handle(), value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (value == windowState_)
        return;
    windowState_ = value;
    if (HandleAllocated() && Visible()) {
        static const int commands[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(Handle(), commands[value]);
    }
}

void TCustomForm::SetVisible(bool value)
{
    TCustomControl::SetVisible(value);
}

void TCustomForm::UpdateShowing()
{
    if (IsLoading() || IsDestroying())
        return;
    if (Visible()) {
        HandleNeeded();
        if (!IsWindowVisible(Handle())) {
            formState_.Include(fsShowing);
            try {
                DoShow();
            } catch (...) {
                TApplication::HandleCurrentException(this);
            }
            formState_.Exclude(fsShowing);
            if (!Visible())
                return;
            ApplyPosition();
            static const int commands[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_MAXIMIZE};
            ShowWindow(Handle(), commands[windowState_]);
            formState_.Include(fsVisible);
        }
    } else if (HandleAllocated() && IsWindowVisible(Handle())) {
        try {
            DoHide();
        } catch (...) {
            TApplication::HandleCurrentException(this);
        }
        ShowWindow(Handle(), SW_HIDE);
        formState_.Exclude(fsVisible);
    }
}

void TCustomForm::ApplyPosition()
{
    SIZE screen = GetScreenSize();
    int x = left_, y = top_;
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        x = (screen.cx - width_) / 2;
        y = (screen.cy - height_) / 2;
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* reference = Application ? Application->MainForm() : nullptr;
        if (position_ == poOwnerFormCenter)
            if (auto* owner = dynamic_cast<TCustomForm*>(Owner()))
                reference = owner;
        if (reference && reference != this) {
            x = reference->Left() + (reference->Width() - width_) / 2;
            y = reference->Top() + (reference->Height() - height_) / 2;
            x = std::max(0, std::min(x, int(screen.cx) - width_));
            y = std::max(0, std::min(y, int(screen.cy) - height_));
        } else {
            x = (screen.cx - width_) / 2;
            y = (screen.cy - height_) / 2;
        }
        break;
    }
    default:
        return;
    }
    SetBounds(x, y, width_, height_);
}

void TCustomForm::Show()
{
    // A form made with plain new (not Create or CreateForm) completes its construction here.
    if (!created_ && !IsDestroying())
        AfterConstruction();
    SetVisible(true);
    if (HandleAllocated() && Visible()) {
        if (IsIconic(Handle()))
            ShowWindow(Handle(), SW_RESTORE);
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetActiveWindow(Handle());
    }
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (formState_.Contains(fsModal)) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (IsMainForm())
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal()
{
    if (!created_ && !IsDestroying())
        AfterConstruction();
    if (Visible() || !Enabled() || formState_.Contains(fsModal))
        throw EInvalidOperation(u"Cannot make a visible window modal");
    if (GetCapture())
        SendMessage(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    if (Application)
        Application->CancelHint();
    HWND previous = GetActiveWindow();
    formState_.Include(fsModal);
    modalResult_ = mrNone;

    // Every other window of the program waits while the form is up.
    HWND self = Handle();
    struct Collected {
        HWND self;
        std::vector<HWND> windows;
    } collected{self, {}};
    EnumThreadWindows(
        0,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* c = reinterpret_cast<Collected*>(param);
            if (hwnd != c->self && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
                c->windows.push_back(hwnd);
            return 1;
        },
        LPARAM(&collected));
    std::vector<HWND>& disabled = collected.windows;
    for (HWND hwnd : disabled)
        EnableWindow(hwnd, false);

    if (Application)
        Application->ModalStarted();
    try {
        Show();
        while (modalResult_ == mrNone) {
            if (!Application)
                break;
            Application->HandleMessage();
            if (Application->Terminated()) {
                modalResult_ = mrCancel;
                break;
            }
            if (modalResult_ != mrNone && !IsDestroying()) {
                // Closing may be refused (OnCloseQuery) or turned into "go on" (caNone).
                if (!CloseQuery()) {
                    modalResult_ = mrNone;
                    continue;
                }
                TCloseAction action = caHide;
                DoClose(action);
                if (action == caNone)
                    modalResult_ = mrNone;
                else if (action == caFree)
                    Release();
            }
        }
    } catch (...) {
        Hide();
        for (HWND hwnd : disabled)
            if (IsWindow(hwnd))
                EnableWindow(hwnd, true);
        formState_.Exclude(fsModal);
        if (Application)
            Application->ModalFinished();
        throw;
    }
    TModalResult result = modalResult_;
    Hide();
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, true);
    if (previous && IsWindow(previous) && previous != self)
        SetActiveWindow(previous);
    formState_.Exclude(fsModal);
    if (Application)
        Application->ModalFinished();
    return result;
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (control == activeControl_)
        return;
    if (control && (control == this || GetParentForm(control) != this || (!IsLoading() && !control->CanFocus())))
        throw EInvalidOperation(String(kCannotFocus));
    activeControl_ = control;
    if (!IsLoading() && active_)
        SetWindowFocus();
}

void TCustomForm::SetFocus()
{
    if (active_)
        return;
    // A hidden form takes the focus when it is shown (activation focuses the active control).
    if (!Visible() || !Enabled() || !HandleAllocated())
        return;
    SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control)
{
    bool wasActive = active_;
    SetActiveControl(control);
    if (!wasActive)
        SetFocus();
}

void TCustomForm::SetWindowFocus()
{
    if (!HandleAllocated())
        return;
    HWND target = nullptr;
    if (activeControl_ && activeControl_->CanFocus())
        target = activeControl_->Handle();
    platform::SetFocus(target ? target : Handle());
}

void TCustomForm::SetFocusedControl(TWinControl* control)
{
    if (control == focusedControl_)
        return;
    TWinControl* old = focusedControl_;
    focusedControl_ = control;
    if (control && control != this)
        activeControl_ = control;
    if (old && old != this && ContainsControl(old))
        old->Perform(CM_EXIT, 0, 0);
    if (control && control != this && focusedControl_ == control)
        control->Perform(CM_ENTER, 0, 0);
    if (focusedControl_ == control)
        Perform(CM_FOCUSCHANGED, 0, LPARAM(control));
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing)
{
    if (!control)
        return;
    if (removing && focusedControl_ && control->ContainsControl(focusedControl_))
        focusedControl_ = nullptr;
    if (activeControl_ && control->ContainsControl(activeControl_)) {
        activeControl_ = nullptr;
        if (active_ && HandleAllocated() && !IsDestroying())
            platform::SetFocus(Handle());
    }
}

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove) {
        if (component == activeControl_)
            activeControl_ = nullptr;
        if (component == focusedControl_)
            focusedControl_ = nullptr;
    }
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::DialogKey(TMessage& m)
{
    if (GetKeyState(int(VK_MENU)) >= 0) {
        switch (m.WParam) {
        case VK_TAB:
            if (GetKeyState(int(VK_CONTROL)) >= 0) {
                SelectNext(activeControl_, GetKeyState(int(VK_SHIFT)) >= 0, true);
                m.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (activeControl_ && activeControl_->Parent()) {
                activeControl_->Parent()->SelectNext(activeControl_, m.WParam == VK_RIGHT || m.WParam == VK_DOWN,
                                                     false);
                m.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TCustomControl::WndProc(m);
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) != WA_INACTIVE) {
            active_ = true;
            if (!activeControl_ && !IsLoading())
                activeControl_ = FindNextControl(nullptr, true, true, false);
            if (!IsIconic(Handle()))
                SetWindowFocus();
            if (OnActivate)
                OnActivate(this);
        } else {
            active_ = false;
            if (OnDeactivate)
                OnDeactivate(this);
        }
        m.Result = 0;
        return;
    case WM_CLOSE:
        Close();
        m.Result = 0;
        return;
    case CM_RELEASE:
        Free(this);
        return;
    case CM_DIALOGKEY:
        DialogKey(m);
        return;
    case WM_SIZE:
        TCustomControl::WndProc(m);
        if (HandleAllocated()) {
            if (IsIconic(Handle()))
                windowState_ = wsMinimized;
            else if (IsZoomed(Handle()))
                windowState_ = wsMaximized;
            else
                windowState_ = wsNormal;
        }
        return;
    case WM_SHOWWINDOW:
        // Hidden or shown by the window system (an owner minimised): keep Visible in step.
        TCustomControl::WndProc(m);
        return;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

} // namespace toolkit
