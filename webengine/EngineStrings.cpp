// The engine's string functions: wide, UTF-8 and UTF-16 strings, and the string list, map and
// multimap containers. Strings own their buffer when their destructor is set.
#include "engine/capi/cef_entry_points.h"

#include "platform/core/Types.h"
#include "platform/text/Utf16.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using U16 = std::basic_string<char16>;

template <typename Char>
void FreeBuffer(Char* p)
{
    std::free(p);
}

template <typename Char, typename String>
int SetString(const Char* src, size_t length, String* output, int copy)
{
    if (!output)
        return 0;
    if (output->dtor && output->str)
        output->dtor(output->str);
    output->str = nullptr;
    output->length = 0;
    output->dtor = nullptr;
    if (!src || length == 0)
        return 1;
    if (!copy) {
        output->str = const_cast<Char*>(src);
        output->length = length;
        return 1;
    }
    auto* buffer = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
    if (!buffer)
        return 0;
    std::memcpy(buffer, src, length * sizeof(Char));
    buffer[length] = 0;
    output->str = buffer;
    output->length = length;
    output->dtor = FreeBuffer<Char>;
    return 1;
}

template <typename String>
void ClearString(String* s)
{
    if (!s)
        return;
    if (s->dtor && s->str)
        s->dtor(s->str);
    s->str = nullptr;
    s->length = 0;
    s->dtor = nullptr;
}

template <typename String>
int CompareStrings(const String* a, const String* b)
{
    size_t la = a ? a->length : 0, lb = b ? b->length : 0;
    for (size_t i = 0; i < la && i < lb; ++i) {
        auto ca = a->str[i], cb = b->str[i];
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

std::u32string DecodeUtf16(const char16* s, size_t n)
{
    std::u32string out;
    for (size_t i = 0; i < n;)
        out.push_back(platform::DecodeUtf16(s, n, i));
    return out;
}

std::u32string DecodeWide(const wchar_t* s, size_t n)
{
    std::u32string out;
    for (size_t i = 0; i < n; ++i) {
        auto c = char32_t(s[i]);
        out.push_back(c > 0x10FFFF || platform::IsSurrogate(c) ? platform::ReplacementCharacter : c);
    }
    return out;
}

U16 EncodeUtf16(const std::u32string& cps)
{
    U16 out;
    for (char32_t cp : cps)
        platform::AppendUtf16(out, cp);
    return out;
}

std::wstring EncodeWide(const std::u32string& cps)
{
    return std::wstring(cps.begin(), cps.end());
}

// The platform's UTF-8 conversions, on the engine's UTF-16 code units.
U16 Utf8ToU16(const char* s, size_t n)
{
    std::u16string text = platform::Utf8ToUtf16(std::string_view(s, n));
    return U16(reinterpret_cast<const char16*>(text.data()), text.size());
}

std::string U16ToUtf8(const char16* s, size_t n)
{
    return platform::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(s), n));
}

U16 ToU16(const cef_string_t* s)
{
    return s && s->str ? U16(s->str, s->length) : U16();
}

int ToCef(const U16& s, cef_string_t* out)
{
    return cef_string_utf16_set(s.data(), s.size(), out, 1);
}

} // namespace

struct _cef_string_list_t {
    std::vector<U16> items;
};
struct _cef_string_map_t {
    std::vector<std::pair<U16, U16>> items;
};
struct _cef_string_multimap_t {
    std::vector<std::pair<U16, U16>> items;
};

extern "C" {

int cef_string_wide_set(const wchar_t* src, size_t n, cef_string_wide_t* out, int copy) { return SetString(src, n, out, copy); }
int cef_string_utf8_set(const char* src, size_t n, cef_string_utf8_t* out, int copy) { return SetString(src, n, out, copy); }
int cef_string_utf16_set(const char16* src, size_t n, cef_string_utf16_t* out, int copy) { return SetString(src, n, out, copy); }
void cef_string_wide_clear(cef_string_wide_t* s) { ClearString(s); }
void cef_string_utf8_clear(cef_string_utf8_t* s) { ClearString(s); }
void cef_string_utf16_clear(cef_string_utf16_t* s) { ClearString(s); }
int cef_string_wide_cmp(const cef_string_wide_t* a, const cef_string_wide_t* b) { return CompareStrings(a, b); }
int cef_string_utf8_cmp(const cef_string_utf8_t* a, const cef_string_utf8_t* b) { return CompareStrings(a, b); }
int cef_string_utf16_cmp(const cef_string_utf16_t* a, const cef_string_utf16_t* b) { return CompareStrings(a, b); }

int cef_string_wide_to_utf8(const wchar_t* src, size_t n, cef_string_utf8_t* out)
{
    U16 text = EncodeUtf16(DecodeWide(src, n));
    std::string s = U16ToUtf8(text.data(), text.size());
    return cef_string_utf8_set(s.data(), s.size(), out, 1);
}
int cef_string_utf8_to_wide(const char* src, size_t n, cef_string_wide_t* out)
{
    U16 text = Utf8ToU16(src, n);
    std::wstring s = EncodeWide(DecodeUtf16(text.data(), text.size()));
    return cef_string_wide_set(s.data(), s.size(), out, 1);
}
int cef_string_wide_to_utf16(const wchar_t* src, size_t n, cef_string_utf16_t* out)
{
    U16 s = EncodeUtf16(DecodeWide(src, n));
    return cef_string_utf16_set(s.data(), s.size(), out, 1);
}
int cef_string_utf16_to_wide(const char16* src, size_t n, cef_string_wide_t* out)
{
    std::wstring s = EncodeWide(DecodeUtf16(src, n));
    return cef_string_wide_set(s.data(), s.size(), out, 1);
}
int cef_string_utf8_to_utf16(const char* src, size_t n, cef_string_utf16_t* out)
{
    U16 s = Utf8ToU16(src, n);
    return cef_string_utf16_set(s.data(), s.size(), out, 1);
}
int cef_string_utf16_to_utf8(const char16* src, size_t n, cef_string_utf8_t* out)
{
    std::string s = U16ToUtf8(src, n);
    return cef_string_utf8_set(s.data(), s.size(), out, 1);
}
int cef_string_ascii_to_wide(const char* src, size_t n, cef_string_wide_t* out) { return cef_string_utf8_to_wide(src, n, out); }
int cef_string_ascii_to_utf16(const char* src, size_t n, cef_string_utf16_t* out) { return cef_string_utf8_to_utf16(src, n, out); }

cef_string_userfree_wide_t cef_string_userfree_wide_alloc(void) { return static_cast<cef_string_userfree_wide_t>(std::calloc(1, sizeof(cef_string_wide_t))); }
cef_string_userfree_utf8_t cef_string_userfree_utf8_alloc(void) { return static_cast<cef_string_userfree_utf8_t>(std::calloc(1, sizeof(cef_string_utf8_t))); }
cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc(void) { return static_cast<cef_string_userfree_utf16_t>(std::calloc(1, sizeof(cef_string_utf16_t))); }
void cef_string_userfree_wide_free(cef_string_userfree_wide_t s) { ClearString(s); std::free(s); }
void cef_string_userfree_utf8_free(cef_string_userfree_utf8_t s) { ClearString(s); std::free(s); }
void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t s) { ClearString(s); std::free(s); }

