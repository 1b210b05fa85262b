// A picture without a window: drawn at its own size (or centred, or stretched), with its alpha.
// AutoSize makes the control as large as the picture.
#pragma once

#include "toolkit/TGraphicControl.h"
#include "toolkit/TPicture.h"

namespace toolkit {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);

    TPicture* Picture() { return &picture_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Where the picture goes in the control.
    TRect DestRect();

protected:
    void Loaded() override;
    void Paint() override;

private:
    void PictureChanged();

    TPicture picture_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
};

} // namespace toolkit
