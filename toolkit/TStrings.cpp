#include "toolkit/TStrings.h"

#include "platform/system/StringCompare.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

#include <algorithm>

namespace toolkit {

void TStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
}

const String& TStrings::Strings(int index) const
{
    CheckIndex(index, Count());
    return items_[std::size_t(index)];
}

void TStrings::SetStrings(int index, StringView value)
{
    CheckIndex(index, Count());
    items_[std::size_t(index)] = String(value);
    Changed();
}

int TStrings::Add(StringView value)
{
    items_.emplace_back(value);
    Changed();
    return Count() - 1;
}

void TStrings::Insert(int index, StringView value)
{
    CheckIndex(index, Count() + 1);
    items_.insert(items_.begin() + index, String(value));
    Changed();
}

void TStrings::Delete(int index)
{
    CheckIndex(index, Count());
    items_.erase(items_.begin() + index);
    Changed();
}

void TStrings::Clear()
{
    if (items_.empty())
        return;
    items_.clear();
    Changed();
}

int TStrings::IndexOf(StringView value) const
{
    for (int i = 0; i < Count(); ++i)
        if (platform::SameTextOrdinal(items_[std::size_t(i)], value))
            return i;
    return -1;
}

void TStrings::Sort()
{
    std::stable_sort(items_.begin(), items_.end(), [](const String& a, const String& b) {
        return platform::CompareStringOrdinal(a, b, true) == platform::CSTR_LESS_THAN;
    });
    Changed();
}

String TStrings::Text() const
{
    String s;
    for (const String& item : items_) {
        s += item;
        s += u"\r\n";
    }
    return s;
}

void TStrings::SetText(StringView value)
{
    std::vector<String> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != u'\r' && value[i] != u'\n')
            continue;
        lines.emplace_back(value.substr(start, i - start));
        if (value[i] == u'\r' && i + 1 < value.size() && value[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < value.size())
        lines.emplace_back(value.substr(start));
    items_ = std::move(lines);
    Changed();
}

void TStrings::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TStrings*>(source)) {
        if (other != this) {
            items_ = other->items_;
            Changed();
        }
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Changed();
    }
}

void TStrings::Changed()
{
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

} // namespace toolkit
