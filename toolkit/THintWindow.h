// The small top-most window that shows a control's hint near the mouse.
#pragma once

#include "toolkit/TCustomControl.h"

namespace toolkit {

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // The window's size for text, wrapped at maxWidth, from (0, 0).
    TRect CalcHintRect(int maxWidth, StringView text);
    // Shows text in r (screen coordinates) without taking the activation.
    void ActivateHint(const TRect& r, StringView text);
    void ReleaseHint();
    bool IsShowing();

protected:
    void CreateParams(TCreateParams& params) override;
    void EraseBackground(platform::HDC dc) override;
    void Paint() override;
};

} // namespace toolkit
