#include "skin/package/InternalSkins.h"

namespace skin {

void FillInternalSkins(TsStoredSkins& catalogue, std::span<const InternalSkinPackage> packages)
{
    TsStoredSkins filled;
    for (const InternalSkinPackage& package : packages) {
        TsStoredSkin item;
        item.Name = platform::Utf8ToUtf16(package.Name);
        item.Shadow1Color = 0;
        item.Shadow1Offset = 0;
        item.Shadow1Transparency = 0;
        item.PackedData.assign(package.Data.begin(), package.Data.end());
        filled.Add(std::move(item));
    }
    catalogue.Assign(filled);
}

} // namespace skin
