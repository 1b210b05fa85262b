// The host names of the sites the main window shows, and of the advertising server it blocks by
// name. Every address of the program is built from these.
//
// All four live under names reserved for documentation and testing (".example" and ".test"):
// they are never delegated in the public DNS, so no build of the program can send a user's
// requests, or a test's, to a server someone else happens to own. The tests play the sites from
// 127.0.0.1 through a proxy; a release for users points the three sites at the project's own
// domain by changing this one header. The names hold none of the blocked tokens (a test checks
// it), or the program would block its own pages.
#pragma once

#include <string_view>

namespace ui {

inline constexpr std::u16string_view HomeSite = u"www.lumo-tv.example";
inline constexpr std::u16string_view ChannelSite = u"tv.lumo-tv.example";
inline constexpr std::u16string_view RecommendationsSite = u"recommend.lumo-tv.example";

// The advertising server whose full host name is one of the blocked tokens.
inline constexpr std::u16string_view AdvertisingHost = u"ads.lumo-tv.test";
static_assert(AdvertisingHost.size() == 16);

} // namespace ui
