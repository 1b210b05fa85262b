#include "platform/text/FontCache.h"

#include "platform/core/AsciiCase.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <set>

#if defined(__SANITIZE_ADDRESS__)
#define LUMO_LEAK_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMO_LEAK_CHECKER 1
#endif
#endif
#ifdef LUMO_LEAK_CHECKER
#include <sanitizer/lsan_interface.h>
#endif

namespace platform {

namespace {

LONG EffectiveWeight(LONG weight) { return weight >= 600 ? FW_BOLD : FW_NORMAL; }

// Said once per subject, so that a missing font does not flood the error output.
void Complain(const std::string& what)
{
    static std::set<std::string>* said = new std::set<std::string>;
    if (said->insert(what).second)
        std::fprintf(stderr, "lumo: %s\n", what.c_str());
}

} // namespace

FontCache& FontCache::Instance()
{
    static FontCache* cache = new FontCache;
    return *cache;
}

FontCache::FontCache()
{
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
        Complain("FreeType could not be initialised; text is drawn without glyphs");
    }
    {
#ifdef LUMO_LEAK_CHECKER
        // fontconfig drops a few pieces of the configuration it parses; they live as long as the
        // process anyway.
        __lsan::ScopedDisabler parsingLeaks;
#endif
        config_ = FcInitLoadConfigAndFonts();
    }
    if (!config_) {
        Complain("fontconfig could not be initialised; text is drawn without glyphs");
        return;
    }
    // A missing folder only means Tahoma falls back like any face that is not installed.
    FcConfigAppFontAddDir(config_, reinterpret_cast<const FcChar8*>(WineFontFolder));
}

std::optional<FontCache::Resolved> FontCache::Match(const std::string& family, LONG weight, bool italic,
                                                    bool exactFamily)
{
    if (!config_)
        return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(int(weight)));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config_, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;

    bool familyFound = false;
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        familyFound = familyFound || SameTextAscii(reinterpret_cast<const char*>(name), family);
    FcChar8* file = nullptr;
    if ((exactFamily && !familyFound) || FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch) {
        FcPatternDestroy(match);
        return std::nullopt;
    }
    Resolved resolved;
    resolved.file = reinterpret_cast<const char*>(file);
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    resolved.index = index;
    FcPatternDestroy(match);
    return resolved;
}

FontCache::Resolved FontCache::Resolve(StringView face, LONG weight, bool italic)
{
    std::string family = Utf16ToUtf8(face);
    if (family.empty())
        family = "Tahoma";
    weight = EffectiveWeight(weight);
    auto key = std::make_tuple(LowerAscii(family), weight == FW_BOLD, italic);
    auto found = resolved_.find(key);
    if (found != resolved_.end())
        return found->second;

    std::optional<Resolved> resolved = Match(family, weight, italic, true);
    if (!resolved)
        resolved = Match(FallbackFamily, weight, italic, true);
    if (!resolved) {
        Complain(std::string("the font \"") + FallbackFamily + "\" is not installed; using any font there is");
        resolved = Match(FallbackFamily, weight, italic, false);
    }
    if (!resolved) {
        Complain("no font is installed; text is drawn without glyphs");
        resolved = Resolved{};
    }
    resolved_.emplace(key, *resolved);
    return *resolved;
}

// What the file lacks of the style (a bold or italic variant) the face makes up itself.
std::unique_ptr<FontFace> FontCache::Open(const Resolved& resolved, LONG height, LONG weight, bool italic)
{
    if (resolved.file.empty())
        return nullptr;
    FaceStyle style{EffectiveWeight(weight) == FW_BOLD, italic};
    auto face = FontFace::Open(library_, resolved.file, resolved.index, height, style);
    if (!face)
        Complain("cannot read the font file " + resolved.file);
    return face;
}

std::unique_ptr<FontFace> FontCache::OpenFallback(int pixelSize, LONG weight, bool italic)
{
    weight = EffectiveWeight(weight);
    std::optional<Resolved> resolved = Match(FallbackFamily, weight, italic, true);
    return resolved ? Open(*resolved, -pixelSize, weight, italic) : nullptr;
}

Font* FontCache::Get(const LOGFONT& lf)
{
    auto key = std::make_tuple(lf.lfHeight, lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut, lf.lfFaceName);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second.get();

    Resolved resolved = Resolve(lf.lfFaceName, lf.lfWeight, lf.lfItalic);
    std::unique_ptr<FontFace> face = Open(resolved, lf.lfHeight, lf.lfWeight, lf.lfItalic);
    if (!face) {
        // A broken file of the requested face: fall back as for a face that is not installed.
        resolved = Resolve(Utf8ToUtf16(FallbackFamily), lf.lfWeight, lf.lfItalic);
        face = Open(resolved, lf.lfHeight, lf.lfWeight, lf.lfItalic);
        if (!face)
            resolved.file.clear();
    }
    auto font = std::make_unique<Font>(lf, resolved.file, std::move(face));
    return fonts_.emplace(key, std::move(font)).first->second.get();
}

} // namespace platform
