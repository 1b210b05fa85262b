// Skin files are single-byte text; names in them are compared after ASCII upper-casing, which
// leaves every other byte alone (a locale-aware upper-casing would change bytes above 127).
#pragma once

#include <string>
#include <string_view>

namespace skin {

inline char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

inline std::string UpperAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = UpperAscii(c);
    return out;
}

inline bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    return true;
}

inline bool EndsWithIgnoringCase(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && SameTextAscii(s.substr(s.size() - tail.size()), tail);
}

} // namespace skin
