// A menu that pops up at a screen point: it runs until an item is chosen (by mouse, or by the
// arrow keys and Enter) or the menu is dismissed (Escape, a click elsewhere), and answers after
// it has closed; the chosen item's OnClick runs then.
#pragma once

#include "toolkit/TComponent.h"
#include "toolkit/TMenuItem.h"

namespace toolkit {

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return items_; }
    bool AutoPopup = true;
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

    virtual void Popup(int x, int y);
    // The menu is on the screen (its window exists).
    bool Showing() const { return showing_; }

    TNotifyEvent OnPopup;

private:
    TMenuItem* items_;
    TComponent* popupComponent_ = nullptr;
    bool showing_ = false;
};

} // namespace toolkit
