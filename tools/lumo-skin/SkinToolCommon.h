// What the skin commands share: the built-in catalogue and the way a command names a skin.
#pragma once

#include "skin/package/SkinLocator.h"
#include "skin/package/TsStoredSkins.h"

#include <string>

namespace lumoskin {

// The catalogue the program carries.
skin::TsStoredSkins BuiltInCatalogue();

// SKIN as a command names it: a path to a packed file or a skin folder, or else a skin name,
// resolved as the program resolves it in its skin directory "c:\Skins" and its catalogue (an
// unknown name loads the first internal skin, which is said on standard error). Throws
// std::runtime_error when nothing can be loaded.
skin::ResolvedSkin ResolveCommandSkin(const std::string& skinArgument, const skin::TsStoredSkins& catalogue,
                                      platform::String& fullSkinDirectory);

} // namespace lumoskin
