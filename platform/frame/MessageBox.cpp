#include "platform/frame/MessageBox.h"

#include "platform/core/Backend.h"
#include "platform/text/Font.h"
#include "platform/graphics/Gdi.h"
#include "platform/window/Message.h"
#include "platform/frame/MessageBoxButton.h"
#include "platform/frame/MessageIcon.h"
#include "platform/frame/StaticControl.h"
#include "platform/window/Paint.h"
#include "platform/core/Screen.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/text/Text.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/PlatformState.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

constexpr StringView kStateProp = u"MessageBoxState";

// Layout, in pixels.
constexpr int kPadding = 16;        // around the icon and the text
constexpr int kIconGap = 12;        // between the icon and the text
constexpr int kTextRightPadding = 24;
constexpr int kButtonHeight = 23;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonTextPadding = 20;
constexpr int kButtonGap = 8;
constexpr int kFooterPadding = 11;
constexpr int kMinClientWidth = 200;
constexpr int kPreferredTextWidth = 420;

constexpr UINT kButtonSetMask = 0x0F;
constexpr UINT kDefaultButtonMask = 0x0F00;

std::vector<int> ButtonIds(UINT type)
{
    std::vector<int> ids;
    switch (type & kButtonSetMask) {
    case MB_OKCANCEL: ids = {IDOK, IDCANCEL}; break;
    case MB_ABORTRETRYIGNORE: ids = {IDABORT, IDRETRY, IDIGNORE}; break;
    case MB_YESNOCANCEL: ids = {IDYES, IDNO, IDCANCEL}; break;
    case MB_YESNO: ids = {IDYES, IDNO}; break;
    case MB_RETRYCANCEL: ids = {IDRETRY, IDCANCEL}; break;
    default: ids = {IDOK}; break;
    }
    if (type & MB_HELP)
        ids.push_back(IDHELP);
    return ids;
}

std::size_t DefaultIndex(UINT type, std::size_t count)
{
    const std::size_t index = (type & kDefaultButtonMask) >> 8;
    return index < count ? index : 0;
}

// What Escape and the close button answer; 0 when the box offers no way out but its buttons.
int EscapeAnswer(const std::vector<int>& ids)
{
    if (std::find(ids.begin(), ids.end(), IDCANCEL) != ids.end())
        return IDCANCEL;
    if (ids[0] == IDOK && (ids.size() == 1 || (ids.size() == 2 && ids[1] == IDHELP)))
        return IDOK;
    return 0;
}

bool IsHeadless()
{
    return dynamic_cast<HeadlessBackend*>(&GetBackend()) != nullptr;
}

// One line for the log: line breaks become spaces.
std::string OneLine(StringView s)
{
    String line;
    line.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r' || s[i] == u'\n') {
            if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
                ++i;
            line += u' ';
        } else {
            line += s[i];
        }
    }
    return Utf16ToUtf8(line);
}

struct BoxState {
    std::vector<int> ids;
    std::vector<HWND> buttons; // in tab order
    std::size_t defaultIndex = 0;
    int escapeAnswer = 0;
    int answer = 0;
    bool done = false;
    MessageIcon icon = MessageIcon::None;
    LONG footerTop = 0;
    HWND owner = nullptr;
    HWND lastFocus = nullptr;
    WNDPROC baseProc = nullptr; // another "#32770" class's procedure, when the box subclasses it
};

BoxState* StateOf(HWND hwnd) { return static_cast<BoxState*>(GetProp(hwnd, kStateProp)); }

void End(BoxState& state, int answer)
{
    if (state.done)
        return;
    state.answer = answer;
    state.done = true;
}

