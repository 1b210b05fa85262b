// Changing a control's visual state (normal, hot, pressed): at once, or as a cross-fade of its two
// cache pictures when animation is allowed.
#pragma once

#include "skin/effects/TacThreadedTimer.h"

namespace skin {

class TsCommonData;

struct ChangePaintOptions {
    // Show the glow with the change (hot) or let it go (normal).
    bool Glow = false;
    // Half the steps (a drop-down, a click).
    bool Fast = false;
};

// Step routines: a windowed control draws each step into its window; a graphic control is
// repainted and shows PictureToShow.
bool AnimStepWindowed(TsCommonData& data, int iteration);
bool AnimStepGraphic(TsCommonData& data, int iteration);
// A glow's own fade (no picture changes).
bool AnimStepGlow(TsCommonData& data, int iteration);

void DoChangePaint(TsCommonData& data, int newState, const TacThreadedTimer::TAnimProc& stepProc,
                   ChangePaintOptions options = {});

// What the control shows now: the fade's picture while one runs, else the cache.
const platform::Bitmap* PictureToShow(const TsCommonData& data);

// Whether state changes of this control may fade now (the manager's option, the control's cache
// up to date, no skin being replaced).
bool AnimationAllowed(const TsCommonData& data);

} // namespace skin
