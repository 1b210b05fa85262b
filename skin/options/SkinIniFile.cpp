#include "skin/options/SkinIniFile.h"

#include <cstdint>

namespace skin {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace

SkinIniFile::SkinIniFile(std::string text) : text_(std::make_unique<const std::string>(std::move(text)))
{
    std::string_view rest(*text_);
    Section* current = nullptr;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            std::size_t next = end + 1;
            if (rest[end] == '\r' && next < rest.size() && rest[next] == '\n')
                ++next;
            rest.remove_prefix(next);
        }
        line = Trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections_.push_back(Section{line.substr(1, line.size() - 2), {}});
            current = &sections_.back();
            continue;
        }
        if (!current)
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        current->Entries.push_back(Entry{Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))});
    }
    index_.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(sections_[i].Name, int(i));
}

int SkinIniFile::IndexOfSection(std::string_view name) const
{
    auto it = index_.find(name);
    return it == index_.end() ? -1 : it->second;
}

const SkinIniFile::Section* SkinIniFile::FindSection(std::string_view name) const
{
    const int i = IndexOfSection(name);
    return i < 0 ? nullptr : &sections_[std::size_t(i)];
}

const std::string_view* SkinIniFile::FindValue(const Section& section, std::string_view key)
{
    for (const Entry& e : section.Entries)
        if (e.Key == key)
            return &e.Value;
    return nullptr;
}

const std::string_view* SkinIniFile::FindValue(std::string_view section, std::string_view key) const
{
    const Section* s = FindSection(section);
    return s ? FindValue(*s, key) : nullptr;
}

std::string SkinIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const
{
    const std::string_view* v = FindValue(section, key);
    return std::string(v ? *v : def);
}

int SkinIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const
{
    const std::string_view* v = FindValue(section, key);
    int value = 0;
    return v && TryParseInteger(*v, value) ? value : def;
}

bool SkinIniFile::ValueExists(std::string_view section, std::string_view key) const
{
    return FindValue(section, key) != nullptr;
}

bool TryParseInteger(std::string_view s, int& value)
{
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty())
        return false;
    std::int64_t v = 0;
    for (char c : s) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        v = v * base + digit;
        // Hexadecimal may name all 32 bits ($FFFFFFFF is -1), decimal must fit a signed value.
        if (v > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL))
            return false;
    }
    if (base == 16)
        v = std::int32_t(std::uint32_t(v));
    else if (!negative && v > 0x7FFFFFFF)
        return false;
    value = int(negative ? -v : v);
    return true;
}

} // namespace skin
