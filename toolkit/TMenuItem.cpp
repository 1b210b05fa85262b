#include "toolkit/TMenuItem.h"

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

#include <algorithm>

namespace toolkit {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    Destroying();
    Clear();
    if (parent_)
        parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int index) const
{
    if (index < 0 || index >= int(items_.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
    return items_[std::size_t(index)];
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (!item || item == this)
        return;
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Clear()
{
    while (!items_.empty()) {
        TMenuItem* last = items_.back();
        items_.pop_back();
        last->parent_ = nullptr;
        Free(last);
    }
}

void TMenuItem::Click()
{
    if (enabled_ && OnClick)
        OnClick(this);
}

} // namespace toolkit
