// What the skin commands share: the built-in catalogue and the way a command names a skin.
#pragma once

#include "skin/package/SkinLocator.h"
#include "skin/package/TsStoredSkins.h"

#include <string>

namespace lumoskin {

// The catalogue the program carries.
skin::TsStoredSkins BuiltInCatalogue();

// SKIN as a command names it: a packed file, a skin folder or an internal skin's name. Throws
// std::runtime_error when it is none of them.
skin::ResolvedSkin ResolveCommandSkin(const std::string& skinArgument, const skin::TsStoredSkins& catalogue,
                                      platform::String& fullSkinDirectory);

} // namespace lumoskin
