#include "platform/system/StringCompare.h"

#include "platform/core/AsciiCase.h"

namespace platform {

WCHAR CharUpperOrdinal(WCHAR c)
{
    if (c < 0x80)
        return ToUpperAscii(c);
    if (c < 0x100) {
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            return WCHAR(c - 0x20);
        if (c == 0xFF)
            return 0x178;
        return c;
    }
    if (c < 0x180) {
        // Latin Extended-A pairs an upper-case letter with the lower-case one after it, except
        // in the two runs that start on an odd code point.
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
            return (c % 2 == 0) ? WCHAR(c - 1) : c;
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F)
            return c;
        return (c % 2 == 1) ? WCHAR(c - 1) : c;
    }
    if (c >= 0x370 && c < 0x400) {
        if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB))
            return WCHAR(c - 0x20);
        switch (c) {
        case 0x3C2: return 0x3A3;
        case 0x3AC: return 0x386;
        case 0x3AD: return 0x388;
        case 0x3AE: return 0x389;
        case 0x3AF: return 0x38A;
        case 0x3CC: return 0x38C;
        case 0x3CD: return 0x38E;
        case 0x3CE: return 0x38F;
        default: return c;
        }
    }
    if (c >= 0x400 && c < 0x530) {
        if (c >= 0x430 && c <= 0x44F)
            return WCHAR(c - 0x20);
        if (c >= 0x450 && c <= 0x45F)
            return WCHAR(c - 0x50);
        if (c == 0x4CF)
            return 0x4C0;
        if (c >= 0x4C1 && c <= 0x4CE)
            return (c % 2 == 0) ? WCHAR(c - 1) : c;
        if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
            return (c % 2 == 1) ? WCHAR(c - 1) : c;
        return c;
    }
    return c;
}

int CompareStringOrdinal(StringView a, StringView b, bool ignoreCase)
{
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        WCHAR x = ignoreCase ? CharUpperOrdinal(a[i]) : a[i];
        WCHAR y = ignoreCase ? CharUpperOrdinal(b[i]) : b[i];
        if (x != y)
            return x < y ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    if (a.size() == b.size())
        return CSTR_EQUAL;
    return a.size() < b.size() ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

} // namespace platform
