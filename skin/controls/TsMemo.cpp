#include "skin/controls/TsMemo.h"

#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/scroll/ScrollBarSources.h"

#include "platform/window/Paint.h"

using namespace platform;

namespace skin {

TsMemo::TsMemo(toolkit::TComponent* AOwner) : toolkit::TMemo(AOwner), skinData_(std::make_unique<TsCommonData>(this, COC_TsMemo))
{
    scrollWnd_ = std::make_unique<TacScrollWnd>(*this, *skinData_, MemoScrollBars(*this));
}

void TsMemo::Loaded()
{
    toolkit::TMemo::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    skinData_->Invalidate();
}

int TsMemo::ColorState() const
{
    return skinData_->ControlIsActive() ? 1 : 0;
}

bool TsMemo::PrepareCache()
{
    TsCommonData& data = *skinData_;
    if (!data.Skinned() || !SizeCache(data))
        return false;
    if (!PaintSkinControl(data, *data.FCacheBmp, ColorState()))
        return false;
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    return true;
}

void TsMemo::WndProc(toolkit::TMessage& m)
{
    using namespace toolkit;
    if (AnswerCacheCommands(
            m, [this] { return CommonSectionIndex(skinData_->Model(), TacSection::ssEdit); },
            [this] { return PrepareCache(); }))
        return;
    if (CommonWndProc(m, *skinData_))
        return;
    TMemo::WndProc(m);
    if (m.Msg == CM_FONTCHANGED && !(skinData_->CtrlSkinState & ACS_CHANGING) && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TsMemo::Paint()
{
    TsCommonData& data = *skinData_;
    CatchUpWithSkin(data);
    if (data.Skinned() && !data.Loading()) {
        if (data.FUpdating)
            return;
        // The colours follow the state at every paint; a change also renews the frame's picture.
        const COLORREF color = COLORREF(Color()), font = COLORREF(Font()->Color());
        ApplyStateColors(data, ColorState());
        if (COLORREF(Color()) != color || COLORREF(Font()->Color()) != font)
            data.BGChanged = true;
    }
    TMemo::Paint();
}

void TsMemo::PaintFrame(HDC windowDC)
{
    if (!PaintFrameFromCache(*skinData_, *this, windowDC, [this] { return PrepareCache(); }))
        TMemo::PaintFrame(windowDC);
}

} // namespace skin
