#include "skin/options/SkinLookups.h"

#include <algorithm>
#include <array>

namespace skin {

namespace {

// Walks a section and its parents, calling visit(section) until it answers true. A parent naming
// its own child ends the walk, and so does a parent already visited: a chain that loops through
// several sections ends at the first repeat, as if the repeated section had no parent.
template <typename Visit>
bool WalkChain(const SkinIniFile& ini, std::string_view section, Visit&& visit)
{
    std::array<int, MaxParentChain> seen{};
    int index = ini.IndexOfSection(section);
    for (int depth = 0; index >= 0 && depth < MaxParentChain; ++depth) {
        seen[std::size_t(depth)] = index;
        const SkinIniFile::Section& s = ini.Sections()[std::size_t(index)];
        if (visit(s))
            return true;
        const std::string_view* parent = SkinIniFile::FindValue(s, "PARENTCLASS");
        if (!parent || parent->empty() || *parent == s.Name)
            return false;
        index = ini.IndexOfSection(*parent);
        if (std::find(seen.begin(), seen.begin() + depth + 1, index) != seen.begin() + depth + 1)
            return false;
    }
    return false;
}

} // namespace

int FindInteger(const SkinIniFile& ini, std::string_view section, std::string_view key, int def, int maximum)
{
    int result = def;
    WalkChain(ini, section, [&](const SkinIniFile::Section& s) {
        const std::string_view* v = SkinIniFile::FindValue(s, key);
        int value = 0;
        if (v && TryParseInteger(*v, value) && value >= 0) {
            result = value;
            return true;
        }
        return false;
    });
    return std::min(result, maximum);
}

bool FindBoolean(const SkinIniFile& ini, std::string_view section, std::string_view key, bool def)
{
    bool result = def;
    WalkChain(ini, section, [&](const SkinIniFile::Section& s) {
        const std::string_view* v = SkinIniFile::FindValue(s, key);
        if (!v)
            return false;
        result = *v == "TRUE" || *v == "1";
        return true;
    });
    return result;
}

std::string FindString(const SkinIniFile& ini, std::string_view section, std::string_view key, std::string_view def)
{
    std::string_view result = def;
    WalkChain(ini, section, [&](const SkinIniFile::Section& s) {
        const std::string_view* v = SkinIniFile::FindValue(s, key);
        if (!v || *v == "?")
            return false;
        result = *v;
        return true;
    });
    return std::string(result);
}

int ScalePercent(int scaleIndex)
{
    return scaleIndex == 1 ? 125 : scaleIndex == 2 ? 150 : 100;
}

std::string_view ScaleSuffix(int scaleIndex)
{
    return scaleIndex == 1 ? "*125" : scaleIndex == 2 ? "*150" : "";
}

int ReadScaledInteger(const SkinIniFile& ini, std::string_view section, std::string_view key, int scaleIndex)
{
    if (scaleIndex != 1 && scaleIndex != 2)
        return ini.ReadInteger(section, key, -1);
    std::string scaledKey(key);
    scaledKey += ScaleSuffix(scaleIndex);
    if (ini.ValueExists(section, scaledKey))
        return ini.ReadInteger(section, scaledKey, -1);
    const int value = ini.ReadInteger(section, key, -1);
    return value == -1 ? -1 : int(std::int64_t(value) * ScalePercent(scaleIndex) / 100);
}

bool IsIgnoredKey(std::string_view key)
{
    static constexpr std::string_view ignored[] = {
        "FADINGENABLED", "FADINGITERATIONS", "FADINGINTERVALIN", "FADINGINTERVALOUT", "SHOWFOCUS",
        "LRGN", "SUID", "CAPTIONHEIGHT", "EXTSHADOW", "BICONMAXGLOW", "BICONMINGLOW", "BICONNORMGLOW",
        "BICLOSEALONEGLOW"};
    return std::find(std::begin(ignored), std::end(ignored), key) != std::end(ignored);
}

} // namespace skin
