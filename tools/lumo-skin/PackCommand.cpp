// lumo-skin pack: a skin folder turned into a packed skin file.
#include "tools/lumo-skin/Command.h"

#include "skin/package/PackageFolder.h"
#include "skin/package/TacSkinConvertor.h"

#include <fstream>

namespace lumoskin {

namespace {

int RunPack(const std::vector<std::string>& arguments)
{
    const std::vector<std::string> paths = Positionals(arguments, 2);
    const std::vector<std::uint8_t> package = skin::PackFolder(paths[0], paths[1]);
    std::ofstream out(paths[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(package.data()), std::streamsize(package.size()));
    out.close();
    if (!out)
        throw skin::PackageError("cannot write " + paths[1]);
    return 0;
}

} // namespace

const Command PackCommand{
    "pack",
    "FOLDER OUT.vsz",
    "pack a skin folder into a skin package",
    "Writes the files of the skin folder FOLDER into the package OUT.vsz: Options.dat first, then\n"
    "every other file of the folder (sub-folders and names starting with \".\" left out), each\n"
    "compressed as one zlib stream. Packages are never packed: neither OUT.vsz itself, which may\n"
    "lie inside FOLDER, nor any other \".vsz\" file of the folder, so packing again gives the same\n"
    "package.\n"
    "\n"
    "Exit status: 0 on success, 1 when FOLDER holds no Options.dat or a file cannot be read or\n"
    "written, 2 on wrong arguments.\n",
    RunPack,
};

} // namespace lumoskin
