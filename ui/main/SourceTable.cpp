#include "ui/main/SourceTable.h"

#include "ui/main/Sites.h"

namespace ui {

platform::String SourceAddress(const SourceEntry& source, platform::StringView programDirectory)
{
    platform::String address;
    switch (source.Site) {
    case SourceSite::PlayerPage: address = programDirectory; break;
    case SourceSite::Home: address = HomeSite; break;
    case SourceSite::Channel: address = ChannelSite; break;
    case SourceSite::Recommendations: address = RecommendationsSite; break;
    }
    address += source.Path;
    return address;
}

} // namespace ui
