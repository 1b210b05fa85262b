// The parent-background protocol: a parent describes (or draws) what lies under a child
// (AC_GETBG), and a child turns that answer into the background of its own painting.
#pragma once

#include "skin/controls/TacBGInfo.h"
#include "skin/paint/CacheInfo.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

namespace toolkit {
class TControl;
}

namespace skin {

class TsCommonData;

// The parent's answer for its state: a plain colour, its cache picture, or "not ready" (it then
// marks itself as updating).
void InitBGInfo(TsCommonData& parent, TacBGInfo& info, int state);

// Asks the control's parent for the background under the control (R = its bounds in the
// parent's client area). An unskinned parent answers with its own colour.
TacBGInfo GetBGInfo(toolkit::TControl& control);
TCacheInfo BGInfoToCI(const TacBGInfo& info);

// The colour a control shows (a skinned control by its section's colour rule, else its Color).
int GetControlColor(toolkit::TControl* control);
// The colour of the data's section in a state, by the section-colour rule over the parent.
int SectionColorOf(TsCommonData& data, int state);

// The control's section in a state into target (the control's size): the parent's background
// behind it, then background, border and corner images, then its colour effects. Answers false,
// painting nothing and marking the control as updating, when the parent is not ready.
bool PaintSkinControl(TsCommonData& data, platform::Bitmap& target, int state);

} // namespace skin
