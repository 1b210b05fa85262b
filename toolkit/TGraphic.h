// A picture that a canvas can draw: bitmaps and icons.
#pragma once

#include "toolkit/TPersistent.h"
#include "toolkit/Types.h"

namespace toolkit {

class TCanvas;

class TGraphic : public TPersistent {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draws the whole picture scaled into r of the canvas.
    virtual void Draw(TCanvas& canvas, const TRect& r) const = 0;
    // Throws EFOpenError when the file cannot be read, EInvalidGraphic when it is not a picture.
    virtual void LoadFromFile(StringView fileName) = 0;
    virtual void SaveToFile(StringView fileName) const = 0;

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    TNotifyEvent OnChange;

protected:
    void Changed();

private:
    bool transparent_ = false;
};

} // namespace toolkit
