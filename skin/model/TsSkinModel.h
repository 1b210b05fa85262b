// One loaded skin: image elements (ma), sections (gd), outer effects (oe), global values, palette
// and the indexes painting needs, resolved once per load. Built whole or not at all.
#pragma once

#include "skin/model/SkinRecords.h"
#include "skin/model/SkinSource.h"
#include "skin/options/SkinIniFile.h"

#include "platform/core/Bitmap.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

// The system's colours and metrics that stand in for what a skin leaves out.
struct SystemValues {
    platform::COLORREF BtnFace = 0xF0F0F0;
    platform::COLORREF Window = 0xFFFFFF;
    platform::COLORREF WindowText = 0;
    platform::COLORREF InfoText = 0;
    platform::COLORREF InfoBk = 0xE1FFFF;
    platform::COLORREF Highlight = 0xD77800;
    platform::COLORREF HighlightText = 0xFFFFFF;
    platform::COLORREF InactiveBorder = 0xFCF7F4;
    int FrameWidth = 4;

    static SystemValues FromPlatform();
};

struct SkinLoadSettings {
    int HueOffset = 0;
    int Saturation = 0;
    int Brightness = 0;
    int ScaleIndex = 0; // 0: 100 %, 1: 125 %, 2: 150 %
    bool ExtendedBorders = false;
    bool DesktopComposition = true;
    // Extra options text merged into every skin, one line an entry.
    std::vector<std::string> CommonSections;
    SystemValues System;
};

class SkinModelBuilder;

class TsSkinModel {
public:
    std::vector<TsMaskData> ma;
    std::vector<TsGeneralData> gd;
    std::array<TacOutEffData, 2> oe; // 0: lowered ("LO_"), 1: shadow ("SH_")
    TConstantSkinData ConstData;
    platform::Bitmap MasterBitmap;
    std::vector<TacExtFileData> ExtArray;
    platform::Bitmap ShdaTemplate;
    platform::Bitmap ShdiTemplate;
    TsSkinData CommonSkinData;
    TacPalette Palette{};
    platform::RECT FormShadowSize;

    TsSkinModel();
    TsSkinModel(const TsSkinModel&) = delete;
    TsSkinModel& operator=(const TsSkinModel&) = delete;

    // Builds a model from a skin's options text and pictures. Throws ConversionError for a value
    // that cannot be converted and platform::ImageError for a picture that cannot be decoded.
    static std::unique_ptr<TsSkinModel> Load(const SkinSource& source, const SkinLoadSettings& settings);
    // The same with the options text already read.
    static std::unique_ptr<TsSkinModel> Load(const SkinSource& source, SkinIniFile options,
                                             const SkinLoadSettings& settings);

    // Lookups by exact, case-sensitive names; -1 for anything absent.
    int GetSkinIndex(std::string_view skinSection) const;
    int GetMaskIndex(int skinIndex, std::string_view skinSection, std::string_view propName) const;
    int GetMaskIndex(std::string_view skinSection, std::string_view propName) const;
    int GetMaskIndex(int skinIndex, std::string_view propName) const;
    int GetTextureIndex(int skinIndex, std::string_view skinSection, std::string_view propName) const;
    int GetTextureIndex(int skinIndex, std::string_view propName) const;
    bool IsValidSkinIndex(int i) const { return i >= 0 && i < int(gd.size()); }
    bool IsValidImgIndex(int i) const { return i >= 0 && i < int(ma.size()); }

    int GetGlobalColor() const { return Palette[int(TacPaletteColors::pcMainColor)]; }
    int GetGlobalFontColor() const { return Palette[int(TacPaletteColors::pcLabelText)]; }
    int GetActiveEditColor() const { return Palette[int(TacPaletteColors::pcEditBG)]; }
    int GetActiveEditFontColor() const { return Palette[int(TacPaletteColors::pcEditText)]; }
    int GetHighLightColor(bool focused) const;
    int GetHighLightFontColor(bool focused) const;

    // The picture an element is cut from.
    const platform::Bitmap& SourceBitmap(const TsMaskData& mask) const { return mask.Bmp ? *mask.Bmp : MasterBitmap; }
    // The ExtArray file an element's picture came from, empty for the master bitmap.
    std::string_view ExternalFileName(const TsMaskData& mask) const;

    // Appends an element and keeps the lookups current.
    int AddMask(TsMaskData mask);
    int AddSection(TsGeneralData section);

private:
    friend class SkinModelBuilder;

    int FindOwnMask(int skinIndex, std::string_view propName, bool texturesOnly) const;
    int FindWithParents(int skinIndex, std::string_view skinSection, std::string_view propName, bool texturesOnly) const;

    std::unordered_map<std::string, int> sectionIndex_;
    // Element indexes of each section, for the lookups by section index.
    std::vector<std::vector<int>> sectionMasks_;
};

} // namespace skin
