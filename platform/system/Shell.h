// ShellExecute: opening addresses and documents with the desktop's default handler, and starting
// programs. Nothing goes through a command interpreter: a program receives its parameters as the
// separate arguments the Windows command-line rules make of them, and a handler receives the
// address or the document's full path as one argument.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <cstdint>
#include <vector>

namespace platform {

using HINSTANCE = void*;

// ShellExecute's answers of 32 and less: failures.
constexpr std::intptr_t SE_ERR_FNF = 2, SE_ERR_PNF = 3, SE_ERR_ACCESSDENIED = 5, SE_ERR_OOM = 8,
                        SE_ERR_BADFORMAT = 11, SE_ERR_NOASSOC = 31;

// Verb null, "open" or "explore" (any other has no association here). file is:
// - an address with a scheme ("http:", "https:", "mailto:", "file:", ...), or text that reads as a
//   host name such as "www.example.ru" or "example.ru/path" and names no file: opened by the
//   default handler ("http://" is put in front of a bare host name);
// - an existing program (an executable ELF file or script): started with parameters, in
//   directory (or the current folder);
// - any other existing file or folder: opened by the default handler.
// The handler is xdg-open, else "gio open". Answers a value above 32 once the program or the
// handler has started, without waiting for it to end; else SE_ERR_FNF, SE_ERR_PNF,
// SE_ERR_ACCESSDENIED, SE_ERR_OOM, SE_ERR_BADFORMAT or SE_ERR_NOASSOC, with the last error set.
// showCmd has no effect: how a started program shows itself is its own affair here.
HINSTANCE ShellExecute(HWND hwnd, const WCHAR* operation, const WCHAR* file, const WCHAR* parameters,
                       const WCHAR* directory, int showCmd);

// Splits a command line into arguments as a Windows program's runtime does: blanks separate,
// double quotes group (a doubled quote inside quotes is one quote), backslashes are literal except
// before a quote, where each pair gives one backslash and an odd one out makes the quote literal.
std::vector<String> SplitCommandLine(StringView commandLine);

} // namespace platform
