// The skin package reader on arbitrary bytes.
#include "skin/package/TacSkinConvertor.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    skin::TacSkinConvertor convertor;
    convertor.PackedData = std::span<const std::uint8_t>(data, size);
    try {
        if (skin::ExtractPackedData(convertor, {})) {
            std::size_t total = convertor.Options ? convertor.Options->size() : 0;
            for (const skin::TacImageItem& item : convertor.Files)
                total += item.FileStream.size() + item.FileName.size();
            if (total == std::size_t(-1))
                __builtin_trap();
        }
    } catch (const skin::PackageError&) {
    }
    return 0;
}
