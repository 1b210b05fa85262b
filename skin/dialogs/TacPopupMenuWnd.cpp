#include "skin/dialogs/TacPopupMenuWnd.h"

#include "skin/manager/TsSkinManager.h"
#include "skin/model/SkinColors.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/PaintItem.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/Gdi.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"
#include "platform/window/Paint.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TMenuItem.h"
#include "toolkit/TPopupMenuWindow.h"

using namespace platform;

namespace skin {

namespace {

// Where the toolkit's menu puts the text and the tick; the skinned picture keeps them there.
constexpr int TextLeft = 24, TextRightMargin = 8, LineLeft = 24, LineRightMargin = 2;

int FontColorOf(const TsSkinModel& model, int section, int state)
{
    const TsGeneralData& g = model.gd[std::size_t(section)];
    return g.Props[std::size_t(std::min(state, std::max(0, g.States - 1)))].FontColor.Color;
}

} // namespace

TacPopupMenuWnd::TacPopupMenuWnd(HWND hwnd, TsSkinManager& manager) : TacSubclassedWnd(hwnd), manager_(manager) {}

toolkit::TPopupMenuWindow* TacPopupMenuWnd::Skinnable() const
{
    auto* menu = dynamic_cast<toolkit::TPopupMenuWindow*>(toolkit::TWinControl::FindControl(Handle()));
    const TsSkinModel* model = manager_.Model();
    if (!menu || !model || !manager_.SkinnedPopups || !model->IsValidSkinIndex(model->GetSkinIndex("MAINMENU")))
        return nullptr;
    return menu;
}

void TacPopupMenuWnd::Paint(HDC dc, toolkit::TPopupMenuWindow* menu)
{
    const TsSkinModel* model = manager_.Model();
    const int plate = model->GetSkinIndex("MAINMENU");
    const int hotSection = model->GetSkinIndex("MENUITEM");
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0)
        return;
    Bitmap picture(int(client.right), int(client.bottom));
    ItemPaintArgs args;
    args.CI.FillColor = model->gd[std::size_t(plate)].Props[0].Color;
    args.R = picture.BoundsRect();
    PaintItem(*model, plate, args, picture);
    TCacheInfo under;
    under.Bmp = &picture;
    under.Ready = true;

    const int ink = FontColorOf(*model, plate, 0);
    const int paper = model->gd[std::size_t(plate)].Props[0].Color;
    HDC target = CreateBitmapDC(&picture);
    SelectFont(target, menu->Font()->Handle());
    SetBkMode(target, TRANSPARENT);
    toolkit::TCanvas canvas;
    canvas.SetHandle(target);
    for (int i = 0; i < menu->ItemCount(); ++i) {
        const toolkit::TMenuItem* item = menu->Item(i);
        const RECT r = menu->ItemRect(i);
        if (item->IsLine()) {
            const int y = int(r.top + (r.bottom - r.top) / 2);
            FillSolidRect(target, RECT{r.left + LineLeft, y, r.right - LineRightMargin, y + 1},
                          COLORREF(BlendColors(ink, paper, 64)) & 0xFFFFFF);
            continue;
        }
        int color = ink;
        if (i == menu->HotIndex() && item->Enabled() && model->IsValidSkinIndex(hotSection)) {
            ItemPaintArgs hot;
            hot.CI = under;
            hot.State = 1;
            hot.R = r;
            hot.Offset = POINT{r.left, r.top};
            PaintItem(*model, hotSection, hot, picture);
            color = FontColorOf(*model, hotSection, 1);
        } else if (!item->Enabled()) {
            color = BlendColors(ink, paper, 128);
        }
        if (item->Checked())
            toolkit::CurrentControlLook().DrawMenuCheck(canvas, r, toolkit::TColor(COLORREF(color) & 0xFFFFFF));
        RECT text{r.left + TextLeft, r.top, r.right - TextRightMargin, r.bottom};
        SetTextColor(target, COLORREF(color) & 0xFFFFFF);
        DrawText(target, item->Caption(), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    }
    canvas.SetHandle(nullptr);
    BitBlt(dc, 0, 0, picture.Width(), picture.Height(), target, 0, 0, SRCCOPY);
    DeleteDC(target);
}

LRESULT TacPopupMenuWnd::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND:
        if (Skinnable())
            return 1; // the paint covers every pixel
        break;
    case WM_PAINT: {
        toolkit::TPopupMenuWindow* menu = Skinnable();
        if (!menu)
            break;
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(Handle(), &ps))
            Paint(dc, menu);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        break;
    }
    return CallOld(msg, wParam, lParam);
}

} // namespace skin
