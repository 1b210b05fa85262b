// Messages: sending, posting and the UI thread's message queue.
//
// Retrieval order: posted messages, then WM_QUIT (once PostQuitMessage was called and no posted
// message is left), then input (mouse and keyboard, with the WH_MOUSE hook), then WM_PAINT
// (synthesised while a window has something to paint, parents before children), then WM_TIMER
// (synthesised, lowest). Mouse moves merge in the queue.
//
// Nested modal loops: GetMessage answers FALSE for WM_QUIT and clears the quit request, like the
// platform's. A modal loop that meets WM_QUIT ends and calls PostQuitMessage(msg.wParam) again so
// that the outer loop ends too; loops written in the platform layer do so.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt{};
};

constexpr UINT PM_NOREMOVE = 0x0, PM_REMOVE = 0x1, PM_NOYIELD = 0x2;
constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr int WHEEL_DELTA = 120;
constexpr UINT USER_TIMER_MINIMUM = 10;

// Calls the window procedure at once, re-entrantly. Answers 0 for a window that does not exist.
// Only on the UI thread (elsewhere it does nothing and answers 0).
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message; any thread. A null window posts a thread message.
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// threadId 0 or GetCurrentThreadId() of the UI thread; any thread.
bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// hwnd filters for that window and its descendants ((HWND)-1: thread messages only); min and max
// filter the message range (0, 0: all). WM_QUIT passes every filter.
// GetMessage answers FALSE for WM_QUIT, TRUE otherwise; it waits when nothing is ready.
BOOL GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
BOOL PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// WM_KEYDOWN / WM_SYSKEYDOWN with characters post WM_CHAR / WM_SYSCHAR.
bool TranslateMessage(const MSG* msg);
// WM_TIMER with a timer procedure calls the procedure instead of the window.
LRESULT DispatchMessage(const MSG* msg);
// Waits until something is ready to be retrieved.
bool WaitMessage();
// Always false: no other thread ever sends to the UI thread.
bool InSendMessage();
DWORD GetMessagePos(); // screen position of the last retrieved message (x low word, y high word)
DWORD GetMessageTime();
DWORD GetTickCount();  // milliseconds, from the backend's clock
DWORD GetCurrentThreadId();

// Key state as the last retrieved input left it: the high bit set while down, bit 0 toggles.
short GetKeyState(int vk);
short GetAsyncKeyState(int vk);

} // namespace platform
