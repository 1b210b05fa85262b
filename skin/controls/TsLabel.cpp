#include "skin/controls/TsLabel.h"

#include "skin/controls/FontIndex.h"
#include "skin/controls/ParentBackground.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/SkinColors.h"
#include "skin/model/TsSkinModel.h"
#include "skin/paint/DisabledLook.h"

#include "platform/text/Text.h"
#include "toolkit/Colors.h"
#include "toolkit/TWinControl.h"

using namespace platform;

namespace skin {

TsLabel::TsLabel(toolkit::TComponent* AOwner) : toolkit::TLabel(AOwner)
{
    SetTransparent(true);
}

void TsLabel::SetUseSkinColor(bool value)
{
    if (value == useSkinColor_)
        return;
    useSkinColor_ = value;
    Invalidate();
}

TsSkinManager* TsLabel::ActiveManager() const
{
    TsSkinManager* manager = skinManager_ ? skinManager_ : TsSkinManager::DefaultManager();
    return manager && manager->Active() && manager->Model() ? manager : nullptr;
}

COLORREF TsLabel::TextColor()
{
    TsSkinManager* manager = ActiveManager();
    if (!useSkinColor_ || !manager)
        return toolkit::ColorToRGB(Font()->Color());
    // A parent that the skin does not paint (a form without its skinned frame) shows its plain
    // colour under the label, on which the skin's label colour may vanish (a dark skin's light ink
    // on a light form): the label keeps its own colour there.
    toolkit::TWinControl* parent = Parent();
    if (parent && parent->Perform(SM_VELTACMD, AcCommand(AC_CTRLHANDLED), 0) == 0)
        return toolkit::ColorToRGB(Font()->Color());
    const TsSkinModel& model = *manager->Model();
    const int fontIndex = GetFontIndex(*this, 0);
    int color = model.IsValidSkinIndex(fontIndex) ? model.gd[std::size_t(fontIndex)].Props[0].FontColor.Color
                                                  : model.Palette[int(TacPaletteColors::pcLabelText)];
    if (!Enabled())
        color = BlendColors(color, GetControlColor(Parent()), DefBlendDisabled);
    return COLORREF(color) & 0xFFFFFF;
}

void TsLabel::WndProc(toolkit::TMessage& m)
{
    if (m.Msg == SM_VELTACMD) {
        switch (AcCommandOf(m.WParam)) {
        case AC_REFRESH:
            savedParentFont_ = savedParentFont_ || ParentFont();
            Invalidate();
            return;
        case AC_SETNEWSKIN:
            Invalidate();
            return;
        case AC_REMOVESKIN:
            if (savedParentFont_)
                SetParentFont(true);
            savedParentFont_ = false;
            Invalidate();
            return;
        case AC_GETFONTINDEX:
            // A label has no section: what lies under it is its parent's to say.
            m.Result = Parent() ? Parent()->Perform(m.Msg, m.WParam, m.LParam) : 0;
            return;
        default:
            break;
        }
    }
    toolkit::TLabel::WndProc(m);
}

void TsLabel::Paint()
{
    if (!ActiveManager()) {
        toolkit::TLabel::Paint();
        return;
    }
    toolkit::TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    canvas.Font()->SetColor(toolkit::TColor(TextColor()));
    toolkit::TRect r = ClientRect();
    UINT format = TextFormat();
    if (Layout() != toolkit::tlTop) {
        toolkit::TRect measure = r;
        canvas.DrawText(Caption(), measure, format | DT_CALCRECT);
        const int free = r.Height() - measure.Height();
        r.top += Layout() == toolkit::tlCenter ? free / 2 : free;
    }
    // The skin's colour stands for the enabled look too: the disabled blend is already in it.
    canvas.DrawText(Caption(), r, format);
}

} // namespace skin
