#include "skin/package/PackageFolder.h"

#include "skin/package/AsciiText.h"
#include "skin/package/PackageWriter.h"
#include "skin/package/SkinPaths.h"
#include "skin/package/TacSkinConvertor.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace skin {

namespace {

std::vector<std::uint8_t> ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PackageError("Cannot read file \"" + path.string() + "\"");
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw PackageError("Cannot write file \"" + path.string() + "\"");
}

// A member name must name a file inside the folder, nothing above or beside it.
bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos &&
           name.find('\0') == std::string::npos && !(name.size() >= 2 && name[1] == ':');
}

} // namespace

std::vector<std::uint8_t> PackFolder(const std::string& folderNative, const std::string& leaveOut)
{
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folderNative, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (!it->is_regular_file(typeError) || name.empty() || name[0] == '.' || EndsWithIgnoringCase(name, ".vsz"))
            continue;
        std::error_code sameError;
        if (!leaveOut.empty() && fs::equivalent(it->path(), leaveOut, sameError))
            continue;
        files.push_back(it->path());
    }
    if (ec)
        throw PackageError("Cannot read the folder \"" + folderNative + "\"");
    std::sort(files.begin(), files.end());
    auto options = std::find_if(files.begin(), files.end(),
                                [](const fs::path& p) { return SameTextAscii(p.filename().string(), "Options.dat"); });
    if (options == files.end())
        throw PackageError("The folder \"" + folderNative + "\" holds no Options.dat");
    std::rotate(files.begin(), options, options + 1);
    std::vector<PackageMember> members;
    for (const fs::path& file : files)
        members.push_back({file.filename().string(), ReadAll(file)});
    return WritePackage(members);
}

UnpackResult UnpackPackage(std::span<const std::uint8_t> package, const std::string& folderNative)
{
    std::vector<std::pair<std::string, std::vector<std::uint8_t>>> members;
    if (!ForEachPackageMember(package, [&](std::string name, std::vector<std::uint8_t> content) {
            members.emplace_back(std::move(name), std::move(content));
        }))
        throw PackageError(std::string(WrongMagicMessage));
    bool hasOptions = false;
    for (auto& [name, content] : members) {
        if (SameTextAscii(name, "Options.dat") && !hasOptions) {
            name = "Options.dat";
            hasOptions = true;
        } else if (!IsPlainFileName(name)) {
            throw PackageError("The member name \"" + name + "\" is not a plain file name");
        }
    }
    // Options.dat goes first, as the reader finds it wherever it stands.
    std::stable_partition(members.begin(), members.end(), [](const auto& m) { return m.first == "Options.dat"; });

    std::error_code ec;
    fs::create_directories(folderNative, ec);
    if (!fs::is_directory(folderNative))
        throw PackageError("Cannot create the folder \"" + folderNative + "\"");
    UnpackResult result;
    if (!hasOptions)
        result.Problems.push_back("The package holds no Options.dat: the folder is no skin");
    for (const auto& [name, bytes] : members) {
        if (std::optional<std::string> present = FindEntryIgnoringCase(folderNative, name)) {
            const bool ours = std::find(result.Written.begin(), result.Written.end(), *present) != result.Written.end();
            result.Problems.push_back("Skipped \"" + name + "\": " +
                                      (ours ? "the package has another member \"" + *present + "\" of that name"
                                            : "the folder holds \"" + *present + "\" already, which is not overwritten"));
            continue;
        }
        WriteAll(fs::path(folderNative) / name, bytes);
        result.Written.push_back(name);
    }
    return result;
}

} // namespace skin
