// The per-browser feature switches and font settings of a browser control.
#pragma once

#include "engine/capi/cef_types.h"
#include "platform/core/Types.h"

namespace engine {

using TCefState = cef_state_t;

struct TChromiumOptions {
    TCefState Javascript = STATE_DEFAULT;
    TCefState JavascriptOpenWindows = STATE_DEFAULT;
    TCefState JavascriptCloseWindows = STATE_DEFAULT;
    TCefState JavascriptAccessClipboard = STATE_DEFAULT;
    TCefState JavascriptDomPaste = STATE_DEFAULT;
    TCefState CaretBrowsing = STATE_DEFAULT;
    TCefState Java = STATE_DEFAULT;
    TCefState Plugins = STATE_DEFAULT;
    TCefState UniversalAccessFromFileUrls = STATE_DEFAULT;
    TCefState FileAccessFromFileUrls = STATE_DEFAULT;
    TCefState WebSecurity = STATE_DEFAULT;
    TCefState ImageLoading = STATE_DEFAULT;
    TCefState ImageShrinkStandaloneToFit = STATE_DEFAULT;
    TCefState TextAreaResize = STATE_DEFAULT;
    TCefState PageCache = STATE_DEFAULT;
    TCefState TabToLinks = STATE_DEFAULT;
    TCefState AuthorAndUserStyles = STATE_DEFAULT;
    TCefState LocalStorage = STATE_DEFAULT;
    TCefState Databases = STATE_DEFAULT;
    TCefState ApplicationCache = STATE_DEFAULT;
    TCefState Webgl = STATE_DEFAULT;
    TCefState AcceleratedCompositing = STATE_DEFAULT;
    TCefState DeveloperTools = STATE_DEFAULT;
};

struct TChromiumFontOptions {
    platform::String StandardFontFamily;
    platform::String FixedFontFamily;
    platform::String SerifFontFamily;
    platform::String SansSerifFontFamily;
    platform::String CursiveFontFamily;
    platform::String FantasyFontFamily;
    int DefaultFontSize = 0;
    int DefaultFixedFontSize = 0;
    int MinimumFontSize = 0;
    int MinimumLogicalFontSize = 0;
    TCefState RemoteFonts = STATE_DEFAULT;
};

} // namespace engine
