#include "skin/controls/ButtonStates.h"

#include <algorithm>

namespace skin {

namespace {

// A push by the mouse counts only while the pointer is over the button; a key press (no mouse
// button held) always does.
bool ShowsPushed(const WindowedButtonFacts& f)
{
    return f.Pushed && (f.MouseAbove || !f.LeftButtonHeld || f.NoMouseHover);
}

} // namespace

int BitBtnState(const WindowedButtonFacts& f)
{
    if (ShowsPushed(f) || f.Down)
        return 2;
    if (f.Active && !f.Designing)
        return 1;
    if (!f.Default)
        return 0;
    return f.FocusOnOwnerDrawnButton ? 0 : 3;
}

int PushButtonState(const WindowedButtonFacts& f)
{
    if (ShowsPushed(f) || f.Down || f.DroppedDown)
        return 2;
    if (f.Active && !f.Designing)
        return 1;
    return f.Default ? 3 : 0;
}

int SpeedButtonState(const SpeedButtonFacts& f)
{
    if (f.State == toolkit::bsDown || f.State == toolkit::bsExclusive || (f.MenuShown && !f.MenuOwnerMode))
        return 2;
    if (f.Active || f.HotState || f.MenuOwnerMode)
        return 1;
    return 0;
}

bool AnimEventAllowed(TacAnimatEvents own, TacAnimatEvent event, bool managerAllows)
{
    return own.Contains(aeGlobalDef) ? managerAllows : own.Contains(event);
}

int SectionState(int buttonState, int sectionStates)
{
    if (buttonState == 3 && sectionStates < 4)
        return 1;
    return std::max(0, std::min(buttonState, sectionStates - 1));
}

int GlyphImageIndex(int state, int numGlyphs, bool stdGlyphsOrder, bool enabled)
{
    const int last = std::max(1, numGlyphs) - 1;
    if (!stdGlyphsOrder)
        return std::min(state, last);
    if (state == 2)
        return numGlyphs >= 3 ? 2 : 0;
    if (state == 0 && !enabled)
        return std::min(1, last);
    return 0;
}

bool BitBtnGlyphGrayed(const GlyphGrayFacts& f)
{
    if (!f.Enabled && f.DisabledGlyphKind.Contains(dgGrayed))
        return true;
    if (f.State > 0)
        return false;
    return f.Grayed || f.DiscoloredGlyphs || (!f.Enabled && (f.DisabledKind & dkGrayed) != 0);
}

bool SpeedButtonGlyphGrayed(const GlyphGrayFacts& f, TacGrayedMode mode)
{
    if (!f.Enabled && ((f.DisabledKind & dkGrayed) != 0 || f.DisabledGlyphKind.Contains(dgGrayed)))
        return true;
    return (f.Grayed || f.DiscoloredGlyphs) && (mode == gmAlways || f.State == 0);
}

} // namespace skin
