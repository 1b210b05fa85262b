// The handling every skinned control runs before its own: the skin commands (SM_VELTACMD) that
// concern all of them, and the mouse, focus, enabling, showing, moves and resizes that change
// which state a control shows.
#pragma once

#include "skin/manager/SkinMessages.h"
#include "skin/options/SkinSections.h"
#include "toolkit/Messages.h"

namespace skin {

class TsSkinModel;

class TsCommonData;

// Answers true when the message is fully handled (its result set); false lets the control go on
// with its own handling (the common part has then done its share, if any).
bool CommonWndProc(toolkit::TMessage& message, TsCommonData& data);

// The edit-like colours of a state: Props[state].Color and its font colour, unless the control
// keeps its own.
void ApplyStateColors(TsCommonData& data, int state);

// The colours the control had before the skin gave it its section's, back once the skin is gone.
void RestoreSavedColors(TsCommonData& data);

// The index of a common section in the loaded skin; -1 without a skin.
int CommonSectionIndex(const TsSkinModel* model, TacSection section);

// Two skin commands every control with a cache answers alike: the section it takes when none is
// set (AC_GETDEFINDEX: 1 + defaultSection()) and a rebuild of its cache (AC_PREPARECACHE).
// Answers whether the message was one of them.
template <class DefaultSection, class PrepareCache>
bool AnswerCacheCommands(toolkit::TMessage& m, DefaultSection defaultSection, PrepareCache prepareCache)
{
    if (m.Msg != SM_VELTACMD)
        return false;
    switch (AcCommandOf(m.WParam)) {
    case AC_GETDEFINDEX:
        m.Result = 1 + defaultSection();
        return true;
    case AC_PREPARECACHE:
        m.Result = prepareCache() ? 1 : 0;
        return true;
    default:
        return false;
    }
}

} // namespace skin
