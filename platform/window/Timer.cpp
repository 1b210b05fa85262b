// Window and thread timers, handed out as WM_TIMER when due and nothing else is ready.
#include "platform/window/WindowInternal.h"

#include "platform/window/Timer.h"

#include <algorithm>
#include <climits>

namespace platform {
namespace detail {

namespace {

// Tick counts wrap; a timer is due when the signed distance to its deadline is not positive.
int Remaining(DWORD due, DWORD now)
{
    return int(std::int32_t(due - now));
}

bool TimerMatches(const Timer& t, HWND filter)
{
    if (filter == reinterpret_cast<HWND>(-1))
        return t.hwnd == nullptr;
    if (!filter)
        return true;
    Window* f = FromHandle(filter);
    Window* w = FromHandle(t.hwnd);
    return f && w && IsDescendant(f, w);
}

} // namespace

void TimersOfWindowDie(HWND hwnd)
{
    std::erase_if(S().timers.list, [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

std::optional<MSG> NextDueTimer(HWND filter, UINT min, UINT max, bool remove)
{
    auto& s = S();
    if ((min || max) && (WM_TIMER < min || WM_TIMER > max))
        return std::nullopt;
    if (s.timers.list.empty())
        return std::nullopt;
    DWORD now = GetTickCount();
    Timer* best = nullptr;
    for (Timer& t : s.timers.list) {
        if (Remaining(t.due, now) > 0 || !TimerMatches(t, filter))
            continue;
        if (!best || Remaining(t.due, now) < Remaining(best->due, now))
            best = &t;
    }
    if (!best)
        return std::nullopt;
    MSG msg{best->hwnd, WM_TIMER, WPARAM(best->id), LPARAM(reinterpret_cast<std::uintptr_t>(best->proc)), now, {}};
    if (remove)
        best->due = now + best->elapse;
    return msg;
}

DWORD MillisecondsToNextTimer()
{
    auto& s = S();
    if (s.timers.list.empty())
        return INFINITE;
    DWORD now = GetTickCount();
    int best = INT_MAX;
    for (const Timer& t : s.timers.list)
        best = std::min(best, std::max(0, Remaining(t.due, now)));
    return DWORD(best);
}

} // namespace detail

using namespace detail;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    auto& s = S();
    if (!OnUiThread() || (hwnd && !FromHandle(hwnd)))
        return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, 0x7FFFFFFF);
    DWORD due = GetTickCount() + elapse;
    if (!hwnd && id) {
        for (Timer& t : s.timers.list) {
            if (!t.hwnd && t.id == id) {
                t.elapse = elapse;
                t.proc = proc;
                t.due = due;
                return id;
            }
        }
    }
    if (hwnd) {
        for (Timer& t : s.timers.list) {
            if (t.hwnd == hwnd && t.id == id) {
                t.elapse = elapse;
                t.proc = proc;
                t.due = due;
                return id ? id : 1;
            }
        }
    } else {
        id = s.timers.nextThreadTimerId++;
    }
    s.timers.list.push_back(Timer{hwnd, id, elapse, proc, due, false});
    return id ? id : 1;
}

bool KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& timers = S().timers.list;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end())
        return false;
    timers.erase(it);
    return true;
}

} // namespace platform
