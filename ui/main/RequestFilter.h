// The main window's advertising filter: the block list that cancels resource requests and the
// one word that lets a pop-up open. Both are fixed in the program; nothing is configurable.
// Called on the engine's IO thread for every request: no allocation, no lock, no I/O.
#pragma once

#include "ui/main/Sites.h"

#include <array>
#include <string_view>

namespace ui {

inline constexpr std::array<std::u16string_view, 16> BlockedTokens = {
    u"admixer", u"recreativ", u"advmaker", u"yottos", u"beseed",     u"vbm",     u"viboom",   u"am15",
    u"am14",    u"oclaserver", u"mxtads",  u"mtrcss", AdvertisingHost, u"adwise", u"traforet", u"rmbn",
};

inline constexpr std::u16string_view PopupAllowanceToken = u"directadvert";

// Whether any token occurs in the address, anywhere (scheme, host, path or query), with its exact
// letter case.
bool HoldsBlockedToken(std::u16string_view address) noexcept;

// Whether a pop-up to this target may open: only when it holds the allowance token.
bool PopupAllowed(std::u16string_view targetUrl) noexcept;

} // namespace ui
