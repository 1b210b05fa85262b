// Skin files are single-byte text; names in them are compared after ASCII upper-casing, which
// leaves every other byte alone (a locale-aware upper-casing would change bytes above 127).
#pragma once

#include "platform/core/AsciiCase.h"

#include <string_view>

namespace skin {

using platform::SameTextAscii;
using platform::UpperAscii;

inline bool EndsWithIgnoringCase(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && SameTextAscii(s.substr(s.size() - tail.size()), tail);
}

} // namespace skin
