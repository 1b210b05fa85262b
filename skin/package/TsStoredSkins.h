// The internal skin catalogue: named skin packages carried inside the program.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace skin {

class TsStoredSkin {
public:
    platform::String Name;
    platform::Bitmap MasterBitmap;     // kept with the item; loading reads the package only
    platform::COLORREF Shadow1Color = 0;
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    platform::COLORREF BorderColor = platform::clFuchsia;
    double Version = 0;
    platform::String Author;
    platform::String Description;
    // The complete package bytes (the stored "Data" property), unchanged.
    std::vector<std::uint8_t> PackedData;
};

class TsStoredSkins {
public:
    // Fired after every change of the list or of an item (the manager's OnSkinListChanged).
    std::function<void()> OnChange;

    int Count() const { return int(items_.size()); }
    bool Empty() const { return items_.empty(); }
    const TsStoredSkin& Item(int index) const { return items_.at(std::size_t(index)); }
    const std::vector<TsStoredSkin>& Items() const { return items_; }

    TsStoredSkin& Add(TsStoredSkin item);
    void SetItem(int index, TsStoredSkin item);
    void Delete(int index);
    void Clear();
    void Assign(const TsStoredSkins& other);

    // The first item whose Name equals name exactly (case-sensitive), -1 when none.
    int IndexOf(platform::StringView name) const;

private:
    void Changed();

    std::vector<TsStoredSkin> items_;
};

} // namespace skin
