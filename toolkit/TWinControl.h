// A control with a window of its own: it owns child controls (windowed ones get child windows,
// windowless ones are painted by it and get its mouse messages), places aligned children, keeps
// the tab order and handles focus and the keyboard, including the dialog keys (Tab, arrows,
// Enter, Escape) that a focused control does not want.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/window/Window.h"
#include "toolkit/TControl.h"

#include <vector>

namespace toolkit {

struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    platform::HWND WndParent = nullptr;
    String WinClassName;
    UINT ClassStyle = 0;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created (with those of the parents) when it does not exist yet.
    platform::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    // The toolkit control a window belongs to; null for any other window.
    static TWinControl* FindControl(platform::HWND hwnd);

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value);
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    // Focuses the next (or previous) control of the tab order after current, wrapping around.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent);
    // The windowed descendants in tab order, each followed by its own.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The topmost child under pos (client coordinates): windowless ones unless allowWinControls.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;

    void DisableAlign();
    void EnableAlign();
    void Realign();
    // Places the aligned children again; control is the one that asked (it wins ties).
    void AlignControl(TControl* control);
    // Sends the message to every child until one answers non-zero.
    void Broadcast(TMessage& message);
    // Sends the message to every child.
    void NotifyControls(UINT msg);

    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);

    TRect ClientRect() override;
    TPoint ClientOrigin() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;

    // Windowed children in z-order and windowless ones in list order (bottom first).
    void ReorderControl(TControl* control, bool toFront);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Runs one message through WindowProc, reporting exceptions that escape it.
    LRESULT MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    void CreateHandle();
    void DestroyHandle();
    void RecreateWnd();

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    void Loaded() override;
    void SetTextBuffer(StringView value) override;
    void VisibleChanged() override;

    // Paints the control itself into dc (already clipped to the window and translated).
    virtual void PaintWindow(platform::HDC dc);
    // Fills the background; the default is the control's colour.
    virtual void EraseBackground(platform::HDC dc);
    void PaintHandler(TMessage& message);
    void PaintControls(platform::HDC dc, TControl* first);
    virtual void AlignControls(TControl* control, TRect& rect);
    // The client rectangle less what the control draws around its children (bevels, border).
    virtual void AdjustClientRect(TRect& rect);

    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(WCHAR& key);
    virtual void DoEnter();
    virtual void DoExit();
    // A windowed control that takes the focus when clicked calls this from its mouse handling.
    void FocusOnClick();
    // Reads the window's position and size back after the window system changed them.
    void UpdateBounds();
    // Shows or hides the window to match Showing.
    virtual void UpdateShowing();

    static TShiftState KeyboardShiftState();

private:
    void AttachHandle(platform::HWND hwnd);
    void HandleDestroyed();
    bool IsControlMouseMsg(TMessage& message);
    void TrackMouse(TMessage& message);
    bool DialogKey(TMessage& message);
    bool SetCursorFromControl(TMessage& message);
    bool ShowPopupMenu(TMessage& message);
    void UpdateTabOrder(int value);
    void FixupTabList();
    void DoKeyDown(TMessage& message);

    platform::HWND handle_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int storedTabOrder_ = -1;
    bool tabStop_ = false;
    int alignLevel_ = 0;
    bool alignPending_ = false;
    int borderWidth_ = 0;
    bool trackingMouse_ = false;
    bool settingText_ = false;

    friend LRESULT ToolkitWndProc(platform::HWND, UINT, WPARAM, LPARAM);
    friend class TCustomForm;
};

LRESULT ToolkitWndProc(platform::HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace toolkit
