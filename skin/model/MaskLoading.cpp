// The image elements of a skin: the master bitmap, one element per image-valued key, and the
// external pictures they share.
#include "skin/model/SkinModelBuilder.h"

#include "skin/model/SkinBitmap.h"
#include "skin/model/SkinColors.h"
#include "skin/package/AsciiText.h"

#include "platform/image/Image.h"

#include <algorithm>

namespace skin {

namespace {

std::int16_t Short(int v) { return std::int16_t(std::clamp(v, -32768, 32767)); }
std::int16_t Count(int v) { return std::int16_t(std::clamp(v, 0, 32767)); }

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

platform::DecodedImage DecodeByName(std::string_view upperName, std::span<const std::uint8_t> bytes)
{
    if (upperName.ends_with(".BMP"))
        return platform::DecodeBmp(bytes);
    if (upperName.ends_with(".JPG") || upperName.ends_with(".JPEG"))
        return platform::DecodeJpeg(bytes);
    if (upperName.ends_with(".PNG"))
        return platform::DecodePng(bytes);
    return platform::DecodeImage(bytes);
}

// The height of one state image above its masks.
int ImagePartHeight(int rectHeight, int maskType)
{
    if (maskType < 0)
        return 0;
    if (maskType == 0)
        return rectHeight;
    if (maskType == 1)
        return rectHeight / 2;
    return rectHeight / (maskType + 1);
}

} // namespace

void ThrowWithContext(const std::exception& error, std::string_view section, std::string_view key)
{
    const std::string text = std::string(error.what()) + " (key " + std::string(key) + " of the section [" +
                             std::string(section) + "])";
    if (dynamic_cast<const platform::ImageError*>(&error))
        throw platform::ImageError(text);
    throw ConversionError(text);
}

void SkinModelBuilder::LoadMasterBitmap()
{
    const std::string name = UpperAscii(ini_.ReadString(globalInfo_, "MASTERBITMAP", ""));
    masterName_ = name;
    model_.MasterBitmap = platform::Bitmap();
    if (name.empty())
        return;
    auto bytes = source_.ReadImage(name);
    if (!bytes)
        return;
    try {
        model_.MasterBitmap = ToSkinBitmap(DecodeByName(name, bytes->View));
    } catch (const std::exception& e) {
        ThrowWithContext(e, globalInfo_, "MASTERBITMAP");
    }
}

platform::Bitmap* SkinModelBuilder::LoadExternal(const std::string& upperName, int maskType)
{
    for (TacExtFileData& ext : model_.ExtArray)
        if (ext.FileName == upperName)
            return ext.Bmp.get();
    std::unique_ptr<platform::Bitmap> bitmap;
    bool isPng = false;
    if (upperName == masterName_ && !model_.MasterBitmap.IsEmpty() && !upperName.ends_with(".PNG")) {
        // The master bitmap named again as a texture: the same picture, decoded once.
        bitmap = std::make_unique<platform::Bitmap>(model_.MasterBitmap);
    } else {
        auto bytes = source_.ReadImage(upperName);
        if (!bytes)
            return nullptr;
        platform::DecodedImage decoded = DecodeByName(upperName, bytes->View);
        isPng = decoded.format == platform::ImageFormat::Png;
        bitmap = std::make_unique<platform::Bitmap>(ToSkinBitmap(std::move(decoded)));
    }
    if (isPng && settings_.Brightness <= 0 && model_.CommonSkinData.Version > 7.45 && settings_.DesktopComposition)
        PremultiplyBitmap(*bitmap);
    TacExtFileData ext;
    ext.Bmp = std::move(bitmap);
    ext.FileName = upperName;
    ext.MaskType = maskType;
    model_.ExtArray.push_back(std::move(ext));
    return model_.ExtArray.back().Bmp.get();
}

int SkinModelBuilder::ComputeCornerType(const TsMaskData& m) const
{
    if (m.ClassName == "BUTTON_HUGE" && m.PropertyName == "BORDERSMASK")
        return 2;
    const platform::Bitmap& src = model_.SourceBitmap(m);
    if (src.IsEmpty() || m.ImageCount <= 0)
        return 0;
    const int width = m.R.Width() / m.ImageCount;
    const int height = ImagePartHeight(m.R.Height(), m.MaskType);
    if (width <= 0 || height <= 0)
        return 0;
    for (int n = 0; n < m.ImageCount; ++n) {
        const int x0 = m.R.left + n * width;
        const platform::RECT state{x0, m.R.top, x0 + width, m.R.top + height};
        platform::RECT stateInBitmap;
        if (!platform::IntersectRect(&stateInBitmap, state, src.BoundsRect()))
            continue;
        const platform::RECT corners[4] = {
            {x0, m.R.top, x0 + m.WL, m.R.top + m.WT},
            {x0 + width - m.WR, m.R.top, x0 + width, m.R.top + m.WT},
            {x0, m.R.top + height - m.WB, x0 + m.WL, m.R.top + height},
            {x0 + width - m.WR, m.R.top + height - m.WB, x0 + width, m.R.top + height},
        };
        for (const platform::RECT& corner : corners) {
            platform::RECT r;
            if (!platform::IntersectRect(&r, corner, stateInBitmap))
                continue;
            for (int y = r.top; y < r.bottom; ++y) {
                const platform::PixelBGRA* row = src.ScanLine(y);
                for (int x = r.left; x < r.right; ++x)
                    if (IsFuchsiaPixel(row[x]))
                        return 1;
            }
        }
    }
    return 0;
}

void SkinModelBuilder::MakeElement(int sectionIndex, std::string_view className, std::string_view key,
                                   const std::string& value)
{
    TsMaskData m;
    m.ClassName = std::string(className);
    m.PropertyName = std::string(key);
    m.SkinIndex = sectionIndex;
    const bool scaleVariant = Contains(key, "*");
    switch (value.front()) {
    case '!': {
        if (scaleVariant)
            return;
        ExternalValue e = ParseExternalValue(value);
        platform::Bitmap* bmp = LoadExternal(e.File, e.MaskType);
        if (!bmp)
            return;
        if (!e.HasWidths)
            WidthsFromImage(e, bmp->Width(), bmp->Height());
        m.Bmp = bmp;
        m.R = bmp->BoundsRect();
        m.ImageCount = Count(e.ImageCount);
        m.MaskType = Short(e.MaskType);
        m.ImgType = e.Kind;
        m.WL = Short(e.WL);
        m.WT = Short(e.WT);
        m.WR = Short(e.WR);
        m.WB = Short(e.WB);
        m.DrawMode = Short(e.DrawMode);
        break;
    }
    case '@': {
        const GlyphValue g = ParseGlyphValue(value);
        m.R = g.R;
        m.ImageCount = Count(g.ImageCount);
        m.MaskType = Short(g.MaskType);
        m.ImgType = TacImgType::itisaGlyph;
        break;
    }
    case '^': {
        if (scaleVariant)
            return;
        const BorderValue b = ParseBorderValue(value);
        m.R = b.R;
        m.WL = Short(b.WL);
        m.WT = Short(b.WT);
        m.WR = Short(b.WR);
        m.WB = Short(b.WB);
        m.ImageCount = Count(b.ImageCount);
        m.MaskType = Short(b.MaskType);
        m.DrawMode = Short(b.DrawMode);
        m.BorderWidth = Short(b.BorderWidth);
        m.ImgType = TacImgType::itisaBorder;
        break;
    }
    case '~': {
        const TextureValue t = ParseTextureValue(value);
        m.R = t.R;
        m.DrawMode = Short(t.DrawMode);
        m.MaskType = Short(t.MaskType);
        m.ImageCount = 1;
        m.ImgType = TacImgType::itisaTexture;
        if (!t.File.empty())
            m.Bmp = LoadExternal(t.File, t.MaskType);
        break;
    }
    default: {
        if (!Contains(value, ".JPG") && !Contains(value, ".BMP"))
            return;
        platform::Bitmap* bmp = LoadExternal(value, 0);
        if (!bmp)
            return;
        m.Bmp = bmp;
        m.R = bmp->BoundsRect();
        m.ImageCount = 1;
        m.ImgType = TacImgType::itisaTexture;
        break;
    }
    }
    if (m.ImgType == TacImgType::itisaBorder)
        m.CornerType = ComputeCornerType(m);
    model_.AddMask(std::move(m));
}

void SkinModelBuilder::LoadAllMasks()
{
    model_.ma.clear();
    model_.ExtArray.clear();
    LoadMasterBitmap();
    const auto& sections = ini_.Sections();
    std::string value;
    for (std::size_t si = 0; si < sections.size(); ++si) {
        const SkinIniFile::Section& section = sections[si];
        for (const SkinIniFile::Entry& entry : section.Entries) {
            if (entry.Value.empty())
                continue;
            const char first = entry.Value.front();
            if (first != '!' && first != '@' && first != '^' && first != '~' &&
                entry.Value.find('.') == std::string_view::npos)
                continue;
            value = UpperAscii(entry.Value);
            try {
                MakeElement(int(si), section.Name, entry.Key, value);
            } catch (const std::exception& e) {
                ThrowWithContext(e, section.Name, entry.Key);
            }
        }
    }
    LoadCommonBitmaps();
}

// GLOBALINFO lines of the common sections that name bitmaps become whole-bitmap elements.
void SkinModelBuilder::LoadCommonBitmaps()
{
    if (settings_.CommonSections.empty())
        return;
    std::string text;
    for (const std::string& line : settings_.CommonSections)
        text += line + "\r\n";
    SkinIniFile common(std::move(text));
    const SkinIniFile::Section* global = common.FindSection(globalInfo_);
    if (!global)
        return;
    const int globalIndex = ini_.IndexOfSection(globalInfo_);
    for (const SkinIniFile::Entry& entry : global->Entries) {
        const std::string value = UpperAscii(entry.Value);
        if (!Contains(value, ".BMP"))
            continue;
        platform::Bitmap* bmp = nullptr;
        try {
            bmp = LoadExternal(value, 0);
        } catch (const std::exception& e) {
            ThrowWithContext(e, globalInfo_, entry.Key);
        }
        if (!bmp || bmp->Width() < 1)
            continue;
        TsMaskData m;
        m.Bmp = bmp;
        m.ClassName = globalInfo_;
        m.PropertyName = std::string(entry.Key);
        m.SkinIndex = globalIndex;
        m.R = bmp->BoundsRect();
        m.ImageCount = 1;
        m.ImgType = TacImgType::itisaTexture;
        model_.AddMask(std::move(m));
    }
}

} // namespace skin