LRESULT CallBase(const BoxState* state, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (state && state->baseProc)
        return CallWindowProc(state->baseProc, hwnd, msg, wParam, lParam);
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void PaintBackground(HWND hwnd, HDC dc, const BoxState& state)
{
    RECT client;
    GetClientRect(hwnd, &client);
    FillSolidRect(dc, Rect(0, 0, client.right, state.footerTop), GetSysColor(COLOR_WINDOW));
    FillSolidRect(dc, Rect(0, state.footerTop, client.right, state.footerTop + 1), GetSysColor(COLOR_3DLIGHT));
    FillSolidRect(dc, Rect(0, state.footerTop + 1, client.right, client.bottom), GetSysColor(COLOR_BTNFACE));
}

void MoveFocus(BoxState& state, int step)
{
    const auto n = std::ptrdiff_t(state.buttons.size());
    auto it = std::find(state.buttons.begin(), state.buttons.end(), GetFocus());
    std::ptrdiff_t index = it == state.buttons.end() ? std::ptrdiff_t(state.defaultIndex) : it - state.buttons.begin();
    for (std::ptrdiff_t tries = 0; tries < n; ++tries) {
        index = ((index + step) % n + n) % n;
        if (IsWindowEnabled(state.buttons[std::size_t(index)])) {
            SetFocus(state.buttons[std::size_t(index)]);
            return;
        }
    }
}

LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    BoxState* state = StateOf(hwnd);
    if (!state)
        return CallBase(state, hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == detail::kButtonClicked) {
            const int id = LOWORD(wParam);
            // Help asks the owner and leaves the box open.
            if (id == IDHELP) {
                if (state->owner && IsWindow(state->owner))
                    SendMessage(state->owner, WM_HELP, 0, 0);
                return 0;
            }
            if (std::find(state->ids.begin(), state->ids.end(), id) != state->ids.end())
                End(*state, id);
        }
        return 0;
    case WM_CLOSE:
        if (state->escapeAnswer)
            End(*state, state->escapeAnswer);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && !state->escapeAnswer)
            return 0;
        break;
    case WM_ERASEBKGND:
        PaintBackground(hwnd, reinterpret_cast<HDC>(wParam), *state);
        return 1;
    case WM_ACTIVATE:
        // Keep the focused button across deactivation, as dialogs do.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus))
                state->lastFocus = focus;
        } else if (state->lastFocus && IsWindow(state->lastFocus)) {
            SetFocus(state->lastFocus);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (!state->buttons.empty()) {
            SetFocus(state->lastFocus && IsWindow(state->lastFocus) ? state->lastFocus
                                                                   : state->buttons[state->defaultIndex]);
        }
        return 0;
    default:
        break;
    }
    return CallBase(state, hwnd, msg, wParam, lParam);
}

