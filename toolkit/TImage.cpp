#include "toolkit/TImage.h"

#include "toolkit/TGraphic.h"

namespace toolkit {

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    ControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

void TImage::SetAutoSize(bool value)
{
    autoSize_ = value;
    PictureChanged();
}

void TImage::SetCenter(bool value)
{
    center_ = value;
    Invalidate();
}

void TImage::SetStretch(bool value)
{
    stretch_ = value;
    Invalidate();
}

void TImage::SetProportional(bool value)
{
    proportional_ = value;
    Invalidate();
}

void TImage::SetTransparent(bool value)
{
    transparent_ = value;
    if (TGraphic* g = picture_.Graphic())
        g->SetTransparent(value);
    Invalidate();
}

void TImage::PictureChanged()
{
    if (TGraphic* g = picture_.Graphic(); g && transparent_ && !g->Transparent())
        g->SetTransparent(true);
    if (autoSize_ && !IsLoading() && picture_.Width() > 0 && picture_.Height() > 0)
        SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::Loaded()
{
    TGraphicControl::Loaded();
    PictureChanged();
}

TRect TImage::DestRect()
{
    int w = picture_.Width(), h = picture_.Height();
    const int cw = ClientWidth(), ch = ClientHeight();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            if (cw * h > ch * w) {
                w = w * ch / h;
                h = ch;
            } else {
                h = h * cw / w;
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r{0, 0, w, h};
    if (center_) {
        r.left = (cw - w) / 2;
        r.top = (ch - h) / 2;
        r.right = r.left + w;
        r.bottom = r.top + h;
    }
    return r;
}

void TImage::Paint()
{
    TGraphic* g = picture_.Graphic();
    if (!g || g->Empty())
        return;
    Canvas()->StretchDraw(DestRect(), g);
}

} // namespace toolkit
