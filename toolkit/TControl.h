// A visual component: bounds in its parent's client area, alignment, visibility, enabling, font,
// colour, cursor, hint and mouse events. Every message goes through WindowProc (which may be
// replaced to subclass the control) to the class's one WndProc, which handles what it knows and
// passes the rest to the inherited WndProc, and finally to DefaultHandler.
#pragma once

#include "toolkit/Messages.h"
#include "toolkit/TComponent.h"
#include "toolkit/TFont.h"

#include <memory>

namespace toolkit {

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TControlStyleValue { csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
                          csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight,
                          csNoDesignVisible, csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector,
                          csActionClient, csMenuEvents, csNeedsBorderPaint, csParentBackground };
using TControlStyle = Set<TControlStyleValue>;
enum TControlStateValue { csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
                          csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = Set<TControlStateValue>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // The message procedure in force; WndProc unless replaced.
    TWndMethod WindowProc;
    // Sends a message to the control through WindowProc and answers its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect{left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }

    // The area children are placed in, from (0, 0).
    virtual TRect ClientRect();
    int ClientWidth() { return ClientRect().Width(); }
    int ClientHeight() { return ClientRect().Height(); }
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin();
    TPoint ClientToScreen(TPoint p);
    TPoint ScreenToClient(TPoint p);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents (a top-level window: shown).
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    TFont* Font() const { return font_.get(); }
    void SetFont(const TFont* font) { font_->Assign(font); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    const String& Hint() const { return hint_; }
    void SetHint(StringView value) { hint_ = String(value); }
    // With ParentShowHint (the default), the parent's setting.
    bool ShowHint() const;
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value) { parentShowHint_ = value; }

    String Caption() const { return GetText(); }
    void SetCaption(StringView value) { SetText(value); }
    String Text() const { return GetText(); }
    void SetText(StringView value);

    // The menu a right click (or the menu key) shows over the control.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TControlStyle ControlStyle;
    TControlState ControlState;

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    virtual void Click();
    virtual void DblClick();

    // Marks the control for repainting; the paint follows from the message loop.
    virtual void Invalidate();
    // Paints what is invalid now.
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // The control that holds the mouse for a windowless control (it gets the mouse messages of
    // its parent's window until the button is released).
    static TControl* CaptureControl();
    static void SetCaptureControl(TControl* control);

    // The form that (indirectly) contains the control; null when it is on none.
    friend TCustomForm* GetParentForm(const TControl* control);

protected:
    virtual void WndProc(TMessage& message);
    // What a message nobody handled ends in.
    virtual void DefaultHandler(TMessage& message);

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual String GetText() const { return text_; }
    // Stores the text; windowed controls also give it to their window.
    virtual void SetTextBuffer(StringView value);
    virtual void Resize();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The parent should place its aligned children again.
    virtual void RequestAlign();
    virtual void VisibleChanged() {}
    void InvalidateControl(bool isVisible, bool isOpaque);
    // The color to paint with: system colours resolved.
    platform::COLORREF ColorValue() const { return ColorToRGB(color_); }
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

    static TShiftState KeysToShiftState(WPARAM keys);

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TWinControl* parent_ = nullptr;

private:
    void FontChanged();
    void HandleMouseMessage(TMessage& message);

    TAlign align_ = alNone;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TCursor cursor_ = crDefault;
    String hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    String text_;
    bool assigningParentFont_ = false;
    TPopupMenu* popupMenu_ = nullptr;

    friend class TWinControl;
};

TCustomForm* GetParentForm(const TControl* control);

} // namespace toolkit
