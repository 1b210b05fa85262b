// A settings file in the INI format. Every read and write goes straight to the file through the
// platform's profile functions (no cache); values are read through a buffer of 2048 characters.
// A write the platform refuses raises EIniFileException "Unable to write to <file name>".
#pragma once

#include "toolkit/TObject.h"

#include <vector>

namespace toolkit {

class TIniFile : public TObject {
public:
    explicit TIniFile(StringView fileName);

    const String& FileName() const { return fileName_; }
    // Whether a write first makes the file's missing folders, open to the user alone: a file in
    // the user's settings folder must not need that folder before the first write. Off by
    // default: a write into a missing folder fails.
    void SetCreateFolder(bool create) { createFolder_ = create; }

    // The value, or def when the file, the section or the key is missing (a key present with an
    // empty value reads as the empty text).
    String ReadString(StringView section, StringView ident, StringView def) const;
    void WriteString(StringView section, StringView ident, StringView value);
    // Integer text; "0x" or "0X" in front of a value longer than two characters means
    // hexadecimal; text that is not an integer counts as missing.
    int ReadInteger(StringView section, StringView ident, int def) const;
    void WriteInteger(StringView section, StringView ident, int value);
    // An integer as above: non-zero is true. Written as "1" or "0".
    bool ReadBool(StringView section, StringView ident, bool def) const;
    void WriteBool(StringView section, StringView ident, bool value);

    bool SectionExists(StringView section) const;
    bool ValueExists(StringView section, StringView ident) const;
    std::vector<String> ReadSections() const;
    std::vector<String> ReadSection(StringView section) const;
    void EraseSection(StringView section);
    void DeleteKey(StringView section, StringView ident);
    // Writes go to the file at once; nothing is left to flush.
    void UpdateFile() {}

private:
    [[noreturn]] void WriteError() const;
    void MakeFolder() const;

    String fileName_;
    bool createFolder_ = false;
};

} // namespace toolkit
