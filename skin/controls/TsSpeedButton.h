// The skinned speed button: the plain speed button with its skin data and the skin's button
// properties; without a skin it paints as the plain speed button does.
#pragma once

#include "skin/controls/ButtonStates.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "toolkit/TSpeedButton.h"

#include <memory>

namespace skin {

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

class TsSpeedButton : public toolkit::TSpeedButton {
public:
    explicit TsSpeedButton(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TsButtonSkinProperties& SkinProperties() { return properties_; }
    const TsButtonSkinProperties& SkinProperties() const { return properties_; }

    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    bool UseEllipsis() const { return useEllipsis_; }
    void SetUseEllipsis(bool value) { useEllipsis_ = value; }
    TacGrayedMode GrayedMode() const { return grayedMode_; }
    void SetGrayedMode(TacGrayedMode value) { grayedMode_ = value; }
    TToolButtonStyle ButtonStyle() const { return buttonStyle_; }
    void SetButtonStyle(TToolButtonStyle value) { buttonStyle_ = value; }

    TBmpPaintEvent OnPaint;

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCtrlSkinData> skinData_;
    TsButtonSkinProperties properties_;
    bool wordWrap_ = true;
    bool useEllipsis_ = true;
    TacGrayedMode grayedMode_ = gmInactive;
    TToolButtonStyle buttonStyle_ = tbsButton;
};

} // namespace skin