cef_string_list_t cef_string_list_alloc(void) { return new _cef_string_list_t; }
int cef_string_list_size(cef_string_list_t list) { return list ? int(list->items.size()) : 0; }
int cef_string_list_value(cef_string_list_t list, int index, cef_string_t* value)
{
    if (!list || index < 0 || size_t(index) >= list->items.size())
        return 0;
    return ToCef(list->items[size_t(index)], value);
}
void cef_string_list_append(cef_string_list_t list, const cef_string_t* value) { if (list) list->items.push_back(ToU16(value)); }
void cef_string_list_clear(cef_string_list_t list) { if (list) list->items.clear(); }
void cef_string_list_free(cef_string_list_t list) { delete list; }
cef_string_list_t cef_string_list_copy(cef_string_list_t list) { return list ? new _cef_string_list_t(*list) : nullptr; }

cef_string_map_t cef_string_map_alloc(void) { return new _cef_string_map_t; }
int cef_string_map_size(cef_string_map_t map) { return map ? int(map->items.size()) : 0; }
int cef_string_map_find(cef_string_map_t map, const cef_string_t* key, cef_string_t* value)
{
    if (!map)
        return 0;
    U16 k = ToU16(key);
    for (auto& [name, v] : map->items)
        if (name == k)
            return ToCef(v, value);
    return 0;
}
int cef_string_map_key(cef_string_map_t map, int index, cef_string_t* key)
{
    if (!map || index < 0 || size_t(index) >= map->items.size())
        return 0;
    return ToCef(map->items[size_t(index)].first, key);
}
int cef_string_map_value(cef_string_map_t map, int index, cef_string_t* value)
{
    if (!map || index < 0 || size_t(index) >= map->items.size())
        return 0;
    return ToCef(map->items[size_t(index)].second, value);
}
int cef_string_map_append(cef_string_map_t map, const cef_string_t* key, const cef_string_t* value)
{
    if (!map)
        return 0;
    U16 k = ToU16(key);
    for (auto& item : map->items)
        if (item.first == k)
            return 0; // a map holds each key once
    map->items.emplace_back(k, ToU16(value));
    return 1;
}
void cef_string_map_clear(cef_string_map_t map) { if (map) map->items.clear(); }
void cef_string_map_free(cef_string_map_t map) { delete map; }

cef_string_multimap_t cef_string_multimap_alloc(void) { return new _cef_string_multimap_t; }
int cef_string_multimap_size(cef_string_multimap_t map) { return map ? int(map->items.size()) : 0; }
int cef_string_multimap_find_count(cef_string_multimap_t map, const cef_string_t* key)
{
    if (!map)
        return 0;
    U16 k = ToU16(key);
    int count = 0;
    for (auto& item : map->items)
        count += item.first == k;
    return count;
}
int cef_string_multimap_enumerate(cef_string_multimap_t map, const cef_string_t* key, int valueIndex, cef_string_t* value)
{
    if (!map || valueIndex < 0)
        return 0;
    U16 k = ToU16(key);
    for (auto& item : map->items)
        if (item.first == k && valueIndex-- == 0)
            return ToCef(item.second, value);
    return 0;
}
int cef_string_multimap_key(cef_string_multimap_t map, int index, cef_string_t* key)
{
    if (!map || index < 0 || size_t(index) >= map->items.size())
        return 0;
    return ToCef(map->items[size_t(index)].first, key);
}
int cef_string_multimap_value(cef_string_multimap_t map, int index, cef_string_t* value)
{
    if (!map || index < 0 || size_t(index) >= map->items.size())
        return 0;
    return ToCef(map->items[size_t(index)].second, value);
}
int cef_string_multimap_append(cef_string_multimap_t map, const cef_string_t* key, const cef_string_t* value)
{
    if (!map)
        return 0;
    map->items.emplace_back(ToU16(key), ToU16(value));
    return 1;
}
void cef_string_multimap_clear(cef_string_multimap_t map) { if (map) map->items.clear(); }
void cef_string_multimap_free(cef_string_multimap_t map) { delete map; }

} // extern "C"
