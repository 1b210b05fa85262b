// lumo-skin unpack: a packed skin file turned into a skin folder.
#include "tools/lumo-skin/Command.h"

#include "skin/package/PackageFolder.h"
#include "skin/package/TacSkinConvertor.h"

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
    skin::UnpackPackage(package, paths[1]);
    return 0;
}

} // namespace

const Command UnpackCommand{
    "unpack",
    "FILE.vsz DIR",
    "unpack a skin package into a skin folder",
    "Writes every member of the package FILE.vsz as a file into the folder DIR (created when\n"
    "missing): the options text as Options.dat, the pictures under their stored names.\n"
    "\n"
    "Exit status: 0 on success, 1 when the package is damaged or a file cannot be written,\n"
    "2 on wrong arguments.\n",
    RunUnpack,
};

} // namespace lumoskin
