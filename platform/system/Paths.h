// Paths as the program writes them, the Windows way: backslashes as separators, drive letters,
// file names in whatever letter case. ResolvePath turns such a path into one this system opens;
// every function here that touches the file system resolves its argument first.
//
// Drive letters: "c:\Skins" is <drive root>/c/Skins, where the drive root is $LUMO_DRIVE_ROOT
// when set, else $XDG_DATA_HOME/lumo-tv-player/drives (an absolute XDG_DATA_HOME only), else
// ~/.local/share/lumo-tv-player/drives.
//
// The user's settings folder is $XDG_CONFIG_HOME/lumo-tv-player (an absolute XDG_CONFIG_HOME only),
// else ~/.config/lumo-tv-player.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1, FILE_ATTRIBUTE_HIDDEN = 0x2, FILE_ATTRIBUTE_DIRECTORY = 0x10,
                FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

// The folder drive letters map to, without a trailing separator.
String DriveRoot();

// Backslashes become slashes, a drive letter maps under DriveRoot(), and when the path does not
// exist as written each missing component is looked up in its folder without regard to case
// (the first match in name order wins). Components with no match are kept as written, so the
// result also names files yet to be created.
String ResolvePath(StringView path);
// The same, as the bytes the system calls take.
std::string NativePath(StringView path);

// The folder of the running executable, ending with "/".
String ExecutableDirectory();
// The user's settings folder of this program, ending with "/". Nothing is created.
String UserConfigDirectory();
// Whether this process may create files in the folder (and replace them there).
bool DirectoryWritable(StringView path);

// Both "/" and "\" separate; a drive's colon ends the path part too.
String ExtractFilePath(StringView path);
String ExtractFileName(StringView path);
// From the last dot of the file name on, dot included; empty when the name has none.
String ExtractFileExt(StringView path);
String ChangeFileExt(StringView path, StringView extension);
// Adds the separator the path already uses: "\" for paths written with backslashes only, else "/".
String IncludeTrailingPathDelimiter(StringView path);
String ExcludeTrailingPathDelimiter(StringView path);

bool FileExists(StringView path);
bool DirectoryExists(StringView path);
// Creates the folder and every missing parent, each with the permission bits of mode (less the
// umask); false with the last error set on failure.
bool ForceDirectories(StringView path, std::uint32_t mode = 0777);
DWORD GetFileAttributes(StringView path);

// "*" matches any run of characters, "?" one character, letters match without regard to case;
// "*.*" matches every name, as on Windows.
bool PathMatchSpec(StringView name, StringView pattern);

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes = 0;
    std::uint64_t nFileSize = 0;
    String cFileName;
};

// Lists the entries of the pattern's folder whose names match its last component, "." and ".."
// included, in name order. INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches,
// ERROR_PATH_NOT_FOUND when the folder is missing.
HANDLE FindFirstFile(StringView pattern, WIN32_FIND_DATA* data);
// False with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFile(HANDLE find, WIN32_FIND_DATA* data);
BOOL FindClose(HANDLE find);

// The same listing at once; empty when nothing matches or the folder is missing.
std::vector<WIN32_FIND_DATA> FindFiles(StringView pattern);

} // namespace platform
