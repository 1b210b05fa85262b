// A container with a frame and a caption set into its top border.
#pragma once

#include "toolkit/TCustomControl.h"

namespace toolkit {

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

    // Where the caption sits (its background covers the frame there).
    TRect CaptionRect();

protected:
    void WndProc(TMessage& message) override;
    void AdjustClientRect(TRect& rect) override;
    void Paint() override;

private:
    int CaptionHeight();
};

} // namespace toolkit
