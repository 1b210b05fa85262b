// The six internal skins of different kinds (flat, gradient, textured, rounded, dark, high
// contrast) that the render tests draw the windows in, each with the word its references carry.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace uitest {

struct KindOfSkin {
    const char* name; // in the reference pictures' names
    const char16_t* skin;
};

inline void PrintTo(const KindOfSkin& kind, std::ostream* os) { *os << kind.name; }

inline const auto SixKindsOfSkin = ::testing::Values(
    KindOfSkin{"flat-metroui", u"MetroUI (internal)"},
    KindOfSkin{"gradient-office2007-blue", u"Office2007 Blue (internal)"},
    KindOfSkin{"textured-wood", u"Wood (internal)"}, KindOfSkin{"rounded-air", u"Air (internal)"},
    KindOfSkin{"dark-darkmetro", u"DarkMetro (internal)"},
    KindOfSkin{"high-contrast-flatline", u"Flatline (internal)"});

// A test name from the kind's name.
inline std::string KindTestName(const ::testing::TestParamInfo<KindOfSkin>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
}

} // namespace uitest
