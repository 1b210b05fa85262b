// Finding skins by name: the full skin directory, the resolution of a name to a packed file, a
// skin folder or an internal skin, the listing of available skins and the extraction of internal
// ones.
#pragma once

#include "skin/package/TacSkinConvertor.h"
#include "skin/package/TsStoredSkins.h"

#include "platform/core/Types.h"

#include <string>
#include <vector>

namespace skin {

enum class TacSkinTypes { stUnpacked, stPacked, stAllSkins };

// The skin directory the program's manager uses, and any manager's while none is set.
inline constexpr platform::StringView DefaultSkinDirectory = u"c:\\Skins";

// SkinDirectory resolved against programDirectory (which ends with a separator); the result
// always ends with a separator.
platform::String GetFullSkinDirectory(platform::StringView skinDirectory, platform::StringView programDirectory);

enum class SkinSourceKind { None, PackedFile, Folder, Internal };

struct ResolvedSkin {
    SkinSourceKind Kind = SkinSourceKind::None;
    platform::String Name;        // the name after stripping ".vsz" or falling back
    std::string PackedFile;       // native path of the packed file
    platform::String Folder;      // the skin folder, ending with a separator
    std::string FolderNative;     // the same as a native path
    int Index = -1;               // the catalogue item
    bool FellBack = false;        // the first catalogue item stands in for an unknown name
};

// preferFolder: a folder of that name is tried before a packed file (after a live preview).
ResolvedSkin ResolveSkinName(platform::StringView name, platform::StringView skinDirectory,
                             platform::StringView fullSkinDirectory, const TsStoredSkins& catalogue,
                             bool preferFolder = false);

// Fills names with the catalogue's names (when catalogue is given) and the skins found in the full
// skin directory, sorted ignoring case; answers the first name found before sorting.
platform::String GetSkinNames(std::vector<platform::String>& names, TacSkinTypes types,
                              platform::StringView fullSkinDirectory, const TsStoredSkins* catalogue);

inline constexpr std::string_view ExtractedSuffix = " extracted.vsz";

// Write the package bytes of internal skins unchanged to "<destination>\<name> extracted.vsz".
void ExtractInternalSkin(const TsStoredSkins& catalogue, platform::StringView name,
                         platform::StringView destinationFolder, const ShowErrorFn& showError);
bool ExtractByIndex(const TsStoredSkins& catalogue, int index, platform::StringView destinationFolder,
                    const ShowErrorFn& showError);

} // namespace skin
