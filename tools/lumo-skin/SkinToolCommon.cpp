#include "tools/lumo-skin/SkinToolCommon.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/package/InternalSkins.h"

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
    skin::ResolvedSkin r;
    std::error_code ec;
    const fs::path path(argument);
    if (fs::is_regular_file(path, ec)) {
        r.Kind = skin::SkinSourceKind::PackedFile;
        r.PackedFile = argument;
        std::string name = path.filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".vsz") == 0)
            name.resize(name.size() - 4);
        r.Name = platform::Utf8ToUtf16(name);
        std::string dir = fs::absolute(path, ec).parent_path().string();
        fullSkinDirectory = platform::Utf8ToUtf16(dir + "/");
        return r;
    }
    if (fs::is_directory(path, ec)) {
        std::string dir = argument;
        if (dir.back() != '/')
            dir += '/';
        r.Kind = skin::SkinSourceKind::Folder;
        r.FolderNative = dir;
        r.Folder = platform::Utf8ToUtf16(dir);
        r.Name = platform::Utf8ToUtf16(fs::path(argument).lexically_normal().filename().string());
        fullSkinDirectory = platform::Utf8ToUtf16(fs::absolute(path, ec).parent_path().string() + "/");
        return r;
    }
    r.Index = catalogue.IndexOf(platform::Utf8ToUtf16(argument));
    if (r.Index < 0)
        throw std::runtime_error("'" + argument + "' is no internal skin, packed skin file or skin folder");
    r.Kind = skin::SkinSourceKind::Internal;
    r.Name = catalogue.Item(r.Index).Name;
    return r;
}

} // namespace lumoskin
