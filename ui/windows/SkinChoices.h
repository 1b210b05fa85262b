// The skin names the settings window offers, in the window's own order. It is not the manager's
// catalogue: two internal skins are left out (they can only be chosen by editing Config.ini) and
// two "Ext" variants come before their plain ones.
#pragma once

#include <array>
#include <string_view>

namespace ui {

extern const std::array<std::u16string_view, 95> SkinChoices;

// The skin a first start and a reset apply.
inline constexpr std::u16string_view DefaultSkinName = u"Windows 8 (internal)";

} // namespace ui
