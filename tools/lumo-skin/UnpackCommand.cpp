// lumo-skin unpack: a packed skin file turned into a skin folder.
#include "tools/lumo-skin/Command.h"

#include "skin/package/PackageFolder.h"
#include "skin/package/TacSkinConvertor.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace lumoskin {

namespace {

int RunUnpack(const std::vector<std::string>& arguments)
{
    const std::vector<std::string> paths = Positionals(arguments, 2);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(paths[0], ec))
        throw skin::PackageError("cannot open " + paths[0]);
    std::ifstream in(paths[0], std::ios::binary);
    const std::vector<std::uint8_t> package((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const skin::UnpackResult result = skin::UnpackPackage(package, paths[1]);
    for (const std::string& problem : result.Problems)
        std::fprintf(stderr, "lumo-skin unpack: %s\n", problem.c_str());
    return result.Problems.empty() ? 0 : 1;
}

} // namespace

const Command UnpackCommand{
    "unpack",
    "FILE.vsz DIR",
    "unpack a skin package into a skin folder",
    "Writes every member of the package FILE.vsz as a file into the folder DIR (created when\n"
    "missing): the options text as Options.dat, the pictures under their stored names.\n"
    "\n"
    "Nothing is overwritten. Skins find their files ignoring letter case, so a member is skipped\n"
    "when DIR holds a file of its name in any case already: one the folder had, or an earlier\n"
    "member whose name differs only in case. Each skipped member is named on standard error, as\n"
    "is a package without Options.dat (its folder is no skin).\n"
    "\n"
    "Exit status: 0 when every member was written and the package has an Options.dat, 1 when\n"
    "anything was skipped, Options.dat is missing, the package is damaged or a file cannot be\n"
    "written, 2 on wrong arguments.\n",
    RunUnpack,
};

} // namespace lumoskin
