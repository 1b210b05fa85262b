#include "ui/main/ConfigLocation.h"

#include "platform/system/Paths.h"
#include "toolkit/TIniFile.h"

namespace ui {

namespace {

constexpr toolkit::StringView ConfigFileName = u"Config.ini";

} // namespace

toolkit::String ConfigFilePath(toolkit::StringView programDirectory)
{
    toolkit::String folder = platform::DirectoryWritable(programDirectory)
                                 ? platform::IncludeTrailingPathDelimiter(programDirectory)
                                 : platform::UserConfigDirectory();
    return folder + toolkit::String(ConfigFileName);
}

toolkit::String ConfigFilePath() { return ConfigFilePath(platform::ExecutableDirectory()); }

toolkit::TIniFile* OpenSettingsStore()
{
    // The executable's folder always exists, so only the user's settings folder is ever made.
    auto* store = new toolkit::TIniFile(ConfigFilePath());
    store->SetCreateFolder(true);
    return store;
}

} // namespace ui
