#include "toolkit/FormTester.h"

#include "platform/image/Image.h"
#include "platform/window/Message.h"
#include "platform/frame/MessageBox.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "toolkit/TScreen.h"

namespace toolkit {

using namespace platform;

namespace {

std::function<void()> modalAction;
UINT_PTR modalWatchdog = 0;

void ModalActionTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = std::move(modalAction);
    modalAction = nullptr;
    if (action)
        action();
}

void ModalWatchdogTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    modalWatchdog = 0;
    if (HWND box = FindWindow(kMessageBoxClass, {})) {
        SendMessage(box, WM_CLOSE, 0, 0);
        if (IsWindow(box))
            DestroyWindow(box);
    }
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i)
            if (Screen->Forms(i)->FormState().Contains(fsModal))
                Screen->Forms(i)->SetModalResult(mrAbort);
}

} // namespace

FormTester::FormTester(const HeadlessOptions& options)
{
    headless::Reset(options);
    application_ = std::make_unique<TApplication>(nullptr);
}

FormTester::~FormTester()
{
    modalAction = nullptr;
    modalWatchdog = 0;
    application_.reset();
    headless::Reset();
}

TComponent* FormTester::Find(TComponent* root, StringView name)
{
    if (!root)
        throw EInvalidOperation(u"No component to search in");
    if (TComponent* c = root->FindComponent(name))
        return c;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* child = root->Components(i);
        if (child->ComponentCount() == 0)
            continue;
        try {
            return Find(child, name);
        } catch (const EInvalidOperation&) {
        }
    }
    throw EInvalidOperation(Format(u"No component named %s", {name}));
}

POINT FormTester::ScreenPoint(TControl* control)
{
    TRect r = control->ClientRect();
    return ScreenPoint(control, POINT{r.Width() / 2, r.Height() / 2});
}

POINT FormTester::ScreenPoint(TControl* control, POINT local)
{
    return control->ClientToScreen(local);
}

void FormTester::Click(TControl* control)
{
    headless::Click(ScreenPoint(control));
    Pump();
}

void FormTester::Click(TControl* control, POINT local)
{
    headless::Click(ScreenPoint(control, local));
    Pump();
}

void FormTester::DoubleClick(TControl* control, POINT local)
{
    headless::DoubleClick(ScreenPoint(control, local));
    Pump();
}

void FormTester::MouseDown(TControl* control, POINT local)
{
    POINT p = ScreenPoint(control, local);
    headless::MouseMove(p);
    headless::MouseDown(p);
    Pump();
}

void FormTester::MouseUp(TControl* control, POINT local)
{
    POINT p = ScreenPoint(control, local);
    headless::MouseMove(p);
    headless::MouseUp(p);
    Pump();
}

void FormTester::MouseMove(TControl* control, POINT local)
{
    headless::MouseMove(ScreenPoint(control, local));
    Pump();
}

void FormTester::MoveMouseTo(POINT screen)
{
    headless::MouseMove(screen);
    Pump();
}

void FormTester::Press(UINT vk, TShiftState shift)
{
    if (shift.Contains(ssShift))
        headless::KeyDown(VK_SHIFT);
    if (shift.Contains(ssCtrl))
        headless::KeyDown(VK_CONTROL);
    if (shift.Contains(ssAlt))
        headless::KeyDown(VK_MENU);
    headless::KeyDown(vk);
    headless::KeyUp(vk);
    if (shift.Contains(ssAlt))
        headless::KeyUp(VK_MENU);
    if (shift.Contains(ssCtrl))
        headless::KeyUp(VK_CONTROL);
    if (shift.Contains(ssShift))
        headless::KeyUp(VK_SHIFT);
    Pump();
}

void FormTester::Type(StringView text)
{
    headless::TypeText(text);
    Pump();
}

void FormTester::Pump()
{
    headless::ProcessMessages();
}

void FormTester::Advance(DWORD ms)
{
    headless::RunFor(ms);
}

void FormTester::WhenModal(std::function<void()> action)
{
    modalAction = std::move(action);
    SetTimer(nullptr, 0, 50, ModalActionTimer);
    if (modalWatchdog)
        KillTimer(nullptr, modalWatchdog);
    modalWatchdog = SetTimer(nullptr, 0, 60000, ModalWatchdogTimer);
}

HWND FormTester::ActiveModalWindow()
{
    if (HWND box = FindWindow(kMessageBoxClass, {}))
        return box;
    if (Screen)
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
            if (Screen->Forms(i)->FormState().Contains(fsModal))
                return Screen->Forms(i)->Handle();
    return nullptr;
}

Bitmap FormTester::Screenshot()
{
    return headless::Screenshot();
}

Bitmap FormTester::WindowShot(TWinControl* control)
{
    Pump();
    return headless::WindowShot(control->Handle());
}

void FormTester::SavePng(const Bitmap& bitmap, const std::string& path)
{
    platform::SavePng(bitmap, path);
}

} // namespace toolkit
