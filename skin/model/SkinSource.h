// Where a skin's options text and pictures come from while its model is built.
#pragma once

#include "skin/package/TacSkinConvertor.h"

#include "platform/core/Types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

struct SkinSource {
    enum class Kind { Packed, Folder, Internal };
    Kind SourceKind = Kind::Internal;
    // The opened package of a packed or internal skin.
    const TacSkinConvertor* Package = nullptr;
    // The folder pictures are taken from (a folder skin or a live preview), native, ending with "/".
    std::string FolderNative;
    // CommonSkinData.SkinPath as the program writes it.
    std::string SkinPath;
    std::string OptionsText;

    bool IsPacked() const { return SourceKind != Kind::Folder; }
    // The bytes of a picture: a view into the package, or read from a file and held here.
    struct ImageBytes {
        std::vector<std::uint8_t> Owned;
        std::span<const std::uint8_t> View;
    };
    // The bytes of the picture the options text names (upper-cased); none when there is none.
    std::optional<ImageBytes> ReadImage(std::string_view upperName) const;
};

} // namespace skin
