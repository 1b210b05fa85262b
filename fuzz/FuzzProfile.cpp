// The profile reader on arbitrary bytes: every section and key it lists must be readable, a file
// it leaves unchanged must serialise to the same bytes, and edits must reach exactly what they
// name: no other value changes, no value breaks into new lines, and the text read back from the
// rewritten file says the same. Now and then the same goes through a real file on disk.
#include "platform/system/LastError.h"
#include "platform/system/Profile.h"
#include "platform/system/ProfileDocument.h"
#include "platform/system/StringCompare.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace platform;

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "profile invariant broken: %s\n", what);
    std::abort();
}

void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

struct Pair {
    String section;
    String key;
};

std::vector<Pair> Pairs(const ProfileDocument& document, std::size_t limit = 32)
{
    std::vector<Pair> pairs;
    for (const String& section : document.SectionNames()) {
        for (const String& key : document.KeyNames(section)) {
            if (pairs.size() == limit)
                return pairs;
            pairs.push_back({section, key});
        }
    }
    return pairs;
}

using Values = std::vector<std::optional<String>>;

Values ValuesOf(const ProfileDocument& document, const std::vector<Pair>& pairs)
{
    Values values;
    for (const Pair& pair : pairs)
        values.push_back(document.Value(pair.section, pair.key));
    return values;
}

bool Touches(const Pair& pair, StringView section, StringView key)
{
    return SameTextOrdinal(ProfileDocument::Trim(pair.section), ProfileDocument::Trim(section)) &&
           (key.empty() || SameTextOrdinal(ProfileDocument::Trim(pair.key), ProfileDocument::Trim(key)));
}

// Every pair the edit did not name reads as before, in the document and after a round trip
// through its bytes.
void CheckOthersKept(const ProfileDocument& edited, const std::vector<Pair>& pairs, const Values& before,
                     StringView section, StringView key)
{
    ProfileDocument reread = ProfileDocument::Parse(edited.Serialize());
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        Check(reread.Value(pairs[i].section, pairs[i].key) == edited.Value(pairs[i].section, pairs[i].key),
              "a value reads differently after the document is written out");
        if (!Touches(pairs[i], section, key))
            Check(edited.Value(pairs[i].section, pairs[i].key) == before[i], "an edit changed another value");
    }
}

// A value that reads back exactly as written: printable ASCII, no blanks or quotes at its ends.
String PlainValue(std::string_view bytes)
{
    String value;
    for (char c : bytes.substr(0, 24)) {
        if (c > ' ' && c < 0x7F && c != '"' && c != '\'')
            value.push_back(char16_t(c));
    }
    return value.empty() ? String(u"v") : value;
}

void CheckEdits(const ProfileDocument& original, std::string_view bytes)
{
    std::vector<Pair> pairs = Pairs(original);
    Values before = ValuesOf(original, pairs);
    String section = pairs.empty() ? String(u"Fuzz") : pairs[bytes.size() % pairs.size()].section;
    String key = pairs.empty() ? String(u"key") : pairs[bytes.size() % pairs.size()].key;
    std::vector<String> sectionsBefore = original.SectionNames();

    // A plain value reads back as written.
    ProfileDocument edited = original;
    String plain = PlainValue(bytes);
    if (ProfileDocument::IsStorableSectionName(section) && ProfileDocument::IsStorableKeyName(key)) {
        edited.SetValue(section, key, plain);
        Check(edited.Value(section, key) == plain, "a written value does not read back");
        CheckOthersKept(edited, pairs, before, section, key);
    }

    // Any value, the input itself included, stays on its line.
    ProfileDocument wild = original;
    String anything = Utf8ToUtf16(bytes.substr(0, 256));
    if (wild.SetValue(section, u"Wild", anything)) {
        std::vector<String> sectionsAfter = wild.SectionNames();
        if (!original.HasSection(section))
            sectionsBefore.push_back(ProfileDocument::Trim(section));
        Check(sectionsAfter == sectionsBefore, "a value created or lost a section");
        Check(wild.Value(section, u"Wild").has_value(), "a written key is missing");
        CheckOthersKept(wild, pairs, before, section, u"Wild");
    }

    ProfileDocument withoutKey = original;
    withoutKey.DeleteKey(section, key);
    Check(!withoutKey.Value(section, key).has_value(), "a deleted key still reads");
    CheckOthersKept(withoutKey, pairs, before, section, key);

    ProfileDocument withoutSection = original;
    withoutSection.DeleteSection(section);
    Check(!withoutSection.HasSection(section), "a deleted section is still there");
    CheckOthersKept(withoutSection, pairs, before, section, String());
}

