// lumo-skin list: the skins the program knows.
#include "tools/lumo-skin/Command.h"
#include "tools/lumo-skin/SkinToolCommon.h"

#include "skin/package/SkinPaths.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace lumoskin {

namespace {

int RunList(const std::vector<std::string>& arguments)
{
    bool all = false;
    bool directoryGiven = false;
    std::string directory = "c:\\Skins";
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--all") {
            all = true;
        } else if (arguments[i] == "--skin-dir") {
            if (i + 1 >= arguments.size())
                throw UsageError("--skin-dir needs a folder");
            directory = arguments[++i];
            directoryGiven = true;
            all = true;
        } else {
            rest.push_back(arguments[i]);
        }
    }
    Positionals(rest, 0);
    const skin::TsStoredSkins catalogue = BuiltInCatalogue();
    if (!all) {
        for (const skin::TsStoredSkin& item : catalogue.Items())
            std::printf("%s\n", platform::Utf16ToUtf8(item.Name).c_str());
        return 0;
    }
    platform::String full;
    if (directoryGiven) {
        // A folder on the command line is the user's path: relative to the current folder.
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::absolute(directory, ec);
        if (ec || !std::filesystem::is_directory(folder, ec))
            throw std::runtime_error("the skin folder '" + directory + "' does not exist");
        full = platform::Utf8ToUtf16(folder.string() + "/");
    } else {
        full = skin::GetFullSkinDirectory(platform::Utf8ToUtf16(directory), skin::ProgramDirectory());
    }
    std::vector<platform::String> names;
    skin::GetSkinNames(names, skin::TacSkinTypes::stAllSkins, full, &catalogue);
    for (const platform::String& name : names)
        std::printf("%s\n", platform::Utf16ToUtf8(name).c_str());
    return 0;
}

} // namespace

const Command ListCommand{
    "list",
    "[--all] [--skin-dir DIR]",
    "list the internal skins, or every skin the program can load",
    "Without options, prints the names of the internal skins, one a line, in catalogue order.\n"
    "With --all, prints what the program offers: the internal skins together with the skin\n"
    "folders (holding an Options.dat) and packed skin files (\".vsz\") of the skin directory,\n"
    "sorted ignoring case. The skin directory is \"c:\\Skins\" as the program resolves it, or DIR\n"
    "given with --skin-dir (which implies --all). DIR is a path of this system, and a relative\n"
    "one is taken from the current folder; a DIR that does not exist is an error.\n"
    "\n"
    "Exit status: 0 on success, 1 when DIR does not exist, 2 on wrong arguments.\n",
    RunList,
};

} // namespace lumoskin
