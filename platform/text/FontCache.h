// Font resolution through fontconfig and the fonts created so far. Internal to the text code.
#pragma once

#include "platform/text/Font.h"
#include "platform/text/FontFace.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

struct _FcConfig;

namespace platform {

class FontCache {
public:
    // Tahoma comes with the system's Windows-compatible fonts, which live outside fontconfig's
    // folders; this folder is added to the fonts fontconfig searches.
    static constexpr const char* WineFontFolder = "/usr/share/wine/fonts";
    static constexpr const char* FallbackFamily = "DejaVu Sans";

    // Created on first use and never destroyed, so fonts outlive every other static object.
    static FontCache& Instance();

    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    Font* Get(const LOGFONT& lf);

    struct Resolved {
        std::string file; // empty: no font at all
        int index = 0;
    };
    // The file for a face name, weight and slant; a face that is not installed resolves to the
    // fallback family.
    Resolved Resolve(StringView face, LONG weight, bool italic);
    // The fallback family at an exact em size, for characters a face lacks.
    std::unique_ptr<FontFace> OpenFallback(int pixelSize, LONG weight, bool italic);

private:
    FontCache();
    std::optional<Resolved> Match(const std::string& family, LONG weight, bool italic, bool exactFamily);
    std::unique_ptr<FontFace> Open(const Resolved& resolved, LONG height, LONG weight, bool italic);

    ::FT_LibraryRec_* library_ = nullptr;
    _FcConfig* config_ = nullptr;
    std::map<std::tuple<std::string, bool, bool>, Resolved> resolved_;
    std::map<std::tuple<LONG, LONG, bool, bool, bool, String>, std::unique_ptr<Font>> fonts_;
};

} // namespace platform
