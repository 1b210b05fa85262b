#include "skin/forms/TitleLayout.h"

#include "skin/model/TsSkinModel.h"

#include <algorithm>
#include <utility>

using namespace platform;

namespace skin {

void TitleLayoutInput::TakeSkinMargins(const TsSkinModel* model)
{
    if (!model)
        return;
    const TsSkinData& d = model->CommonSkinData;
    BILeftMargin = d.BILeftMargin;
    BIRightMargin = d.BIRightMargin;
    BITopMargin = d.BITopMargin;
    BISpacing = d.BISpacing;
    BIVAlign = d.BIVAlign;
}

namespace {

constexpr int DefaultButtonSize = 21;

// The mask image of a title glyph; null when the skin has none.
const TsMaskData* GlyphMask(const TsSkinModel* model, TacTitleGlyph glyph)
{
    if (!model)
        return nullptr;
    const int index = model->ConstData.TitleGlyphs[std::size_t(glyph)];
    return model->IsValidImgIndex(index) ? &model->ma[std::size_t(index)] : nullptr;
}

int GlyphWidth(const TsSkinModel* model, TacTitleGlyph glyph)
{
    const TsMaskData* md = GlyphMask(model, glyph);
    return md && md->Width > 0 ? md->Width : DefaultButtonSize;
}

} // namespace

int TitleLayout::AutoIconSize(int available)
{
    if (available <= 8)
        return 1;
    if (available <= 16)
        return 8;
    if (available <= 33)
        return 16;
    if (available <= 48)
        return 24;
    return 32;
}

TacTitleGlyph TitleLayout::GlyphFor(TacTitleButton button, const TitleLayoutInput& in)
{
    using enum TacTitleGlyph;
    switch (button) {
    case tbClose:
        if (!in.BigButtons)
            return tgSmallClose;
        return (in.MaxVisible || in.MinVisible) ? tgClose : tgCloseAlone;
    case tbMax:
        if (!in.BigButtons)
            return tgSmallMax;
        return in.Maximized ? tgNormal : tgMax;
    case tbMin:
        if (!in.BigButtons)
            return tgSmallMin;
        return in.Minimized && !in.MainWindow ? tgNormal : tgMin;
    case tbHelp: return in.BigButtons ? tgHelp : tgSmallHelp;
    }
    return tgUser;
}

TitleLayout::TitleLayout(const TitleLayoutInput& input, const TsSkinModel* model)
    : in_(input)
{
    if (in_.CaptionHeight <= 0)
        return;
    vCenter_ = in_.CaptionHeight / 2 + in_.BorderWidth / 2 + (in_.Maximized ? 2 : 0);
    if (const TsMaskData* close = GlyphMask(model, TacTitleGlyph::tgClose); close && close->Height > 0)
        buttonHeight_ = close->Height;

    const int iconLeft = in_.BorderWidth + in_.BILeftMargin;
    if (in_.ShowIcon && in_.SystemMenu) {
        const int automatic = AutoIconSize(in_.CaptionHeight - in_.BITopMargin);
        const int w = in_.IconSize.cx > 0 ? in_.IconSize.cx : automatic;
        const int h = in_.IconSize.cy > 0 ? in_.IconSize.cy : automatic;
        iconRect_ = Bounds(iconLeft, vCenter_ - h / 2, w, h);
    } else {
        iconRect_ = Bounds(iconLeft, 0, 0, 0);
    }
    LayButtons(model);

    int textLeft = in_.BorderWidth + (iconRect_.IsEmpty() ? 0 : iconRect_.Width()) + in_.BILeftMargin + 4;
    if (in_.HasCaptionSection)
        textLeft += 2;
    int buttonsWidth = in_.BIRightMargin;
    bool first = true;
    for (const TsCaptionButton& b : buttons_) {
        if (!b.Visible())
            continue;
        if (!first && in_.BigButtons)
            buttonsWidth += in_.BISpacing;
        buttonsWidth += b.cpRect.Width();
        first = false;
    }
    const int textRight = std::max(textLeft, in_.CaptionWidth - buttonsWidth - 12);
    captionRect_ = Rect(textLeft, in_.BorderWidth, textRight, in_.BorderWidth + in_.CaptionHeight);
}

void TitleLayout::LayButtons(const TsSkinModel* model)
{
    const bool visible[TitleButtonCount] = {
        in_.SystemMenu,
        in_.SystemMenu && in_.MaxVisible,
        in_.SystemMenu && in_.MinVisible,
        in_.SystemMenu && in_.HelpVisible,
    };
    static constexpr LRESULT codes[TitleButtonCount] = {HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP};
    int right = in_.CaptionWidth - in_.BIRightMargin - std::max(4, in_.BorderWidth) - (in_.BigButtons ? 0 : 2);
    for (int i = 0; i < TitleButtonCount; ++i) {
        TsCaptionButton& b = buttons_[std::size_t(i)];
        b.cpHitCode = codes[i];
        b.cpGlyphType = GlyphFor(TacTitleButton(i), in_);
        b.cpHaveAlignment = in_.BigButtons;
        b.cpRect = RECT{};
        if (!visible[i])
            continue;
        if (i == tbHelp)
            right -= 6;
        const int w = GlyphWidth(model, b.cpGlyphType);
        const int top = b.cpHaveAlignment && in_.BIVAlign == 1 ? in_.BITopMargin : vCenter_ - buttonHeight_ / 2;
        b.cpRect = Rect(right - w, top, right, top + buttonHeight_);
        right -= w;
        if (in_.BigButtons)
            right -= in_.BISpacing;
    }
}

RECT TitleLayout::TitleRect() const
{
    if (in_.CaptionHeight <= 0)
        return RECT{};
    return Rect(0, 0, in_.CaptionWidth, in_.BorderWidth + in_.CaptionHeight);
}

RECT TitleLayout::ClientRect() const
{
    const int b = in_.BorderWidth;
    const int top = b + std::max(in_.CaptionHeight, 0);
    return Rect(b, std::min(top, in_.WindowHeight), std::max(b, in_.CaptionWidth - b),
                std::max(std::min(top, in_.WindowHeight), in_.WindowHeight - b));
}

int TitleLayout::ButtonsLeft() const
{
    int left = in_.CaptionWidth;
    for (const TsCaptionButton& b : buttons_)
        if (b.Visible())
            left = std::min(left, int(b.cpRect.left));
    return left;
}

const TsCaptionButton* TitleLayout::ButtonOf(LRESULT hitCode) const
{
    for (const TsCaptionButton& b : buttons_)
        if (b.cpHitCode == hitCode)
            return &b;
    return nullptr;
}

TsCaptionButton* TitleLayout::ButtonOf(LRESULT hitCode)
{
    return const_cast<TsCaptionButton*>(std::as_const(*this).ButtonOf(hitCode));
}

LRESULT TitleLayout::HitTest(POINT p) const
{
    if (!Rect(0, 0, in_.CaptionWidth, in_.WindowHeight).Contains(p))
        return HTNOWHERE;
    // Buttons come first: a skin may let them reach into the frame, never into the client area.
    const bool inTitle = p.y < in_.BorderWidth + std::max(in_.CaptionHeight, 0);
    for (const TsCaptionButton& b : buttons_) {
        if (!b.Visible() || !b.cpRect.Contains(p) || !inTitle)
            continue;
        switch (b.cpHitCode) {
        case HTCLOSE: return in_.CloseEnabled ? HTCLOSE : HTCAPTION;
        case HTMAXBUTTON: return in_.MaxAllowed ? HTMAXBUTTON : HTCAPTION;
        case HTMINBUTTON: return in_.MinAllowed ? HTMINBUTTON : HTCAPTION;
        default: return b.cpHitCode;
        }
    }
    const int b = in_.BorderWidth;
    if (in_.Sizeable && !in_.Maximized && b > 0) {
        // Corners reach a caption's height along each edge, as the default frame's do.
        const int corner = std::max(b, in_.CaptionHeight);
        const bool left = p.x < b, right = p.x >= in_.CaptionWidth - b;
        const bool top = p.y < b, bottom = p.y >= in_.WindowHeight - b;
        const bool nearLeft = p.x < corner, nearRight = p.x >= in_.CaptionWidth - corner;
        const bool nearTop = p.y < corner, nearBottom = p.y >= in_.WindowHeight - corner;
        if ((top && nearLeft) || (left && nearTop))
            return HTTOPLEFT;
        if ((top && nearRight) || (right && nearTop))
            return HTTOPRIGHT;
        if ((bottom && nearLeft) || (left && nearBottom))
            return HTBOTTOMLEFT;
        if ((bottom && nearRight) || (right && nearBottom))
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
        if (top)
            return HTTOP;
        if (bottom)
            return HTBOTTOM;
    }
    if (in_.CaptionHeight > 0 && p.y < b + in_.CaptionHeight) {
        if (!iconRect_.IsEmpty() && iconRect_.Contains(p))
            return HTSYSMENU;
        return HTCAPTION;
    }
    if (ClientRect().Contains(p))
        return HTCLIENT;
    return HTBORDER;
}

} // namespace skin
