#include "toolkit/TPicture.h"

#include "toolkit/TBitmap.h"
#include "toolkit/TIcon.h"

#include <utility>

namespace toolkit {

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (!graphic) {
        Adopt(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TIcon*>(graphic))
        copy = std::make_unique<TIcon>();
    else
        copy = std::make_unique<TBitmap>();
    copy->Assign(graphic);
    copy->SetTransparent(graphic->Transparent());
    Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get()))
        return bitmap;
    Adopt(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon()
{
    if (auto* icon = dynamic_cast<TIcon*>(graphic_.get()))
        return icon;
    Adopt(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

int TPicture::Width() const
{
    return graphic_ ? graphic_->Width() : 0;
}

int TPicture::Height() const
{
    return graphic_ ? graphic_->Height() : 0;
}

void TPicture::LoadFromFile(StringView fileName)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFile(fileName);
    Adopt(std::move(bitmap));
}

void TPicture::SaveToFile(StringView fileName) const
{
    if (graphic_)
        graphic_->SaveToFile(fileName);
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<const TPicture*>(source)) {
        if (picture != this)
            SetGraphic(picture->graphic_.get());
        return;
    }
    if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

} // namespace toolkit
