// Basic types of the platform layer, with the names and meanings of the Windows API.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WCHAR = char16_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using ATOM = WORD;

// Text is UTF-16 throughout the program.
using String = std::u16string;
using StringView = std::u16string_view;

// 0x00BBGGRR: red in the low byte.
using COLORREF = DWORD;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) { return DWORD(r) | (DWORD(g) << 8) | (DWORD(b) << 16); }
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE(c >> 8); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE(c >> 16); }

// Marks a colour as not set.
constexpr COLORREF clNone = 0x1FFFFFFF;
constexpr COLORREF clFuchsia = 0x00FF00FF;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Half-open: right and bottom lie outside the rectangle.
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;

    constexpr LONG Width() const { return right - left; }
    constexpr LONG Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    friend bool operator==(const RECT&, const RECT&) = default;
};

constexpr RECT Rect(LONG left, LONG top, LONG right, LONG bottom) { return RECT{left, top, right, bottom}; }
constexpr RECT Bounds(LONG left, LONG top, LONG width, LONG height) { return RECT{left, top, left + width, top + height}; }

inline bool IntersectRect(RECT* out, const RECT& a, const RECT& b)
{
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
           a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.IsEmpty()) {
        *out = RECT{};
        return false;
    }
    *out = r;
    return true;
}

inline bool UnionRect(RECT* out, const RECT& a, const RECT& b)
{
    if (a.IsEmpty()) { *out = b; return !b.IsEmpty(); }
    if (b.IsEmpty()) { *out = a; return true; }
    *out = RECT{a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
                a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
    return true;
}

inline void OffsetRect(RECT* r, LONG dx, LONG dy)
{
    r->left += dx; r->right += dx;
    r->top += dy; r->bottom += dy;
}

inline void InflateRect(RECT* r, LONG dx, LONG dy)
{
    r->left -= dx; r->right += dx;
    r->top -= dy; r->bottom += dy;
}

inline bool PtInRect(const RECT& r, POINT p) { return r.Contains(p); }

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr short GET_X_LPARAM(LPARAM l) { return short(l & 0xFFFF); }
constexpr short GET_Y_LPARAM(LPARAM l) { return short((l >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(DWORD(WORD(lo)) | (DWORD(WORD(hi)) << 16)); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(DWORD(WORD(lo)) | (DWORD(WORD(hi)) << 16)); }

// UTF-8 <-> UTF-16 for the edges of the program (files, the system, the console).
String Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(StringView s);

} // namespace platform
