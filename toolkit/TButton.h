// A push button. The default button answers Enter and the cancel button Escape anywhere on its
// form (unless the focused control wants the key); a click sets the form's ModalResult.
#pragma once

#include "toolkit/TButtonControl.h"

namespace toolkit {

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    void Click() override;
    unsigned LookStateFlags() const override;
    // The button Enter presses: the focused button, or the default one while no button has the
    // focus.
    bool IsActiveDefault() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Paint() override;
    // The rectangle the caption is drawn in (the pressed look moves it by one pixel).
    void DrawCaption(const TRect& r, UINT format);

private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

} // namespace toolkit
