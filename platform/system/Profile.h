// Private profile (INI) files, with the system's semantics (ProfileDocument.h has the reading
// rules). Every call goes to the file: there is no cache. File names are resolved as ResolvePath
// does. Writes keep every line they do not change byte for byte, and replace the file at once (a
// new file beside it, flushed, then renamed over it), so the file is never seen half written.
// A file that was not UTF-8 is written back as UTF-8.
#pragma once

#include "platform/core/Types.h"

#include <vector>

namespace platform {

// The buffer the program reads values through: 2047 characters and a terminator.
constexpr DWORD kProfileBufferSize = 2048;

// Copies the value of key in section, or lpDefault (trailing blanks removed, null meaning empty)
// when the file, the section or the key is missing, cut to size - 1 characters and terminated.
// Answers the number of characters copied. A null key lists the section's keys and a null
// section lists the sections, each name followed by a '\0' and the list by one more; a list cut
// short answers size - 2. An empty key gives the default.
DWORD GetPrivateProfileString(const WCHAR* section, const WCHAR* key, const WCHAR* lpDefault, WCHAR* buffer,
                              DWORD size, const WCHAR* fileName);
// The same for the program's code: a value read through a buffer of bufferSize characters.
String GetPrivateProfileString(StringView section, StringView key, StringView defaultValue, StringView fileName,
                               DWORD bufferSize = kProfileBufferSize);

// The section names as a '\0'-separated list, as GetPrivateProfileString with a null section.
DWORD GetPrivateProfileSectionNames(WCHAR* buffer, DWORD size, const WCHAR* fileName);
std::vector<String> GetPrivateProfileSectionNames(StringView fileName);
// The keys of a section, in file order; empty when the section is missing.
std::vector<String> GetPrivateProfileKeyNames(StringView section, StringView fileName);

// The value as an unsigned integer: decimal digits after an optional sign, or hexadecimal after
// "0x"; reading stops at the first other character. The default when the key is missing or empty.
UINT GetPrivateProfileInt(StringView section, StringView key, int defaultValue, StringView fileName);

// Sets key in section to value, creating the file, the section and the key as needed. A null
// value deletes the key; a null key deletes the whole section. False with the last error set
// when the file cannot be written (or, with ERROR_INVALID_PARAMETER, when a name cannot be stored
// in the file: empty, or holding a line break; a key also not holding "=" nor starting with ";"
// or "["). A write that changes nothing succeeds without touching the file.
BOOL WritePrivateProfileString(const WCHAR* section, const WCHAR* key, const WCHAR* value, const WCHAR* fileName);
bool WritePrivateProfileString(StringView section, StringView key, StringView value, StringView fileName);
bool DeletePrivateProfileKey(StringView section, StringView key, StringView fileName);
bool DeletePrivateProfileSection(StringView section, StringView fileName);

} // namespace platform
