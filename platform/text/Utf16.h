// UTF-16 code units and code points: surrogate pairs in both directions. Header-only, so that the
// engine library, which takes none of the platform's objects, can use it as well.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

constexpr char32_t ReplacementCharacter = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The code point that starts at text[i] (i < count), moving i past it. A surrogate pair is one
// code point; a surrogate without its partner becomes U+FFFD, so that text from outside never
// breaks what reads it.
template <typename Unit>
constexpr char32_t DecodeUtf16(const Unit* text, std::size_t count, std::size_t& i)
{
    const char32_t unit = char32_t(text[i++]);
    if (IsHighSurrogate(unit) && i < count && IsLowSurrogate(char32_t(text[i])))
        return 0x10000 + ((unit - 0xD800) << 10) + (char32_t(text[i++]) - 0xDC00);
    return IsSurrogate(unit) ? ReplacementCharacter : unit;
}

constexpr char32_t DecodeUtf16(std::u16string_view text, std::size_t& i)
{
    return DecodeUtf16(text.data(), text.size(), i);
}

// Appends the units of a code point (at most U+10FFFF) to a string of 16-bit units.
template <typename Units>
constexpr void AppendUtf16(Units& out, char32_t codePoint)
{
    using Unit = typename Units::value_type;
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(Unit(0xD800 + (codePoint >> 10)));
        out.push_back(Unit(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(Unit(codePoint));
    }
}

} // namespace platform
