// Fonts through fontconfig and FreeType. Fonts are created once per description and live until the
// process ends, so an HFONT never dangles; DeleteFont is a no-op kept for symmetry with the
// platform's calls.
#pragma once

#include "platform/DeviceContext.h"
#include "platform/Types.h"

namespace platform {

constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;

struct LOGFONT {
    // Negative: character height in pixels (the usual form); positive: cell height in pixels.
    LONG lfHeight = -11;
    LONG lfWeight = FW_NORMAL;
    bool lfItalic = false;
    bool lfUnderline = false;
    bool lfStrikeOut = false;
    String lfFaceName = u"Tahoma";
    friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

HFONT CreateFontIndirect(const LOGFONT& lf);
void DeleteFont(HFONT font);
// The font of windows and controls that set none: Tahoma, 11 pixels.
HFONT GetDefaultGuiFont();
bool GetObjectFont(HFONT font, LOGFONT* lf);
// The file that the face resolved to (for tests and diagnostics).
std::string GetFontFile(HFONT font);

bool GetTextMetrics(HDC dc, TEXTMETRIC* tm);
bool GetTextExtentPoint32(HDC dc, StringView text, SIZE* size);

} // namespace platform
