// Sending and posting, and the UI thread's queue: posted messages, WM_QUIT, input, WM_PAINT and
// WM_TIMER, in that order.
#include "platform/window/WindowInternal.h"

#include "platform/window/Message.h"
#include "platform/window/Paint.h"

#include <algorithm>

namespace platform {
namespace detail {

bool MessageMatches(const MSG& m, HWND filter, UINT min, UINT max)
{
    if ((min || max) && (m.message < min || m.message > max))
        return false;
    if (filter == reinterpret_cast<HWND>(-1))
        return m.hwnd == nullptr;
    if (!filter)
        return true;
    Window* f = FromHandle(filter);
    Window* w = FromHandle(m.hwnd);
    return f && w && IsDescendant(f, w);
}

void DropInputFor(HWND hwnd)
{
    auto& s = S();
    std::lock_guard lock(s.queue.postedMutex);
    std::erase_if(s.queue.posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

namespace {

void Stamp(MSG* msg)
{
    auto& s = S();
    if (msg->time == 0)
        msg->time = GetTickCount();
    s.queue.lastMessageTime = msg->time;
    s.queue.lastMessagePos = DWORD(MAKELPARAM(s.input.cursor.x, s.input.cursor.y));
    msg->pt = s.input.cursor;
}

bool TakePosted(MSG* msg, HWND filter, UINT min, UINT max, bool remove)
{
    auto& s = S();
    std::lock_guard lock(s.queue.postedMutex);
    for (auto it = s.queue.posted.begin(); it != s.queue.posted.end();) {
        if (it->hwnd && !FromHandle(it->hwnd)) {
            it = s.queue.posted.erase(it);
            continue;
        }
        if (MessageMatches(*it, filter, min, max)) {
            *msg = *it;
            if (remove)
                s.queue.posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool TakeQuit(MSG* msg, bool remove)
{
    auto& s = S();
    std::lock_guard lock(s.queue.postedMutex);
    if (!s.queue.quitPosted)
        return false;
    *msg = MSG{nullptr, WM_QUIT, WPARAM(s.queue.quitCode), 0, 0, {}};
    if (remove)
        s.queue.quitPosted = false;
    return true;
}

// Until the next timer or hover message is due.
DWORD MillisecondsToWait()
{
    return std::min(MillisecondsToNextTimer(), MillisecondsToHover());
}

BOOL PeekInternal(MSG* msg, HWND filter, UINT min, UINT max, UINT removeFlags)
{
    if (!OnUiThread() || !msg)
        return FALSE;
    CollectGarbage();
    TheBackend().PollEvents();
    bool remove = removeFlags & PM_REMOVE;
    for (int round = 0; round < 64; ++round) {
        if (TakePosted(msg, filter, min, max, remove) || TakeQuit(msg, remove)) {
            Stamp(msg);
            return TRUE;
        }
        InputResult input = ConvertNextInput(msg, filter, min, max, remove);
        if (input == InputResult::Retry)
            continue;
        if (input == InputResult::Message) {
            Stamp(msg);
            return TRUE;
        }
        Window* filterWindow = filter && filter != reinterpret_cast<HWND>(-1) ? FromHandle(filter) : nullptr;
        if (filter != reinterpret_cast<HWND>(-1) && (!filter || filterWindow) &&
            (!(min || max) || (WM_PAINT >= min && WM_PAINT <= max))) {
            if (Window* w = FindWindowToPaint(filterWindow)) {
                *msg = MSG{w->hwnd, WM_PAINT, 0, 0, 0, {}};
                Stamp(msg);
                return TRUE;
            }
        }
        if (PostDueHover())
            continue;
        Compose();
        if (auto timer = NextDueTimer(filter, min, max, remove)) {
            *msg = *timer;
            Stamp(msg);
            return TRUE;
        }
        if (!S().compositor.screenshotPath.empty() && !HasPendingPaint()) {
            MaybeTakeScreenshot();
            continue;
        }
        return FALSE;
    }
    return FALSE;
}

} // namespace
} // namespace detail

using namespace detail;

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!OnUiThread())
        return 0;
    if (hwnd == HWND_BROADCAST) {
        std::vector<HWND> tops;
        for (Window* w : S().tree.desktop->children)
            tops.push_back(w->hwnd);
        for (HWND h : tops)
            if (Window* w = FromHandle(h))
                Send(w, msg, wParam, lParam);
        return 0;
    }
    return Send(FromHandle(hwnd), msg, wParam, lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& s = S();
    bool ui = OnUiThread();
    if (hwnd == HWND_BROADCAST) {
        if (!ui)
            return false;
        std::vector<HWND> tops;
        for (Window* w : s.tree.desktop->children)
            tops.push_back(w->hwnd);
        for (HWND h : tops)
            PostMessage(h, msg, wParam, lParam);
        return true;
    }
    if (ui && hwnd && !FromHandle(hwnd))
        return false;
    {
        std::lock_guard lock(s.queue.postedMutex);
        s.queue.posted.push_back(MSG{hwnd, msg, wParam, lParam, 0, {}});
    }
    if (!ui) {
        if (Backend* b = s.backend.get())
            b->Wake();
    }
    return true;
}

bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (threadId != 0 && threadId != S().uiThreadId)
        return false;
    return PostMessage(nullptr, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    auto& s = S();
    {
        std::lock_guard lock(s.queue.postedMutex);
        s.queue.quitPosted = true;
        s.queue.quitCode = exitCode;
    }
    if (!OnUiThread())
        if (Backend* b = s.backend.get())
            b->Wake();
}

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    return PeekInternal(msg, hwnd, filterMin, filterMax, removeFlags);
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!OnUiThread() || !msg)
        return -1;
    for (;;) {
        if (PeekInternal(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        TheBackend().WaitForEvents(MillisecondsToWait());
    }
}

bool WaitMessage()
{
    MSG msg;
    if (PeekInternal(&msg, nullptr, 0, 0, PM_NOREMOVE))
        return true;
    TheBackend().WaitForEvents(MillisecondsToWait());
    return true;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg || !OnUiThread())
        return 0;
    auto& s = S();
    if (msg->message == WM_TIMER && msg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        for (const Timer& t : s.timers.list) {
            if (t.hwnd == msg->hwnd && t.id == UINT_PTR(msg->wParam) && t.proc == proc) {
                CalloutScope scope;
                proc(msg->hwnd, WM_TIMER, UINT_PTR(msg->wParam), GetTickCount());
                return 0;
            }
        }
        return 0;
    }
    Window* w = FromHandle(msg->hwnd);
    if (!w)
        return 0;
    if (msg->message == WM_PAINT) {
        unsigned before = w->paints;
        HWND hwnd = w->hwnd;
        LRESULT r = Send(w, WM_PAINT, msg->wParam, msg->lParam);
        if ((w = FromHandle(hwnd)) && w->paints == before)
            ValidateAfterDispatch(w);
        return r;
    }
    return Send(w, msg->message, msg->wParam, msg->lParam);
}

bool TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return false;
    auto& s = S();
    String text;
    if (UINT(msg->wParam) == s.input.lastKeyVk && !s.input.lastKeyText.empty()) {
        text = s.input.lastKeyText;
        s.input.lastKeyText.clear();
    } else {
        switch (msg->wParam) {
        case VK_RETURN: text = u"\r"; break;
        case VK_BACK: text = u"\b"; break;
        case VK_TAB: text = u"\t"; break;
        case VK_ESCAPE: text = u"\x1b"; break;
        default: return false;
        }
    }
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    for (char16_t c : text)
        PostMessage(msg->hwnd, charMsg, WPARAM(c), msg->lParam);
    return true;
}

bool InSendMessage()
{
    return false;
}

DWORD GetMessagePos()
{
    return S().queue.lastMessagePos;
}

DWORD GetMessageTime()
{
    return S().queue.lastMessageTime;
}

DWORD GetTickCount()
{
    return TheBackend().TickCount();
}

short GetKeyState(int vk)
{
    if (vk < 0 || vk > 255)
        return 0;
    BYTE k = S().input.keys[std::size_t(vk)];
    return short(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

short GetAsyncKeyState(int vk)
{
    return short(GetKeyState(vk) & short(0x8000));
}

} // namespace platform
