// An editable drop-down list (style csDropDown): an edit part, a drop-down button and a list in
// a window of its own (TComboDropList). Typing at the end of the text completes it to the first
// item that starts with it, the completed tail selected; the arrow keys step through the items,
// open or closed; while the list is open Enter takes its highlighted item and Escape closes it
// without a change. OnChange follows the user's choices and edits, not assignments.
#pragma once

#include "toolkit/TCustomEdit.h"
#include "toolkit/TStrings.h"

namespace toolkit {

class TComboDropList;

class TCustomComboBox : public TCustomEdit {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() { return &items_; }
    void SetItems(const TStrings* value) { items_.Assign(value); }
    // -1: no item.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value < 1 ? 1 : value; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool value) { autoComplete_ = value; }
    int ItemHeight() const;

    bool DroppedDown() const { return droppedDown_; }
    void SetDroppedDown(bool value);
    // The list window (created with the first drop-down; null before).
    TComboDropList* ListWindow() const { return list_; }
    // The drop-down button, in client coordinates.
    TRect ButtonRect();
    TRect TextRect() override;

    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // Closes the list; with accept its highlighted item becomes the choice.
    void CloseUp(bool accept);
    // Draws item index of the list in r (LookState::Checked: highlighted); the list calls it.
    virtual void DrawItem(TCanvas& canvas, int index, const TRect& r, unsigned state);

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    unsigned ButtonStateFlags();
    bool EditKey(WORD key, TShiftState shift) override;
    bool EditChar(WCHAR key) override;
    void UserEdited() override;
    virtual void Select();
    virtual void DropDown();

private:
    // The user chose item index: it becomes the text, all of it selected.
    void PickItem(int index);
    void Step(int delta);
    void ItemsChanged();
    void ShowList();

    TStrings items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 16;
    bool sorted_ = false;
    bool autoComplete_ = true;
    bool droppedDown_ = false;
    bool buttonHot_ = false;
    bool keepIndex_ = false;
    bool sorting_ = false;
    TComboDropList* list_ = nullptr;
};

} // namespace toolkit
