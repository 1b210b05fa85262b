// A system dialog ("#32770") taken over by the dialog hook: its frame, title bar and title buttons
// from the skin's "DIALOG" and "DIALOGTITLE" (or "FORMTITLE") sections, its client area from the
// same picture, its outline cut from the border masks' corners, and its child controls wrapped so
// that they are drawn on the skin.
#pragma once

#include "skin/dialogs/TacSubclassedWnd.h"
#include "skin/forms/TitleLayout.h"
#include "skin/forms/TsSystemMenu.h"

#include "platform/core/Bitmap.h"

#include <memory>
#include <optional>
#include <vector>

namespace skin {

class TsSkinManager;

enum class TacBorderStyle { acbsNone, acbsSizeable, acbsDialog };

class TacDialogWnd : public TacSubclassedWnd {
public:
    TacDialogWnd(TsSkinManager& manager, platform::HWND hwnd);
    ~TacDialogWnd() override;

    // The border a dialog of these styles is drawn with.
    static TacBorderStyle BorderStyleOf(platform::DWORD style, platform::DWORD exStyle);
    TacBorderStyle BorderStyle() const;

    // Wraps the child windows not wrapped yet into children (the list entry keeps them); answers
    // false when one of them could not be wrapped.
    bool WrapChildren(std::vector<std::unique_ptr<TacSubclassedWnd>>& children);

    // The sections in use; -1 when the skin lacks them.
    int SkinIndex() const { return formIndex_; }
    int TitleIndex() const { return titleIndex_; }
    bool Skinned() const;
    // The colour the dialog's texts are written in; -1 while not skinned.
    int FontColor() const;

    const TitleLayout& Layout();
    // Hit code of a point in screen coordinates.
    platform::LRESULT HitTest(platform::POINT screen);
    // The window's picture, frame and client area; null when there is no skin to paint from.
    const platform::Bitmap* Picture();
    // The rectangles cut out of the window's shape (window coordinates).
    const std::vector<platform::RECT>& Rects() const { return rects_; }
    // Redraws the frame and every child.
    void Repaint();
    // The window menu, in place of the platform's: dropped at a screen point (the title's
    // context menu). Its items are those the dialog's styles give it.
    void DropSystemMenu(platform::POINT at);
    TsSystemMenu* SystemMenu() const { return systemMenu_.get(); }

protected:
    platform::LRESULT WndProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

private:
    void UpdateIndexes();
    TitleLayoutInput LayoutInput() const;
    bool EnsureCache();
    void UpdateRgn();
    void PaintNonClient(platform::HDC dc);
    platform::LRESULT SkinCommand(platform::WPARAM wParam, platform::LPARAM lParam);
    void SetButtonState(platform::LRESULT code, int state);
    void TitleMouseMove(platform::LRESULT code);
    void TitleButtonUp(platform::POINT screen);

    TsSkinManager& manager_;
    int formIndex_ = -1, titleIndex_ = -1, captionIndex_ = -1;
    std::optional<TitleLayout> layout_;
    platform::Bitmap cache_;
    platform::Bitmap tempBmp_;
    bool changed_ = true;
    bool rgnChanged_ = true;
    bool active_ = true;
    platform::LRESULT hotHT_ = 0;
    platform::LRESULT pressedHT_ = 0;
    std::vector<platform::RECT> rects_;
    std::unique_ptr<TsSystemMenu> systemMenu_;
};

} // namespace skin
