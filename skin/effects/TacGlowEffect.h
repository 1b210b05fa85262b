// Glows: a soft halo from a section's glow mask, shown in a layered window around a hot control.
// The shown glows are kept in one list; a control holds its glow's index there (GlowID).
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/window/Window.h"

namespace skin {

class TsCommonData;
class TsSkinManager;
struct TsMaskData;

// The window class of glow windows.
inline constexpr char16_t GlowFormClassName[] = u"TacGlowForm";

struct TacGlowEffect {
    int Margin = 0;
    int MaskIndex = -1;
    platform::HWND Wnd = nullptr;
    platform::Bitmap AlphaBmp;
    bool Destroyed = false;
    platform::WNDPROC OldWndProc = nullptr;
    TsSkinManager* SkinManager = nullptr;
    TsCommonData* SkinData = nullptr;
    // The overall strength the window is shown with now.
    int Alpha = 0;
};

// The glow window's rectangle for a control's visible rectangle (screen coordinates): grown by
// the mask's border widths and shrunk by the margin on every side.
platform::RECT GlowWindowRect(const platform::RECT& glowRect, const TsMaskData& mask, int margin);

// Layered windows are shown as meant (a compositing desktop).
bool GlowsAvailable();

// A glow window (transparent to the mouse, never activated) over screenRect, showing picture (a
// premultiplied 32-bit bitmap of that size) at strength alpha, directly above form (top-most
// with a top-most form). The caller destroys it. Null when it could not be made.
platform::HWND CreateGlowWindow(const platform::RECT& screenRect, const platform::Bitmap& picture, int alpha,
                                platform::HWND form);
// A glow window's picture and strength.
bool SetGlowWindowPicture(platform::HWND wnd, const platform::Bitmap& picture, int alpha);

// Shows the glow of a hot control when the skin, the options and the mouse allow it, fading it in
// when asked and allowed.
void ShowGlowingIfNeeded(TsCommonData& data, bool fadeIn);
// The same conditions, shown at a given strength with no fade of its own; answers GlowID.
int ShowControlGlow(TsCommonData& data, int alpha);
// Creates the glow window of a control around screenRect, at strength alpha; answers its index in
// the list, -1 when there is no glow.
int ShowGlow(TsCommonData& data, const platform::RECT& screenRect, int alpha);
// Removes a control's glow (GlowID becomes -1), fading it out first when asked and allowed.
void HideGlow(TsCommonData& data, bool fadeOut);
// Releases the glow at once; glowID becomes -1.
void HideGlow(int& glowID);
// Changes only the overall strength (0..255).
void SetGlowAlpha(int glowID, int alpha);
const TacGlowEffect* GlowAt(int glowID);

// Removes every glow window (a skin switch or skinning switched off).
void ClearGlows();
// Glow windows alive now.
int LiveGlowCount();

} // namespace skin
