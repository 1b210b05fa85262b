// Thread hooks: WH_MOUSE (called before a mouse message is taken from the queue; non-zero discards
// it) and WH_CBT (HCBT_CREATEWND, HCBT_DESTROYWND, HCBT_ACTIVATE, HCBT_SETFOCUS; non-zero refuses).
// Hooks of one kind are chained newest first; each passes on with CallNextHookEx.
#pragma once

#include "platform/core/Types.h"
#include "platform/window/Window.h"
#include "platform/core/WinUser.h"

namespace platform {

struct HHOOK__;
using HHOOK = HHOOK__*;
using HOOKPROC = LRESULT (*)(int code, WPARAM wParam, LPARAM lParam);

constexpr int HC_NOREMOVE = 3;

struct MOUSEHOOKSTRUCT {
    POINT pt{};          // screen coordinates
    HWND hwnd = nullptr; // the window the message goes to
    UINT wHitTestCode = 0;
    ULONG_PTR dwExtraInfo = 0;
};

// HCBT_CREATEWND: wParam the new window, lParam CBT_CREATEWND*. The hook may edit *lpcs.
struct CBT_CREATEWND {
    CREATESTRUCT* lpcs = nullptr;
    HWND hwndInsertAfter = nullptr;
};

// HCBT_ACTIVATE: wParam the window being activated, lParam CBTACTIVATESTRUCT*.
struct CBTACTIVATESTRUCT {
    BOOL fMouse = 0;
    HWND hWndActive = nullptr;
};

// module is ignored; threadId 0 or the UI thread's id installs a hook of the UI thread.
// Answers null for an unknown kind or a null procedure.
HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
bool UnhookWindowsHookEx(HHOOK hook);
// Calls the next (older) hook of the chain after hook; 0 when it was the last.
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

} // namespace platform
