#include "skin/controls/TsTabSheet.h"

#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/FontIndex.h"
#include "skin/controls/TacBGInfo.h"
#include "skin/controls/TsPageControl.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"

#include "platform/graphics/Gdi.h"

using namespace platform;

namespace skin {

TsTabSheet::TsTabSheet(toolkit::TComponent* AOwner)
    : toolkit::TTabSheet(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsTabSheet))
{
}

void TsTabSheet::Loaded()
{
    toolkit::TTabSheet::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
}

const Bitmap* TsTabSheet::PageControlPicture()
{
    auto* pages = dynamic_cast<TsPageControl*>(PageControl());
    if (!pages || !CatchUpWithSkin(*pages->SkinData()) || pages->SkinData()->Loading())
        return nullptr;
    return pages->UpToDatePicture();
}

void TsTabSheet::WndProc(toolkit::TMessage& m)
{
    if (m.Msg == SM_VELTACMD) {
        switch (AcCommandOf(m.WParam)) {
        case AC_GETDEFINDEX: {
            const TsSkinModel* model = skinData_->Model();
            m.Result = 1 + (model ? model->GetSkinIndex("TABSHEET") : -1);
            return;
        }
        case AC_GETBG:
        case AC_GETFONTINDEX:
            // What lies under the page is the page control's to say, at the page's place in it.
            if (m.LParam && Parent() && PageControlPicture()) {
                if (AcCommandOf(m.WParam) == AC_GETBG)
                    OffsetRect(&reinterpret_cast<TacBGInfo*>(m.LParam)->R, Left(), Top());
                else
                    OffsetRect(&reinterpret_cast<TacPaintInfo*>(m.LParam)->R, Left(), Top());
                m.Result = Parent()->Perform(m.Msg, m.WParam, m.LParam);
                return;
            }
            break;
        case AC_CHILDCHANGED:
            m.Result = 1;
            return;
        default:
            break;
        }
    }
    if (CommonWndProc(m, *skinData_))
        return;
    toolkit::TTabSheet::WndProc(m);
}

void TsTabSheet::EraseBackground(HDC dc)
{
    if (!PageControlPicture())
        toolkit::TTabSheet::EraseBackground(dc);
}

void TsTabSheet::PaintWindow(HDC dc)
{
    const Bitmap* picture = PageControlPicture();
    if (!picture) {
        toolkit::TTabSheet::PaintWindow(dc);
        return;
    }
    HDC src = CreateBitmapDC(const_cast<Bitmap*>(picture));
    BitBlt(dc, 0, 0, Width(), Height(), src, Left(), Top(), SRCCOPY);
    DeleteDC(src);
}

} // namespace skin
