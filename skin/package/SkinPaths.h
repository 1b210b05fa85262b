// Skin names and directories are written Windows-style ("c:\Skins", backslashes); these turn them
// into paths of this system and find files whose names were written on Windows in another case.
#pragma once

#include "platform/core/Types.h"

#include <optional>
#include <string>
#include <string_view>

namespace skin {

// UTF-8 path of this system, as the platform resolves Windows paths: backslashes become "/", a
// drive-letter path "x:\rest" lives under the drive root as "x/rest", and components that do not
// exist as written are looked up ignoring case.
std::string NativePath(platform::StringView windowsPath);
std::string NativePath(std::string_view windowsPathUtf8);

// The folder of the running program, ending with a separator.
platform::String ProgramDirectory();

// The entry of folder named name: the exact name when it exists, else the first entry whose name
// equals it ignoring ASCII case.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder, std::string_view name);

bool FileExists(const std::string& nativePath);
bool DirectoryExists(const std::string& nativePath);

} // namespace skin
