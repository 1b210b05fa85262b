#include "tools/lumo-skin/SkinToolCommon.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/package/AsciiText.h"
#include "skin/package/InternalSkins.h"
#include "skin/package/SkinPaths.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace lumoskin {

skin::TsStoredSkins BuiltInCatalogue()
{
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    return catalogue;
}

skin::ResolvedSkin ResolveCommandSkin(const std::string& argument, const skin::TsStoredSkins& catalogue,
                                      platform::String& fullSkinDirectory)
{
    std::error_code ec;
    const fs::path path(argument);
    if (fs::is_regular_file(path, ec) || fs::is_directory(path, ec)) {
        // The skin's name is the last component of the path, whatever separators end it.
        fs::path absolute = fs::absolute(path, ec).lexically_normal();
        if (!absolute.has_filename())
            absolute = absolute.parent_path();
        fullSkinDirectory = platform::Utf8ToUtf16(absolute.parent_path().string() + "/");
        skin::ResolvedSkin r;
        std::string name = absolute.filename().string();
        if (fs::is_regular_file(path, ec)) {
            r.Kind = skin::SkinSourceKind::PackedFile;
            r.PackedFile = argument;
            if (name.size() > 4 && skin::EndsWithIgnoringCase(name, ".vsz"))
                name.resize(name.size() - 4);
        } else {
            r.Kind = skin::SkinSourceKind::Folder;
            r.FolderNative = absolute.string() + "/";
            r.Folder = platform::Utf8ToUtf16(r.FolderNative);
        }
        r.Name = platform::Utf8ToUtf16(name);
        return r;
    }
    // A name goes the program's way: a packed file or a folder of the skin directory, then the
    // internal skin, then the first internal skin in its place.
    fullSkinDirectory = skin::GetFullSkinDirectory(skin::DefaultSkinDirectory, skin::ProgramDirectory());
    skin::ResolvedSkin r =
        skin::ResolveSkinName(platform::Utf8ToUtf16(argument), skin::DefaultSkinDirectory, fullSkinDirectory, catalogue);
    if (r.Kind == skin::SkinSourceKind::None)
        throw std::runtime_error("'" + argument + "' is no packed skin file, skin folder or skin name");
    if (r.FellBack)
        std::fprintf(stderr, "lumo-skin: no skin is named '%s'; the program loads '%s' in its place\n",
                     argument.c_str(), platform::Utf16ToUtf8(r.Name).c_str());
    return r;
}

} // namespace lumoskin
