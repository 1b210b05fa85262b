// Where the wrapped controls of the program keep their bars, for TacScrollWnd.
#pragma once

#include "skin/scroll/TacScrollWnd.h"

namespace toolkit {
class TCustomMemo;
class TComboDropList;
}

namespace skin {

// The memo's vertical and horizontal bars.
ScrollBarSource MemoScrollBars(toolkit::TCustomMemo& memo);
// The drop-down list's vertical bar (it has no horizontal one).
ScrollBarSource DropListScrollBars(toolkit::TComboDropList& list);

} // namespace skin
