// The records of a loaded skin: image elements, sections with their states, outer effects, the
// skin's global values, the palette and the indexes resolved once per load.
#pragma once

#include "skin/options/SkinSections.h"
#include "skin/options/ValueForms.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

inline constexpr std::array<std::string_view, 5> ImgTypeNames = {"itisaBorder", "itisaTexture", "itisaGlyph",
                                                                 "itisaGlow", "itisaPngGlyph"};
static_assert(ImgTypeNames.size() == std::size_t(TacImgType::itisaPngGlyph) + 1);

// One image element: one image-valued key of the options text.
struct TsMaskData {
    platform::Bitmap* Bmp = nullptr; // external image, owned by ExtArray; none: the master bitmap
    std::string ClassName;
    std::string PropertyName;
    platform::RECT R;
    std::int16_t ImageCount = 0;
    std::int16_t MaskType = 0;
    std::int16_t BorderWidth = 0;
    std::int16_t DrawMode = 0;
    TacImgType ImgType = TacImgType::itisaBorder;
    std::int16_t WL = 0, WT = 0, WR = 0, WB = 0;
    int CornerType = 0;
    int SkinIndex = -1;
    int Width = 0;
    int Height = 0;
};

struct TsFontColor {
    int Color = 0;
    int Left = -1, Top = -1, Right = -1, Bottom = -1;
};

struct TsGenState {
    int GlowSize = 0;
    int ImagePercent = 0;
    int TextureIndex = -1;
    int Transparency = 0;
    int GradientPercent = 0;
    int Color = 0xFFFFFF;
    int GlowColor = 0xFFFFFF;
    TsFontColor FontColor;
    std::vector<TsGradPie> GradientArray;
};

// One section of the options text.
struct TsGeneralData {
    std::string ParentClass;
    std::string ClassName;
    std::array<TsGenState, 3> Props; // normal, hot, pressed
    bool UseState2 = false;
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    int States = 3;
    int ScrollBorderOffset = -2;
    int GlowCount = 0;
    int GlowMargin = 0;
    int GlowSize = 0;
    int HotGlowSize = 0;
    int BorderIndex = -1;
    int ImgTL = -1, ImgTR = -1, ImgBL = -1, ImgBR = -1;
    int HotGlowColor = 0;
    int GlowColor = 0;
    int OuterMode = 2;
    int OuterMask = -1;
    int OuterOpacity = 200;
    platform::RECT OuterOffset;
};

struct TacOutEffData {
    int ColorL = 0, ColorT = 0, ColorR = 0, ColorB = 0;
    int OffsetL = 0, OffsetT = 0, OffsetR = 0, OffsetB = 0;
    int WidthL = -1, WidthT = -1, WidthR = -1, WidthB = -1;
    int Mask = -1;
    int Source = 2;
    int Opacity = 0;
};

// The skin's global values.
struct TsSkinData {
    bool Active = false;
    bool UseAeroBluring = false;
    std::string Author;
    std::string SkinPath;
    std::string Description;
    int Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
    int ExBorderWidth = 4, ExTitleHeight = 30, ExMaxHeight = 30, ExContentOffs = 0, ExCenterOffs = -1,
        ExDrawMode = 0;
    int ExShadowOffs = 0, ExShadowOffsR = 0, ExShadowOffsT = 0, ExShadowOffsB = 0;
    int BISpacing = 0, BIVAlign = 0, BIRightMargin = 0, BILeftMargin = 0, BITopMargin = 0, BIKeepHUE = 0;
    int ComboBoxMargin = 2, SliderMargin = 1;
    int BrightMin = -50, BrightMax = 50;
    int TabsCovering = 0, RibbonCovering = 0;
    int FXColor = 0;
    int Shadow1Color = 0;
    int SysInactiveBorderColor = 0;
    double Version = 0;
};

// An external image, loaded once and shared by every element naming the same file.
struct TacExtFileData {
    std::unique_ptr<platform::Bitmap> Bmp;
    std::string FileName; // upper-cased as the options text names it
    int MaskType = 0;
};

