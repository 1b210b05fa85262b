#include "toolkit/TCustomControl.h"

namespace toolkit {

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TCustomControl::PaintWindow(platform::HDC dc)
{
    canvas_.SetHandle(dc);
    canvas_.Font()->Assign(Font());
    canvas_.Brush()->Color = Color();
    canvas_.Brush()->Style = bsSolid;
    Paint();
    canvas_.SetHandle(nullptr);
}

} // namespace toolkit
