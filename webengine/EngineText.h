// Between the engine's UTF-16 strings and the UTF-8 that GLib and WebKit speak.
#pragma once

#include "engine/capi/cef_entry_points.h"

#include <string>
#include <string_view>

namespace webengine {

inline std::string Utf8(const cef_string_t* s)
{
    if (!s || !s->str || s->length == 0)
        return {};
    cef_string_utf8_t out{};
    cef_string_utf16_to_utf8(s->str, s->length, &out);
    std::string result(out.str ? out.str : "", out.length);
    cef_string_utf8_clear(&out);
    return result;
}

inline std::u16string Utf16(const cef_string_t* s)
{
    if (!s || !s->str)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(s->str), s->length);
}

inline std::u16string Utf16(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    cef_string_t converted{};
    cef_string_utf8_to_utf16(utf8.data(), utf8.size(), &converted);
    std::u16string result = Utf16(&converted);
    cef_string_utf16_clear(&converted);
    return result;
}

// A view of s for the functions that copy what they are given; s must outlive it.
inline cef_string_t BorrowedString(const std::u16string& s)
{
    return cef_string_t{const_cast<char16*>(reinterpret_cast<const char16*>(s.data())), s.size(), nullptr};
}

inline cef_string_userfree_t NewUserFreeString(const std::u16string& s)
{
    cef_string_userfree_t out = cef_string_userfree_utf16_alloc();
    if (out && !s.empty())
        cef_string_utf16_set(reinterpret_cast<const char16*>(s.data()), s.size(), out, 1);
    return out;
}

// A string the caller frees with cef_string_userfree_utf16_free (the engine's answers).
inline cef_string_userfree_t NewUserFreeString(std::string_view utf8)
{
    cef_string_userfree_t s = cef_string_userfree_utf16_alloc();
    if (s && !utf8.empty())
        cef_string_utf8_to_utf16(utf8.data(), utf8.size(), s);
    return s;
}

// A UTF-16 copy that lives as long as this object: for passing text to the program's callbacks.
class EngineString {
public:
    explicit EngineString(std::string_view utf8)
    {
        if (!utf8.empty())
            cef_string_utf8_to_utf16(utf8.data(), utf8.size(), &s_);
    }
    ~EngineString() { cef_string_utf16_clear(&s_); }
    EngineString(const EngineString&) = delete;
    EngineString& operator=(const EngineString&) = delete;
    const cef_string_t* Get() const { return &s_; }

private:
    cef_string_t s_{};
};

} // namespace webengine
