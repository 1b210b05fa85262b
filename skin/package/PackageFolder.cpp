#include "skin/package/PackageFolder.h"

#include "skin/package/AsciiText.h"
#include "skin/package/PackageWriter.h"
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

std::vector<std::uint8_t> PackFolder(const std::string& folderNative)
{
    std::error_code ec;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folderNative, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(typeError) && !name.empty() && name[0] != '.')
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

std::vector<std::string> UnpackPackage(std::span<const std::uint8_t> package, const std::string& folderNative)
{
    TacSkinConvertor convertor;
    convertor.PackedData = package;
    std::string error;
    if (!ExtractPackedData(convertor, [&](const std::string& text) { error = text; }))
        throw PackageError(error);
    std::vector<std::pair<std::string, const std::vector<std::uint8_t>*>> members;
    if (convertor.Options)
        members.push_back({"Options.dat", &*convertor.Options});
    for (const TacImageItem& item : convertor.Files) {
        if (!IsPlainFileName(item.FileName))
            throw PackageError("The member name \"" + item.FileName + "\" is not a plain file name");
        members.push_back({item.FileName, &item.FileStream});
    }
    std::error_code ec;
    fs::create_directories(folderNative, ec);
    if (!fs::is_directory(folderNative))
        throw PackageError("Cannot create the folder \"" + folderNative + "\"");
    std::vector<std::string> written;
    for (const auto& [name, bytes] : members) {
        WriteAll(fs::path(folderNative) / name, *bytes);
        written.push_back(name);
    }
    return written;
}

} // namespace skin
