// A check box: a box and a caption; a click, or the space bar, toggles it (through the grayed
// state when AllowGrayed) and runs OnClick.
#pragma once

#include "toolkit/TButtonControl.h"

namespace toolkit {

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    // Runs OnClick when the state changes, as a click does.
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    // taRightJustify (the default): the caption to the right of the box.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    // The box and the caption's rectangles, in client coordinates.
    TRect BoxRect();
    TRect CaptionRect();

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void Activate() override;
    virtual void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

} // namespace toolkit
