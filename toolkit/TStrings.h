// A list of strings, as the UI library's string lists: the lines of a memo, the items of a combo
// box. Text joins the strings with CRLF; assigning it splits at CRLF, LF or CR.
#pragma once

#include "toolkit/TPersistent.h"
#include "toolkit/Types.h"

#include <vector>

namespace toolkit {

class TStrings : public TPersistent {
public:
    TStrings() = default;

    int Count() const { return int(items_.size()); }
    // Throws EListError for an index out of range.
    const String& Strings(int index) const;
    const String& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, StringView value);

    int Add(StringView value);
    void Insert(int index, StringView value);
    void Delete(int index);
    void Clear();
    // The first string equal to value, ignoring case; -1 when there is none.
    int IndexOf(StringView value) const;
    void Sort();

    String Text() const;
    void SetText(StringView value);
    void Assign(const TPersistent* source) override;
    const std::vector<String>& Items() const { return items_; }

    // Changes inside an update run notify once, when the last EndUpdate comes.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    TNotifyEvent OnChange;

private:
    void Changed();
    void CheckIndex(int index, int count) const;

    std::vector<String> items_;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};

} // namespace toolkit
