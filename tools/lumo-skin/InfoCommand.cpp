// lumo-skin info: a skin loaded as the program loads it, summarised or as JSON.
#include "tools/lumo-skin/Command.h"
#include "tools/lumo-skin/SkinToolCommon.h"

#include "skin/manager/SkinLoading.h"
#include "skin/model/SkinModelJson.h"

#include <cstdio>

namespace lumoskin {

namespace {

void PrintSummary(const skin::ResolvedSkin& where, const skin::TsSkinModel& m)
{
    const char* kind = where.Kind == skin::SkinSourceKind::PackedFile ? "packed skin file"
                       : where.Kind == skin::SkinSourceKind::Folder   ? "skin folder"
                                                                      : "internal skin";
    std::printf("Skin:           %s\n", platform::Utf16ToUtf8(where.Name).c_str());
    std::printf("Source:         %s\n", kind);
    std::printf("Version:        %.2f\n", m.CommonSkinData.Version);
    std::printf("Author:         %s\n", m.CommonSkinData.Author.c_str());
    std::printf("Description:    %s\n", m.CommonSkinData.Description.c_str());
    std::printf("Master bitmap:  %d x %d\n", m.MasterBitmap.Width(), m.MasterBitmap.Height());
    std::printf("Sections:       %zu\n", m.gd.size());
    std::printf("Image elements: %zu\n", m.ma.size());
    std::printf("External images:");
    for (const skin::TacExtFileData& ext : m.ExtArray)
        std::printf(" %s (%d x %d)", ext.FileName.c_str(), ext.Bmp->Width(), ext.Bmp->Height());
    std::printf("\n");
    int common = 0;
    for (int index : m.ConstData.Sections)
        common += index >= 0;
    std::printf("Common sections: %d of %d\n", common, skin::TacSectionCount);
    std::printf("Main colour:    $%06X\n", unsigned(m.GetGlobalColor()));
    std::printf("Text colour:    $%06X\n", unsigned(m.GetGlobalFontColor()));
    std::printf("Title height:   %d\n", m.CommonSkinData.ExTitleHeight);
}

int RunInfo(const std::vector<std::string>& arguments)
{
    bool json = false;
    std::vector<std::string> rest;
    for (const std::string& a : arguments) {
        if (a == "--json")
            json = true;
        else
            rest.push_back(a);
    }
    const std::string skinArgument = Positionals(rest, 1)[0];
    const skin::TsStoredSkins catalogue = BuiltInCatalogue();
    platform::String fullSkinDirectory;
    const skin::ResolvedSkin where = ResolveCommandSkin(skinArgument, catalogue, fullSkinDirectory);

    skin::SkinLoadSettings settings;
    settings.System = skin::SystemValues::FromPlatform();
    skin::SkinLoadMessages messages;
    auto toStderr = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
    messages.ShowPlainError = toStderr;
    messages.ShowPlainWarning = toStderr;
    std::unique_ptr<skin::TsSkinModel> model;
    try {
        model = skin::LoadResolvedSkin(where, catalogue, fullSkinDirectory, settings, messages);
    } catch (const std::exception& e) {
        toStderr(e.what());
        return 1;
    }
    if (!model)
        return 1;
    model->CommonSkinData.Active = true;
    if (json)
        std::printf("%s\n", skin::SkinModelToJson(*model).c_str());
    else
        PrintSummary(where, *model);
    return 0;
}

} // namespace

const Command InfoCommand{
    "info",
    "[--json] SKIN",
    "load a skin as the program does and describe it",
    "SKIN is a packed skin file (\".vsz\") or a skin folder, given as a path, or else a skin name\n"
    "resolved as the program resolves it: a \".vsz\" ending (in any case) is dropped, then a\n"
    "packed file and a skin folder of that name in the skin directory \"c:\\Skins\" come before the\n"
    "internal skin of that exact name (letter case counts), and a name that matches nothing loads\n"
    "the first internal skin, which is said on standard error. A folder's name is its last path\n"
    "component, with or without a trailing separator. The skin is loaded with the program's own\n"
    "loading code. Without options a short summary is printed; with --json one JSON object of\n"
    "the loaded model, with the model's own field names: \"gd\"\n"
    "(the sections), \"ma\" (the image elements), \"oe\", \"Palette\", \"CommonSkinData\",\n"
    "\"ConstData\", \"MasterBitmap\" and \"ExtArray\". Colours are the model's integers (0x00BBGGRR).\n"
    "\n"
    "A skin that fails to load prints the message the program would show to standard error and\n"
    "exits with 1; a warning the program would show goes to standard error and the skin is\n"
    "described all the same.\n"
    "\n"
    "Exit status: 0 on success, 1 when the skin cannot be found or loaded, 2 on wrong arguments.\n",
    RunInfo,
};

} // namespace lumoskin
