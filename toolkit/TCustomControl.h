// A windowed control that paints itself on a canvas.
#pragma once

#include "toolkit/TCanvas.h"
#include "toolkit/TWinControl.h"

namespace toolkit {

class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);

    TCanvas* Canvas() { return &canvas_; }

protected:
    void PaintWindow(platform::HDC dc) override;
    // Draws the control on Canvas, whose origin is the client area's top-left corner.
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

} // namespace toolkit
