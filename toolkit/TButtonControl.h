// The common part of push buttons and check boxes: a windowed control that follows the mouse
// (hot) and the left button or space bar (pressed), and answers BM_GETSTATE.
#pragma once

#include "toolkit/ControlLook.h"
#include "toolkit/TCustomControl.h"

namespace toolkit {

class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* AOwner);

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);

    // The mouse is over the control.
    bool IsHot() const { return hot_; }
    // Held down by the mouse (with the pointer on it) or by the space bar.
    bool IsPressed() const { return pressedByKey_ || (pressedByMouse_ && pointerInside_); }
    // The look's state word for the control.
    virtual unsigned LookStateFlags() const;

protected:
    void WndProc(TMessage& message) override;
    // The press ended over the control (mouse) or by the space bar.
    virtual void Activate() { Click(); }

private:
    bool wordWrap_ = false;
    bool hot_ = false;
    bool pressedByMouse_ = false;
    bool pressedByKey_ = false;
    bool pointerInside_ = false;
};

} // namespace toolkit
