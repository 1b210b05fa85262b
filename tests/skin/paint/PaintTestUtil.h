// Small hand-made skins for the painting tests: a model with a master bitmap drawn pixel by pixel,
// elements placed on it and sections with the state values a test needs.
#pragma once

#include "skin/model/TsSkinModel.h"

#include "platform/core/Bitmap.h"

#include <gtest/gtest.h>

#include <string>

namespace painttest {

using platform::Bitmap;
using platform::MakePixel;
using platform::PixelBGRA;
using platform::BYTE;
using platform::RECT;

inline Bitmap Solid(int w, int h, PixelBGRA p)
{
    Bitmap b(w, h);
    b.Fill(p);
    return b;
}

// An opaque pixel of a colour value (0x00BBGGRR).
inline PixelBGRA Px(int color) { return platform::ColorToPixel(platform::COLORREF(color)); }

inline void FillArea(Bitmap& b, RECT r, PixelBGRA p)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            b.SetPixel(x, y, p);
}

// Channels of two pixels side by side, for readable failures.
inline std::string Hex(PixelBGRA p)
{
    char s[16];
    std::snprintf(s, sizeof s, "%08X", unsigned(p));
    return s;
}
#define EXPECT_PIXEL(actual, expected) EXPECT_EQ(painttest::Hex(actual), painttest::Hex(expected))

// An element on the master bitmap, its sizes computed as the loader computes them.
inline skin::TsMaskData Element(RECT r, int imageCount, int maskType, skin::TacImgType type = skin::TacImgType::itisaBorder)
{
    skin::TsMaskData m;
    m.R = r;
    m.ImageCount = std::int16_t(imageCount);
    m.MaskType = std::int16_t(maskType);
    m.ImgType = type;
    m.Width = imageCount > 0 ? r.Width() / imageCount : 0;
    m.Height = maskType == 0 ? r.Height() : r.Height() / (maskType + 1);
    return m;
}

inline skin::TsGenState PlainState(int color, int transparency = 0)
{
    skin::TsGenState s;
    s.Color = color;
    s.Transparency = transparency;
    return s;
}

// A section whose three states are the given one.
inline skin::TsGeneralData Section(const std::string& name, const skin::TsGenState& state, int states = 1)
{
    skin::TsGeneralData g;
    g.ClassName = name;
    g.States = states;
    g.Props = {state, state, state};
    return g;
}

} // namespace painttest
