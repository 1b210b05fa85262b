#include "skin/forms/TsSystemMenu.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

using namespace platform;

namespace skin {

TsSystemMenu::TsSystemMenu(toolkit::TComponent* AOwner)
    : toolkit::TPopupMenu(AOwner)
{
    ItemRestore = AddItem(u"Восстановить", SC_RESTORE);
    ItemMove = AddItem(u"Переместить", SC_MOVE);
    ItemSize = AddItem(u"Размер", SC_SIZE);
    ItemMinimize = AddItem(u"Свернуть", SC_MINIMIZE);
    ItemMaximize = AddItem(u"Развернуть", SC_MAXIMIZE);
    AddItem(u"-", 0);
    ItemClose = AddItem(u"Закрыть", SC_CLOSE);
}

toolkit::TMenuItem* TsSystemMenu::AddItem(StringView caption, WPARAM command)
{
    auto* item = new toolkit::TMenuItem(this);
    item->SetCaption(caption);
    if (command != 0)
        item->OnClick = [this, command](toolkit::TObject*) {
            if (IsWindow(target_))
                SendMessage(target_, WM_SYSCOMMAND, command, 0);
        };
    Items()->Add(item);
    return item;
}

void TsSystemMenu::UpdateItems(const SystemMenuState& s)
{
    const bool restored = !s.Minimized && !s.Maximized;
    ItemRestore->SetEnabled(!restored);
    ItemMove->SetEnabled(!s.Maximized);
    ItemSize->SetEnabled(s.Sizeable && restored);
    ItemMinimize->SetEnabled(s.CanMinimize && !s.Minimized);
    ItemMaximize->SetEnabled(s.CanMaximize && !s.Maximized);
    ItemClose->SetEnabled(true);
}

void TsSystemMenu::ShowFor(HWND hwnd, const SystemMenuState& state, POINT at)
{
    target_ = hwnd;
    UpdateItems(state);
    Popup(at.x, at.y);
}

} // namespace skin
