// The skin data every skinned control owns (its SkinData): the section it is drawn from, the
// indexes resolved in the loaded skin, its cache picture with the flags that say when the cache
// must be rebuilt, the hot and focus marks, its running animation and its glow.
#pragma once

#include "skin/controls/ControlObjectCodes.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "platform/graphics/DeviceContext.h"
#include "toolkit/Messages.h"

#include <memory>

namespace toolkit {
class TControl;
class TWinControl;
}

namespace skin {

class TsSkinManager;
class TsSkinModel;
struct TsGeneralData;
class TacThreadedTimer;

enum TacOuterVisibility { ovNone = 0, ovAlways = 1 };

class TacOuterEffects {
public:
    TacOuterVisibility Visibility() const { return visibility_; }
    void SetVisibility(TacOuterVisibility value) { visibility_ = value; }

private:
    TacOuterVisibility visibility_ = ovNone;
};

inline constexpr platform::COLORREF clNotSet = 0x1FFFFFFF;

// CtrlSkinState bits.
inline constexpr platform::WORD ACS_FAST = 0x1, ACS_BGUNDEF = 0x2, ACS_PRINTING = 0x200, ACS_MNUPDATING = 0x400,
                                ACS_LOCKED = 0x800, ACS_FOCUSCHANGING = 0x1000, ACS_CHANGING = 0x2000,
                                ACS_BGRECEIVING = 0x4000;

// BGType bits: the edges the section's background is anchored to.
inline constexpr platform::WORD BGT_GRADIENTHORZ = 1, BGT_GRADIENTVERT = 2, BGT_STRETCH = 4, BGT_TEXTURELEFT = 0x10,
                                BGT_TEXTURETOP = 0x20, BGT_TEXTURERIGHT = 0x40, BGT_TEXTUREBOTTOM = 0x80;

class TsCommonData {
public:
    // createCache: the owner paints through a cache picture (made at once, empty).
    TsCommonData(toolkit::TControl* owner, int coc, bool createCache = true);
    virtual ~TsCommonData();
    TsCommonData(const TsCommonData&) = delete;
    TsCommonData& operator=(const TsCommonData&) = delete;

    // Published properties.
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
    // The owner when it has a window of its own.
    toolkit::TWinControl* OwnerWinControl() const;
    // The section's index in the loaded skin; -1 while the control is not skinned.
    int SkinIndex() const { return skinIndex_; }
    // True until the owner has finished loading: nothing is painted or invalidated meanwhile.
    bool Loading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }

    // The manager in force (its own or the default one) and its loaded skin; null without one.
    TsSkinManager* Manager() const;
    const TsSkinModel* Model() const;
    // The section in use; null when not skinned.
    const TsGeneralData* Section() const;

    // Resolves the section (when resolveIndex) and the indexes that depend on it, and decides the
    // state bits again.
    void UpdateIndexes(bool resolveIndex = true);
    // Skinning is gone: every index becomes -1.
    void ForgetIndexes();
    // The section index for an empty SkinSection; -1 when none.
    int UpdateData() const;
    // Marks the cache out of date and repaints the owner (synchronously when immediately).
    void Invalidate(bool immediately = false);
    void BeginUpdate();
    void EndUpdate(bool repaint = false);
    // A manager that is not being destroyed, a valid section, an owner not being destroyed (and,
    // when checkActive, a skin in force).
    bool Skinned(bool checkActive = false) const;
    // Enabled, visible and focused or (unless hovering is off) under the mouse.
    bool ControlIsActive() const;
    // Active by the mouse alone (the focus left aside).
    bool ActiveByMouse() const;
    // Decides ACS_FAST; the children are told to decide theirs again when passToChildren.
    void UpdateSkinState(bool passToChildren = true);
    // The state index the owner is in by the mouse and the focus (0 or 1).
    int CurrentState() const { return ControlIsActive() ? 1 : 0; }
    // Whether the section's background depends on the control's place in its parent.
    bool BgDependsOnPosition() const;
    // Stops the running animation, leaving the control at its cache picture.
    void StopAnimation();
    // Sends a skin command to the owner and answers its result.
    platform::LRESULT SendCommand(platform::WORD command, platform::LPARAM lParam = 0, platform::WORD argument = 0) const;

    // State, by their engine names.
    platform::COLORREF SavedColor = clNotSet;
    platform::COLORREF SavedFontColor = clNotSet;
    bool FFocused = false;
    bool FUpdating = false;
    bool FMouseAbove = false;
    bool HalfVisible = true;
    int GlowID = -1;
    int Texture = -1;
    int BorderIndex = -1;
    int ScalePercent = 100;
    int FUpdateCount = 0;
    int HotTexture = -1;
    platform::HDC PrintDC = nullptr;
    // The finished image of the control, as large as the control; null when the owner paints
    // without one.
    std::unique_ptr<platform::Bitmap> FCacheBmp;
    std::unique_ptr<platform::Bitmap> FOuterCache;
    std::unique_ptr<TacThreadedTimer> AnimTimer;
    // The scroll-bar hook object of a windowed control; none yet.
    void* FSWHandle = nullptr;
    // The owner: a control, or a form's skin provider (then OwnerControl is null).
    void* FOwnerObject = nullptr;
    // The owner's own window procedure, remembered when it is a windowed control.
    toolkit::TWndMethod WndProc;
    platform::WORD BGType = 0;
    platform::WORD CtrlSkinState = ACS_BGUNDEF;
    platform::RECT InvalidRectH{}, InvalidRectV{};
    bool BGChanged = true;

private:
    void ComputeBGType();
    bool DecideFast() const;

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
