// Which picture a skinned button shows: its state index (0 normal, 1 hot, 2 pressed, 3 default
// button at rest), the section state painted for it, the glyph image and whether the glyph is
// grey. Pure rules over what the buttons know of themselves, so each can be pinned alone.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"
#include "toolkit/Types.h"

namespace skin {

struct WindowedButtonFacts {
    // The window reports BST_PUSHED, or a release forces the pressed look for a moment.
    bool Pushed = false;
    bool MouseAbove = false;
    bool LeftButtonHeld = false;
    bool NoMouseHover = false;
    bool Down = false;
    // Hot or focused (ControlIsActive).
    bool Active = false;
    bool Designing = false;
    bool Default = false;
    // The window with the input focus is an owner-drawn button (style bit $8), such as another
    // bit button.
    bool FocusOnOwnerDrawnButton = false;
    // Push buttons: an open drop-down of a split button.
    bool DroppedDown = false;
};

// The bit button's state.
int BitBtnState(const WindowedButtonFacts& facts);
// The push button's: a default button shows state 3 at rest whoever holds the focus.
int PushButtonState(const WindowedButtonFacts& facts);

struct SpeedButtonFacts {
    toolkit::TButtonState State = toolkit::bsUp; // bsDown or bsExclusive: pressed
    bool MenuShown = false;
    bool MenuOwnerMode = false;
    bool Active = false;
    bool HotState = false;
};

int SpeedButtonState(const SpeedButtonFacts& facts);

// Whether a change by this event fades: the button's own AnimatEvents, or with aeGlobalDef what
// the manager allows for buttons.
bool AnimEventAllowed(TacAnimatEvents own, TacAnimatEvent event, bool managerAllows);

// The section state painted for a button state: state 3 shows the hot picture unless the section
// has a fourth state, anything else is clamped to the section's states.
int SectionState(int buttonState, int sectionStates);

// Which of NumGlyphs images side by side the glyph shows. With the platform's order (up,
// disabled, down, exclusive) the hot state uses the first image.
int GlyphImageIndex(int state, int numGlyphs, bool stdGlyphsOrder, bool enabled);

struct GlyphGrayFacts {
    int State = 0;
    bool Enabled = true;
    bool Grayed = false;
    bool DiscoloredGlyphs = false;
    TacDisabledKind DisabledKind = dkBlended;
    TacDisabledGlyphKind DisabledGlyphKind{};
};

// Bit buttons: grey only at rest, and always when disabled with dgGrayed.
bool BitBtnGlyphGrayed(const GlyphGrayFacts& facts);

enum TacGrayedMode { gmAlways, gmInactive };
// Speed buttons: Grayed (or discoloured glyphs) greys the rest state only with gmInactive, every
// state with gmAlways; a disabled button with a grey kind is always grey.
bool SpeedButtonGlyphGrayed(const GlyphGrayFacts& facts, TacGrayedMode mode);

} // namespace skin
