// A control without a window: its parent paints it (WM_PAINT with the parent's device context,
// already translated to the control and clipped to it) and hands it its mouse messages.
#pragma once

#include "toolkit/TCanvas.h"
#include "toolkit/TControl.h"

namespace toolkit {

class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner);

    TCanvas* Canvas() { return &canvas_; }

protected:
    void WndProc(TMessage& message) override;
    // Draws the control on Canvas, whose origin is the control's top-left corner.
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

} // namespace toolkit
