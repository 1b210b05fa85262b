// The text of a profile (INI) file, kept line by line so that an edit rewrites only the lines it
// changes and every other byte of the file stays as it was.
//
// Reading follows the system's rules: a section starts at a line "[name]", a key line is
// "name=value", lines starting with ";" are comments; section and key names match without regard
// to case, the first section of a name and its first key of a name count; a value loses the blanks
// around it and one pair of enclosing quotes (" or '). Keys before the first section belong to no
// section and are never read.
#pragma once

#include "platform/core/Types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ProfileDocument {
public:
    enum class Encoding { Utf8, Utf8WithBom, Utf16Le, Windows1251 };

    ProfileDocument() = default;

    // Any bytes: UTF-8 with or without its byte order mark, UTF-16 with its mark, and bytes that
    // are not valid UTF-8 as Windows-1251. Lines end with LF or CR LF.
    static ProfileDocument Parse(std::string_view bytes);
    // The file's bytes: UTF-8 (with the mark when the file had it), or UTF-16 for a UTF-16 file.
    std::string Serialize() const;

    Encoding SourceEncoding() const { return encoding_; }

    std::vector<String> SectionNames() const;
    bool HasSection(StringView section) const;
    // The keys of the first section of that name, in file order.
    std::vector<String> KeyNames(StringView section) const;
    std::optional<String> Value(StringView section, StringView key) const;

    // Each answers whether the text changed. Names are trimmed; see IsStorable* for what a name
    // may hold. Line breaks in a value become spaces, as a value is one line.
    bool SetValue(StringView section, StringView key, StringView value);
    // Removes the key from every section of that name.
    bool DeleteKey(StringView section, StringView key);
    // Removes every section of that name with all its lines.
    bool DeleteSection(StringView section);

    static bool IsStorableSectionName(StringView section);
    static bool IsStorableKeyName(StringView key);

    static String Trim(StringView text);

private:
    enum class LineKind { Other, Section, Key };

    struct Line {
        String text;
        String end;
        LineKind kind = LineKind::Other;
        String name;
        std::size_t valueStart = 0;
        std::size_t valueEnd = 0;
    };

    static Line Classify(String text, String end);
    // Index of the first header of a section of that name, or lines_.size().
    std::size_t FindSection(StringView section, std::size_t from = 0) const;
    // One past the last line of the section whose header is at index header.
    std::size_t SectionEnd(std::size_t header) const;
    void EnsureLastLineEnds();

    std::vector<Line> lines_;
    Encoding encoding_ = Encoding::Utf8;
    String lineEnd_ = u"\r\n";
};

} // namespace platform
