// The main window's sources: for each, whether it resets the nudge counter, where the browser
// control goes in the content panel (placed at explicit bounds, or filling the panel), and the
// address it loads. Placing the control larger than the panel with a negative offset is what
// leaves only the page's player visible.
#pragma once

#include "platform/core/Types.h"

#include <array>
#include <string_view>

namespace ui {

enum class SourceSite { PlayerPage, Home, Channel, Recommendations };
enum class ViewportMode { Placed, Fill };

struct SourceEntry {
    bool ResetsCounter;
    ViewportMode Mode;
    // Bounds inside the content panel; unused in fill mode.
    int Left, Top, Width, Height;
    SourceSite Site;
    std::u16string_view Path;
};

enum SourceIndex {
    srcServer1, srcServer2, srcServer3, srcServer4, srcServer5, srcRadio,
    srcRecommended, srcIPTV, srcFilms, srcSeries, srcOff,
    SourceCount
};

// clang-format off
inline constexpr std::array<SourceEntry, SourceCount> SourceTable = {{
    {true,  ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::PlayerPage,      u"player/tvpl1.html"},
    {true,  ViewportMode::Placed, -65, -240, 740,  715, SourceSite::Channel,         u"/channels/index3.html"},
    {true,  ViewportMode::Placed, -30, -615, 710, 1090, SourceSite::Channel,         u"/channels/index2.html"},
    {true,  ViewportMode::Placed, -35, -710, 710, 1185, SourceSite::Channel,         u"/channels/server4.html"},
    {true,  ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::Channel,         u"/channels/index.html"},
    {true,  ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::Home,            u"/lumo9/radio2.html"},
    {false, ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::Recommendations, u"/recommended.html"},
    {false, ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::Home,            u"/lumo9/iptv.html"},
    {true,  ViewportMode::Fill,     0,    0,   0,    0, SourceSite::Channel,         u"/kino/films.html"},
    {true,  ViewportMode::Fill,     0,    0,   0,    0, SourceSite::Channel,         u"/kino/serials.html"},
    {true,  ViewportMode::Placed,  -5,   -5, 700,  460, SourceSite::Home,            u"/lumo9/main910.html"},
}};
// clang-format on

// The home page, loaded at start and by the source "off".
inline constexpr SourceIndex HomePageSource = srcOff;

// A site's host name followed directly by the path (no scheme: the engine decides how to read
// it), or for the player page the program's folder (with its separator) followed by the path.
platform::String SourceAddress(const SourceEntry& source, platform::StringView programDirectory);

} // namespace ui
