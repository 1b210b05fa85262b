// The skin of a whole window: attached to a form (by the manager's activation hook, never by the
// form itself), it takes over the form's non-client painting, hit-testing and title mouse
// handling, paints the client background from the same cache picture, and answers the
// background requests of the form's controls.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "skin/forms/FramePainter.h"
#include "skin/forms/TacSBAnimation.h"
#include "skin/forms/TsSystemMenu.h"
#include "skin/forms/TitleLayout.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "toolkit/Messages.h"
#include "toolkit/TComponent.h"
#include "toolkit/Types.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace toolkit {
class TCustomForm;
}

namespace skin {

// The title icon: a glyph of its own (none: the form's icon), its size (0: chosen from the caption
// height) and whether it is shown at all.
struct TsTitleIcon {
    platform::HICON Glyph = nullptr;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
};

class TsSkinProvider : public toolkit::TComponent {
public:
    // AOwner holds the provider and frees it with the form.
    explicit TsSkinProvider(toolkit::TComponent* AOwner);
    ~TsSkinProvider() override;

    // The provider attached to a form; null when it has none.
    static TsSkinProvider* Of(const toolkit::TCustomForm* form);

    // Published properties.
    bool ShowAppIcon() const { return FShowAppIcon; }
    void SetShowAppIcon(bool value);
    bool UseGlobalColor() const { return FUseGlobalColor; }
    void SetUseGlobalColor(bool value) { FUseGlobalColor = value; }
    bool DrawClientArea() const { return FDrawClientArea; }
    void SetDrawClientArea(bool value);
    bool DrawNonClientArea() const { return FDrawNonClientArea; }
    void SetDrawNonClientArea(bool value);
    const platform::String& TitleSkin() const { return FTitleSkin; }
    void SetTitleSkin(platform::StringView value);
    TsTitleIcon& TitleIcon() { return FTitleIcon; }
    toolkit::TAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(toolkit::TAlignment value);

    toolkit::TCustomForm* Form() const { return form_; }
    // Hooks the form's window procedure; the form must not have a provider yet.
    void SetForm(toolkit::TCustomForm* form);
    void Loaded() override;

    TsCommonData& SkinData() { return *FCommonData; }
    // The skin paints the frame: a skin with a "FORM" section is in force, the window has a
    // caption and DrawNonClientArea is on.
    bool DrawsFrame() const;

    // The title's geometry as it is now.
    const TitleLayout& Layout();
    // Hit code of a point in screen coordinates; HTNOWHERE when the skin does not draw the frame.
    platform::LRESULT HitTest(platform::POINT screen);
    // The whole window's picture into the cache; false when there is no skin to paint from.
    bool PaintAll();
    // The window's shape: the window rectangle less the transparent corner pixels of the form's
    // and the title's border masks (window coordinates). Empty: the plain rectangle.
    std::vector<platform::RECT> Rects;
    // Sets the window region from the skin again.
    void UpdateRgn();
    // The button of a hit code in its current state; null for another code.
    const TsCaptionButton* Button(platform::LRESULT hitCode);

    // Title button state changes, as the mouse makes them.
    void SetHotHT(platform::LRESULT code, bool repaint = true);
    void SetPressedHT(platform::LRESULT code);
    // The hover effect a title button shows now; null when it shows none.
    const TacSBAnimation* ButtonEffect(platform::LRESULT hitCode) const;

    // The window menu dropped from the icon.
    TsSystemMenu* SystemMenu = nullptr;
    void DropSystemMenu();

    platform::LRESULT CurrentHT = 0;
    bool biClicked = false;
    bool FormActive = true;
    platform::Bitmap TempBmp;

private:
    void NewWndProc(toolkit::TMessage& m);
    bool SkinCommand(toolkit::TMessage& m);
    void CallOld(toolkit::TMessage& m);
    void UpdateIndexes();
    TitleLayoutInput LayoutInput() const;
    // The title icon's picture: its own glyph, the form's icon, else the application's; null
    // when there is none.
    platform::HICON IconImage() const;
    FramePaintArgs PaintArgs();
    bool EnsureCache();
    void InvalidateFrame();
    void RepaintButton(platform::LRESULT code);
    void PaintNonClient(platform::HDC windowDC);
    void EraseClient(platform::HDC clientDC);
    void ButtonReleased(platform::POINT screen);
    void Unhook();
    // A title button's new state on the screen: through its hover effect when the skin's effects
    // and the desktop allow one, else repainted in the title. press: the change is a press.
    void ShowButtonState(platform::LRESULT code, bool press);
    bool ButtonEffectsAllowed() const;
    // The effect's picture for the button's state and where it goes on the screen; empty when
    // the skin has no picture for it.
    platform::Bitmap ButtonEffectPicture(const TsCaptionButton& b, platform::RECT& screenRect) const;
    void StepButtonEffect(std::size_t index);
    // Ends every hover effect at once; repaint: the title shows the buttons' own states again.
    void StopButtonEffects(bool repaint = true);

    bool FShowAppIcon = true;
    bool FUseGlobalColor = true;
    bool FDrawClientArea = true;
    bool FDrawNonClientArea = true;
    platform::String FTitleSkin;
    TsTitleIcon FTitleIcon;
    toolkit::TAlignment FCaptionAlignment = toolkit::taLeftJustify;
    int FTitleSkinIndex = -1, FCaptionSkinIndex = -1, FHeaderIndex = -1;
    std::unique_ptr<TsCommonData> FCommonData;
    std::optional<TitleLayout> layout_;
    platform::LRESULT pressedHT_ = 0;
    // One per title button, in the layout's order, while its hover effect shows.
    std::array<std::unique_ptr<TacSBAnimation>, TitleButtonCount> effects_;
    bool rgnChanged_ = true;
    toolkit::TCustomForm* form_ = nullptr;
    toolkit::TWndMethod OldWndProc;
};

} // namespace skin