// The keyboard interface of the box, handled before dispatch: Enter answers the focused button
// (the default one when no button has the focus), Escape the way out, Tab and the arrows move the
// focus among the buttons.
bool HandleDialogKey(HWND dialog, BoxState& state, const MSG& msg)
{
    if (msg.message != WM_KEYDOWN || !(msg.hwnd == dialog || IsChild(dialog, msg.hwnd)))
        return false;
    switch (msg.wParam) {
    case VK_RETURN: {
        HWND focus = GetFocus();
        auto it = std::find(state.buttons.begin(), state.buttons.end(), focus);
        if (it != state.buttons.end())
            SendMessage(dialog, WM_COMMAND, MAKEWPARAM(state.ids[std::size_t(it - state.buttons.begin())],
                                                       detail::kButtonClicked), LPARAM(*it));
        else
            End(state, state.ids[state.defaultIndex]);
        return true;
    }
    case VK_ESCAPE:
        if (state.escapeAnswer)
            End(state, state.escapeAnswer);
        return true;
    case VK_TAB:
        MoveFocus(state, GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return true;
    case VK_LEFT:
    case VK_UP:
        MoveFocus(state, -1);
        return true;
    case VK_RIGHT:
    case VK_DOWN:
        MoveFocus(state, 1);
        return true;
    default:
        return false;
    }
}

WNDPROC EnsureDialogClass()
{
    WNDCLASS wc;
    if (GetClassInfo(nullptr, kMessageBoxClass, &wc))
        return wc.lpfnWndProc == DialogProc ? nullptr : wc.lpfnWndProc;
    wc = WNDCLASS{};
    wc.lpfnWndProc = DialogProc;
    wc.lpszClassName = String(kMessageBoxClass);
    wc.style = CS_DBLCLKS | CS_SAVEBITS;
    RegisterClass(wc);
    return nullptr;
}

struct Layout {
    SIZE client{};
    RECT iconRect{}, textRect{};
    LONG footerTop = 0;
    std::vector<RECT> buttons;
};

Layout Measure(StringView text, StringView caption, MessageIcon icon, const std::vector<int>& ids)
{
    Bitmap scratch(1, 1);
    HDC dc = CreateBitmapDC(&scratch);
    SelectFont(dc, GetDefaultGuiFont());
    const RECT area = GetWorkArea();
    const LONG areaWidth = std::max<LONG>(area.Width(), 320), areaHeight = std::max<LONG>(area.Height(), 240);

    Layout layout;
    const bool hasIcon = icon != MessageIcon::None;
    const LONG textLeft = hasIcon ? kPadding + kMessageIconSize + kIconGap : kPadding;
    const LONG chrome = textLeft + kTextRightPadding;
    const LONG widest = std::max<LONG>(kPreferredTextWidth, areaWidth * 3 / 4 - chrome);
    const UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS | DT_CALCRECT;

    SIZE textSize{};
    if (!text.empty()) {
        RECT r = Rect(0, 0, kPreferredTextWidth, 0);
        DrawText(dc, text, &r, format);
        // A long text gets a wider box rather than an endless column.
        if (r.Height() > areaHeight / 2) {
            r = Rect(0, 0, widest, 0);
            DrawText(dc, text, &r, format);
        }
        textSize = SIZE{r.Width(), r.Height()};
    }

    std::vector<LONG> widths;
    LONG buttonsWidth = 0;
    for (int id : ids) {
        SIZE s{};
        GetTextExtentPoint32(dc, MessageBoxButtonText(id), &s);
        widths.push_back(std::max<LONG>(kButtonMinWidth, s.cx + kButtonTextPadding));
        buttonsWidth += widths.back();
    }
    buttonsWidth += kButtonGap * LONG(ids.size() - 1) + 2 * kFooterPadding;

    // The title must fit beside the caption buttons too.
    LOGFONT lf;
    GetObjectFont(GetDefaultGuiFont(), &lf);
    lf.lfWeight = FW_BOLD;
    SelectFont(dc, CreateFontIndirect(lf));
    SIZE titleSize{};
    GetTextExtentPoint32(dc, caption, &titleSize);
    DeleteDC(dc);
    const LONG titleWidth = std::min<LONG>(titleSize.cx + 3 * GetSystemMetrics(SM_CXSIZE), widest + chrome);

    const LONG contentWidth = textLeft + textSize.cx + kTextRightPadding;
    layout.client.cx = std::max({LONG(kMinClientWidth), contentWidth, buttonsWidth, titleWidth});

    const LONG maxTextHeight =
        areaHeight - 2 * kPadding - (kButtonHeight + 2 * kFooterPadding) - 2 * GetSystemMetrics(SM_CYCAPTION);
    const LONG textHeight = std::min(textSize.cy, std::max<LONG>(maxTextHeight, 0));
    if (hasIcon)
        layout.iconRect = Bounds(kPadding, kPadding, kMessageIconSize, kMessageIconSize);
    // A short text sits level with the middle of the icon.
    const LONG textTop = kPadding + (hasIcon && textHeight < kMessageIconSize ? (kMessageIconSize - textHeight) / 2 : 0);
    layout.textRect = Bounds(textLeft, textTop, textSize.cx, textHeight);
    layout.footerTop = kPadding + std::max<LONG>(hasIcon ? kMessageIconSize : 0, textHeight) + kPadding;
    layout.client.cy = layout.footerTop + 1 + kFooterPadding + kButtonHeight + kFooterPadding;

    LONG x = layout.client.cx - kFooterPadding - (buttonsWidth - 2 * kFooterPadding);
    for (LONG w : widths) {
        layout.buttons.push_back(Bounds(x, layout.footerTop + 1 + kFooterPadding, w, kButtonHeight));
        x += w + kButtonGap;
    }
    return layout;
}

struct DisabledWindows {
    std::vector<HWND> windows;
};

BOOL DisableOne(HWND hwnd, LPARAM lParam)
{
    auto* disabled = reinterpret_cast<DisabledWindows*>(lParam);
    if (IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, false);
        disabled->windows.push_back(hwnd);
    }
    return 1;
}

POINT CentredPosition(HWND owner, SIZE size)
{
    const RECT area = GetWorkArea();
    RECT around = area;
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    LONG x = around.left + (around.Width() - size.cx) / 2;
    LONG y = around.top + (around.Height() - size.cy) / 2;
    x = std::max(area.left, std::min(x, area.right - size.cx));
    y = std::max(area.top, std::min(y, area.bottom - size.cy));
    return POINT{x, y};
}

} // namespace

StringView MessageBoxButtonText(int id)
{
    switch (id) {
    case IDOK: return u"ОК";
    case IDCANCEL: return u"Отмена";
    case IDABORT: return u"Прервать";
    case IDRETRY: return u"Повтор";
    case IDIGNORE: return u"Пропустить";
    case IDYES: return u"Да";
    case IDNO: return u"Нет";
    case IDCLOSE: return u"Закрыть";
    case IDHELP: return u"Справка";
    default: return {};
    }
}

bool MessageBeep(UINT)
{
    return true;
}

void AnswerMessageBoxesAtOnce(bool on)
{
    detail::S().answerMessageBoxesAtOnce = on;
}

