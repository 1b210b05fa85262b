// lumo-skin extract: an internal skin's package written to a file.
#include "tools/lumo-skin/Command.h"
#include "tools/lumo-skin/SkinToolCommon.h"

#include <cstdio>

namespace lumoskin {

namespace {

int RunExtract(const std::vector<std::string>& arguments)
{
    const std::vector<std::string> names = Positionals(arguments, 2);
    const skin::TsStoredSkins catalogue = BuiltInCatalogue();
    bool failed = false;
    skin::ExtractInternalSkin(catalogue, platform::Utf8ToUtf16(names[0]), platform::Utf8ToUtf16(names[1]),
                              [&](const std::string& text) {
                                  std::fprintf(stderr, "lumo-skin extract: %s\n", text.c_str());
                                  failed = true;
                              });
    return failed ? 1 : 0;
}

} // namespace

const Command ExtractCommand{
    "extract",
    "NAME DIR",
    "write an internal skin's package to DIR",
    "Writes the package of the internal skin NAME (exactly as \"lumo-skin list\" prints it)\n"
    "unchanged to the file \"NAME extracted.vsz\" in the folder DIR, replacing such a file. DIR\n"
    "must exist.\n"
    "\n"
    "Exit status: 0 on success, 1 when there is no such skin or folder or the file cannot be\n"
    "written, 2 on wrong arguments.\n",
    RunExtract,
};

} // namespace lumoskin
