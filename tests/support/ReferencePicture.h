// Comparing a picture drawn by a test with a reference picture that a person has looked at,
// pixel for pixel (alpha aside). LUMO_UPDATE_REFERENCE=1 writes the drawn picture as the new
// reference instead, after a deliberate change of the look.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/image/Image.h"
#include "toolkit/FormTester.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace testsupport {

// The reference lives in tests/data/render/<name>.png; a differing picture is kept as
// <build>/<name>-actual.png for a look.
inline void ExpectMatchesReference(const platform::Bitmap& shot, const std::string& name)
{
    const std::string reference = std::string(LUMO_SOURCE_DIR) + "/tests/data/render/" + name + ".png";
    if (const char* update = std::getenv("LUMO_UPDATE_REFERENCE"); update && std::string(update) == "1") {
        std::filesystem::create_directories(std::filesystem::path(reference).parent_path());
        toolkit::FormTester::SavePng(shot, reference);
        GTEST_SKIP() << "wrote " << reference;
    }
    ASSERT_TRUE(std::filesystem::exists(reference)) << "no reference picture; run with LUMO_UPDATE_REFERENCE=1";
    platform::Bitmap expected = platform::LoadImageFile(reference).bitmap;
    ASSERT_EQ(shot.Width(), expected.Width());
    ASSERT_EQ(shot.Height(), expected.Height());
    int differing = 0;
    platform::POINT first{-1, -1};
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if ((shot.Pixel(x, y) | 0xFF000000u) != (expected.Pixel(x, y) | 0xFF000000u)) {
                if (differing++ == 0)
                    first = platform::POINT{x, y};
            }
    if (differing > 0) {
        std::string actual = std::string(LUMO_BINARY_DIR) + "/" + name + "-actual.png";
        toolkit::FormTester::SavePng(shot, actual);
        ADD_FAILURE() << differing << " pixels differ, the first at (" << first.x << ", " << first.y
                      << "); the picture drawn is in " << actual;
    }
}

} // namespace testsupport
