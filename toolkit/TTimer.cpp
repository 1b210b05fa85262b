#include "toolkit/TTimer.h"

#include "platform/window/Timer.h"
#include "toolkit/UtilWindow.h"

namespace toolkit {

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    window_ = AllocateHWnd([this](TMessage& m) {
        if (m.Msg == platform::WM_TIMER)
            Timer();
        else
            m.Result = platform::DefWindowProc(window_, m.Msg, m.WParam, m.LParam);
    });
    UpdateTimer();
}

TTimer::~TTimer()
{
    enabled_ = false;
    UpdateTimer();
    DeallocateHWnd(window_);
}

void TTimer::SetEnabled(bool value)
{
    if (value == enabled_)
        return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(UINT value)
{
    if (value == interval_)
        return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    if (running_) {
        platform::KillTimer(window_, 1);
        running_ = false;
    }
    if (window_ && enabled_ && interval_ != 0 && !ComponentState().Contains(csLoading) &&
        !ComponentState().Contains(csDestroying))
        running_ = platform::SetTimer(window_, 1, interval_, nullptr) != 0;
}

void TTimer::Timer()
{
    if (OnTimer)
        OnTimer(this);
}

} // namespace toolkit
