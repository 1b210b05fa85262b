#include "skin/controls/ButtonFades.h"

#include "skin/controls/ButtonStates.h"
#include "skin/controls/TsCommonData.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/TsSkinManager.h"

namespace skin {

void ChangeButtonState(TsCommonData& data, TacAnimatEvents own, const ButtonStateChange& change,
                       const TacThreadedTimer::TAnimProc& step)
{
    const TsSkinManager* manager = data.Manager();
    const bool managerAllows =
        manager && manager->AnimEffects.Buttons.Events.Contains(static_cast<TacBtnEvent>(change.Event));
    // An out-of-date cache is what makes the change happen at once.
    if (!AnimEventAllowed(own, change.Event, managerAllows))
        data.BGChanged = true;
    DoChangePaint(data, change.NewState, step, ChangePaintOptions{change.Glow, change.Fast});
    const bool fading = data.AnimTimer && data.AnimTimer->Running();
    if (!change.Glow && change.NewState == 0 && !fading)
        HideGlow(data.GlowID);
}

} // namespace skin
