#include "skin/scroll/ScrollBarSources.h"

#include "toolkit/TComboDropList.h"
#include "toolkit/TCustomMemo.h"

namespace skin {

ScrollBarSource MemoScrollBars(toolkit::TCustomMemo& memo)
{
    return [&memo](bool vertical) { return vertical ? memo.VerticalBar() : memo.HorizontalBar(); };
}

ScrollBarSource DropListScrollBars(toolkit::TComboDropList& list)
{
    return [&list](bool vertical) {
        if (vertical)
            return list.ScrollBar();
        toolkit::DrawnScrollBar none;
        none.vertical = false;
        return none;
    };
}

} // namespace skin
