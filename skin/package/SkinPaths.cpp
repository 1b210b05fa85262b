#include "skin/package/SkinPaths.h"

#include "skin/package/AsciiText.h"

#include "platform/system/Paths.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace skin {

std::string NativePath(std::string_view path)
{
    return platform::NativePath(platform::Utf8ToUtf16(path));
}

std::string NativePath(platform::StringView windowsPath)
{
    return platform::NativePath(windowsPath);
}

platform::String ProgramDirectory()
{
    return platform::ExecutableDirectory();
}

std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    std::error_code ec;
    fs::path exact = fs::path(folder) / std::string(name);
    if (fs::exists(exact, ec))
        return exact.string();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (SameTextAscii(entry, name))
            return it->path().string();
    }
    return std::nullopt;
}

bool FileExists(const std::string& nativePath)
{
    std::error_code ec;
    return fs::is_regular_file(nativePath, ec);
}

bool DirectoryExists(const std::string& nativePath)
{
    std::error_code ec;
    return fs::is_directory(nativePath, ec);
}

} // namespace skin
