// The screen side of the paint cycle that every windowed skinned control shares: rebuild the
// cache when it is stale (or was half visible and its background depends on its place), then copy
// the part of it that the paint asks for.
#pragma once

#include "platform/graphics/DeviceContext.h"

#include <functional>

namespace toolkit {
class TWinControl;
}

namespace skin {

class TsCommonData;

// prepare rebuilds the cache and answers false when the parent was not ready (nothing is copied
// then). Answers whether the cache was copied.
bool PaintFromCache(TsCommonData& data, platform::HDC dc, const std::function<bool()>& prepare);

// A window made after the skin was announced (one shown for the first time later) never heard of
// it: it looks its section up at its first paint. Answers whether the control is skinned now.
bool CatchUpWithSkin(TsCommonData& data);

// Makes the cache as large as its owner; false when the owner has no size or no cache.
bool SizeCache(TsCommonData& data);

// Rebuilds the cache through prepare when it is marked stale or is not its owner's size; answers
// whether it is ready to be copied.
bool CacheReady(TsCommonData& data, const std::function<bool()>& prepare);

// Where the client area of a framed window lies in the window (and so in a cache of the whole
// window).
platform::POINT FrameOffset(toolkit::TWinControl& control);

// Copies the frame strip around the client area from a picture of the whole window into a DC on
// the whole window.
void CopyFrameFromCache(toolkit::TWinControl& control, platform::HDC windowDC, const platform::Bitmap& cache);

// The client picture of a skinned control from its cache (rebuilt through prepare when needed).
// Answers false while the skin does not paint the control: its own plain painting is wanted then.
bool PaintWindowFromCache(TsCommonData& data, platform::HDC dc, const std::function<bool()>& prepare);

// The frame of a skinned windowed control from its cache (rebuilt through prepare when stale).
// Answers false while the skin does not paint the control: its own plain frame is wanted then.
bool PaintFrameFromCache(TsCommonData& data, toolkit::TWinControl& control, platform::HDC windowDC,
                         const std::function<bool()>& prepare);

} // namespace skin
