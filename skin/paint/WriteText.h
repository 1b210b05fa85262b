// Text in the font colours of a section state: outlines, glow and the disabled colour.
#pragma once

#include "skin/model/TsSkinModel.h"
#include "skin/paint/ColorEffects.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/core/Types.h"

namespace skin {

struct TextPaintArgs {
    int SkinIndex = -1;       // the control's section; -1: an unskinned control
    int State = 0;
    bool Enabled = true;
    bool CustomFont = false;  // the control keeps the DC's text colour
    // The section the parent names for its children's text (its answer to AC_GETFONTINDEX), -1
    // none: used by controls drawn in one of the common sections from MENUITEM to WEBBUTTON.
    int ParentFontIndex = -1;
    bool HotLook = false;     // a web button underlines its hot text
    TacColorEffects Effects;  // of the control, for the glow colour
};

// Draws text in r with DrawText flags into dc (transparent background). model may be null for an
// unskinned control. Answers DrawText's answer for the text itself.
int WriteTextEx(platform::HDC dc, platform::StringView text, platform::RECT r, platform::UINT flags,
                const TsSkinModel* model, const TextPaintArgs& args);

} // namespace skin
