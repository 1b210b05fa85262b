// The one outside site the program links to: where the help window sends the user for the Flash
// Player plug-in. Like the program's own sites it lives under a name reserved for documentation,
// so no build can send a user to a server someone else owns; a release points it at the real
// download site here.
#pragma once

#include <string_view>

namespace ui {

inline constexpr std::u16string_view FlashPlayerSite = u"get.flashplayer.example";

} // namespace ui
