// The skin data every skinned control owns (its SkinData): the section it is drawn from, whether
// its own colour and font override the skin's, the manager it follows and its outer effects. For
// now it only keeps these values; painting from the section comes with the painting work.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace toolkit {
class TControl;
}

namespace skin {

class TsSkinManager;

// Control object codes: what kind of control a SkinData belongs to.
inline constexpr int COC_TsEdit = 3;
inline constexpr int COC_TsMemo = 7;
inline constexpr int COC_TsComboBox = 13;
inline constexpr int COC_TsCheckBox = 32;
inline constexpr int COC_TsPanel = 51;
inline constexpr int COC_TsTabSheet = 57;
inline constexpr int COC_TsGroupBox = 74;
inline constexpr int COC_TsSpeedButton = 92;
inline constexpr int COC_TsButton = 93;
inline constexpr int COC_TsBitBtn = 94;
inline constexpr int COC_TsPageControl = 141;

enum TacOuterVisibility { ovNone = 0, ovAlways = 1 };

class TacOuterEffects {
public:
    TacOuterVisibility Visibility() const { return visibility_; }
    void SetVisibility(TacOuterVisibility value) { visibility_ = value; }

private:
    TacOuterVisibility visibility_ = ovNone;
};

inline constexpr platform::COLORREF clNotSet = 0x1FFFFFFF;

class TsCommonData {
public:
    TsCommonData(toolkit::TControl* owner, int coc);
    virtual ~TsCommonData() = default;
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    bool CustomColor() const { return customColor_; }
    void SetCustomColor(bool value) { customColor_ = value; }
    bool CustomFont() const { return customFont_; }
    void SetCustomFont(bool value) { customFont_ = value; }
    // Null means the default manager.
    TsSkinManager* SkinManager() const { return skinManager_; }
    void SetSkinManager(TsSkinManager* value) { skinManager_ = value; }
    // Kept upper-cased: skin files name their sections in capitals, and lookups compare exactly.
    const platform::String& SkinSection() const { return skinSection_; }
    void SetSkinSection(platform::StringView value);
    TacOuterEffects& OuterEffects() { return outerEffects_; }
    const TacOuterEffects& OuterEffects() const { return outerEffects_; }

    int COC() const { return coc_; }
    toolkit::TControl* OwnerControl() const { return owner_; }
    // The section's index in the loaded skin; -1 while the control is not skinned.
    int SkinIndex() const { return skinIndex_; }
    // True until the owner has finished loading: nothing is painted or invalidated meanwhile.
    bool Loading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }

private:
    bool customColor_ = false;
    bool customFont_ = false;
    TsSkinManager* skinManager_ = nullptr;
    platform::String skinSection_;
    TacOuterEffects outerEffects_;
    toolkit::TControl* owner_;
    int coc_;
    int skinIndex_ = -1;
    bool loading_ = true;
};

} // namespace skin
