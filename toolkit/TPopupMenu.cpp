#include "toolkit/TPopupMenu.h"

#include "toolkit/TPopupMenuWindow.h"

namespace toolkit {

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) {}

TPopupMenu::~TPopupMenu()
{
    Destroying();
}

void TPopupMenu::Popup(int x, int y)
{
    if (showing_)
        return;
    if (OnPopup)
        OnPopup(this);
    showing_ = true;
    TMenuItem* chosen = nullptr;
    auto* window = new TPopupMenuWindow(nullptr, items_);
    try {
        chosen = window->Run(x, y);
    } catch (...) {
        showing_ = false;
        Free(window);
        throw;
    }
    Free(window);
    showing_ = false;
    if (chosen)
        chosen->Click();
}

} // namespace toolkit