int MessageBox(HWND owner, StringView text, StringView caption, UINT type)
{
    BoxState state;
    state.ids = ButtonIds(type);
    state.defaultIndex = DefaultIndex(type, state.ids.size());
    state.escapeAnswer = EscapeAnswer(state.ids);
    state.icon = MessageIconFromType(type);
    const int defaultAnswer = state.ids[state.defaultIndex];

    if (IsHeadless()) {
        std::fprintf(stderr, "MessageBox: %s: %s\n", OneLine(caption).c_str(), OneLine(text).c_str());
        std::fflush(stderr);
        if (detail::S().answerMessageBoxesAtOnce)
            return defaultAnswer;
    }

    if (owner && !IsWindow(owner))
        owner = nullptr;
    if (owner)
        owner = GetAncestor(owner, GA_ROOT);
    if (!owner)
        owner = GetActiveWindow();
    const HWND previousActive = GetActiveWindow();
    const HWND previousFocus = GetFocus();

    const Layout layout = Measure(text, caption, state.icon, state.ids);
    state.footerTop = layout.footerTop;
    state.owner = owner;

    DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    if (state.escapeAnswer)
        style |= WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL))
        exStyle |= WS_EX_TOPMOST;
    RECT windowRect = Rect(0, 0, layout.client.cx, layout.client.cy);
    AdjustWindowRectEx(&windowRect, style, false, exStyle);
    const SIZE windowSize{windowRect.Width(), windowRect.Height()};
    const POINT at = CentredPosition(owner, windowSize);

    DisabledWindows disabled;
    EnumThreadWindows(0, DisableOne, LPARAM(&disabled));

    const WNDPROC foreignProc = EnsureDialogClass();
    const StringView buttonClass = detail::MessageBoxButtonClass();
    HWND dialog = CreateWindowEx(exStyle, kMessageBoxClass, caption, style, at.x, at.y, windowSize.cx,
                                 windowSize.cy, owner, nullptr, nullptr, nullptr);
    int result = 0;
    if (dialog) {
        if (foreignProc)
            state.baseProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(dialog, GWLP_WNDPROC, LONG_PTR(&DialogProc)));
        SetProp(dialog, kStateProp, &state);
        // The icon and the text are windows of their own, as a dialog's controls are.
        if (state.icon != MessageIcon::None) {
            const RECT& r = layout.iconRect;
            HWND icon = CreateWindowEx(0, StaticClass(), {}, WS_CHILD | WS_VISIBLE | SS_ICON, r.left, r.top,
                                       r.Width(), r.Height(), dialog, nullptr, nullptr, nullptr);
            SendMessage(icon, STM_SETICON, WPARAM(GetMessageIcon(state.icon)), 0);
        }
        const RECT& tr = layout.textRect;
        CreateWindowEx(0, StaticClass(), text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, tr.left, tr.top,
                       tr.Width(), tr.Height(), dialog, nullptr, nullptr, nullptr);
        for (std::size_t i = 0; i < state.ids.size(); ++i) {
            const RECT& r = layout.buttons[i];
            DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
            if (i == state.defaultIndex)
                buttonStyle |= detail::kDefaultButton;
            state.buttons.push_back(CreateWindowEx(0, buttonClass, MessageBoxButtonText(state.ids[i]), buttonStyle,
                                                   r.left, r.top, r.Width(), r.Height(), dialog,
                                                   reinterpret_cast<HMENU>(std::intptr_t(state.ids[i])), nullptr,
                                                   nullptr));
        }
        state.lastFocus = state.buttons[state.defaultIndex];
        ShowWindow(dialog, SW_SHOW);
        SetFocus(state.buttons[state.defaultIndex]);

        bool quit = false;
        WPARAM quitCode = 0;
        while (!state.done && IsWindow(dialog)) {
            MSG msg;
            if (!GetMessage(&msg, nullptr, 0, 0)) {
                quit = true;
                quitCode = msg.wParam;
                break;
            }
            if (HandleDialogKey(dialog, state, msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        result = state.done ? state.answer : (state.escapeAnswer ? state.escapeAnswer : defaultAnswer);
        if (quit)
            PostQuitMessage(int(quitCode));
    }

    // Enabled again before the box goes, so that activation can return to the owner.
    for (HWND w : disabled.windows) {
        if (IsWindow(w))
            EnableWindow(w, true);
    }
    if (dialog && IsWindow(dialog)) {
        if (state.baseProc)
            SetWindowLongPtr(dialog, GWLP_WNDPROC, LONG_PTR(state.baseProc));
        RemoveProp(dialog, kStateProp);
        DestroyWindow(dialog);
    }
    if (previousActive && IsWindow(previousActive))
        SetActiveWindow(previousActive);
    if (previousFocus && IsWindow(previousFocus))
        SetFocus(previousFocus);
    return result;
}

} // namespace platform
