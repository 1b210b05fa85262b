// Where Config.ini lives. A program run from a folder its user may write (a build, a portable
// copy) keeps the file beside its executable. Installed for the whole system, that folder is
// read-only, so every save would fail: the file then lives in the user's settings folder
// instead, with the same keys and values, made only by the first write.
#pragma once

#include "toolkit/Types.h"

namespace toolkit {
class TIniFile;
}

namespace ui {

// The file for a program whose executable lies in programDirectory.
toolkit::String ConfigFilePath(toolkit::StringView programDirectory);
// The file of the running program.
toolkit::String ConfigFilePath();

// The settings store on the running program's file. In the user's settings folder the first
// write makes the folder too.
toolkit::TIniFile* OpenSettingsStore();

} // namespace ui
