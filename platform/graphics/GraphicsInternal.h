// Helpers shared by the drawing primitives: rectangles in 64-bit so that arguments near the ends
// of the 32-bit range never overflow while they are clipped.
#pragma once

#include "platform/graphics/DeviceContext.h"

#include <cstdint>
#include <vector>

namespace platform {

struct Rect64 {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    Rect64 Intersected(const Rect64& o) const
    {
        return Rect64{left > o.left ? left : o.left, top > o.top ? top : o.top, right < o.right ? right : o.right,
                      bottom < o.bottom ? bottom : o.bottom};
    }
};

inline Rect64 ToRect64(const RECT& r) { return Rect64{r.left, r.top, r.right, r.bottom}; }

// ForEachVisibleRect for a logical rectangle given in 64-bit.
void ForEachVisibleRect64(HDC dc, const Rect64& logical, const std::function<void(const RECT& device)>& fn);

// One row of AlphaBlend: out[i] = BlendPremultiplied(out[i], in[i] | opaque, ca). AlphaBlend uses
// the fastest this processor runs; all of them are listed (plain first) so that tests can hold
// each to the formula.
using BlendRowFn = void (*)(PixelBGRA* out, const PixelBGRA* in, int count, BYTE ca, PixelBGRA opaque);
std::vector<BlendRowFn> BlendRowKernels();

} // namespace platform
