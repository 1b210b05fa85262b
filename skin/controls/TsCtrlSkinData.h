// The skin data of controls that tint their finished picture: hue, saturation and a colour tone.
#pragma once

#include "skin/controls/TsCommonData.h"

namespace skin {

class TsCtrlSkinData : public TsCommonData {
public:
    using TsCommonData::TsCommonData;

    int HUEOffset() const { return hueOffset_; }
    void SetHUEOffset(int value) { hueOffset_ = value; }
    int Saturation() const { return saturation_; }
    void SetSaturation(int value) { saturation_ = value; }
    // clNotSet: no tone.
    platform::COLORREF ColorTone() const { return colorTone_; }
    void SetColorTone(platform::COLORREF value) { colorTone_ = value; }

private:
    int hueOffset_ = 0;
    int saturation_ = 0;
    platform::COLORREF colorTone_ = clNotSet;
};

} // namespace skin
