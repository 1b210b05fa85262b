// The window system's own state, shared by its source files. Not for use outside platform/.
#pragma once

#include "platform/core/Backend.h"
#include "platform/core/Bitmap.h"
#include "platform/window/Hook.h"
#include "platform/window/Message.h"
#include "platform/graphics/Region.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace platform::detail {

struct WindowClass {
    WNDCLASS wc;
    ATOM atom = 0;
    int windows = 0;
};

struct Window {
    HWND hwnd = nullptr;
    std::shared_ptr<WindowClass> cls;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    String text;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    Window* parent = nullptr; // the desktop for top-level windows
    HWND owner = nullptr;     // top-level windows only
    std::vector<Window*> children; // z-order, top first

    RECT rect{};   // in the parent's client coordinates (screen for top-level windows)
    RECT client{}; // relative to the window's top-left

    // Painting.
    Region update; // client coordinates
    bool erase = false;
    bool ncDirty = false;
    bool internalPaint = false;
    std::unique_ptr<Region> shape; // window coordinates

    // Layered windows.
    bool layeredAttributes = false; // SetLayeredWindowAttributes was called
    BYTE layeredAlpha = 255;
    COLORREF layeredKey = 0;
    DWORD layeredFlags = 0;
    bool layeredPicture = false; // UpdateLayeredWindow was called
    Bitmap picture;              // its picture, premultiplied
    BYTE pictureAlpha = 255;
    DWORD pictureFlags = 0;
    COLORREF pictureKey = 0;

    // Top-level windows.
    Bitmap backBuffer;
    RECT damage{};     // window coordinates, not yet presented
    RECT normalRect{}; // where the window returns from minimised or maximised

    std::map<String, HANDLE> props;

    // The default frame's state.
    bool frameActive = false;
    LRESULT hotButton = HTNOWHERE;
    LRESULT pressedButton = HTNOWHERE;

    unsigned paints = 0; // BeginPaint calls, to tell whether a WM_PAINT handler painted at all

    bool destroying = false;
    bool dead = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    LONG Width() const { return rect.right - rect.left; }
    LONG Height() const { return rect.bottom - rect.top; }
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT elapse = 0;
    TIMERPROC proc = nullptr;
    DWORD due = 0;
    bool signalled = false; // a WM_TIMER for it was handed out and not yet dispatched
};

struct Hook {
    HHOOK handle = nullptr;
    int kind = 0;
    HOOKPROC proc = nullptr;
};

// Modal tracking of the default frame: dragging by the caption, pressing a caption button.
struct FrameTracker {
    enum class Kind { None, Move, Button } kind = Kind::None;
    HWND hwnd = nullptr;
    POINT start{};     // screen
    RECT startRect{};  // the window's rectangle when the drag began (parent coordinates)
    LRESULT button = HTNOWHERE;
};

struct MouseLeaveTrack {
    HWND hwnd = nullptr;
};

struct State {
    // Windows.
    std::unordered_map<HWND, Window*> handles;
    std::map<String, std::shared_ptr<WindowClass>> classes; // keyed by lower-case name
    ATOM nextAtom = 0xC000;
    std::uintptr_t nextHandle = 0x10000;
    std::unique_ptr<Window> desktop;
    std::unique_ptr<Window> messageRoot;
    std::vector<std::unique_ptr<Window>> graveyard; // destroyed, freed when nothing is on the stack
    std::vector<std::unique_ptr<Window>> owned;     // every live window
    int callouts = 0; // window procedures, hooks and timer procedures running

    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appActive = false;

    // Queue. Posted messages are shared with other threads.
    std::mutex postedMutex;
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    std::deque<InputEvent> input;
    std::array<BYTE, 256> keys{};
    POINT cursor{};
    DWORD lastMessagePos = 0;
    DWORD lastMessageTime = 0;
    UINT lastKeyVk = 0;
    String lastKeyText;
    bool maybePaint = false;

    // Mouse.
    HWND mouseWindow = nullptr; // under the mouse at the last move
    LRESULT mouseHit = HTNOWHERE;
    MouseLeaveTrack clientTrack;
    MouseLeaveTrack ncTrack;
    FrameTracker tracker;
    const CursorId* cursorShape = nullptr;

    // Timers and hooks.
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimerId = 0x7F00;
    std::vector<Hook> hooks; // newest first
    std::uintptr_t nextHook = 0x20000;

    // Composition.
    std::vector<RECT> screenDamage;

    std::unique_ptr<Backend> backend;
    std::thread::id uiThread;
    DWORD uiThreadId = 0;
    std::string screenshotPath;
};

State& S();
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
bool ProcessPendingMouseLeave(POINT screen, HWND target, LRESULT hit); // answers whether it posted
void TimersOfWindowDie(HWND hwnd);
std::optional<MSG> NextDueTimer(HWND filter, UINT min, UINT max, bool remove);
DWORD MillisecondsToNextTimer();
enum class InputResult { None, Message, Retry };
InputResult ConvertNextInput(MSG* out, HWND filter, UINT min, UINT max, bool remove);
bool MessageMatches(const MSG& m, HWND filter, UINT min, UINT max);
void DropInputFor(HWND hwnd);
void ResetWindowSystem();
void MaybeTakeScreenshot();
void CollectGarbage();

} // namespace platform::detail
