#include "skin/model/TsSkinModel.h"

#include "skin/options/SkinLookups.h"

#include "platform/frame/SystemMetrics.h"

namespace skin {

SystemValues SystemValues::FromPlatform()
{
    SystemValues v;
    v.BtnFace = platform::GetSysColor(platform::COLOR_BTNFACE);
    v.Window = platform::GetSysColor(platform::COLOR_WINDOW);
    v.WindowText = platform::GetSysColor(platform::COLOR_WINDOWTEXT);
    v.InfoText = platform::GetSysColor(platform::COLOR_INFOTEXT);
    v.InfoBk = platform::GetSysColor(platform::COLOR_INFOBK);
    v.Highlight = platform::GetSysColor(platform::COLOR_HIGHLIGHT);
    v.HighlightText = platform::GetSysColor(platform::COLOR_HIGHLIGHTTEXT);
    v.InactiveBorder = platform::GetSysColor(platform::COLOR_INACTIVEBORDER);
    v.FrameWidth = platform::GetSystemMetrics(platform::SM_CXFRAME);
    return v;
}

TsSkinModel::TsSkinModel() = default;

int TsSkinModel::AddMask(TsMaskData mask)
{
    const int index = int(ma.size());
    if (mask.SkinIndex >= 0) {
        if (std::size_t(mask.SkinIndex) >= sectionMasks_.size())
            sectionMasks_.resize(std::size_t(mask.SkinIndex) + 1);
        sectionMasks_[std::size_t(mask.SkinIndex)].push_back(index);
    }
    ma.push_back(std::move(mask));
    return index;
}

int TsSkinModel::AddSection(TsGeneralData section)
{
    const int index = int(gd.size());
    sectionIndex_.emplace(section.ClassName, index);
    gd.push_back(std::move(section));
    return index;
}

int TsSkinModel::GetSkinIndex(std::string_view skinSection) const
{
    if (skinSection.empty())
        return -1;
    auto it = sectionIndex_.find(std::string(skinSection));
    return it == sectionIndex_.end() ? -1 : it->second;
}

int TsSkinModel::FindOwnMask(int skinIndex, std::string_view propName, bool texturesOnly) const
{
    if (skinIndex < 0 || std::size_t(skinIndex) >= sectionMasks_.size())
        return -1;
    for (int i : sectionMasks_[std::size_t(skinIndex)]) {
        const TsMaskData& m = ma[std::size_t(i)];
        if (m.PropertyName == propName && (!texturesOnly || m.ImgType == TacImgType::itisaTexture))
            return i;
    }
    return -1;
}

// A parent naming the section itself ends the walk; so does a chain longer than the options
// lookups follow, which also ends every loop.
int TsSkinModel::FindWithParents(int skinIndex, std::string_view skinSection, std::string_view propName,
                                 bool texturesOnly) const
{
    for (int steps = 0; steps < MaxParentChain && skinIndex >= 0; ++steps) {
        const int found = FindOwnMask(skinIndex, propName, texturesOnly);
        if (found >= 0)
            return found;
        if (!IsValidSkinIndex(skinIndex))
            return -1;
        const std::string& parent = gd[std::size_t(skinIndex)].ParentClass;
        if (parent.empty() || parent == skinSection)
            return -1;
        skinIndex = GetSkinIndex(parent);
        skinSection = parent;
    }
    return -1;
}

int TsSkinModel::GetMaskIndex(int skinIndex, std::string_view skinSection, std::string_view propName) const
{
    return FindWithParents(skinIndex, skinSection, propName, false);
}

int TsSkinModel::GetMaskIndex(std::string_view skinSection, std::string_view propName) const
{
    for (std::size_t i = 0; i < ma.size(); ++i)
        if (ma[i].ClassName == skinSection && ma[i].PropertyName == propName)
            return int(i);
    return -1;
}

int TsSkinModel::GetMaskIndex(int skinIndex, std::string_view propName) const
{
    if (!IsValidSkinIndex(skinIndex))
        return FindOwnMask(skinIndex, propName, false);
    return FindWithParents(skinIndex, gd[std::size_t(skinIndex)].ClassName, propName, false);
}

int TsSkinModel::GetTextureIndex(int skinIndex, std::string_view skinSection, std::string_view propName) const
{
    return FindWithParents(skinIndex, skinSection, propName, true);
}

int TsSkinModel::GetTextureIndex(int skinIndex, std::string_view propName) const
{
    if (!IsValidSkinIndex(skinIndex))
        return FindOwnMask(skinIndex, propName, true);
    return FindWithParents(skinIndex, gd[std::size_t(skinIndex)].ClassName, propName, true);
}

int TsSkinModel::GetHighLightColor(bool focused) const
{
    return Palette[int(focused ? TacPaletteColors::pcSelectionBG_Focused : TacPaletteColors::pcSelectionBG)];
}

int TsSkinModel::GetHighLightFontColor(bool focused) const
{
    return Palette[int(focused ? TacPaletteColors::pcSelectionText_Focused : TacPaletteColors::pcSelectionText)];
}

std::string_view TsSkinModel::ExternalFileName(const TsMaskData& mask) const
{
    if (!mask.Bmp)
        return {};
    for (const TacExtFileData& ext : ExtArray)
        if (ext.Bmp.get() == mask.Bmp)
            return ext.FileName;
    return {};
}

} // namespace skin
