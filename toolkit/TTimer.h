// A timer component: OnTimer every Interval milliseconds while Enabled, run by the message loop.
#pragma once

#include "platform/window/Window.h"
#include "toolkit/TComponent.h"

namespace toolkit {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT value);

    TNotifyEvent OnTimer;

protected:
    void Loaded() override;
    virtual void Timer();

private:
    void UpdateTimer();

    platform::HWND window_ = nullptr;
    bool enabled_ = true;
    UINT interval_ = 1000;
    bool running_ = false;
};

} // namespace toolkit