enum class TacPaletteColors {
    pcMainColor, pcLabelText, pcWebText, pcWebTextHot, pcEditText, pcEditBG, pcSelectionBG,
    pcSelectionText, pcSelectionBG_Focused, pcSelectionText_Focused, pcEditBG_Inverted,
    pcEditText_Inverted, pcEditBG_OddRow, pcEditBG_EvenRow, pcEditText_Ok, pcEditText_Warning,
    pcEditText_Alert, pcEditText_Caution, pcEditText_Bypassed, pcEditBG_Ok, pcEditBG_Warning, pcEditBG_Alert,
    pcEditBG_Caution, pcEditBG_Bypassed, pcEditText_Highlight1, pcEditText_Highlight2, pcEditText_Highlight3,
    pcBorder, pcHintBG, pcHintText,
};
inline constexpr int PaletteCount = int(TacPaletteColors::pcHintText) + 1;
inline constexpr std::array<std::string_view, PaletteCount> PaletteNames = {
    "pcMainColor", "pcLabelText", "pcWebText", "pcWebTextHot", "pcEditText", "pcEditBG", "pcSelectionBG",
    "pcSelectionText", "pcSelectionBG_Focused", "pcSelectionText_Focused", "pcEditBG_Inverted",
    "pcEditText_Inverted", "pcEditBG_OddRow", "pcEditBG_EvenRow", "pcEditText_Ok", "pcEditText_Warning",
    "pcEditText_Alert", "pcEditText_Caution", "pcEditText_Bypassed", "pcEditBG_Ok", "pcEditBG_Warning",
    "pcEditBG_Alert", "pcEditBG_Caution", "pcEditBG_Bypassed", "pcEditText_Highlight1", "pcEditText_Highlight2",
    "pcEditText_Highlight3", "pcBorder", "pcHintBG", "pcHintText",
};
static_assert(PaletteCount == 30);
using TacPalette = std::array<int, PaletteCount>;

enum class TacTitleGlyph {
    tgCloseAlone, tgClose, tgMax, tgMin, tgNormal, tgHelp, tgSmallClose, tgSmallMax, tgSmallMin,
    tgSmallNormal, tgSmallHelp, tgUser,
};
inline constexpr std::array<std::string_view, 12> TitleGlyphKeys = {
    "BICLOSEALONE", "BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM", "BICONHELP",
    "SICONCLOSE", "SICONMAX", "SICONMIN", "SICONNORM", "SICONHELP", "TITLEBUTTON",
};
static_assert(TitleGlyphKeys.size() == std::size_t(TacTitleGlyph::tgUser) + 1);

// The five title buttons with glow images and glow margins, in the order of TitleGlows.
inline constexpr std::array<std::string_view, 5> GlowingTitleButtons = {"BICLOSEALONE", "BICONCLOSE", "BICONMAX",
                                                                        "BICONMIN", "BICONNORM"};

struct TacConstElementData {
    int SkinIndex = -1;
    int MaskIndex = -1;
    int GlyphIndex = -1;
    std::array<int, 3> BGIndex = {-1, -1, -1};
    std::string SkinSection;
};

struct TacTrackBarData {
    int SkinIndex = -1;
    int MaskIndex = -1;
    int GlyphIndex = -1;
    std::array<int, 2> BGIndex = {-1, -1};
    int TickIndex = -1;
    int ProgIndex = -1;
    int SlideIndex = -1;
};

struct TConstantSkinData {
    int IndexGLobalInfo = -1;
    std::array<int, TacSectionCount> Sections;
    std::array<std::array<TacConstElementData, 4>, 4> Tabs; // [TacTabLayout][TacSide]
    std::array<TacConstElementData, 4> Scrolls, ScrollBtns, UpDownBtns; // [TacSide]
    std::array<TacConstElementData, 2> Sliders; // [false] horizontal, [true] vertical
    TacConstElementData MenuItem, ComboBtn;
    std::array<std::vector<int>, 7> TitleGlows;
    std::array<int, 7> GlowMargins;
    std::array<int, TitleGlyphKeys.size()> TitleGlyphs;
    std::array<int, 2> RadioButton = {-1, -1};
    std::array<int, 3> CheckBox = {-1, -1, -1};
    std::array<int, 3> SmallCheckBox = {-1, -1, -1};
    std::array<TacTrackBarData, 2> TrackBar; // [false] vertical, [true] horizontal
    int ExBorder = -1, GripRightBottom = -1, GripHorizontal = -1, GripVertical = -1;

    TConstantSkinData()
    {
        Sections.fill(-1);
        GlowMargins.fill(-1);
        TitleGlyphs.fill(-1);
    }
};

} // namespace skin
