#include "skin/model/SkinSource.h"

#include "skin/package/SkinPaths.h"

#include <fstream>

namespace skin {

namespace {

// A name written on Windows: any separator, any letter case of each component.
std::optional<std::string> ResolveInFolder(const std::string& folder, std::string_view relative)
{
    std::string current = folder.empty() ? std::string(".") : folder;
    while (!relative.empty()) {
        const std::size_t sep = relative.find_first_of("\\/");
        const std::string_view part = relative.substr(0, sep);
        relative = sep == std::string_view::npos ? std::string_view() : relative.substr(sep + 1);
        if (part.empty())
            continue;
        auto found = FindEntryIgnoringCase(current, part);
        if (!found)
            return std::nullopt;
        current = *found;
    }
    return current;
}

std::optional<SkinSource::ImageBytes> ReadWholeFile(const std::string& path)
{
    if (!FileExists(path))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    SkinSource::ImageBytes bytes;
    bytes.Owned.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    bytes.View = bytes.Owned;
    return bytes;
}

} // namespace

std::optional<SkinSource::ImageBytes> SkinSource::ReadImage(std::string_view upperName) const
{
    if (upperName.empty())
        return std::nullopt;
    if (IsPacked()) {
        if (!Package)
            return std::nullopt;
        const TacImageItem* item = Package->FindFile(upperName);
        if (!item)
            return std::nullopt;
        ImageBytes bytes;
        bytes.View = item->FileStream;
        return bytes;
    }
    if (upperName.find(':') != std::string_view::npos) {
        // The platform resolves every component of the path ignoring case.
        return ReadWholeFile(NativePath(upperName));
    }
    auto resolved = ResolveInFolder(FolderNative, upperName);
    return resolved ? ReadWholeFile(*resolved) : std::nullopt;
}

} // namespace skin
