// Which section's font colours text over a control takes: a container names its own section, or,
// when that section lets the surface under it show through, the one its own parent names.
#pragma once

#include "platform/core/Types.h"

namespace toolkit {
class TControl;
}

namespace skin {

class TsCommonData;
class TsSkinManager;
class TsSkinModel;

// The question of AC_GETFONTINDEX (its long parameter).
struct TacPaintInfo {
    int State = 0;
    int FontIndex = -1;
    platform::RECT R{};
    TsSkinManager* SkinManager = nullptr;
};

// Whether text over section skinIndex in state takes its colours from the section under it.
bool NeedParentFont(const TsSkinModel& model, int skinIndex, int state, bool hasParent);

// A container's answer: true when it named a section (info.FontIndex, -1 when the state is beyond
// its states), passing the question up when its section needs its parent's font.
bool AnswerFontIndex(TsCommonData& container, TacPaintInfo& info);

// What the parent of control names for text in the given state; -1 when nothing is named.
int GetFontIndex(toolkit::TControl& control, int state);

} // namespace skin
