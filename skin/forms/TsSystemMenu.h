// The window menu dropped from a skinned title's icon: restore, move, size, minimise, maximise and
// close, each enabled as the window allows, each sending its system command to the window.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "toolkit/TPopupMenu.h"

namespace skin {

// What the window allows now.
struct SystemMenuState {
    bool Minimized = false, Maximized = false, Sizeable = false;
    bool CanMinimize = false, CanMaximize = false;
};

class TsSystemMenu : public toolkit::TPopupMenu {
public:
    explicit TsSystemMenu(toolkit::TComponent* AOwner);

    // Enables the items for state and drops the menu at the screen point; the chosen command
    // goes to hwnd once the menu has closed.
    void ShowFor(platform::HWND hwnd, const SystemMenuState& state, platform::POINT at);
    // Enables the items for state.
    void UpdateItems(const SystemMenuState& state);

    toolkit::TMenuItem* ItemRestore;
    toolkit::TMenuItem* ItemMove;
    toolkit::TMenuItem* ItemSize;
    toolkit::TMenuItem* ItemMinimize;
    toolkit::TMenuItem* ItemMaximize;
    toolkit::TMenuItem* ItemClose;

private:
    toolkit::TMenuItem* AddItem(platform::StringView caption, platform::WPARAM command);

    platform::HWND target_ = nullptr;
};

} // namespace skin
