// The screen side of the paint cycle that every windowed skinned control shares: rebuild the
// cache when it is stale (or was half visible and its background depends on its place), then copy
// the part of it that the paint asks for.
#pragma once

#include "platform/graphics/DeviceContext.h"

#include <functional>

namespace skin {

class TsCommonData;

// prepare rebuilds the cache and answers false when the parent was not ready (nothing is copied
// then). Answers whether the cache was copied.
bool PaintFromCache(TsCommonData& data, platform::HDC dc, const std::function<bool()>& prepare);

// Makes the cache as large as its owner; false when the owner has no size or no cache.
bool SizeCache(TsCommonData& data);

} // namespace skin
