// Mouse tracking (TrackMouseEvent): WM_MOUSELEAVE when the mouse leaves a window's client area or
// frame, and WM_MOUSEHOVER when it rests in one for the hover time.
#include "platform/window/WindowInternal.h"

#include "platform/window/Message.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace platform {
namespace detail {

namespace {

// The system's defaults: the mouse must stay within this rectangle around where it rested.
constexpr DWORD kDefaultHoverTime = 400;
constexpr LONG kHoverWidth = 4;
constexpr LONG kHoverHeight = 4;

bool InsideTracked(HWND tracked, bool nonClient, HWND target, LRESULT hit)
{
    return target == tracked && (nonClient ? hit != HTCLIENT && hit != HTNOWHERE : hit == HTCLIENT);
}

int HoverRemaining(const HoverTrack& hover, DWORD now)
{
    return int(hover.since + hover.time - now);
}

} // namespace

bool ProcessPendingMouseLeave(POINT screen, HWND target, LRESULT hit)
{
    auto& s = S();
    bool posted = false;
    if (s.input.clientTrack.hwnd && !InsideTracked(s.input.clientTrack.hwnd, false, target, hit)) {
        HWND h = s.input.clientTrack.hwnd;
        s.input.clientTrack.hwnd = nullptr;
        posted = PostMessage(h, WM_MOUSELEAVE, 0, 0) || posted;
    }
    if (s.input.ncTrack.hwnd && !InsideTracked(s.input.ncTrack.hwnd, true, target, hit)) {
        HWND h = s.input.ncTrack.hwnd;
        s.input.ncTrack.hwnd = nullptr;
        posted = PostMessage(h, WM_NCMOUSELEAVE, 0, 0) || posted;
    }
    for (bool nonClient : {false, true}) {
        HoverTrack& hover = nonClient ? s.input.ncHover : s.input.clientHover;
        if (!hover.hwnd)
            continue;
        if (!InsideTracked(hover.hwnd, nonClient, target, hit)) {
            hover = {};
        } else if (std::abs(screen.x - hover.anchor.x) > kHoverWidth / 2 ||
                   std::abs(screen.y - hover.anchor.y) > kHoverHeight / 2) {
            // Moving on starts the wait again from where the mouse is now.
            hover.anchor = screen;
            hover.since = GetTickCount();
        }
    }
    return posted;
}

bool PostDueHover()
{
    auto& s = S();
    DWORD now = GetTickCount();
    for (bool nonClient : {false, true}) {
        HoverTrack& hover = nonClient ? s.input.ncHover : s.input.clientHover;
        if (!hover.hwnd || HoverRemaining(hover, now) > 0)
            continue;
        HWND h = hover.hwnd;
        hover = {}; // once per request, as the system does
        Window* w = FromHandle(h);
        if (!w)
            continue;
        POINT at = s.input.cursor;
        if (nonClient) {
            PostMessage(h, WM_NCMOUSEHOVER, WPARAM(s.input.mouseHit), MAKELPARAM(at.x, at.y));
        } else {
            POINT origin = ClientOriginScreen(w);
            PostMessage(h, WM_MOUSEHOVER, MouseKeys(), MAKELPARAM(at.x - origin.x, at.y - origin.y));
        }
        return true;
    }
    return false;
}

DWORD MillisecondsToHover()
{
    auto& s = S();
    DWORD now = GetTickCount();
    int best = INT_MAX;
    for (const HoverTrack* hover : {&s.input.clientHover, &s.input.ncHover})
        if (hover->hwnd)
            best = std::min(best, std::max(0, HoverRemaining(*hover, now)));
    return best == INT_MAX ? INFINITE : DWORD(best);
}

} // namespace detail

using namespace detail;

bool TrackMouseEvent(TRACKMOUSEEVENT* tme)
{
    if (!tme)
        return false;
    auto& s = S();
    bool nonClient = tme->dwFlags & TME_NONCLIENT;
    MouseLeaveTrack& slot = nonClient ? s.input.ncTrack : s.input.clientTrack;
    HoverTrack& hover = nonClient ? s.input.ncHover : s.input.clientHover;
    if (tme->dwFlags & TME_QUERY) {
        HWND tracked = slot.hwnd ? slot.hwnd : hover.hwnd;
        tme->hwndTrack = tracked;
        tme->dwFlags = (slot.hwnd ? TME_LEAVE : 0) | (hover.hwnd ? TME_HOVER : 0);
        if (tracked && nonClient)
            tme->dwFlags |= TME_NONCLIENT;
        tme->dwHoverTime = hover.hwnd ? hover.time : 0;
        return true;
    }
    Window* w = FromHandle(tme->hwndTrack);
    if (!w)
        return false;
    if (tme->dwFlags & TME_CANCEL) {
        if ((tme->dwFlags & TME_LEAVE) && slot.hwnd == tme->hwndTrack)
            slot.hwnd = nullptr;
        if ((tme->dwFlags & TME_HOVER) && hover.hwnd == tme->hwndTrack)
            hover = {};
        return true;
    }
    bool inside = InsideTracked(tme->hwndTrack, nonClient, s.input.mouseWindow, s.input.mouseHit);
    if (tme->dwFlags & TME_HOVER) {
        // Outside the window there is nothing to rest on; the request lapses as a leave would end it.
        if (inside) {
            hover.hwnd = tme->hwndTrack;
            hover.time = tme->dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : tme->dwHoverTime;
            hover.since = GetTickCount();
            hover.anchor = s.input.cursor;
        } else if (hover.hwnd == tme->hwndTrack) {
            hover = {};
        }
    }
    if (!(tme->dwFlags & TME_LEAVE))
        return true;
    if (!inside) {
        if (slot.hwnd == tme->hwndTrack)
            slot.hwnd = nullptr;
        PostMessage(tme->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return true;
    }
    slot.hwnd = tme->hwndTrack;
    return true;
}

} // namespace platform
