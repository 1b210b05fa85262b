// The handling every skinned control runs before its own: the skin commands (SM_VELTACMD) that
// concern all of them, and the mouse, focus, enabling, showing, moves and resizes that change
// which state a control shows.
#pragma once

#include "toolkit/Messages.h"

namespace skin {

class TsCommonData;

// Answers true when the message is fully handled (its result set); false lets the control go on
// with its own handling (the common part has then done its share, if any).
bool CommonWndProc(toolkit::TMessage& message, TsCommonData& data);

// The edit-like colours of a state: Props[state].Color and its font colour, unless the control
// keeps its own.
void ApplyStateColors(TsCommonData& data, int state);

// The colours the control had before the skin gave it its section's, back once the skin is gone.
void RestoreSavedColors(TsCommonData& data);

} // namespace skin
