#include "toolkit/TPopupMenuWindow.h"

#include "platform/text/Font.h"
#include "platform/window/Message.h"
#include "platform/core/Screen.h"
#include "platform/window/Window.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TApplication.h"
#include "toolkit/TMenuItem.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

namespace {

constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 7;
constexpr int kTextMargins = 24 + 32; // check margin on the left, room on the right

} // namespace

TPopupMenuWindow::TPopupMenuWindow(TComponent* AOwner, TMenuItem* items) : TCustomControl(AOwner)
{
    // The menu's loop holds the mouse itself; the control must not take or drop the capture.
    ControlStyle = {csOpaque};
    SetVisible(false);
    SetColor(clMenu);
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Visible())
            items_.push_back(items->Items(i));
    int width = 120, height = 2;
    for (TMenuItem* item : items_) {
        height += item->IsLine() ? kSeparatorHeight : kItemHeight;
        if (!item->IsLine())
            width = std::max(width, Font()->Handle()->TextWidth(item->Caption()) + kTextMargins);
    }
    SetBounds(0, 0, width, height);
}

void TPopupMenuWindow::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    params.WndParent = nullptr;
    params.WinClassName = u"#32768";
    params.ClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
}

TRect TPopupMenuWindow::ItemRect(int index)
{
    int y = 1;
    for (int i = 0; i < index && i < int(items_.size()); ++i)
        y += items_[std::size_t(i)]->IsLine() ? kSeparatorHeight : kItemHeight;
    if (index < 0 || index >= int(items_.size()))
        return TRect{};
    int h = items_[std::size_t(index)]->IsLine() ? kSeparatorHeight : kItemHeight;
    return TRect{1, y, Width() - 1, y + h};
}

int TPopupMenuWindow::IndexAt(TPoint p)
{
    for (int i = 0; i < int(items_.size()); ++i)
        if (ItemRect(i).Contains(p))
            return i;
    return -1;
}

void TPopupMenuWindow::SetHot(int index)
{
    if (index == hot_)
        return;
    hot_ = index;
    Invalidate();
}

void TPopupMenuWindow::MoveHot(int direction)
{
    const int count = int(items_.size());
    int i = hot_;
    for (int n = 0; n < count; ++n) {
        i = i < 0 ? (direction > 0 ? 0 : count - 1) : (i + direction + count) % count;
        TMenuItem* item = items_[std::size_t(i)];
        if (!item->IsLine() && item->Enabled()) {
            SetHot(i);
            return;
        }
    }
}

TMenuItem* TPopupMenuWindow::Run(int x, int y)
{
    if (items_.empty())
        return nullptr;
    if (Application)
        Application->CancelHint();
    SIZE screen = GetScreenSize();
    x = std::max(0, std::min(x, int(screen.cx) - Width()));
    y = std::max(0, std::min(y, int(screen.cy) - Height()));
    SetBounds(x, y, Width(), Height());
    HWND hwnd = Handle();
    SetWindowPos(hwnd, HWND_TOPMOST, x, y, Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCapture(hwnd);

    // The menu's own loop: it reads the keyboard and the mouse itself and lets the rest through.
    while (!done_) {
        MSG msg;
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (GetCapture() != hwnd)
            break;
        switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE || msg.wParam == VK_MENU || msg.wParam == VK_F10)
                done_ = true;
            else if (msg.wParam == VK_DOWN || msg.wParam == VK_UP)
                MoveHot(msg.wParam == VK_DOWN ? 1 : -1);
            else if (msg.wParam == VK_RETURN || msg.wParam == VK_SPACE) {
                if (hot_ >= 0 && items_[std::size_t(hot_)]->Enabled() && !items_[std::size_t(hot_)]->IsLine())
                    chosen_ = items_[std::size_t(hot_)];
                done_ = chosen_ != nullptr || msg.wParam == VK_RETURN;
            }
            continue;
        case WM_KEYUP:
        case WM_SYSKEYUP:
        case WM_CHAR:
        case WM_SYSCHAR:
            continue;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK: {
            POINT p = msg.pt;
            platform::ScreenToClient(hwnd, &p);
            const bool inside = ClientRect().Contains(p);
            const int index = inside ? IndexAt(p) : -1;
            if (msg.message == WM_MOUSEMOVE) {
                SetHot(index >= 0 && !items_[std::size_t(index)]->IsLine() ? index : -1);
            } else if (!inside) {
                // A press anywhere else dismisses the menu and goes no further.
                if (msg.message != WM_LBUTTONUP && msg.message != WM_RBUTTONUP)
                    done_ = true;
            } else if (msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP) {
                if (index >= 0 && items_[std::size_t(index)]->Enabled() && !items_[std::size_t(index)]->IsLine()) {
                    chosen_ = items_[std::size_t(index)];
                    done_ = true;
                }
            }
            continue;
        }
        default:
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    ShowWindow(hwnd, SW_HIDE);
    return chosen_;
}

void TPopupMenuWindow::EraseBackground(HDC) {}

void TPopupMenuWindow::Paint()
{
    TCanvas& canvas = *Canvas();
    ControlLook& look = CurrentControlLook();
    TRect r = ClientRect();
    look.DrawPopupFrame(canvas, r);
    canvas.Font()->Assign(Font());
    for (int i = 0; i < int(items_.size()); ++i) {
        TMenuItem* item = items_[std::size_t(i)];
        if (item->IsLine()) {
            look.DrawMenuSeparator(canvas, ItemRect(i));
            continue;
        }
        unsigned state = 0;
        if (i == hot_)
            state |= LookState::Hot;
        if (!item->Enabled())
            state |= LookState::Disabled;
        if (item->Checked())
            state |= LookState::Checked;
        look.DrawMenuItem(canvas, ItemRect(i), item->Caption(), state);
    }
}

} // namespace toolkit
