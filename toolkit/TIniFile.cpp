#include "toolkit/TIniFile.h"

#include "platform/system/Paths.h"
#include "platform/system/Profile.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

namespace toolkit {

TIniFile::TIniFile(StringView fileName) : fileName_(fileName) {}

void TIniFile::WriteError() const
{
    throw EIniFileException(Format(u"Unable to write to %s", {fileName_}));
}

String TIniFile::ReadString(StringView section, StringView ident, StringView def) const
{
    return platform::GetPrivateProfileString(section, ident, def, fileName_, platform::kProfileBufferSize);
}

// A folder that cannot be made is left to the write, which then fails and says so.
void TIniFile::MakeFolder() const
{
    if (!createFolder_)
        return;
    String folder = platform::ExtractFilePath(fileName_);
    if (!folder.empty() && !platform::DirectoryExists(folder))
        platform::ForceDirectories(folder, 0700);
}

void TIniFile::WriteString(StringView section, StringView ident, StringView value)
{
    MakeFolder();
    if (!platform::WritePrivateProfileString(section, ident, value, fileName_))
        WriteError();
}

int TIniFile::ReadInteger(StringView section, StringView ident, int def) const
{
    String text = ReadString(section, ident, u"");
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X'))
        text = u"$" + text.substr(2);
    return StrToIntDef(text, def);
}

void TIniFile::WriteInteger(StringView section, StringView ident, int value)
{
    WriteString(section, ident, IntToStr(value));
}

bool TIniFile::ReadBool(StringView section, StringView ident, bool def) const
{
    return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TIniFile::WriteBool(StringView section, StringView ident, bool value)
{
    WriteString(section, ident, value ? u"1" : u"0");
}

bool TIniFile::SectionExists(StringView section) const
{
    for (const String& s : ReadSections())
        if (SameText(s, section))
            return true;
    return false;
}

bool TIniFile::ValueExists(StringView section, StringView ident) const
{
    for (const String& key : ReadSection(section))
        if (SameText(key, ident))
            return true;
    return false;
}

std::vector<String> TIniFile::ReadSections() const
{
    return platform::GetPrivateProfileSectionNames(fileName_);
}

std::vector<String> TIniFile::ReadSection(StringView section) const
{
    return platform::GetPrivateProfileKeyNames(section, fileName_);
}

void TIniFile::EraseSection(StringView section)
{
    if (!platform::DeletePrivateProfileSection(section, fileName_))
        WriteError();
}

void TIniFile::DeleteKey(StringView section, StringView ident)
{
    platform::DeletePrivateProfileKey(section, ident, fileName_);
}

} // namespace toolkit
