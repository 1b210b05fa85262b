#include "toolkit/THintWindow.h"

#include "platform/text/Text.h"
#include "platform/window/Window.h"
#include "toolkit/ControlLook.h"

namespace toolkit {

using namespace platform;

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
    params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int maxWidth, StringView text)
{
    TCanvas measure;
    measure.Font()->Assign(Font());
    TRect r{0, 0, maxWidth, 0};
    measure.DrawText(text, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    // Room for the frame and the text's margins.
    r.right += 8;
    r.bottom += 4;
    return r;
}

void THintWindow::ActivateHint(const TRect& r, StringView text)
{
    SetCaption(text);
    SetBoundsRect(r);
    SetWindowPos(Handle(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    Invalidate();
}

void THintWindow::ReleaseHint()
{
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_HIDE);
}

bool THintWindow::IsShowing()
{
    return HandleAllocated() && IsWindowVisible(Handle());
}

void THintWindow::EraseBackground(HDC) {}

void THintWindow::Paint()
{
    CurrentControlLook().DrawHint(*Canvas(), ClientRect(), Caption());
}

} // namespace toolkit
