// A skinned button's change of state by a mouse event: a cross-fade when both the manager and the
// button's AnimatEvents allow that event, else a repaint at once.
#pragma once

#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/effects/DoChangePaint.h"

namespace skin {

struct ButtonStateChange {
    int NewState = 0;
    TacAnimatEvent Event = aeMouseEnter;
    bool Glow = false;
    bool Fast = false;
};

void ChangeButtonState(TsCommonData& data, TacAnimatEvents own, const ButtonStateChange& change,
                       const TacThreadedTimer::TAnimProc& step);

} // namespace skin
