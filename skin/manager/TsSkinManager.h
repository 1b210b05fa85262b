// The component that owns the current skin: finds it by name, loads it into a new model beside
// the old one, swaps on success, and announces it to every window with SM_VELTACMD.
#pragma once

#include "skin/manager/SkinBroadcaster.h"
#include "skin/manager/SkinLoading.h"
#include "skin/model/TsSkinModel.h"
#include "skin/package/SkinLocator.h"
#include "skin/package/TsStoredSkins.h"

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "toolkit/Types.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skin {

class TacDialogHook;

enum class TacSkinningRule { srStdForms, srStdDialogs, srThirdParty };

struct TacSkinningRules {
    bool srStdForms = true;
    bool srStdDialogs = true;
    bool srThirdParty = true;
};

enum class TacScaleMode { sm100, sm125, sm150, smAuto, smOldMode };
enum class TacOptimizingPriority { opSpeed, opMemory };

struct TacOptions {
    bool NoMouseHover = false;
    bool StdGlyphsOrder = false;
    bool CheckEmptyAlpha = false;
    bool ChangeSysColors = false;
    bool NativeBordersMaximized = false;
    TacScaleMode ScaleMode = TacScaleMode::smOldMode;
    TacOptimizingPriority OptimizingPriority = TacOptimizingPriority::opSpeed;
};

// The effects controls may show: state changes as cross-fades, and glows around hot controls.
struct TacSkinEffects {
    bool AllowAnimation = true;
    bool AllowGlowing = true;
    // Glyphs of controls at rest are drawn grey.
    bool DiscoloredGlyphs = false;
};

// How skinned buttons show focus and presses.
struct TacButtonsOptions {
    bool ShowFocusRect = true;
    // Glyph and caption move one pixel right and down while pressed.
    bool ShiftContentOnClick = true;
};

// Which state changes of buttons fade (a button's own AnimatEvents may defer to these).
enum TacBtnEvent { beMouseEnter, beMouseLeave, beMouseDown, beMouseUp };
using TacBtnEvents = toolkit::Set<TacBtnEvent>;
struct TacBtnEffects {
    TacBtnEvents Events{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp};
};
struct TacAnimEffects {
    TacBtnEffects Buttons;
};

// The 23 kinds of plain controls that can be skinned by class name.
inline constexpr int ThirdPartyKindCount = 23;
inline constexpr std::array<std::string_view, ThirdPartyKindCount> ThirdPartyNames = {
    "ThirdEdits", "ThirdButtons", "ThirdBitBtns", "ThirdCheckBoxes", "ThirdComboBoxes", "ThirdGrids",
    "ThirdGroupBoxes", "ThirdListViews", "ThirdPanels", "ThirdTreeViews", "ThirdWWEdits", "ThirdGridEh",
    "ThirdVirtualTrees", "ThirdPageControl", "ThirdTabControl", "ThirdToolBar", "ThirdStatusBar",
    "ThirdSpeedButton", "ThirdScrollControl", "ThirdUpDown", "ThirdScrollBar", "ThirdStaticText",
    "ThirdNativePaint",
};

// The block of the live preview channel: magic, skin name, skin folder, options text.
struct TacSkinData {
    static constexpr std::size_t Size = 30645;
    static constexpr std::uint32_t MagicValue = 0xA400;
    static constexpr std::size_t NameOffset = 4, NameSize = 128;
    static constexpr std::size_t DirOffset = 132, DirSize = 512;
    static constexpr std::size_t DataOffset = 644, DataSize = 30001;
};
static_assert(TacSkinData::DataOffset + TacSkinData::DataSize == TacSkinData::Size);
inline constexpr platform::WPARAM PreviewCopyDataKind = 7;

// What the manager needs from the program around it; every member has a working default.
struct SkinManagerHost {
    // A message box (by default sMessageDlg, titled by its icon's type): error boxes are skinned
    // dialogs, plain ones (wrong magic, version warning) are shown while dialog skinning is off.
    // Answers the button pressed.
    std::function<int(const std::string& text, platform::UINT type)> ShowMessage;
    std::function<SystemValues()> System;
    std::function<platform::String()> ProgramDirectory;
    // The window the live preview block arrives at (the application window).
    platform::HWND ApplicationWindow = nullptr;
    // Whether desktop composition is on (it decides the premultiplication of PNG pictures).
    bool DesktopComposition = true;
};

class TsSkinManager {
public:
    explicit TsSkinManager(SkinManagerHost host = {});
    ~TsSkinManager();
    TsSkinManager(const TsSkinManager&) = delete;
    TsSkinManager& operator=(const TsSkinManager&) = delete;

    // The first manager constructed; skinned controls without a manager of their own use it.
    static TsSkinManager* DefaultManager();
    // Process-wide: the model is being replaced and must not be painted from.
    static bool SkinChanging();
    static bool DrawingRestricted();
    // The platform's switch for the newest common dialogs; the default manager keeps it off
    // while it skins standard dialogs.
    static bool UseLatestCommonDialogs();

    // Published properties.
    const platform::String& SkinName() const { return skinName_; }
    void SetSkinName(platform::StringView name);
    const platform::String& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(platform::StringView directory);
    bool Active() const { return active_; }
    void SetActive(bool active);
    bool IsDefault() const { return DefaultManager() == this; }
    TsStoredSkins& InternalSkins() { return internalSkins_; }
    const TsStoredSkins& InternalSkins() const { return internalSkins_; }
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    int Brightness() const { return brightness_; }
    void SetBrightness(int value);

