// The window system's internal functions, shared by its source files, and the platform they
// work on (core/PlatformState.h). Not for use outside platform/.
#pragma once

#include "platform/core/PlatformState.h"

#include <optional>
#include <utility>

namespace platform::detail {

bool OnUiThread();
Backend& TheBackend();

// Live windows only; null for anything else (destroyed, never made, null).
Window* FromHandle(HWND hwnd);
inline bool IsTopLevel(const Window* w) { return w->parent && !w->parent->parent; }
bool IsDesktop(const Window* w);
bool IsMessageOnly(const Window* w);
Window* TopLevelOf(Window* w);
bool IsVisibleDeep(const Window* w); // WS_VISIBLE on the window and its ancestors
bool IsEnabledDeep(const Window* w);
bool IsDescendant(const Window* ancestor, const Window* w); // w inside ancestor (or equal)

// Geometry. Positions and sizes are kept within bounds that no sum can overflow, and a top-level
// window never asks for a back buffer larger than a bitmap may be.
constexpr LONG MaxCoordinate = 1 << 20;
inline LONG ClampCoordinate(LONG v) { return v < -MaxCoordinate ? -MaxCoordinate : v > MaxCoordinate ? MaxCoordinate : v; }
SIZE ClampWindowSize(LONG cx, LONG cy, bool topLevel);
POINT WindowOriginScreen(const Window* w);
POINT ClientOriginScreen(const Window* w);
RECT WindowRectScreen(const Window* w);
POINT WindowOriginInTopLevel(const Window* w);
RECT ClientRectLocal(const Window* w); // (0, 0, width, height)
RECT ClientRectInWindow(const Window* w); // w->client
// Whether a screen point lies in the window, its region included.
bool WindowContainsScreenPoint(const Window* w, POINT screen);

// The window under a screen point as mouse input finds it, with its hit-test code.
std::pair<HWND, LRESULT> HitTestScreen(POINT screen);

// Calls out to a window procedure (SendMessage without the handle lookup).
LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam);
struct CalloutScope {
    CalloutScope();
    ~CalloutScope();
    CalloutScope(const CalloutScope&) = delete;
    CalloutScope& operator=(const CalloutScope&) = delete;
};

// Hooks.
LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam);
bool HasHooks(int kind);

// Z-order of top-level windows: bands and owners.
void NormalizeTopLevelOrder();
void SyncSurfaceStacking();

// Activation and focus, from the window system itself.
bool ActivateWindow(Window* w, WPARAM how, bool bringToTop = true);
void ActivateNextAfter(Window* leaving);
void ReleaseStateOf(Window* w); // focus, capture, tracking inside w

// Painting.
void InvalidateInternal(Window* w, const Region* rgn, UINT flags); // rgn in client coordinates
void InvalidateWindowArea(Window* w); // whole window incl. frame and children, with erase
void InvalidateParentArea(Window* parent, const RECT& rectInParentClient);
Window* FindWindowToPaint(Window* filter);
Region VisibleRegion(const Window* w, bool clientOnly, bool clipChildren, bool clipSiblings); // top-level coords
void MarkDamage(Window* topLevel, const RECT& rectInWindow);
void ValidateAfterDispatch(Window* w);

// The default frame.
LRESULT DefaultNcCalcSize(Window* w, WPARAM calcValidRects, LPARAM lParam);
LRESULT DefaultNcHitTest(Window* w, POINT screen);
void DefaultNcPaint(Window* w);
LRESULT DefaultNcActivate(Window* w, bool active);
LRESULT DefaultNcMouse(Window* w, UINT msg, WPARAM hit, POINT screen);
void DefaultSysCommand(Window* w, WPARAM cmd, LPARAM lParam);
bool HasDefaultFrame(const Window* w);
void PaintDefaultFrameInto(Window* w, HDC windowDC);
bool TrackerHandlesInput(const InputEvent& e);
void CancelTracker();

// Composition.
void Compose();
void ForgetTopLevel(Window* w);
void ScreenDamage(const RECT& screenRect);
void PresentShape(Window* w);

// Input and queue.
// A mouse event at screen over target: ends tracking that it leaves (answers whether it posted a
// leave notice) and moves the hover wait along.
bool ProcessPendingMouseLeave(POINT screen, HWND target, LRESULT hit);
// Posts the hover message that is due, if one is; answers whether it did.
bool PostDueHover();
DWORD MillisecondsToHover(); // INFINITE: no hover is awaited
WPARAM MouseKeys();          // MK_* of the buttons and keys down now
void TimersOfWindowDie(HWND hwnd);
std::optional<MSG> NextDueTimer(HWND filter, UINT min, UINT max, bool remove);
DWORD MillisecondsToNextTimer();
enum class InputResult { None, Message, Retry };
InputResult ConvertNextInput(MSG* out, HWND filter, UINT min, UINT max, bool remove);
bool MessageMatches(const MSG& m, HWND filter, UINT min, UINT max);
void DropInputFor(HWND hwnd);
void ResetWindowSystem();
// The colours a platform starts with.
std::array<COLORREF, SYSCOLOR_COUNT> ClassicSystemColors();
void MaybeTakeScreenshot();
void CollectGarbage();

} // namespace platform::detail
