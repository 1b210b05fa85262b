// The geometry of a skinned window's frame: the title's vertical centre, the icon, the title
// buttons laid from the right and the caption text area, and the hit code of any point. Kept
// apart from the window so that it can be computed (and tested) from numbers alone.
#pragma once

#include "skin/forms/TsCaptionButton.h"

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <array>

namespace skin {

class TsSkinModel;

// What the window and the skin say about the title.
struct TitleLayoutInput {
    int CaptionWidth = 0;  // the window's width (160 for a minimised secondary window)
    int WindowHeight = 0;
    int BorderWidth = 0;   // frame width
    int CaptionHeight = 0; // 0: the window has no caption
    bool BigButtons = true; // a single-border or sizeable window
    bool Sizeable = false;
    bool Maximized = false;
    bool Minimized = false;
    bool MainWindow = false;
    // Which buttons the window's menu and border icons give it.
    bool SystemMenu = true, MaxVisible = false, MinVisible = false, HelpVisible = false;
    // Whether the window allows what a button does (else the button answers as the caption).
    bool CloseEnabled = true, MaxAllowed = true, MinAllowed = true;
    bool ShowIcon = false;
    platform::SIZE IconSize{}; // the title icon's own size; 0 a side: chosen from the caption height
    bool HasCaptionSection = false;
    // The skin's title values.
    int BILeftMargin = 0, BIRightMargin = 0, BITopMargin = 0, BISpacing = 0, BIVAlign = 0;

    // The skin's title values from model (left as they are without one).
    void TakeSkinMargins(const TsSkinModel* model);
};

class TitleLayout {
public:
    // Glyph sizes come from the model's title glyph masks (21 x 21 without one); model may be null.
    TitleLayout(const TitleLayoutInput& input, const TsSkinModel* model);

    int VCenter() const { return vCenter_; }
    platform::RECT IconRect() const { return iconRect_; }
    platform::RECT CaptionRect() const { return captionRect_; }
    // Rows 0 to frame width + caption height, the whole width.
    platform::RECT TitleRect() const;
    platform::RECT ClientRect() const;
    const std::array<TsCaptionButton, TitleButtonCount>& Buttons() const { return buttons_; }
    std::array<TsCaptionButton, TitleButtonCount>& Buttons() { return buttons_; }
    // The left edge of the leftmost visible button (the window's width when none is shown).
    int ButtonsLeft() const;
    // The height every centred button has: the tgClose mask's height, else 21.
    int ButtonHeight() const { return buttonHeight_; }

    // p in window coordinates.
    platform::LRESULT HitTest(platform::POINT p) const;
    // The button of a hit code (HTCLOSE, ...); null for anything else.
    const TsCaptionButton* ButtonOf(platform::LRESULT hitCode) const;
    TsCaptionButton* ButtonOf(platform::LRESULT hitCode);

    // The nearest icon size to an available height: 1, 8, 16, 24 or 32.
    static int AutoIconSize(int available);
    // The glyph of each button for a window of that kind.
    static TacTitleGlyph GlyphFor(TacTitleButton button, const TitleLayoutInput& input);

private:
    void LayButtons(const TsSkinModel* model);

    TitleLayoutInput in_;
    int vCenter_ = 0;
    int buttonHeight_ = 21;
    platform::RECT iconRect_{};
    platform::RECT captionRect_{};
    std::array<TsCaptionButton, TitleButtonCount> buttons_{};
};

} // namespace skin
