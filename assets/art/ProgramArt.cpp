#include "assets/art/ProgramArt.h"

#include "assets/art/EmbeddedArt.h"

namespace assets {

ArtImage ProgramArt(std::string_view name)
{
    // A few dozen pictures, asked for once each while windows are made: a scan is enough.
    for (const auto& picture : EmbeddedArt())
        if (picture.name == name)
            return {picture.width, picture.height, picture.bgra};
    return {};
}

} // namespace assets
