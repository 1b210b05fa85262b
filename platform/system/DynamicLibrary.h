// Dynamic libraries, the Windows way, over the system's dynamic loader.
//
// A bare file name is looked for in the executable's folder first, then through the loader's
// normal search; a name with a separator ("/" or "\") is a path, resolved as ResolvePath does.
// Loading a library already loaded answers the same handle and counts one more reference;
// FreeLibrary gives one back and unloads the library with the last.
#pragma once

#include "platform/core/Types.h"

namespace platform {

using HINSTANCE = void*;
using HMODULE = HINSTANCE;
// A function of unknown type; cast it to the one the symbol has (no warning from a cast of this type).
using FARPROC = void (*)();

// Null on failure with the last error set: ERROR_MOD_NOT_FOUND when the library or one it needs
// is missing, ERROR_BAD_EXE_FORMAT when the file is no library for this machine,
// ERROR_PROC_NOT_FOUND when a symbol it imports is missing, ERROR_ACCESS_DENIED; the loader's own
// message is GetLastErrorDetail().
HMODULE LoadLibraryW(const WCHAR* fileName);
inline HMODULE LoadLibraryW(const String& fileName) { return LoadLibraryW(fileName.c_str()); }

// Null with ERROR_PROC_NOT_FOUND when the library exports no such name, ERROR_INVALID_HANDLE for a
// handle LoadLibraryW did not give or that was freed.
FARPROC GetProcAddress(HMODULE module, const char* procName);

BOOL FreeLibrary(HMODULE module);

// The file of a loaded library, or of the executable for a null module. Copies at most size - 1
// characters and a terminator; answers the length copied, size with ERROR_INSUFFICIENT_BUFFER when
// the name was cut, 0 on failure.
DWORD GetModuleFileName(HMODULE module, WCHAR* fileName, DWORD size);
// The same as a string; empty on failure.
String GetModuleFileName(HMODULE module = nullptr);

} // namespace platform
