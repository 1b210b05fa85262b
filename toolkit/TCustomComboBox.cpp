#include "toolkit/TCustomComboBox.h"

#include "platform/window/Message.h"
#include "platform/system/StringCompare.h"
#include "platform/window/Window.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TComboDropList.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomEdit(AOwner)
{
    SetBounds(0, 0, 145, 21);
    items_.OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomComboBox::~TCustomComboBox() = default;

int TCustomComboBox::ItemHeight() const
{
    return LineHeight() + 3;
}

void TCustomComboBox::ItemsChanged()
{
    if (sorting_)
        return;
    if (sorted_) {
        sorting_ = true;
        items_.Sort();
        sorting_ = false;
    }
    if (itemIndex_ >= items_.Count())
        itemIndex_ = -1;
    if (list_ && droppedDown_)
        list_->Popup();
}

void TCustomComboBox::SetSorted(bool value)
{
    if (value == sorted_)
        return;
    sorted_ = value;
    if (sorted_)
        ItemsChanged();
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    style_ = value;
    // Without an edit part the text can only be chosen from the list.
    SetReadOnly(value == csDropDownList || value == csOwnerDrawFixed || value == csOwnerDrawVariable);
}

void TCustomComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= items_.Count())
        value = -1;
    itemIndex_ = value;
    keepIndex_ = true;
    SetText(value >= 0 ? StringView(items_[value]) : StringView());
    keepIndex_ = false;
    if (list_)
        list_->SetItemIndex(value);
}

TRect TCustomComboBox::ButtonRect()
{
    TRect client = ClientRect();
    const int width = std::min<int>(CurrentControlLook().ComboButtonWidth(), client.Width());
    return TRect{client.right - width, client.top, client.right, client.bottom};
}

TRect TCustomComboBox::TextRect()
{
    TRect r = TCustomEdit::TextRect();
    r.right = std::max(r.left, ButtonRect().left - 1);
    return r;
}

void TCustomComboBox::SetDroppedDown(bool value)
{
    if (value == droppedDown_)
        return;
    if (value)
        DropDown();
    else
        CloseUp(false);
}

void TCustomComboBox::DropDown()
{
    if (droppedDown_ || !HandleAllocated())
        return;
    if (OnDropDown)
        OnDropDown(this);
    if (!list_)
        list_ = new TComboDropList(this);
    droppedDown_ = true;
    list_->SetItemIndex(itemIndex_);
    list_->Popup();
    Invalidate();
}

void TCustomComboBox::CloseUp(bool accept)
{
    if (!droppedDown_)
        return;
    droppedDown_ = false;
    const int chosen = list_ ? list_->ItemIndex() : -1;
    if (list_)
        list_->Hide();
    Invalidate();
    if (accept && chosen >= 0)
        PickItem(chosen);
    if (OnCloseUp)
        OnCloseUp(this);
}

void TCustomComboBox::PickItem(int index)
{
    if (index < 0 || index >= items_.Count())
        return;
    const bool changed = index != itemIndex_ || editor_.Text() != items_[index];
    itemIndex_ = index;
    if (changed) {
        editor_.SetText(items_[index]);
        editor_.SelectAll();
        keepIndex_ = true;
        CommitUserEdit();
        keepIndex_ = false;
    } else {
        editor_.SelectAll();
        EditorChanged(false);
    }
    Select();
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
}

void TCustomComboBox::Step(int delta)
{
    const int count = items_.Count();
    if (count == 0)
        return;
    if (droppedDown_ && list_) {
        const int at = list_->ItemIndex();
        list_->SetItemIndex(at < 0 ? (delta > 0 ? 0 : count - 1) : std::clamp(at + delta, 0, count - 1));
        return;
    }
    const int target = itemIndex_ < 0 ? 0 : std::clamp(itemIndex_ + delta, 0, count - 1);
    if (target != itemIndex_)
        PickItem(target);
}

