// Drives forms in tests on the virtual screen: builds them, finds their controls by name, injects
// clicks and keys at them, pumps messages, runs actions from inside modal loops and takes
// screenshots. Each tester starts a fresh virtual screen and application object.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TApplication.h"
#include "toolkit/TCustomForm.h"

#include <functional>
#include <memory>
#include <string>

namespace toolkit {

class FormTester {
public:
    explicit FormTester(const platform::HeadlessOptions& options = {});
    ~FormTester();
    FormTester(const FormTester&) = delete;
    FormTester& operator=(const FormTester&) = delete;

    TApplication& App() { return *application_; }

    // A form built as the program builds its forms (owned by the application).
    template <class T>
    T* CreateForm()
    {
        T* form = nullptr;
        application_->CreateForm(form);
        return form;
    }

    // A control of class T owned by owner, named name, on parent at the given bounds.
    template <class T>
    static T* Make(TComponent* owner, TWinControl* parent, StringView name, int left, int top, int width,
                   int height)
    {
        auto* c = new T(owner);
        c->SetName(name);
        c->SetParent(parent);
        c->SetBounds(left, top, width, height);
        return c;
    }

    // The component named name among root's components and theirs; throws when there is none.
    static TComponent* Find(TComponent* root, StringView name);
    template <class T>
    static T* Find(TComponent* root, StringView name)
    {
        T* found = dynamic_cast<T*>(Find(root, name));
        if (!found)
            throw EInvalidOperation(Format(u"%s is not of the class asked for", {name}));
        return found;
    }

    // The screen position of point (client coordinates; default the centre) of a control.
    static platform::POINT ScreenPoint(TControl* control);
    static platform::POINT ScreenPoint(TControl* control, platform::POINT local);

    // Input, delivered at once (messages are pumped afterwards).
    void Click(TControl* control);
    void Click(TControl* control, platform::POINT local);
    void DoubleClick(TControl* control, platform::POINT local);
    void MouseDown(TControl* control, platform::POINT local);
    void MouseUp(TControl* control, platform::POINT local);
    void MouseMove(TControl* control, platform::POINT local);
    void MoveMouseTo(platform::POINT screen);
    // A key press with modifiers held (ssShift, ssCtrl, ssAlt).
    void Press(UINT vk, TShiftState shift = {});
    void Type(StringView text);

    // Handles everything that is ready, the paint included.
    void Pump();
    // Lets the virtual clock run (timers fire, messages are handled).
    void Advance(platform::DWORD ms);

    // Runs action from inside the next modal loop (a modal form or a message box), once it
    // waits for input. A modal loop that is still running after a minute of virtual time is
    // ended, so a fault fails instead of hanging.
    void WhenModal(std::function<void()> action);
    // The message box or modal form on top, if any.
    static platform::HWND ActiveModalWindow();

    platform::Bitmap Screenshot();
    platform::Bitmap WindowShot(TWinControl* control);
    static void SavePng(const platform::Bitmap& bitmap, const std::string& path);

private:
    std::unique_ptr<TApplication> application_;
};

} // namespace toolkit
