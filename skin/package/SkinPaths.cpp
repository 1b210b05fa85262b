#include "skin/package/SkinPaths.h"

#include "skin/package/AsciiText.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace fs = std::filesystem;

namespace skin {

namespace {

std::string DriveRoot()
{
    if (const char* root = std::getenv("LUMO_DRIVE_ROOT"); root && *root)
        return root;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/lumo-tv-player/drives";
}

} // namespace

std::string NativePath(std::string_view path)
{
    std::string out;
    if (path.size() >= 2 && path[1] == ':' &&
        ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'))) {
        out = DriveRoot();
        out += '/';
        out += char(path[0] | 0x20);
        path.remove_prefix(2);
        if (!path.empty() && path[0] != '\\' && path[0] != '/')
            out += '/';
    }
    for (char c : path)
        out += (c == '\\') ? '/' : c;
    return out;
}

std::string NativePath(platform::StringView windowsPath)
{
    return NativePath(std::string_view(platform::Utf16ToUtf8(windowsPath)));
}

platform::String ProgramDirectory()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    std::string dir = ec ? std::string(".") : exe.parent_path().string();
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return platform::Utf8ToUtf16(dir);
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
