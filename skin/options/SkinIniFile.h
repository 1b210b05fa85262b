// The options text of a skin as an in-memory INI file: sections and keys in file order, names
// compared case-sensitively, keys and values trimmed.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace skin {

class SkinIniFile {
public:
    struct Entry {
        std::string_view Key;
        std::string_view Value;
    };
    struct Section {
        std::string_view Name;
        std::vector<Entry> Entries; // in file order
    };

    SkinIniFile() = default;
    explicit SkinIniFile(std::string text);
    SkinIniFile(const SkinIniFile&) = delete;
    SkinIniFile& operator=(const SkinIniFile&) = delete;
    SkinIniFile(SkinIniFile&&) = default;
    SkinIniFile& operator=(SkinIniFile&&) = default;

    // Every "[name]" line opens a section, repeated names included.
    const std::vector<Section>& Sections() const { return sections_; }
    // The first section of that name, -1 when none.
    int IndexOfSection(std::string_view name) const;
    const Section* FindSection(std::string_view name) const;
    // The first value of key in the first section of that name.
    const std::string_view* FindValue(std::string_view section, std::string_view key) const;
    static const std::string_view* FindValue(const Section& section, std::string_view key);

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    bool ValueExists(std::string_view section, std::string_view key) const;

private:
    // Held on the heap so that the views into it survive moves of the file object.
    std::unique_ptr<const std::string> text_;
    std::vector<Section> sections_;
    std::unordered_map<std::string_view, int> index_;
};

// Integer forms of the options text: decimal, "$" or "0x" hexadecimal, with a sign. False when
// the text is not a number or does not fit 32 bits.
bool TryParseInteger(std::string_view text, int& value);

} // namespace skin
