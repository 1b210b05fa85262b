// The skinned speed button: a button without a window of its own that, while its section exists
// in the loaded skin, paints from it through its cache picture into its parent and fades between
// normal, hot and pressed, only one speed button of a parent being hot at a time; without a skin it
// paints as the plain speed button does.
#pragma once

#include "skin/controls/ButtonPicture.h"
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
    ~TsSpeedButton() override;

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
    // These change the section (Flat) or the picture, so the cache is rebuilt.
    void SetLayout(toolkit::TButtonLayout value);
    void SetMargin(int value);
    void SetFlat(bool value);

    TBmpPaintEvent OnPaint;

    // 0 normal, 1 hot, 2 down.
    int CurrentState();
    bool PrepareCache();

    void Invalidate() override;

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void Paint() override;

private:
    bool Skinned() const { return skinData_->Skinned(); }
    void SectionChanged();
    void MouseEntered(bool wasAbove);
    void MouseLeft(bool wasAbove);
    void Released(toolkit::TPoint at);
    bool CacheOutOfDate(platform::HDC dc);

    std::unique_ptr<TsCtrlSkinData> skinData_;
    TsButtonSkinProperties properties_;
    bool wordWrap_ = true;
    bool useEllipsis_ = true;
    TacGrayedMode grayedMode_ = gmInactive;
    TToolButtonStyle buttonStyle_ = tbsButton;

    bool FStoredDown = false;
    int FOldNumGlyphs = 1;
    int FOldSpacing = 4;
    bool FHotState = false;
};

} // namespace skin
