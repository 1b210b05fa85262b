// The finished picture of a skinned bit or speed button, painted into its cache in the order the
// look depends on: section background, border (under or over the content), colour effects,
// caption with its focus outline, glyph, the owner's paint event, the disabled look. The button
// gathers what it knows of itself into these records; painting reads nothing else.
#pragma once

#include "skin/controls/ButtonLayout.h"
#include "skin/controls/ButtonStates.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/CacheInfo.h"
#include "skin/paint/ColorEffects.h"

#include "platform/core/Bitmap.h"
#include "platform/graphics/Region.h"
#include "toolkit/TBitmap.h"

#include <functional>
#include <optional>

namespace skin {

class TsSkinManager;

// The section a button is painted from, and what lies behind it.
struct ButtonSkin {
    const TsSkinModel* Model = nullptr;
    const TsSkinManager* Manager = nullptr;
    int SkinIndex = -1;
    int State = 0; // the button's state, 0..3
    // The parent background with X, Y at the button's place in it.
    TCacheInfo CI;
    int Texture = -1;
    int HotTexture = -1;
    TacColorEffects Effects;
    bool CustomFont = false;
};

// What the button shows on its face.
struct ButtonContent {
    platform::String Caption;
    platform::HFONT Font = nullptr;
    platform::COLORREF FontColor = 0; // used with CustomFont
    const toolkit::TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    toolkit::TButtonLayout Layout = toolkit::blGlyphLeft;
    int Margin = -1;
    int Spacing = 4;
    bool RightToLeft = false;
    toolkit::TVerticalAlignment VerticalAlignment = toolkit::taVerticalCenter;
    TsButtonSkinProperties Props;
    bool WordWrap = true;
    bool UseEllipsis = true;
    bool Enabled = true;
    // Manager options.
    bool ShiftContentOnClick = true;
    bool DiscoloredGlyphs = false;
    // The focus outline around the caption (bit buttons with the focus).
    bool ShowFocusFrame = false;
    int FocusMargin = 1;
    std::function<void(platform::Bitmap&)> OnPaint;
};

struct ButtonPictureResult {
    toolkit::TPoint GlyphPos{};
    toolkit::TRect CaptionRect{};
    // The window region a border with transparent corners cuts, when one was asked for.
    std::optional<platform::Region> Region;
};

// The bit button's picture. wantRegion: a border mask of corner type 2 may cut the window region
// (the button decides whether that is allowed now).
ButtonPictureResult PaintBitBtnPicture(const ButtonSkin& skin, const ButtonContent& content, bool wantRegion,
                                       platform::Bitmap& cache);

// The speed button's picture (style button or check; no region, no focus).
ButtonPictureResult PaintSpeedButtonPicture(const ButtonSkin& skin, const ButtonContent& content,
                                            TacGrayedMode grayedMode, platform::Bitmap& cache);

struct PushButtonLook {
    bool SplitButton = false;   // a line and an arrow mark the drop-down part on the right
    int ContentMargin = 6;
};

// The push button's picture: background, border (always under the caption), effects, the
// caption centred, the split part, the focus outline, the disabled look.
ButtonPictureResult PaintPushButtonPicture(const ButtonSkin& skin, const ButtonContent& content,
                                           const PushButtonLook& look, bool wantRegion, platform::Bitmap& cache);

// The caption's size as the button measures it: in MaxCaptionWidth with the caption flags.
toolkit::TSize MeasureButtonCaption(const ButtonContent& content, int controlWidth);

} // namespace skin
