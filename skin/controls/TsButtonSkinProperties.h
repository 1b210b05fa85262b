// What the skin adds to every glyph button (bit buttons and speed buttons alike), at the defaults
// the buttons are declared with. Painting reads them; nothing else does yet.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/Types.h"

namespace skin {

enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = toolkit::Set<TacAnimatEvent>;
enum TacDisabledGlyphKindValue { dgBlended, dgGrayed };
using TacDisabledGlyphKind = toolkit::Set<TacDisabledGlyphKindValue>;
enum TacDisabledKindValue { dkBlended, dkGrayed };
using TacDisabledKind = toolkit::Set<TacDisabledKindValue>;

struct TsButtonSkinProperties {
    toolkit::TAlignment Alignment = toolkit::taCenter;
    toolkit::TAlignment TextAlignment = toolkit::taCenter;
    // aeGlobalDef: the manager's animation settings decide.
    TacAnimatEvents AnimatEvents{aeGlobalDef};
    // Percent of transparency of the glyph at rest.
    int Blend = 0;
    TacDisabledGlyphKind DisabledGlyphKind{};
    TacDisabledKind DisabledKind{dkBlended};
    bool DrawOverBorder = true;
    bool Grayed = false;
    platform::COLORREF GlyphColorTone = clNotSet;
    int ImageIndex = -1;
    bool Reflected = false;
    bool ShowCaption = true;
    int TextOffset = 0;
    bool WordWrap = true;
};

} // namespace skin