    TacSkinningRules SkinningRules;
    TacOptions Options;
    TacSkinEffects Effects;
    TacButtonsOptions ButtonsOptions;
    TacAnimEffects AnimEffects;
    std::array<platform::String, ThirdPartyKindCount> ThirdParty;
    std::array<std::vector<platform::String>, ThirdPartyKindCount> ThirdLists;
    bool ExtendedBorders = false;
    bool SkinnedPopups = true;
    std::vector<std::string> CommonSections;
    platform::String SkinInfo;
    platform::String Version;

    std::function<void()> OnActivate, OnDeactivate, OnBeforeChange, OnAfterChange, OnSkinLoading,
        OnSkinListChanged, OnScaleModeChange;
    // A system dialog is about to be skinned; clearing allow leaves it plain.
    std::function<void(platform::HWND dialog, bool& allow)> OnSysDlgInit;
    // The windows the dialog hook has taken over; null while no hook is installed.
    const TacDialogHook* DialogHook() const { return formHook_.get(); }

    // The design data has been applied: the stored properties are in place.
    void Loaded();
    bool Loading() const { return loading_; }

    // The loaded skin; null while none is loaded.
    const TsSkinModel* Model() const { return model_.get(); }
    TsSkinModel* Model() { return model_.get(); }
    // The global values; with no skin loaded, those of an empty skin.
    const TsSkinData& CommonSkinData() const { return model_ ? model_->CommonSkinData : emptyData_; }

    platform::String GetFullSkinDirectory() const;
    platform::String GetSkinNames(std::vector<platform::String>& names, TacSkinTypes types) const;
    platform::String GetExternalSkinNames(std::vector<platform::String>& names, TacSkinTypes types) const;
    void ExtractInternalSkin(platform::StringView name, platform::StringView destinationFolder);
    void ExtractByIndex(int index, platform::StringView destinationFolder);

    void UpdateSkin(bool repaint = true);
    void RepaintForms(bool lockForms = true);
    void UpdateSkinSection(platform::StringView sectionName);
    void BeginUpdate();
    void EndUpdate(bool repaint = true, bool allowAnimation = true);
    void UpdateCurrentSkin();
    void SendNewSkin(bool allowAnimation = true);
    void SendRemoveSkin();
    // Applies a change of Options.ChangeSysColors at once.
    void SetChangeSysColors(bool on);
    bool SysColorsReplaced() const { return sysColorsReplaced_; }

    bool SkinIsPacked() const { return skinIsPacked_; }
    bool SkinRemoving() const { return skinRemoving_; }
    bool NoAutoUpdate() const { return noAutoUpdate_; }
    int ScaleIndex() const;

    SkinBroadcaster& Broadcaster() { return broadcaster_; }
    const SkinManagerHost& Host() const { return host_; }

    // The application window's messages the manager takes: WM_COPYDATA of the live preview, its
    // own AC_COPYDATA, the engine's $B000 (every form gets AC_INVALIDATE) and the theme-change
    // notification (swallowed). Answers true when the message was handled (result in *result).
    bool HandleApplicationMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam,
                                  platform::LRESULT* result);
    bool PreviewMode() const { return previewMode_; }

    // The control under the mouse; the hot-control timer tells activeGraphControl when the mouse
    // has left activeControl's window.
    void SetActiveControl(platform::HWND activeControl, platform::HWND activeGraphControl);
    platform::HWND ActiveControl() const { return activeControl_; }
    // One tick of the hot-control timer (public for tests).
    void CheckHotControl();

private:
    SkinLoadSettings LoadSettings() const;
    SkinLoadMessages LoadMessages();
    // Loads the named skin into a new model and swaps it in; answers false after reporting an error.
    bool ReloadSkin(platform::StringView oldName);
    void ApplyNewModel(std::unique_ptr<TsSkinModel> model);
    void ShowError(const std::string& text);
    void ShowPlain(const std::string& text, platform::UINT type);
    void FillThirdLists();
    void LoadPreviewBlock();
    void SetCommonActive(bool active);
    void InstallSysColors();
    void RemoveSysColors();

    SkinManagerHost host_;
    SkinBroadcaster broadcaster_;
    platform::String skinName_;
    platform::String skinDirectory_;
    bool active_ = true;
    bool loading_ = false;
    TsStoredSkins internalSkins_;
    int hueOffset_ = 0;
    int saturation_ = 0;
    int brightness_ = 0;
    std::unique_ptr<TsSkinModel> model_;
    TsSkinData emptyData_;
    bool skinIsPacked_ = false;
    bool skinRemoving_ = false;
    bool noAutoUpdate_ = false;
    bool previewMode_ = false;
    bool previewPending_ = false;
    std::vector<std::uint8_t> previewBuffer_;
    platform::HWND activeControl_ = nullptr;
    platform::HWND activeGraphControl_ = nullptr;
    platform::UINT_PTR hotTimer_ = 0;
    // The skin answers the process's colour queries (ChangeSysColors).
    bool sysColorsReplaced_ = false;
    // Gives forms their skin providers and takes message windows over while a skin is in force
    // (default manager only).
    std::unique_ptr<TacDialogHook> formHook_;
};

} // namespace skin
