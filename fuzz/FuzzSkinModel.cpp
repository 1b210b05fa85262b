// The whole model build from a skin package: the package reader, the options, the pictures and
// the colour adjustments.
#include "skin/model/TsSkinModel.h"
#include "skin/package/TacSkinConvertor.h"

#include "platform/image/Image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    skin::TacSkinConvertor convertor;
    convertor.PackedData = std::span<const std::uint8_t>(data, size);
    try {
        if (!skin::ExtractPackedData(convertor, {}) || !convertor.Options)
            return 0;
    } catch (const skin::PackageError&) {
        return 0;
    }
    skin::SkinSource source;
    source.SourceKind = skin::SkinSource::Kind::Internal;
    source.Package = &convertor;
    source.OptionsText.assign(convertor.Options->begin(), convertor.Options->end());
    skin::SkinLoadSettings settings;
    // The last bytes choose the colour adjustments, so that they are explored as well.
    if (size >= 3) {
        settings.HueOffset = int(data[size - 1] % 4) * 90;
        settings.Saturation = int(data[size - 2] % 5) * 50 - 100;
        settings.Brightness = int(data[size - 3] % 5) * 50 - 100;
        settings.ExtendedBorders = (data[size - 1] & 0x80) != 0;
    }
    try {
        auto model = skin::TsSkinModel::Load(source, settings);
        int sink = 0;
        for (const skin::TsGeneralData& g : model->gd)
            sink += model->GetMaskIndex(model->GetSkinIndex(g.ClassName), g.ClassName, "BORDERSMASK");
        volatile int result = sink;
        (void)result;
    } catch (const skin::ConversionError&) {
    } catch (const platform::ImageError&) {
    }
    return 0;
}
