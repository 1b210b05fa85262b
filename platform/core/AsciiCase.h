// Upper and lower case of the ASCII letters only. Names in files, classes, schemes and fonts
// compare this way; every other character, and every byte above 127 of a single-byte text, stays
// as it is whatever the process's locale. Header-only, so that the engine library can use it too.
#pragma once

#include <string>
#include <string_view>

namespace platform {

template <typename Char>
constexpr bool IsAsciiLetter(Char c)
{
    return (c >= Char('a') && c <= Char('z')) || (c >= Char('A') && c <= Char('Z'));
}

template <typename Char>
constexpr Char ToLowerAscii(Char c)
{
    return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <typename Char>
constexpr Char ToUpperAscii(Char c)
{
    return c >= Char('a') && c <= Char('z') ? Char(c - Char('a') + Char('A')) : c;
}

namespace detail {

template <typename Char, typename Map>
std::basic_string<Char> MapEach(std::basic_string_view<Char> s, Map map)
{
    std::basic_string<Char> out(s);
    for (Char& c : out)
        c = map(c);
    return out;
}

template <typename Char>
constexpr bool SameTextAscii(std::basic_string_view<Char> a, std::basic_string_view<Char> b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToUpperAscii(a[i]) != ToUpperAscii(b[i]))
            return false;
    return true;
}

} // namespace detail

inline std::string LowerAscii(std::string_view s) { return detail::MapEach(s, ToLowerAscii<char>); }
inline std::u16string LowerAscii(std::u16string_view s) { return detail::MapEach(s, ToLowerAscii<char16_t>); }
inline std::string UpperAscii(std::string_view s) { return detail::MapEach(s, ToUpperAscii<char>); }
inline std::u16string UpperAscii(std::u16string_view s) { return detail::MapEach(s, ToUpperAscii<char16_t>); }

// Equal but for the case of ASCII letters.
constexpr bool SameTextAscii(std::string_view a, std::string_view b) { return detail::SameTextAscii(a, b); }
constexpr bool SameTextAscii(std::u16string_view a, std::u16string_view b) { return detail::SameTextAscii(a, b); }

} // namespace platform
