// Builds a TsSkinModel in the order the painting side relies on: image elements, sections and
// palette (with the colour adjustments), constant indexes, element sizes, shadow templates.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/options/SkinIniFile.h"

#include <string>
#include <string_view>

namespace skin {

class SkinModelBuilder {
public:
    SkinModelBuilder(TsSkinModel& model, const SkinSource& source, SkinIniFile options, const SkinLoadSettings& settings);

    void Build();

    // The steps, public for tests that follow them one by one.
    void LoadAllMasks();
    void LoadAllGeneralData();
    void InitConstantIndexes();
    void InitMaskIndexes();

    static double ReadVersion(const SkinIniFile& ini);

private:
    // MaskLoading.cpp
    void LoadMasterBitmap();
    void MakeElement(int sectionIndex, std::string_view className, std::string_view key, const std::string& value);
    platform::Bitmap* LoadExternal(const std::string& upperName, int maskType);
    int ComputeCornerType(const TsMaskData& mask) const;
    void LoadCommonBitmaps();

    // GeneralData.cpp
    void LoadGlobalData();
    void LoadOuterEffect(TacOutEffData& effect, std::string_view prefix, const int (&defaults)[8], int defaultOpacity);
    void MakeOuterMask(TacOutEffData& effect, std::string_view prefix);
    static TsGenState FillProps(const SkinIniFile& ini, std::string_view section, int state);
    static TsGeneralData ReadSection(const SkinIniFile& ini, std::string_view name);
    void MergeCommonSections();
    void FillPalette();
    void AppendPlainSection(std::string_view name, int transparency, int color);

    // ColorAdjustments.cpp
    void ApplyColorAdjustments();
    void AdjustHue();
    void AdjustSaturation();
    void AdjustBrightness();

    // ConstantIndexes.cpp
    TacConstElementData ResolveElement(std::string_view name, std::string_view fallback1 = {},
                                       std::string_view fallback2 = {}) const;
    int GlobalElement(std::string_view key) const;
    void MakeShadowTemplates();

    int GlobalInt(std::string_view key, int def) const;

    TsSkinModel& model_;
    const SkinSource& source_;
    const SkinLoadSettings& settings_;
    SkinIniFile ini_;
    std::string globalInfo_ = "GLOBALINFO";
    std::string masterName_;
};

// A conversion error names the value it came from.
[[noreturn]] void ThrowWithContext(const std::exception& error, std::string_view section, std::string_view key);

} // namespace skin
