#include "skin/package/SkinLocator.h"

#include "skin/package/AsciiText.h"
#include "skin/package/SkinPaths.h"

#include "platform/core/AsciiCase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using platform::String;
using platform::StringView;

namespace skin {

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

String WithTrailingSeparator(String s)
{
    if (s.empty() || !IsSeparator(s.back()))
        s += u'\\';
    return s;
}

bool StartsWith(StringView s, StringView head) { return s.substr(0, head.size()) == head; }

char16_t FoldCase(char16_t c)
{
    if (c < 0x80)
        return platform::ToUpperAscii(c);
    if (c >= u'\u0430' && c <= u'\u044F') // Cyrillic small letters
        return char16_t(c - 0x20);
    if (c >= u'\u0450' && c <= u'\u045F')
        return char16_t(c - 0x50);
    return c;
}

bool LessIgnoringCase(const String& a, const String& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = FoldCase(a[i]), y = FoldCase(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

bool FolderHasOptions(const std::string& folder)
{
    return DirectoryExists(folder) && FindEntryIgnoringCase(folder, "Options.dat").has_value();
}

} // namespace

String GetFullSkinDirectory(StringView dir, StringView programDirectory)
{
    String p(programDirectory);
    if (p.empty() || !IsSeparator(p.back()))
        p += u'/';
    String result;
    if (StartsWith(dir, u"..")) {
        String parent = p.substr(0, p.size() - 1);
        const std::size_t cut = parent.find_last_of(u"\\/");
        parent = cut == String::npos ? String() : parent.substr(0, cut + 1);
        result = parent + String(dir.size() > 3 ? dir.substr(3) : StringView());
    } else if (StartsWith(dir, u".\\") || StartsWith(dir, u"./")) {
        result = p + String(dir.substr(2));
    } else if (dir == u".") {
        result = p;
    } else if (dir.find(u':') == StringView::npos && dir.find(u"\\\\") == StringView::npos &&
               !StartsWith(dir, u"/")) {
        // A path starting with "/" is absolute on this system, though it holds no drive letter.
        result = p + String(dir);
    } else {
        result = String(dir);
    }
    return WithTrailingSeparator(std::move(result));
}

ResolvedSkin ResolveSkinName(StringView name, StringView skinDirectory, StringView fullSkinDirectory,
                             const TsStoredSkins& catalogue, bool preferFolder)
{
    ResolvedSkin r;
    r.Name = String(name);
    if (r.Name.size() > 4) {
        const std::string tail = platform::Utf16ToUtf8(StringView(r.Name).substr(r.Name.size() - 4));
        if (SameTextAscii(tail, ".vsz"))
            r.Name.resize(r.Name.size() - 4);
    }

    const String packed = WithTrailingSeparator(String(skinDirectory)) + r.Name + u".vsz";
    const std::string packedNative = NativePath(packed);
    const String folder = WithTrailingSeparator(String(fullSkinDirectory) + r.Name);
    const std::string folderNative = NativePath(folder);

    auto tryPacked = [&] {
        if (!FileExists(packedNative))
            return false;
        r.Kind = SkinSourceKind::PackedFile;
        r.PackedFile = packedNative;
        return true;
    };
    auto tryFolder = [&] {
        if (!FolderHasOptions(folderNative))
            return false;
        r.Kind = SkinSourceKind::Folder;
        r.Folder = folder;
        r.FolderNative = folderNative;
        return true;
    };
    if (preferFolder ? (tryFolder() || tryPacked()) : (tryPacked() || tryFolder()))
        return r;

    r.Index = catalogue.IndexOf(r.Name);
    if (r.Index >= 0) {
        r.Kind = SkinSourceKind::Internal;
        return r;
    }
    if (!catalogue.Empty()) {
        r.Kind = SkinSourceKind::Internal;
        r.Index = 0;
        r.Name = catalogue.Item(0).Name;
        r.FellBack = true;
    }
    return r;
}

String GetSkinNames(std::vector<String>& names, TacSkinTypes types, StringView fullSkinDirectory,
                    const TsStoredSkins* catalogue)
{
    names.clear();
    if (catalogue)
        for (const TsStoredSkin& item : catalogue->Items())
            names.push_back(item.Name);
    const std::string dir = NativePath(fullSkinDirectory);
    if (DirectoryExists(dir)) {
        std::vector<String> found;
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string entry = it->path().filename().string();
            if (entry.empty() || entry[0] == '.')
                continue;
            std::error_code typeError;
            if (it->is_directory(typeError)) {
                if (types != TacSkinTypes::stPacked && FolderHasOptions(it->path().string()))
                    found.push_back(platform::Utf8ToUtf16(entry));
            } else if (types != TacSkinTypes::stUnpacked && entry.size() > 4 &&
                       entry.compare(entry.size() - 4, 4, ".vsz") == 0) {
                found.push_back(platform::Utf8ToUtf16(entry.substr(0, entry.size() - 4)));
            }
        }
        // Directory order is arbitrary; which name counts as found first should not be.
        std::sort(found.begin(), found.end());
        names.insert(names.end(), found.begin(), found.end());
    }
    String first = names.empty() ? String() : names.front();
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    return first;
}

bool ExtractByIndex(const TsStoredSkins& catalogue, int index, StringView destinationFolder,
                    const ShowErrorFn& showError)
{
    if (index < 0 || index >= catalogue.Count())
        return false;
    const String folder = WithTrailingSeparator(String(destinationFolder));
    const std::string native = NativePath(folder);
    std::error_code ec;
    if (!DirectoryExists(native) && (!fs::create_directories(native, ec) || ec)) {
        if (showError)
            showError(platform::Utf16ToUtf8(folder) + " directory creation error.");
        return false;
    }
    const TsStoredSkin& item = catalogue.Item(index);
    const std::string path = native + platform::Utf16ToUtf8(item.Name) + std::string(ExtractedSuffix);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(item.PackedData.data()), std::streamsize(item.PackedData.size()));
    out.close();
    if (!out) {
        if (showError)
            showError("Cannot create file \"" + path + "\".");
        return false;
    }
    return true;
}

void ExtractInternalSkin(const TsStoredSkins& catalogue, StringView name, StringView destinationFolder,
                         const ShowErrorFn& showError)
{
    bool matched = false;
    for (int i = 0; i < catalogue.Count(); ++i) {
        if (catalogue.Item(i).Name != name)
            continue;
        matched = true;
        if (DirectoryExists(NativePath(destinationFolder)))
            ExtractByIndex(catalogue, i, destinationFolder, showError);
        else if (showError)
            showError("Directory does not exists.");
    }
    if (!matched && showError)
        showError("Skin does not exists.");
}

} // namespace skin
