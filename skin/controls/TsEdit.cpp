#include "skin/controls/TsEdit.h"

#include "skin/controls/CachedPaint.h"
#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/DisabledLook.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/WriteText.h"

#include "platform/graphics/Gdi.h"
#include "platform/text/Text.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/Colors.h"

using namespace platform;

namespace skin {

namespace {

constexpr char16_t kPasswordDot = u'\u25CF';

} // namespace

TsEdit::TsEdit(toolkit::TComponent* AOwner) : toolkit::TEdit(AOwner), skinData_(std::make_unique<TsCtrlSkinData>(this, COC_TsEdit))
{
}

void TsEdit::Loaded()
{
    toolkit::TEdit::Loaded();
    skinData_->SetLoading(false);
    skinData_->UpdateIndexes(true);
    if (skinData_->Skinned())
        ApplyStateColors(*skinData_, skinData_->CurrentState());
    skinData_->Invalidate();
}

void TsEdit::SetAlignment(toolkit::TAlignment value)
{
    alignment_ = value;
    skinData_->Invalidate();
}

String TsEdit::ShownText() const
{
    String text = Text();
    if (PasswordChar() != 0)
        text.assign(text.size(), PasswordChar() == u'*' ? kPasswordDot : char16_t(PasswordChar()));
    return text;
}

bool TsEdit::PrepareCache()
{
    TsCtrlSkinData& data = *skinData_;
    const TsSkinModel* model = data.Model();
    if (!model || !data.Skinned() || !SizeCache(data))
        return false;
    Bitmap& cache = *data.FCacheBmp;
    const int state = data.CurrentState();
    const bool framed = BorderStyle() == toolkit::bsSingle;
    if (framed) {
        if (!PaintSkinControl(data, cache, state))
            return false;
    } else {
        const TacBGInfo info = GetBGInfo(*this);
        if (info.BgType == btNotReady) {
            data.FUpdating = true;
            return false;
        }
        ItemPaintArgs args;
        args.CI = BGInfoToCI(info);
        args.State = state;
        args.R = cache.BoundsRect();
        if (data.CustomColor())
            args.CustomColor = int(toolkit::ColorToRGB(Color()));
        PaintItemBG(*model, data.SkinIndex(), args, cache);
    }
    // The frame of a single border is two pixels; the text keeps one more clear of it.
    const int b = framed ? 2 : 0;
    const RECT textRect = framed ? RECT{b + 1, b + 1, Width() - b - 1, Height() - b} : cache.BoundsRect();
    static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    HDC dc = CreateBitmapDC(&cache);
    SelectFont(dc, Font()->Handle());
    TextPaintArgs args;
    args.SkinIndex = data.SkinIndex();
    args.State = state;
    args.Enabled = Enabled();
    args.CustomFont = data.CustomFont();
    if (args.CustomFont)
        SetTextColor(dc, toolkit::ColorToRGB(Font()->Color()));
    WriteTextEx(dc, ShownText(), textRect, DT_SINGLELINE | DT_NOPREFIX | DT_TOP | alignments[alignment_], model, args);
    DeleteDC(dc);
    if (!Enabled())
        BmpDisabledKind(cache, disabledKind_, BGInfoToCI(GetBGInfo(*this)), cache.BoundsRect());
    data.BGChanged = false;
    if (data.FUpdateCount == 0)
        data.FUpdating = false;
    return true;
}

void TsEdit::WndProc(toolkit::TMessage& m)
{
    using namespace toolkit;
    if (AnswerCacheCommands(
            m, [this] { return CommonSectionIndex(skinData_->Model(), TacSection::ssEdit); },
            [this] { return PrepareCache(); }))
        return;
    if (CommonWndProc(m, *skinData_))
        return;
    TEdit::WndProc(m);
    switch (m.Msg) {
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
        // The font colour the skin sets is no change of the picture's content.
        if (m.Msg == CM_FONTCHANGED && (skinData_->CtrlSkinState & ACS_CHANGING))
            break;
        skinData_->Invalidate();
        break;
    case CM_COLORCHANGED:
        if (skinData_->CustomColor())
            skinData_->Invalidate();
        break;
    case WM_SIZE:
        if (HandleAllocated())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        break;
    default:
        break;
    }
}

void TsEdit::Paint()
{
    TsCtrlSkinData& data = *skinData_;
    CatchUpWithSkin(data);
    if (!data.Skinned() || data.Loading()) {
        TEdit::Paint();
        return;
    }
    if (data.FUpdating)
        return;
    // Focused, the plain edit paints caret and selection, on the colour the skin gave it.
    if (Enabled() && Focused()) {
        TEdit::Paint();
        return;
    }
    if (!skin::CacheReady(*skinData_, [this] { return PrepareCache(); }))
        return;
    const POINT origin = FrameOffset(*this);
    HDC src = CreateBitmapDC(data.FCacheBmp.get());
    const RECT client = ClientRect();
    BitBlt(Canvas()->Handle(), 0, 0, client.Width(), client.Height(), src, origin.x, origin.y, SRCCOPY);
    DeleteDC(src);
}

void TsEdit::PaintFrame(HDC windowDC)
{
    if (!PaintFrameFromCache(*skinData_, *this, windowDC, [this] { return PrepareCache(); }))
        TEdit::PaintFrame(windowDC);
}

} // namespace skin
