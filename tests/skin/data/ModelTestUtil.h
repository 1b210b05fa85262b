// Building skins for the model tests: options text, pictures and a package, loaded as a model.
#pragma once

#include "SkinTestUtil.h"

#include "skin/model/TsSkinModel.h"
#include "skin/package/PackageWriter.h"
#include "skin/package/TacSkinConvertor.h"

#include "platform/image/Image.h"

#include <memory>
#include <string>
#include <vector>

namespace skintest {

// A 24-bit bottom-up Windows bitmap, so that the loader's conversion to 32 bits is exercised.
inline std::vector<std::uint8_t> Bmp24(const platform::Bitmap& b)
{
    const int rowBytes = (b.Width() * 3 + 3) & ~3;
    const std::uint32_t imageSize = std::uint32_t(rowBytes * b.Height());
    std::vector<std::uint8_t> out;
    auto u16 = [&](unsigned v) { out.push_back(std::uint8_t(v)); out.push_back(std::uint8_t(v >> 8)); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    out.push_back('B');
    out.push_back('M');
    u32(54 + imageSize);
    u32(0);
    u32(54);
    u32(40);
    u32(std::uint32_t(b.Width()));
    u32(std::uint32_t(b.Height()));
    u16(1);
    u16(24);
    u32(0);
    u32(imageSize);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = b.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < b.Width(); ++x) {
            const platform::PixelBGRA p = b.Pixel(x, y);
            out.push_back(platform::PixelB(p));
            out.push_back(platform::PixelG(p));
            out.push_back(platform::PixelR(p));
        }
        for (int pad = b.Width() * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

inline platform::Bitmap Solid(int w, int h, platform::PixelBGRA p)
{
    platform::Bitmap b(w, h);
    b.Fill(p);
    return b;
}

struct TestSkin {
    std::string Options;
    std::vector<skin::PackageMember> Images;

    void Add(const std::string& name, std::vector<std::uint8_t> bytes) { Images.push_back({name, std::move(bytes)}); }

    std::vector<std::uint8_t> Package() const
    {
        std::vector<skin::PackageMember> members{{"Options.dat", Bytes(Options)}};
        members.insert(members.end(), Images.begin(), Images.end());
        return skin::WritePackage(members);
    }
};

struct LoadedSkin {
    skin::TacSkinConvertor Package;
    std::vector<std::uint8_t> Bytes;
    std::unique_ptr<skin::TsSkinModel> Model;
};

inline std::unique_ptr<LoadedSkin> LoadTestSkin(const TestSkin& skinData, const skin::SkinLoadSettings& settings = {})
{
    auto loaded = std::make_unique<LoadedSkin>();
    loaded->Bytes = skinData.Package();
    loaded->Package.PackedData = loaded->Bytes;
    if (!skin::ExtractPackedData(loaded->Package, {}))
        throw std::runtime_error("test package refused");
    skin::SkinSource source;
    source.SourceKind = skin::SkinSource::Kind::Internal;
    source.Package = &loaded->Package;
    source.OptionsText.assign(loaded->Package.Options->begin(), loaded->Package.Options->end());
    loaded->Model = skin::TsSkinModel::Load(source, settings);
    return loaded;
}

} // namespace skintest
