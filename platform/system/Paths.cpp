#include "platform/system/Paths.h"

#include "platform/system/DynamicLibrary.h"
#include "platform/system/LastError.h"
#include "platform/system/StringCompare.h"
#include "platform/core/AsciiCase.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsSeparator(WCHAR c) { return c == u'/' || c == u'\\'; }


std::string HomeDirectory()
{
    const char* home = std::getenv("HOME");
    if (home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::string DriveRootNative()
{
    if (const char* root = std::getenv("LUMO_DRIVE_ROOT"); root && *root)
        return root;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/')
        return std::string(data) + "/lumo-tv-player/drives";
    return HomeDirectory() + "/.local/share/lumo-tv-player/drives";
}

std::string UserConfigDirectoryNative()
{
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return std::string(config) + "/lumo-tv-player/";
    return HomeDirectory() + "/.config/lumo-tv-player/";
}

bool EntryExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// The entry of folder whose name equals name without regard to case; empty when none does.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name)
{
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()), closedir);
    if (!dir)
        return {};
    String wanted = Utf8ToUtf16(name);
    std::string best;
    while (const dirent* entry = readdir(dir.get())) {
        std::string candidate = entry->d_name;
        if (SameTextOrdinal(Utf8ToUtf16(candidate), wanted) && (best.empty() || candidate < best))
            best = std::move(candidate);
    }
    return best;
}

std::string JoinNative(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string LookUpIgnoringCase(const std::string& path)
{
    if (path.empty() || EntryExists(path))
        return path;
    std::string result = path[0] == '/' ? "/" : "";
    std::size_t pos = 0;
    bool found = true;
    while (pos < path.size()) {
        std::size_t end = path.find('/', pos);
        if (end == std::string::npos)
            end = path.size();
        std::string component = path.substr(pos, end - pos);
        pos = end + 1;
        if (component.empty())
            continue;
        std::string candidate = JoinNative(result, component);
        if (found && !EntryExists(candidate)) {
            std::string match = (errno == ENOENT) ? FindEntryIgnoringCase(result, component) : std::string();
            if (match.empty())
                found = false;
            else
                candidate = JoinNative(result, match);
        }
        result = std::move(candidate);
    }
    if (path.back() == '/' && result.back() != '/')
        result.push_back('/');
    return result;
}

std::string ToNative(StringView path)
{
    std::string s = Utf16ToUtf8(path);
    std::replace(s.begin(), s.end(), '\\', '/');
    // "c:\x", "c:/x", "c:x" and "c:" all name something on drive c.
    if (s.size() >= 2 && IsAsciiLetter(s[0]) && s[1] == ':') {
        char drive = ToLowerAscii(s[0]);
        std::size_t rest = 2;
        while (rest < s.size() && s[rest] == '/')
            ++rest;
        std::string mapped = DriveRootNative();
        mapped.push_back('/');
        mapped.push_back(drive);
        if (rest < s.size() || s.size() > 2)
            mapped.push_back('/');
        mapped.append(s, std::min(rest, s.size()));
        s = std::move(mapped);
    }
    return s;
}

std::size_t FileNameStart(StringView path)
{
    std::size_t i = path.size();
    while (i > 0 && !IsSeparator(path[i - 1]) && path[i - 1] != u':')
        --i;
    return i;
}

DWORD AttributesOf(const struct stat& st, const std::string& name)
{
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

struct FindState {
    std::vector<WIN32_FIND_DATA> entries;
    std::size_t next = 0;
};

// Answers the error code; 0 with entries filled on success.
DWORD ListMatching(StringView pattern, std::vector<WIN32_FIND_DATA>* entries)
{
    std::size_t start = FileNameStart(pattern);
    String mask(pattern.substr(start));
    String folder(pattern.substr(0, start));
    std::string nativeFolder = folder.empty() ? std::string(".") : NativePath(folder);
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(nativeFolder.c_str()), closedir);
    if (!dir)
        return errno == ENOENT || errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    if (mask.empty())
        return ERROR_FILE_NOT_FOUND;
    while (const dirent* entry = readdir(dir.get())) {
        std::string name = entry->d_name;
        String wideName = Utf8ToUtf16(name);
        if (!PathMatchSpec(wideName, mask))
            continue;
        WIN32_FIND_DATA data;
        data.cFileName = std::move(wideName);
        std::string full = JoinNative(nativeFolder, name);
        struct stat st;
        if (stat(full.c_str(), &st) == 0 || lstat(full.c_str(), &st) == 0) {
            data.dwFileAttributes = AttributesOf(st, name);
            data.nFileSize = S_ISREG(st.st_mode) ? std::uint64_t(st.st_size) : 0;
        } else {
            data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
        }
        entries->push_back(std::move(data));
    }
    std::sort(entries->begin(), entries->end(),
              [](const WIN32_FIND_DATA& a, const WIN32_FIND_DATA& b) { return a.cFileName < b.cFileName; });
    return entries->empty() ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS;
}

} // namespace

