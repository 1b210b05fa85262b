// The window of a popup menu while it is shown. Its window class is the system's menu class
// ("#32768"), so that a window hook can take popup menus over like the platform's.
#pragma once

#include "toolkit/TCustomControl.h"

#include <vector>

namespace toolkit {

class TMenuItem;

class TPopupMenuWindow : public TCustomControl {
public:
    TPopupMenuWindow(TComponent* AOwner, TMenuItem* items);

    // Shows the menu at (x, y) of the screen (kept on the screen) and runs it; answers the item
    // chosen, or null.
    TMenuItem* Run(int x, int y);

    int HotIndex() const { return hot_; }
    TRect ItemRect(int index);
    int ItemCount() const { return int(items_.size()); }
    TMenuItem* Item(int index) const { return items_[std::size_t(index)]; }

protected:
    void CreateParams(TCreateParams& params) override;
    void EraseBackground(platform::HDC dc) override;
    void Paint() override;

private:
    int IndexAt(TPoint p);
    void MoveHot(int direction);
    void SetHot(int index);

    std::vector<TMenuItem*> items_;
    int hot_ = -1;
    bool done_ = false;
    TMenuItem* chosen_ = nullptr;
};

} // namespace toolkit
