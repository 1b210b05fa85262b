// The platform's classes by name only, for headers that merely pass them along and should not
// pull in what they hold.
#pragma once

namespace platform {

class Backend;
class Bitmap;
class Region;
struct DeviceContext;
using HDC = DeviceContext*;

namespace detail {
struct PlatformState;
struct Window;
} // namespace detail

} // namespace platform
