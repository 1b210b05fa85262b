#include "skin/manager/SkinLoading.h"

#include "skin/model/SkinModelBuilder.h"
#include "skin/package/AsciiText.h"
#include "skin/package/SkinPaths.h"

#include <filesystem>
#include <fstream>
#include <optional>

namespace skin {

namespace {

constexpr std::uintmax_t MaxOptionsFileSize = 64 * 1024 * 1024;

std::string ReadOptionsFile(const std::string& folderNative)
{
    auto path = FindEntryIgnoringCase(folderNative, "Options.dat");
    std::error_code ec;
    if (!path || !FileExists(*path))
        throw SkinLoadError("Cannot open file \"" + folderNative + "Options.dat\"");
    if (std::filesystem::file_size(*path, ec) > MaxOptionsFileSize || ec)
        throw SkinLoadError("The options file \"" + *path + "\" is too large");
    std::ifstream in(*path, std::ios::binary);
    if (!in)
        throw SkinLoadError("Cannot open file \"" + *path + "\"");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::unique_ptr<TsSkinModel> Build(const SkinSource& source, const SkinLoadSettings& settings,
                                   const SkinLoadMessages& messages)
{
    SkinIniFile ini(source.OptionsText);
    const double version = SkinModelBuilder::ReadVersion(ini);
    if (version > NewestSupportedVersion && messages.ShowPlainWarning)
        messages.ShowPlainWarning(std::string(VersionWarning));
    return TsSkinModel::Load(source, std::move(ini), settings);
}

} // namespace

std::string InternalFormatErrorText(platform::StringView skinName)
{
    return "Internal format error in the \"" + platform::Utf16ToUtf8(skinName) +
           "\" skin. Please, update this skin to latest version.";
}

std::unique_ptr<TsSkinModel> LoadResolvedSkin(const ResolvedSkin& where, const TsStoredSkins& catalogue,
                                              platform::StringView fullSkinDirectory,
                                              const SkinLoadSettings& settings, const SkinLoadMessages& messages)
{
    SkinSource source;
    std::optional<TacSkinConvertor> package;
    switch (where.Kind) {
    case SkinSourceKind::None:
        return nullptr;
    case SkinSourceKind::PackedFile: {
        if (!LoadSkinFromFile(where.PackedFile, package, messages.ShowPlainError))
            throw SkinLoadError("Cannot open file \"" + where.PackedFile + "\"");
        source.SourceKind = SkinSource::Kind::Packed;
        source.SkinPath = platform::Utf16ToUtf8(fullSkinDirectory);
        break;
    }
    case SkinSourceKind::Folder:
        source.SourceKind = SkinSource::Kind::Folder;
        source.SkinPath = platform::Utf16ToUtf8(where.Folder);
        source.FolderNative = where.FolderNative;
        source.OptionsText = ReadOptionsFile(where.FolderNative);
        break;
    case SkinSourceKind::Internal: {
        if (where.Index < 0 || where.Index >= catalogue.Count())
            throw SkinLoadError(InternalFormatErrorText(where.Name));
        package.emplace();
        package->PackedData = catalogue.Item(where.Index).PackedData;
        ExtractPackedData(*package, messages.ShowPlainError);
        package->PackedData = {};
        source.SourceKind = SkinSource::Kind::Internal;
        break;
    }
    }
    if (package) {
        if (!package->Options)
            throw SkinLoadError(InternalFormatErrorText(where.Name));
        source.Package = &*package;
        source.OptionsText.assign(package->Options->begin(), package->Options->end());
    }
    return Build(source, settings, messages);
}

std::unique_ptr<TsSkinModel> LoadSkinFromText(std::string optionsText, platform::StringView folder,
                                              const SkinLoadSettings& settings, const SkinLoadMessages& messages)
{
    SkinSource source;
    source.SourceKind = SkinSource::Kind::Folder;
    std::string folderText = platform::Utf16ToUtf8(folder);
    if (!folderText.empty() && folderText.back() != '\\' && folderText.back() != '/')
        folderText += '\\';
    source.SkinPath = folderText;
    source.FolderNative = NativePath(std::string_view(folderText));
    source.OptionsText = std::move(optionsText);
    return Build(source, settings, messages);
}

} // namespace skin
