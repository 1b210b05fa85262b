#include "skin/package/TsStoredSkins.h"

namespace skin {

TsStoredSkin& TsStoredSkins::Add(TsStoredSkin item)
{
    items_.push_back(std::move(item));
    Changed();
    return items_.back();
}

void TsStoredSkins::SetItem(int index, TsStoredSkin item)
{
    items_.at(std::size_t(index)) = std::move(item);
    Changed();
}

void TsStoredSkins::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    items_.erase(items_.begin() + index);
    Changed();
}

void TsStoredSkins::Clear()
{
    items_.clear();
    Changed();
}

void TsStoredSkins::Assign(const TsStoredSkins& other)
{
    if (&other == this)
        return;
    items_ = other.items_;
    Changed();
}

int TsStoredSkins::IndexOf(platform::StringView name) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Name == name)
            return int(i);
    return -1;
}

void TsStoredSkins::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace skin
