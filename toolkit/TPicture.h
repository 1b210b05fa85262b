// A holder of one picture of any kind (bitmap or icon), as images and glyphs keep them.
#pragma once

#include "toolkit/TGraphic.h"
#include "toolkit/TPersistent.h"

#include <memory>

namespace toolkit {

class TBitmap;
class TIcon;

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    TGraphic* Graphic() const { return graphic_.get(); }
    // Takes a copy of graphic (null clears).
    void SetGraphic(const TGraphic* graphic);
    // The picture as a bitmap: a bitmap is made (and any other picture dropped) when needed.
    TBitmap* Bitmap();
    TIcon* Icon();
    int Width() const;
    int Height() const;

    // Bitmaps, PNG and JPEG pictures load as bitmaps.
    void LoadFromFile(StringView fileName);
    void SaveToFile(StringView fileName) const;
    void Assign(const TPersistent* source) override;

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> graphic);
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

} // namespace toolkit
