// What the skin adds to the glyph buttons (bit buttons and speed buttons alike), at the defaults
// the buttons are declared with.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "skin/paint/DisabledLook.h"
#include "toolkit/Types.h"

#include <functional>

namespace toolkit {
class TObject;
}

namespace skin {

enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TacAnimatEvents = toolkit::Set<TacAnimatEvent>;
enum TacDisabledGlyphKindValue { dgBlended, dgGrayed };
using TacDisabledGlyphKind = toolkit::Set<TacDisabledGlyphKindValue>;

// Called with the cache bitmap once the button's content is drawn into it.
using TBmpPaintEvent = std::function<void(toolkit::TObject* Sender, platform::Bitmap& Bmp)>;

struct TsButtonSkinProperties {
    toolkit::TAlignment Alignment = toolkit::taCenter;
    toolkit::TAlignment TextAlignment = toolkit::taCenter;
    // aeGlobalDef: the manager's animation settings decide.
    TacAnimatEvents AnimatEvents{aeGlobalDef};
    // Percent of transparency of the glyph at rest.
    int Blend = 0;
    TacDisabledGlyphKind DisabledGlyphKind{};
    TacDisabledKind DisabledKind = dkBlended;
    // The border mask goes under the content (true) or over it (false).
    bool DrawOverBorder = true;
    bool Grayed = false;
    platform::COLORREF GlyphColorTone = clNotSet;
    int ImageIndex = -1;
    bool Reflected = false;
    bool ShowCaption = true;
    // Extra shift of the caption along the layout direction.
    int TextOffset = 0;
};

} // namespace skin