// Made once and removed at exit; never destroyed before that, as the exit handler needs its name.
const std::string& TempFolder()
{
    static const std::string* folder = [] {
        // Memory-backed when possible: every write is flushed to disk, which a real disk makes slow.
        const char* base = std::getenv("TMPDIR");
        if (!base || !*base)
            base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* pattern = new std::string(std::string(base) + "/fuzz-profile-XXXXXX");
        if (!mkdtemp(pattern->data()))
            Fail("no temporary folder");
        std::atexit([] {
            std::string file = TempFolder() + "/Config.ini";
            unlink(file.c_str());
            rmdir(TempFolder().c_str());
        });
        return pattern;
    }();
    return *folder;
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    return names;
}

void CheckFileRoundTrip(const ProfileDocument& document, std::string_view bytes)
{
    std::string path = TempFolder() + "/Config.ini";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    } else {
        Fail("cannot write the input file");
    }
    String fileName = Utf8ToUtf16(path);
    std::vector<Pair> pairs = Pairs(document, 8);
    for (const Pair& pair : pairs) {
        Check(GetPrivateProfileString(pair.section, pair.key, u"", fileName, 0x7FFFFFFF) ==
                  document.Value(pair.section, pair.key).value_or(String()),
              "the file reads differently from the document");
    }
    String section = pairs.empty() || !ProfileDocument::IsStorableSectionName(pairs[0].section) ? String(u"Fuzz")
                                                                                                   : pairs[0].section;
    String value = PlainValue(bytes.substr(bytes.size() / 2));
    Check(WritePrivateProfileString(section, u"RoundTrip", value, fileName), "a write to a temporary file failed");
    Check(GetPrivateProfileString(section, u"roundtrip", u"", fileName) == value, "a written value does not read back");
    for (const Pair& pair : pairs) {
        if (!Touches(pair, section, u"RoundTrip")) {
            Check(GetPrivateProfileString(pair.section, pair.key, u"", fileName, 0x7FFFFFFF) ==
                      document.Value(pair.section, pair.key).value_or(String()),
                  "a write changed another value in the file");
        }
    }
    Check(FolderEntries(TempFolder()) == std::vector<std::string>{"Config.ini"}, "a write left another file behind");

    // The raw form through a small buffer gives a terminated prefix.
    WCHAR buffer[16];
    DWORD size = DWORD(1 + bytes.size() % 15);
    DWORD count = GetPrivateProfileString(section.c_str(), u"RoundTrip", u"", buffer, size, fileName.c_str());
    Check(count < size && buffer[count] == 0 && value.compare(0, count, buffer, count) == 0,
          "a cut value is not a terminated prefix");
    count = GetPrivateProfileString(nullptr, nullptr, nullptr, buffer, size, fileName.c_str());
    Check(count < size && buffer[count] == 0, "a cut list is not terminated");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileDocument document = ProfileDocument::Parse(bytes);
    for (const Pair& pair : Pairs(document))
        Check(document.Value(pair.section, pair.key).has_value(), "a listed key does not read");
    if (document.SourceEncoding() == ProfileDocument::Encoding::Utf8)
        Check(document.Serialize() == bytes, "an unchanged UTF-8 file does not serialise to its bytes");
    CheckEdits(document, bytes);

    // Files cost a flush each: one input in sixteen goes that way.
    std::uint32_t hash = 2166136261u;
    for (char c : bytes)
        hash = (hash ^ std::uint8_t(c)) * 16777619u;
    if (hash % 16 == 0)
        CheckFileRoundTrip(document, bytes);
    return 0;
}