String DriveRoot() { return Utf8ToUtf16(DriveRootNative()); }

std::string NativePath(StringView path) { return LookUpIgnoringCase(ToNative(path)); }

String ResolvePath(StringView path) { return Utf8ToUtf16(NativePath(path)); }

String ExecutableDirectory()
{
    static const String directory = [] {
        String executable = GetModuleFileName(nullptr);
        return executable.empty() ? String(u"./") : executable.substr(0, executable.rfind(u'/') + 1);
    }();
    return directory;
}

String UserConfigDirectory() { return Utf8ToUtf16(UserConfigDirectoryNative()); }

bool DirectoryWritable(StringView path)
{
    struct stat st;
    std::string native = NativePath(path);
    return !path.empty() && stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           faccessat(AT_FDCWD, native.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

String ExtractFilePath(StringView path) { return String(path.substr(0, FileNameStart(path))); }

String ExtractFileName(StringView path) { return String(path.substr(FileNameStart(path))); }

String ExtractFileExt(StringView path)
{
    StringView name = path.substr(FileNameStart(path));
    std::size_t dot = name.rfind(u'.');
    return dot == StringView::npos ? String() : String(name.substr(dot));
}

String ChangeFileExt(StringView path, StringView extension)
{
    std::size_t start = FileNameStart(path);
    std::size_t dot = path.substr(start).rfind(u'.');
    String result(dot == StringView::npos ? path : path.substr(0, start + dot));
    result.append(extension);
    return result;
}

String IncludeTrailingPathDelimiter(StringView path)
{
    String result(path);
    if (!result.empty() && IsSeparator(result.back()))
        return result;
    bool backslashesOnly = path.find(u'\\') != StringView::npos && path.find(u'/') == StringView::npos;
    result.push_back(backslashesOnly ? u'\\' : u'/');
    return result;
}

String ExcludeTrailingPathDelimiter(StringView path)
{
    // The root folder keeps its separator: without it the path would name the current folder.
    if (path.size() > 1 && IsSeparator(path.back()))
        path.remove_suffix(1);
    return String(path);
}

bool FileExists(StringView path)
{
    struct stat st;
    return !path.empty() && stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(StringView path)
{
    struct stat st;
    return !path.empty() && stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(StringView path, std::uint32_t mode)
{
    if (path.empty()) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    std::string target = NativePath(path);
    while (target.size() > 1 && target.back() == '/')
        target.pop_back();
    struct stat st;
    if (stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        SetLastError(ERROR_ALREADY_EXISTS);
        return false;
    }
    for (std::size_t slash = target.find('/', 1);; slash = target.find('/', slash + 1)) {
        std::string prefix = target.substr(0, slash);
        if (mkdir(prefix.c_str(), mode_t(mode)) != 0 && errno != EEXIST) {
            SetLastErrorFromErrno(errno);
            return false;
        }
        if (slash == std::string::npos)
            break;
    }
    if (stat(target.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    return true;
}

DWORD GetFileAttributes(StringView path)
{
    std::string native = NativePath(path);
    struct stat st;
    if (path.empty() || stat(native.c_str(), &st) != 0) {
        SetLastErrorFromErrno(path.empty() ? ENOENT : errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    return AttributesOf(st, native.substr(native.rfind('/') + 1));
}

bool PathMatchSpec(StringView name, StringView pattern)
{
    if (pattern == u"*.*")
        pattern = u"*";
    // Greedy match with one backtrack point: the last star seen.
    std::size_t n = 0, p = 0, starP = StringView::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || CharUpperOrdinal(pattern[p]) == CharUpperOrdinal(name[n]))) {
            ++p;
            ++n;
        } else if (starP != StringView::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

HANDLE FindFirstFile(StringView pattern, WIN32_FIND_DATA* data)
{
    auto state = std::make_unique<FindState>();
    if (DWORD error = ListMatching(pattern, &state->entries); error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    *data = state->entries[0];
    state->next = 1;
    return state.release();
}

BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data)
{
    if (!find || find == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    auto* state = static_cast<FindState*>(find);
    if (state->next >= state->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    *data = state->entries[state->next++];
    return true;
}

BOOL FindClose(HANDLE find)
{
    if (!find || find == INVALID_HANDLE_VALUE) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    delete static_cast<FindState*>(find);
    return true;
}

std::vector<WIN32_FIND_DATA> FindFiles(StringView pattern)
{
    std::vector<WIN32_FIND_DATA> entries;
    ListMatching(pattern, &entries);
    return entries;
}

} // namespace platform
