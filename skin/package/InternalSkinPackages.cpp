// The table of built-in skin packages. The skin generator writes the real table in place of this
// empty one.
#include "skin/package/InternalSkins.h"

namespace skin {

std::span<const InternalSkinPackage> InternalSkinPackages()
{
    return {};
}

} // namespace skin
