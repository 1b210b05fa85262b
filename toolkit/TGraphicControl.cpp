#include "toolkit/TGraphicControl.h"

#include "platform/graphics/DeviceContext.h"

namespace toolkit {

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == platform::WM_PAINT) {
        auto dc = reinterpret_cast<platform::HDC>(m.WParam);
        if (!dc)
            return;
        int saved = platform::SaveDC(dc);
        canvas_.SetHandle(dc);
        canvas_.Font()->Assign(Font());
        canvas_.Brush()->Color = Color();
        canvas_.Brush()->Style = bsSolid;
        Paint();
        canvas_.SetHandle(nullptr);
        platform::RestoreDC(dc, saved);
        return;
    }
    TControl::WndProc(m);
}

} // namespace toolkit
