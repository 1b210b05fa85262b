// A popup menu window ("#32768") drawn from the skin: its plate from the "MAINMENU" section, the
// item under the mouse from "MENUITEM", texts in the sections' font colours. The menu window
// keeps its items, its geometry and its mouse and keyboard handling; only its picture changes.
#pragma once

#include "skin/dialogs/TacSubclassedWnd.h"

namespace toolkit {
class TPopupMenuWindow;
}

namespace skin {

class TsSkinManager;

class TacPopupMenuWnd : public TacSubclassedWnd {
public:
    TacPopupMenuWnd(platform::HWND hwnd, TsSkinManager& manager);

protected:
    platform::LRESULT WndProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

private:
    // The toolkit's menu behind the window when the skin can draw it (a skin with "MAINMENU",
    // skinned popups on); null leaves the menu to paint itself.
    toolkit::TPopupMenuWindow* Skinnable() const;
    void Paint(platform::HDC dc, toolkit::TPopupMenuWindow* menu);

    TsSkinManager& manager_;
};

} // namespace skin
