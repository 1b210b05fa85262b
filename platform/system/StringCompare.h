// Comparing names the way the system does when it ignores case: one UTF-16 unit at a time,
// upper-cased by a fixed table (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic), so the
// answer never depends on the process's locale.
#pragma once

#include "platform/core/Types.h"

namespace platform {

constexpr int CSTR_LESS_THAN = 1, CSTR_EQUAL = 2, CSTR_GREATER_THAN = 3;

WCHAR CharUpperOrdinal(WCHAR c);

// Answers CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN.
int CompareStringOrdinal(StringView a, StringView b, bool ignoreCase);

inline bool SameTextOrdinal(StringView a, StringView b)
{
    return CompareStringOrdinal(a, b, true) == CSTR_EQUAL;
}

} // namespace platform