void TCustomComboBox::UserEdited()
{
    if (!keepIndex_)
        itemIndex_ = items_.IndexOf(editor_.Text());
    if (droppedDown_ && list_ && itemIndex_ >= 0)
        list_->SetItemIndex(itemIndex_);
}

bool TCustomComboBox::EditKey(WORD key, TShiftState shift)
{
    switch (key) {
    case VK_F4:
        SetDroppedDown(!droppedDown_);
        return true;
    case VK_UP:
    case VK_DOWN:
        if (shift.Contains(ssAlt))
            SetDroppedDown(!droppedDown_);
        else
            Step(key == VK_UP ? -1 : 1);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
        Step((key == VK_PRIOR ? -1 : 1) * std::max(1, dropDownCount_ - 1));
        return true;
    case VK_HOME:
    case VK_END:
        if (!droppedDown_)
            break;
        Step(key == VK_HOME ? -items_.Count() : items_.Count());
        return true;
    case VK_RETURN:
    case VK_ESCAPE:
        if (!droppedDown_)
            return false;
        CloseUp(key == VK_RETURN);
        return true;
    default:
        break;
    }
    return TCustomEdit::EditKey(key, shift);
}

bool TCustomComboBox::EditChar(WCHAR key)
{
    // Enter and Escape that closed the list come here as characters too.
    if (key == u'\r' || key == 0x1B)
        return true;
    if (key < 0x20 || key == 0x7F || ReadOnly() || !autoComplete_)
        return TCustomEdit::EditChar(key);
    if (!editor_.Insert(StringView(&key, 1))) {
        EditorChanged(false);
        return true;
    }
    // Only typing at the end completes; the completion keeps the item's own spelling.
    const String typed = editor_.Text();
    if (editor_.Caret() == int(typed.size())) {
        for (int i = 0; i < items_.Count(); ++i) {
            const String& item = items_[i];
            if (item.size() > typed.size() && SameTextOrdinal(StringView(item).substr(0, typed.size()), typed)) {
                editor_.SetText(item);
                editor_.MoveTo(int(typed.size()), false);
                editor_.MoveTo(int(item.size()), true);
                break;
            }
        }
    }
    CommitUserEdit();
    return true;
}

unsigned TCustomComboBox::ButtonStateFlags()
{
    unsigned state = LookState::Normal;
    if (!Enabled())
        return LookState::Disabled;
    if (droppedDown_)
        state |= LookState::Pressed;
    else if (buttonHot_)
        state |= LookState::Hot;
    return state;
}

void TCustomComboBox::DrawItem(TCanvas& canvas, int index, const TRect& r, unsigned state)
{
    if (index >= 0 && index < items_.Count())
        CurrentControlLook().DrawListItem(canvas, r, items_[index], state);
}

void TCustomComboBox::Paint()
{
    TCustomEdit::Paint();
    CurrentControlLook().DrawComboButton(*Canvas(), ButtonRect(), ButtonStateFlags());
}

void TCustomComboBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case CM_WANTSPECIALKEY:
        if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && droppedDown_) {
            m.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (ButtonRect().Contains(p) || (ReadOnly() && ClientRect().Contains(p))) {
            FocusOnClick();
            SetDroppedDown(!droppedDown_);
            return;
        }
        break;
    }
    case WM_MOUSEMOVE: {
        TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        bool hot = ButtonRect().Contains(p);
        if (hot != buttonHot_) {
            buttonHot_ = hot;
            Invalidate();
        }
        break;
    }
    case CM_MOUSELEAVE:
        if (buttonHot_) {
            buttonHot_ = false;
            Invalidate();
        }
        break;
    case WM_MOUSEWHEEL:
        if (droppedDown_ && list_) {
            list_->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam);
            return;
        }
        break;
    case WM_KILLFOCUS:
        CloseUp(false);
        break;
    case CM_TEXTCHANGED:
        // An assigned text is not a choice of the user: no OnChange.
        if (!keepIndex_)
            itemIndex_ = items_.IndexOf(editor_.Text());
        Invalidate();
        return;
    default:
        break;
    }
    TCustomEdit::WndProc(m);
}

} // namespace toolkit
