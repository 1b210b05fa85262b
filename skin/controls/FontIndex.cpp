#include "skin/controls/FontIndex.h"

#include "skin/controls/TsCommonData.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/SkinRect.h"

#include "toolkit/TWinControl.h"

#include <algorithm>

using namespace platform;

namespace skin {

bool NeedParentFont(const TsSkinModel& model, int skinIndex, int state, bool hasParent)
{
    if (!hasParent || !model.IsValidSkinIndex(skinIndex))
        return false;
    const TsGeneralData& section = model.gd[std::size_t(skinIndex)];
    const int s = std::clamp(std::min(state, section.States - 1), 0, 2);
    if (section.Props[std::size_t(s)].Transparency < 50)
        return false;
    if (!model.IsValidImgIndex(section.BorderIndex))
        return true;
    const TsMaskData& mask = model.ma[std::size_t(section.BorderIndex)];
    const bool fills = mask.DrawMode & BDM_FILL;
    if (s == 0)
        return !(fills && !(mask.DrawMode & BDM_ACTIVEONLY));
    if (!fills)
        return true;
    if (mask.MaskType == 0)
        return false;
    // A light pixel in the middle of the state's mask: the image leaves the centre uncovered.
    const Bitmap& source = model.SourceBitmap(mask);
    const int x = mask.R.left + ClampImageState(mask, s) * mask.Width + mask.Width / 2;
    const int y = mask.R.bottom - mask.Height / 2;
    if (x < 0 || y < 0 || x >= source.Width() || y >= source.Height())
        return false;
    return PixelB(source.Pixel(x, y)) > 126;
}

bool AnswerFontIndex(TsCommonData& container, TacPaintInfo& info)
{
    const TsSkinModel* model = container.Model();
    const TsGeneralData* section = container.Section();
    toolkit::TControl* owner = container.OwnerControl();
    if (!model || !section || !owner)
        return false;
    toolkit::TWinControl* parent = owner->Parent();
    if (NeedParentFont(*model, container.SkinIndex(), info.State, parent != nullptr)) {
        OffsetRect(&info.R, owner->Left(), owner->Top());
        return parent->Perform(SM_VELTACMD, AcCommand(AC_GETFONTINDEX), reinterpret_cast<LPARAM>(&info)) != 0;
    }
    info.FontIndex = info.State < section->States ? container.SkinIndex() : -1;
    return true;
}

int GetFontIndex(toolkit::TControl& control, int state)
{
    toolkit::TWinControl* parent = control.Parent();
    if (!parent)
        return -1;
    TacPaintInfo info;
    info.State = state;
    info.R = control.BoundsRect();
    if (parent->Perform(SM_VELTACMD, AcCommand(AC_GETFONTINDEX), reinterpret_cast<LPARAM>(&info)) == 0)
        return -1;
    return info.FontIndex;
}

} // namespace skin
