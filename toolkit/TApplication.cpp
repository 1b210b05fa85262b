#include "toolkit/TApplication.h"

#include "platform/window/Cursor.h"
#include "platform/window/Message.h"
#include "platform/frame/MessageBox.h"
#include "platform/window/Timer.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/THintWindow.h"
#include "toolkit/TScreen.h"
#include "toolkit/UtilWindow.h"

#include <exception>

namespace toolkit {

using namespace platform;

TApplication* Application = nullptr;

namespace {

constexpr UINT_PTR kShowHintTimer = 1;
constexpr UINT_PTR kHideHintTimer = 2;
// How far below the cursor's hot spot a hint appears.
constexpr int kHintCursorMargin = 20;

Exception CurrentExceptionAsException()
{
    try {
        throw;
    } catch (const Exception& e) {
        return e;
    } catch (const std::exception& e) {
        return Exception(Utf8ToUtf16(e.what()));
    } catch (...) {
        return Exception(u"Unknown exception");
    }
}

String ReportText(const Exception& e)
{
    String text = e.Message();
    if (!text.empty() && text.back() > u'.')
        text += u'.';
    return text;
}

} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner)
{
    if (!Application)
        Application = this;
    if (!Screen)
        new TScreen(this);
    utilWindow_ = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == WM_TIMER)
            HintTimerExpired(m.WParam);
        else
            m.Result = DefWindowProc(utilWindow_, m.Msg, m.WParam, m.LParam);
    });
}

TApplication::~TApplication()
{
    Destroying();
    CancelHint();
    // The forms go first, last created first, while the application is whole.
    DestroyComponents();
    if (hintWindow_) {
        THintWindow* hint = hintWindow_;
        hintWindow_ = nullptr;
        Free(hint);
    }
    DeallocateHWnd(utilWindow_);
    if (Application == this)
        Application = nullptr;
}

void TApplication::Initialize()
{
    // The program builds the platform itself, before the application, since only it knows how
    // its windows are to be shown; nothing is left to do here.
}

void TApplication::Run()
{
    if (mainForm_ && ShowMainForm) {
        if (mainForm_->WindowState() == wsMinimized)
            mainForm_->SetVisible(true);
        else
            mainForm_->Show();
    }
    while (!terminated_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage())
        Idle();
}

void TApplication::Idle()
{
    bool done = true;
    if (OnIdle) {
        try {
            OnIdle(this, done);
        } catch (...) {
            HandleException(this);
        }
    }
    if (done && !terminated_)
        WaitMessage();
}

HWND TApplication::Handle() const
{
    return mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : nullptr;
}

String TApplication::Title() const
{
    return title_.empty() ? ApplicationFileStem() : title_;
}

void TApplication::HandleException(TObject* sender)
{
    if (!std::current_exception())
        return;
    Exception e = CurrentExceptionAsException();
    if (OnException) {
        try {
            OnException(sender, e);
            return;
        } catch (...) {
            ShowException(CurrentExceptionAsException());
            return;
        }
    }
    ShowException(e);
}

void TApplication::HandleCurrentException(TObject* sender)
{
    if (!std::current_exception())
        return;
    if (Application) {
        Application->HandleException(sender);
        return;
    }
    Exception e = CurrentExceptionAsException();
    platform::MessageBox(GetActiveWindow(), ReportText(e), ApplicationFileStem(), MB_OK | MB_ICONSTOP);
}

String TApplication::CurrentExceptionReport()
{
    return ReportText(CurrentExceptionAsException());
}

void TApplication::ShowException(const Exception& e)
{
    MessageBox(ReportText(e), Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(StringView text, StringView caption, UINT flags)
{
    CancelHint();
    return platform::MessageBox(GetActiveWindow(), text, caption, flags);
}

void TApplication::ModalStarted()
{
    ++modalLevel_;
    if (modalLevel_ == 1 && OnModalBegin)
        OnModalBegin(this);
}

void TApplication::ModalFinished()
{
    if (modalLevel_ > 0)
        --modalLevel_;
    if (modalLevel_ == 0 && OnModalEnd)
        OnModalEnd(this);
}

void TApplication::FormConstructed(TCustomForm* form)
{
    if (creatingForm_ && !mainForm_)
        mainForm_ = form;
}

void TApplication::FormDestroyed(TCustomForm* form)
{
    if (mainForm_ == form)
        mainForm_ = nullptr;
}

void TApplication::SetMouseControl(TControl* control)
{
    if (control == mouseControl_)
        return;
    TControl* old = mouseControl_;
    mouseControl_ = control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    // A leave handler may have moved the mouse on already.
    if (control && mouseControl_ == control)
        control->Perform(CM_MOUSEENTER, 0, 0);
    if (mouseControl_ == control)
        UpdateHint(control);
}

void TApplication::MouseLeftWindow(TWinControl* control)
{
    TControl* current = mouseControl_;
    if (current && (current == control || current->Parent() == control))
        SetMouseControl(nullptr);
}

void TApplication::ControlDestroyed(TControl* control)
{
    if (mouseControl_ == control)
        mouseControl_ = nullptr;
    if (hintControl_ == control)
        CancelHint();
}

void TApplication::UpdateHint(TControl* control)
{
    TControl* owner = control;
    while (owner && !owner->ShowHint())
        owner = owner->Parent();
    String text;
    for (TControl* c = control; c && text.empty(); c = c->Parent())
        text = c->Hint();
    if (auto bar = text.find(u'|'); bar != String::npos)
        text.resize(bar);
    if (!ShowHint || !owner || text.empty()) {
        CancelHint();
        return;
    }
    bool showing = hintWindow_ && hintWindow_->HandleAllocated() && IsWindowVisible(hintWindow_->Handle());
    HideHintWindow();
    hintControl_ = control;
    KillTimer(utilWindow_, kHideHintTimer);
    SetTimer(utilWindow_, kShowHintTimer, showing ? HintShortPause : HintPause, nullptr);
}

void TApplication::HintTimerExpired(UINT_PTR id)
{
    KillTimer(utilWindow_, id);
    if (id == kShowHintTimer)
        ShowHintNow();
    else if (id == kHideHintTimer)
        HideHintWindow();
}

void TApplication::ShowHintNow()
{
    if (!hintControl_ || hintControl_ != mouseControl_)
        return;
    String text;
    for (TControl* c = hintControl_; c && text.empty(); c = c->Parent())
        text = c->Hint();
    if (auto bar = text.find(u'|'); bar != String::npos)
        text.resize(bar);
    if (text.empty())
        return;
    if (!hintWindow_)
        hintWindow_ = new THintWindow(nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    TRect r = hintWindow_->CalcHintRect(Screen ? Screen->Width() / 2 : 640, text);
    OffsetRect(&r, cursor.x, cursor.y + kHintCursorMargin);
    hintWindow_->ActivateHint(r, text);
    SetTimer(utilWindow_, kHideHintTimer, HintHidePause, nullptr);
}

void TApplication::HideHintWindow()
{
    if (hintWindow_)
        hintWindow_->ReleaseHint();
}

void TApplication::CancelHint()
{
    if (utilWindow_) {
        KillTimer(utilWindow_, kShowHintTimer);
        KillTimer(utilWindow_, kHideHintTimer);
    }
    HideHintWindow();
    hintControl_ = nullptr;
}

} // namespace toolkit
