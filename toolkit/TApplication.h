// The application object (global `Application`): creates the forms (the first is the main form;
// closing it ends the program), runs the message loop, follows the mouse from control to control
// (CM_MOUSEENTER / CM_MOUSELEAVE and hints) and reports the exceptions that leave event handlers.
#pragma once

#include "platform/window/Window.h"
#include "toolkit/Exception.h"
#include "toolkit/TComponent.h"
#include "toolkit/TIcon.h"

#include <functional>

namespace toolkit {

class TControl;
class TCustomForm;
class THintWindow;
class TWinControl;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner = nullptr);
    ~TApplication() override;

    // Starts the platform layer (reads its environment); call once before any window exists.
    void Initialize();
    bool MainFormOnTaskBar = false;
    bool ShowMainForm = true;

    // Creates a form owned by the application, sets reference before OnCreate runs, and makes
    // the first form created the main form.
    template <class T>
    void CreateForm(T*& reference)
    {
        creatingForm_ = true;
        T* form = nullptr;
        try {
            form = new T(this);
        } catch (...) {
            creatingForm_ = false;
            throw;
        }
        creatingForm_ = false;
        reference = form;
        form->AfterConstruction();
    }

    // Shows the main form and runs the message loop until the program is terminated.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every message that is ready, then answers.
    void ProcessMessages();
    // Handles one message, or waits for one (after OnIdle) when none is ready.
    void HandleMessage();

    TCustomForm* MainForm() const { return mainForm_; }
    // The main form's window (the window the program's own dialogs belong to).
    platform::HWND Handle() const;
    String Title() const;
    void SetTitle(StringView title) { title_ = String(title); }
    TIcon* Icon() { return &icon_; }

    // The default error report of an exception that left an event handler: call from a catch
    // block. OnException replaces the report when set.
    void HandleException(TObject* sender);
    // The same without an application object (reported straight away).
    static void HandleCurrentException(TObject* sender);
    // What either reports of the exception being handled, for where no window can show it.
    static String CurrentExceptionReport();
    // A message box with the message (a period added when its last character's code is greater
    // than that of "."), the program's title, a stop icon and an OK button.
    void ShowException(const Exception& e);
    // The platform's message box, owned by the active window.
    int MessageBox(StringView text, StringView caption, UINT flags);

    std::function<void(TObject* Sender, const Exception& E)> OnException;
    std::function<void(TObject* Sender, bool& Done)> OnIdle;
    TNotifyEvent OnModalBegin;
    TNotifyEvent OnModalEnd;
    int ModalLevel() const { return modalLevel_; }
    void ModalStarted();
    void ModalFinished();

    // Hints.
    bool ShowHint = true;
    UINT HintPause = 500;
    UINT HintShortPause = 50;
    UINT HintHidePause = 2500;
    void CancelHint();
    THintWindow* HintWindow() const { return hintWindow_; }
    // The control the current (or pending) hint belongs to.
    TControl* HintControl() const { return hintControl_; }

    // The control under the mouse; the toolkit's windows report every move here.
    TControl* MouseControl() const { return mouseControl_; }
    void SetMouseControl(TControl* control);
    void MouseLeftWindow(TWinControl* control);
    void ControlDestroyed(TControl* control);
    void FormConstructed(TCustomForm* form);
    void FormDestroyed(TCustomForm* form);

private:
    bool ProcessMessage();
    void Idle();
    void UpdateHint(TControl* control);
    void HintTimerExpired(platform::UINT_PTR id);
    void ShowHintNow();
    void HideHintWindow();

    bool terminated_ = false;
    bool creatingForm_ = false;
    TCustomForm* mainForm_ = nullptr;
    String title_;
    TIcon icon_;
    int modalLevel_ = 0;
    TControl* mouseControl_ = nullptr;
    TControl* hintControl_ = nullptr;
    THintWindow* hintWindow_ = nullptr;
    platform::HWND utilWindow_ = nullptr;
};

extern TApplication* Application;

} // namespace toolkit
