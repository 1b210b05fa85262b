// The look of the standard controls. Controls work out their state (one word of LookState flags)
// and ask the current look to draw each part for that state; they never draw their own chrome.
// The skin engine replaces the look with SetControlLook.
#pragma once

#include "toolkit/TCanvas.h"
#include "toolkit/Types.h"

#include <memory>

namespace toolkit {

namespace LookState {
constexpr unsigned Normal = 0, Hot = 0x1, Pressed = 0x2, Focused = 0x4, Disabled = 0x8, Default = 0x10,
                   Checked = 0x20, Grayed = 0x40, Flat = 0x80, ReadOnly = 0x100;
}

enum class ScrollPart { LineUp, LineDown, Track, Thumb };
enum class ArrowDirection { Up, Down, Left, Right };

class ControlLook {
public:
    virtual ~ControlLook() = default;

    // Push buttons: face and frame over the whole rectangle.
    virtual void DrawButton(TCanvas& canvas, const TRect& r, unsigned state);
    // Speed buttons: a flat one shows a face only when hot, pressed or down (Checked).
    virtual void DrawToolButton(TCanvas& canvas, const TRect& r, unsigned state);
    // A dotted outline around a focused control's caption.
    virtual void DrawFocusRect(TCanvas& canvas, const TRect& r);
    // One panel bevel of width pixels; r shrinks by what was drawn.
    virtual void DrawBevel(TCanvas& canvas, TRect& r, TBevelCut cut, int width);
    // The background and frame of a text field (edits, memos, combo boxes); r shrinks to the
    // area inside the frame.
    virtual void DrawTextField(TCanvas& canvas, TRect& r, TColor background, unsigned state);
    // A check box's box in box (13 x 13 in the plain look).
    virtual void DrawCheckBox(TCanvas& canvas, const TRect& box, TCheckBoxState check, unsigned state);
    virtual int CheckBoxSize() const { return 13; }
    // The drop-down button inside a combo box's frame.
    virtual void DrawComboButton(TCanvas& canvas, const TRect& r, unsigned state);
    virtual int ComboButtonWidth() const { return 17; }
    // A group box's frame (the caption is drawn over it afterwards).
    virtual void DrawGroupFrame(TCanvas& canvas, const TRect& r, unsigned state);
    // A tab of a page control (Checked: the active tab) and the frame around its pages.
    virtual void DrawTab(TCanvas& canvas, const TRect& r, unsigned state);
    virtual void DrawPageFrame(TCanvas& canvas, const TRect& r);
    // A part of a scroll bar.
    virtual void DrawScrollPart(TCanvas& canvas, const TRect& r, ScrollPart part, bool vertical, unsigned state);
    virtual int ScrollBarSize() const { return 17; }
    // An item of a list (Checked: selected), its text included.
    virtual void DrawListItem(TCanvas& canvas, const TRect& r, StringView text, unsigned state);
    // The frame of a drop-down list or popup menu; r shrinks to the inside.
    virtual void DrawPopupFrame(TCanvas& canvas, TRect& r);
    virtual void DrawHint(TCanvas& canvas, const TRect& r, StringView text);
    // A popup menu's item (Hot: highlighted, Checked: with a check mark) and separator line.
    // The tick of a checked menu item, in the item's left margin.
    void DrawMenuCheck(TCanvas& canvas, const TRect& item, TColor color);
    virtual void DrawMenuItem(TCanvas& canvas, const TRect& r, StringView text, unsigned state);
    virtual void DrawMenuSeparator(TCanvas& canvas, const TRect& r);
    virtual void DrawArrow(TCanvas& canvas, const TRect& r, ArrowDirection direction, TColor color);
    // Text in the canvas font; disabled text in the disabled colour.
    virtual void DrawText(TCanvas& canvas, TRect r, StringView text, UINT format, TColor color, unsigned state);

    virtual TColor SelectionColor(bool focused) const;
    virtual TColor SelectionTextColor(bool focused) const;
    virtual TColor DisabledTextColor() const;
};

// The look in force: the plain look unless one was set.
ControlLook& CurrentControlLook();
// Replaces the look (null brings the plain look back) and repaints every window.
void SetControlLook(std::unique_ptr<ControlLook> look);

} // namespace toolkit
