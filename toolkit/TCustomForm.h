// A top-level window built in code: the constructor builds the components and sets what a stored
// form would set, then (AfterConstruction, run by TApplication::CreateForm or TObject::Create)
// Loaded runs for the form and its components, then OnCreate. The form keeps the active control
// and the focus, positions itself when shown, closes with a close action, and runs modally.
#pragma once

#include "toolkit/TCustomControl.h"
#include "toolkit/TIcon.h"

namespace toolkit {

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormStateValue { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = Set<TFormStateValue>;

class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    void AfterConstruction() override;
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TFormState FormState() const { return formState_; }
    TIcon* Icon() { return &icon_; }

    // While the form is being built the size is kept and applied once the frame is known.
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    TRect ClientRect() override;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window".
    void SetActiveControl(TWinControl* control);
    bool Active() const { return active_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool KeyPreview = false;

    void SetVisible(bool value) override;
    // Shows the form, or brings an already visible form to the front.
    void Show();
    void Hide() { SetVisible(false); }
    // Asks OnCloseQuery, then OnClose with caHide (the default action): the main form ends the
    // program, caHide hides, caMinimize minimises, caFree frees the form later, caNone keeps it.
    // A modal form only sets ModalResult to mrCancel.
    void Close();
    // Frees the form once the messages already queued for it are handled.
    void Release();
    // Shows the form while every other window of the program is disabled and runs the messages
    // until ModalResult is set; focus returns to the previously active window afterwards.
    TModalResult ShowModal();
    bool CloseQuery();

    void SetFocus() override;
    void FocusControl(TWinControl* control);
    // A control of the form got the focus (OnExit and OnEnter follow).
    void SetFocusedControl(TWinControl* control);
    // A control is hidden, disabled or removed: it can no longer hold the focus.
    void DefocusControl(TWinControl* control, bool removing);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Paint() override;
    void UpdateShowing() override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);

private:
    void FormStyles(DWORD& style, DWORD& exStyle) const;
    // How much larger than the client area the window is.
    TSize FrameSize() const;
    void ApplyPosition();
    void SetWindowFocus();
    void DialogKey(TMessage& message);
    void UpdateIcon();
    bool IsMainForm() const;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    TFormState formState_;
    TIcon icon_;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    bool created_ = false;
    bool destroyed_ = false;
};

} // namespace toolkit
