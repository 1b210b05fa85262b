// Window classes, creation and destruction, the parent / owner tree and per-window data.
#include "platform/window/WindowInternal.h"

#include "platform/core/AsciiCase.h"
#include "platform/window/Hook.h"
#include "platform/window/Paint.h"

#include <algorithm>

namespace platform {
namespace detail {

namespace {

std::unique_ptr<Window> MakeRootWindow(HWND handle, DWORD style)
{
    auto w = std::make_unique<Window>();
    w->hwnd = handle;
    w->style = style;
    w->proc = DefWindowProc;
    return w;
}

} // namespace

WindowTree::WindowTree()
{
    desktop = MakeRootWindow(reinterpret_cast<HWND>(nextHandle), WS_VISIBLE | WS_CLIPCHILDREN);
    nextHandle += 4;
    messageRoot = MakeRootWindow(reinterpret_cast<HWND>(nextHandle), 0);
    nextHandle += 4;
    handles[desktop->hwnd] = desktop.get();
}

bool OnUiThread()
{
    return std::this_thread::get_id() == S().uiThread;
}

Window* FromHandle(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& s = S();
    auto it = s.tree.handles.find(hwnd);
    return it == s.tree.handles.end() ? nullptr : it->second;
}

bool IsDesktop(const Window* w)
{
    return w == S().tree.desktop.get();
}

bool IsMessageOnly(const Window* w)
{
    for (; w; w = w->parent)
        if (w == S().tree.messageRoot.get())
            return true;
    return false;
}

Window* TopLevelOf(Window* w)
{
    while (w && w->parent && w->parent->parent)
        w = w->parent;
    return w;
}

bool IsVisibleDeep(const Window* w)
{
    for (; w && w->parent; w = w->parent)
        if (!(w->style & WS_VISIBLE))
            return false;
    return w && (w->style & WS_VISIBLE);
}

bool IsEnabledDeep(const Window* w)
{
    for (; w && w->parent; w = w->parent) {
        if (w->style & WS_DISABLED)
            return false;
        if (!w->IsChild())
            break;
    }
    return true;
}

bool IsDescendant(const Window* ancestor, const Window* w)
{
    for (; w; w = w->parent)
        if (w == ancestor)
            return true;
    return false;
}

CalloutScope::CalloutScope() { ++S().tree.callouts; }
CalloutScope::~CalloutScope() { --S().tree.callouts; }

LRESULT Send(Window* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!w || w->dead || !w->proc)
        return 0;
    CalloutScope scope;
    return w->proc(w->hwnd, msg, wParam, lParam);
}

void CollectGarbage()
{
    auto& s = S();
    if (s.tree.callouts == 0)
        s.tree.graveyard.clear();
}

namespace {

std::shared_ptr<WindowClass> FindClass(StringView name)
{
    auto& s = S();
    auto it = s.tree.classes.find(LowerAscii(name));
    return it == s.tree.classes.end() ? nullptr : it->second;
}

void Link(Window* parent, Window* w, HWND insertAfter)
{
    auto& list = parent->children;
    if (!IsDesktop(parent)) {
        if (insertAfter == HWND_BOTTOM)
            list.push_back(w);
        else
            list.insert(list.begin(), w);
        return;
    }
    // Top-level: at the top of its band.
    bool topmost = w->exStyle & WS_EX_TOPMOST;
    auto pos = list.begin();
    if (insertAfter == HWND_BOTTOM) {
        pos = list.end();
    } else if (!topmost) {
        while (pos != list.end() && ((*pos)->exStyle & WS_EX_TOPMOST))
            ++pos;
    }
    list.insert(pos, w);
    NormalizeTopLevelOrder();
}

void Unlink(Window* w)
{
    if (!w->parent)
        return;
    auto& list = w->parent->children;
    list.erase(std::remove(list.begin(), list.end(), w), list.end());
}

void SendDestroyMessages(Window* w)
{
    Send(w, WM_DESTROY, 0, 0);
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(c->hwnd);
    for (HWND h : children)
        if (Window* c = FromHandle(h); c && !c->dead)
            SendDestroyMessages(c);
}

void FreeWindow(Window* w)
{
    auto& s = S();
    std::vector<HWND> children;
    for (Window* c : w->children)
        children.push_back(c->hwnd);
    for (HWND h : children)
        if (Window* c = FromHandle(h))
            FreeWindow(c);

    ReleaseStateOf(w);
    Send(w, WM_NCDESTROY, 0, 0);
    ReleaseStateOf(w); // WM_NCDESTROY handlers may have set focus or capture again
    TimersOfWindowDie(w->hwnd);
    DropInputFor(w->hwnd);
    if (s.input.tracker.hwnd == w->hwnd)
        CancelTracker();
    if (IsTopLevel(w) && !IsMessageOnly(w)) {
        ForgetTopLevel(w);
        TheBackend().DestroySurface(w->hwnd);
    }
    // Orphaned children (created during WM_NCDESTROY) die with it.
    while (!w->children.empty())
        FreeWindow(w->children.front());
    Unlink(w);
    w->parent = nullptr;
    w->dead = true;
    if (w->cls)
        --w->cls->windows;
    s.tree.handles.erase(w->hwnd);
    for (Window* t : s.tree.desktop->children)
        if (t->owner == w->hwnd)
            t->owner = nullptr;
    auto it = std::find_if(s.tree.owned.begin(), s.tree.owned.end(), [w](const auto& p) { return p.get() == w; });
    if (it != s.tree.owned.end()) {
        s.tree.graveyard.push_back(std::move(*it));
        s.tree.owned.erase(it);
    }
}

} // namespace

void ResetWindowSystem()
{
    auto& s = S();
    CancelTracker();
    std::vector<HWND> all;
    for (Window* w : s.tree.desktop->children)
        all.push_back(w->hwnd);
    for (Window* w : s.tree.messageRoot->children)
        all.push_back(w->hwnd);
    for (HWND h : all)
        DestroyWindow(h);
    // Anything that refused to die (a hook answering non-zero) goes without messages.
    while (!s.tree.desktop->children.empty())
        FreeWindow(s.tree.desktop->children.front());
    while (!s.tree.messageRoot->children.empty())
        FreeWindow(s.tree.messageRoot->children.front());
    s.input.focus = s.input.active = s.input.capture = nullptr;
    s.input.appActive = false;
}

} // namespace detail

using namespace detail;

ATOM RegisterClass(const WNDCLASS& wc)
{
    auto& s = S();
    if (wc.lpszClassName.empty() || !wc.lpfnWndProc)
        return 0;
    String key = LowerAscii(wc.lpszClassName);
    if (s.tree.classes.count(key))
        return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->wc = wc;
    cls->atom = s.tree.nextAtom++;
    s.tree.classes[key] = cls;
    return cls->atom;
}

bool UnregisterClass(StringView className, HINSTANCE)
{
    auto& s = S();
    auto it = s.tree.classes.find(LowerAscii(className));
    if (it == s.tree.classes.end() || it->second->windows > 0)
        return false;
    s.tree.classes.erase(it);
    return true;
}

bool GetClassInfo(HINSTANCE, StringView className, WNDCLASS* wc)
{
    auto cls = FindClass(className);
    if (!cls)
        return false;
    if (wc)
        *wc = cls->wc;
    return true;
}

String GetClassName(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return {};
    if (IsDesktop(w))
        return u"#32769";
    return w->cls ? w->cls->wc.lpszClassName : String();
}

HWND CreateWindowEx(DWORD exStyle, StringView className, StringView windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    if (!OnUiThread())
        return nullptr;
    auto cls = FindClass(className);
    if (!cls)
        return nullptr;
    TheBackend();
    auto& s = S();

    Window* parentWindow = nullptr;
    HWND owner = nullptr;
    if (parent == HWND_MESSAGE) {
        parentWindow = s.tree.messageRoot.get();
        style &= ~WS_VISIBLE;
    } else if (style & WS_CHILD) {
        parentWindow = FromHandle(parent);
        if (!parentWindow)
            return nullptr;
    } else {
        parentWindow = s.tree.desktop.get();
        if (parent) {
            Window* o = FromHandle(parent);
            if (!o)
                return nullptr;
            o = TopLevelOf(o);
            if (!IsDesktop(o))
                owner = o->hwnd;
        }
    }
    bool topLevel = IsDesktop(parentWindow);
    if (topLevel) {
        style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP))
            style |= WS_CAPTION;
    }
    if (x == CW_USEDEFAULT) {
        x = y = topLevel && !(style & WS_POPUP) ? 40 + 26 * (S().tree.cascade++ % 8) : 0;
    }
    if (width == CW_USEDEFAULT) {
        width = topLevel && !(style & WS_POPUP) ? 640 : 0;
        height = topLevel && !(style & WS_POPUP) ? 480 : 0;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent == HWND_MESSAGE ? nullptr : parent;
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.style = style;
    cs.lpszName = String(windowName);
    cs.lpszClass = cls->wc.lpszClassName;
    cs.dwExStyle = exStyle;

    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->hwnd = reinterpret_cast<HWND>(s.tree.nextHandle);
    s.tree.nextHandle += 4;
    w->cls = cls;
    w->proc = cls->wc.lpfnWndProc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->id = (style & WS_CHILD) ? LONG_PTR(reinterpret_cast<std::uintptr_t>(menu)) : 0;
    w->owner = owner;
    w->iconBig = cls->wc.hIcon;
    ++cls->windows;
    s.tree.handles[w->hwnd] = w;
    s.tree.owned.push_back(std::move(owned));

    CBT_CREATEWND cbt{&cs, HWND_TOP};
    if (CallHooks(WH_CBT, HCBT_CREATEWND, WPARAM(w->hwnd), LPARAM(&cbt)) != 0) {
        w->parent = nullptr;
        w->proc = nullptr; // refused before any message: it gets none, WM_NCDESTROY included
        FreeWindow(w);
        return nullptr;
    }
    style = cs.style;
    w->style = (style & ~WS_VISIBLE) | (topLevel ? WS_CLIPSIBLINGS : 0);
    w->exStyle = cs.dwExStyle;
    SIZE size = ClampWindowSize(cs.cx, cs.cy, topLevel);
    w->rect = Bounds(ClampCoordinate(cs.x), ClampCoordinate(cs.y), size.cx, size.cy);
    w->client = RECT{0, 0, w->rect.Width(), w->rect.Height()};
    w->normalRect = w->rect;
    w->parent = parentWindow;
    Link(parentWindow, w, cbt.hwndInsertAfter);
    HWND hwnd = w->hwnd;

    if (topLevel) {
        SurfaceDesc desc{hwnd, owner, w->rect, w->style, w->exStyle};
        TheBackend().CreateSurface(desc);
        TheBackend().SetSurfaceTitle(hwnd, cs.lpszName);
        SyncSurfaceStacking();
    }

    if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
        MINMAXINFO mmi;
        SIZE screen = TheBackend().ScreenSize();
        mmi.ptMaxSize = {screen.cx, screen.cy};
        mmi.ptMaxTrackSize = {screen.cx + 16, screen.cy + 16};
        MINMAXINFO before = mmi;
        Send(w, WM_GETMINMAXINFO, 0, LPARAM(&mmi));
        if (!FromHandle(hwnd))
            return nullptr;
        if (!(mmi.ptMinTrackSize == before.ptMinTrackSize) || !(mmi.ptMaxTrackSize == before.ptMaxTrackSize)) {
            LONG cx = std::clamp(w->rect.Width(), mmi.ptMinTrackSize.x, std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
            LONG cy = std::clamp(w->rect.Height(), mmi.ptMinTrackSize.y, std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
            SIZE clamped = ClampWindowSize(cx, cy, topLevel);
            w->rect.right = w->rect.left + clamped.cx;
            w->rect.bottom = w->rect.top + clamped.cy;
        }
    }

    if (!Send(w, WM_NCCREATE, 0, LPARAM(&cs))) {
        if (Window* alive = FromHandle(hwnd))
            FreeWindow(alive);
        return nullptr;
    }
    if (!FromHandle(hwnd))
        return nullptr;

    RECT calc = w->rect;
    Send(w, WM_NCCALCSIZE, 0, LPARAM(&calc));
    if (!FromHandle(hwnd))
        return nullptr;
    w->client = calc;
    OffsetRect(&w->client, -w->rect.left, -w->rect.top);
    IntersectRect(&w->client, w->client, RECT{0, 0, w->Width(), w->Height()});
    if (topLevel)
        w->backBuffer.SetSize(w->Width(), w->Height());

    if (Send(w, WM_CREATE, 0, LPARAM(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!FromHandle(hwnd))
        return nullptr;

    Send(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->client.Width(), w->client.Height()));
    if (!FromHandle(hwnd))
        return nullptr;
    Send(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
    if (!FromHandle(hwnd))
        return nullptr;

    if (style & WS_MINIMIZE)
        ShowWindow(hwnd, (style & WS_VISIBLE) ? SW_SHOWMINNOACTIVE : SW_MINIMIZE);
    else if (style & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return FromHandle(hwnd) ? hwnd : nullptr;
}

bool DestroyWindow(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w) || w->destroying || !OnUiThread())
        return false;
    if (CallHooks(WH_CBT, HCBT_DESTROYWND, WPARAM(hwnd), 0) != 0)
        return false;
    if (!(w = FromHandle(hwnd)) || w->destroying)
        return false;
    w->destroying = true;

    if (w->style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER |
                         (IsTopLevel(w) ? 0 : SWP_NOACTIVATE));
    if (!(w = FromHandle(hwnd)))
        return true;

    if (IsTopLevel(w)) {
        std::vector<HWND> ownedWindows;
        for (Window* t : S().tree.desktop->children)
            if (t->owner == hwnd)
                ownedWindows.push_back(t->hwnd);
        for (HWND h : ownedWindows)
            DestroyWindow(h);
        if (S().input.active == hwnd)
            ActivateNextAfter(w);
    }
    if (!(w = FromHandle(hwnd)))
        return true;

    ReleaseStateOf(w);
    SendDestroyMessages(w);
    if ((w = FromHandle(hwnd)))
        FreeWindow(w);
    return true;
}

bool IsWindow(HWND hwnd)
{
    return FromHandle(hwnd) != nullptr;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!proc)
        return 0;
    CalloutScope scope;
    return proc(hwnd, msg, wParam, lParam);
}

HWND GetParent(HWND hwnd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->parent && !IsDesktop(w->parent) ? w->parent->hwnd : nullptr;
    return w->owner;
}

HWND SetParent(HWND child, HWND newParent)
{
    Window* w = FromHandle(child);
    auto& s = S();
    Window* p = newParent ? FromHandle(newParent) : s.tree.desktop.get();
    if (!w || !p || IsDesktop(w) || IsDescendant(w, p))
        return nullptr;
    Window* old = w->parent;
    HWND oldHandle = old ? old->hwnd : nullptr;
    bool wasTop = IsTopLevel(w);
    bool visible = w->style & WS_VISIBLE;
    if (visible)
        ShowWindow(child, SW_HIDE);
    if (!(w = FromHandle(child)))
        return nullptr;
    if (wasTop) {
        ForgetTopLevel(w);
        TheBackend().DestroySurface(child);
        w->backBuffer = Bitmap();
    }
    Unlink(w);
    w->parent = p;
    w->owner = nullptr;
    Link(p, w, HWND_TOP);
    if (IsTopLevel(w)) {
        w->backBuffer.SetSize(w->Width(), w->Height());
        TheBackend().CreateSurface(SurfaceDesc{child, nullptr, w->rect, w->style, w->exStyle});
        TheBackend().SetSurfaceTitle(child, w->text);
        SyncSurfaceStacking();
    }
    if (visible)
        ShowWindow(child, SW_SHOWNA);
    return oldHandle;
}

HWND GetWindow(HWND hwnd, UINT cmd)
{
    Window* w = FromHandle(hwnd);
    if (!w)
        return nullptr;
    if (cmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front()->hwnd;
    if (cmd == GW_OWNER)
        return w->IsChild() ? nullptr : w->owner;
    if (cmd == GW_ENABLEDPOPUP)
        return nullptr;
    if (!w->parent)
        return nullptr;
    auto& list = w->parent->children;
    auto it = std::find(list.begin(), list.end(), w);
    switch (cmd) {
    case GW_HWNDFIRST: return list.front()->hwnd;
    case GW_HWNDLAST: return list.back()->hwnd;
    case GW_HWNDNEXT: return (it != list.end() && it + 1 != list.end()) ? (*(it + 1))->hwnd : nullptr;
    case GW_HWNDPREV: return (it != list.begin() && it != list.end()) ? (*(it - 1))->hwnd : nullptr;
    default: return nullptr;
    }
}

HWND GetNextWindow(HWND hwnd, UINT cmd)
{
    return GetWindow(hwnd, cmd);
}

HWND GetAncestor(HWND hwnd, UINT flags)
{
    Window* w = FromHandle(hwnd);
    if (!w || IsDesktop(w))
        return nullptr;
    switch (flags) {
    case GA_PARENT: return w->parent ? w->parent->hwnd : nullptr;
    case GA_ROOT: return TopLevelOf(w)->hwnd;
    case GA_ROOTOWNER: {
        Window* r = TopLevelOf(w);
        while (Window* o = FromHandle(r->owner))
            r = o;
        return r->hwnd;
    }
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    Window* w = hwnd ? FromHandle(hwnd) : S().tree.desktop.get();
    if (!w || w->children.empty())
        return nullptr;
    return w->children.front()->hwnd;
}

bool IsChild(HWND parent, HWND hwnd)
{
    Window* p = FromHandle(parent);
    Window* w = FromHandle(hwnd);
    if (!p || !w)
        return false;
    while (w->IsChild() && w->parent) {
        w = w->parent;
        if (w == p)
            return true;
    }
    return false;
}

namespace {
void CollectDescendants(const Window* w, std::vector<HWND>& out)
{
    for (const Window* c : w->children) {
        out.push_back(c->hwnd);
        CollectDescendants(c, out);
    }
}
} // namespace

bool EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam)
{
    Window* p = parent ? FromHandle(parent) : S().tree.desktop.get();
    if (!p || !proc)
        return false;
    std::vector<HWND> list;
    CollectDescendants(p, list);
    for (HWND h : list) {
        if (!FromHandle(h))
            continue;
        CalloutScope scope;
        if (!proc(h, lParam))
            return false;
    }
    return true;
}

bool EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam)
{
    if (!proc || (threadId != 0 && threadId != S().uiThreadId))
        return false;
    std::vector<HWND> list;
    for (Window* w : S().tree.desktop->children)
        list.push_back(w->hwnd);
    for (HWND h : list) {
        if (!FromHandle(h))
            continue;
        CalloutScope scope;
        if (!proc(h, lParam))
            return false;
    }
    return true;
}

HWND FindWindow(StringView className, StringView windowName)
{
    for (Window* w : S().tree.desktop->children) {
        if (!className.empty() && (!w->cls || LowerAscii(w->cls->wc.lpszClassName) != LowerAscii(className)))
            continue;
        if (!windowName.empty() && w->text != windowName)
            continue;
        return w->hwnd;
    }
    return nullptr;
}

HWND GetDesktopWindow()
{
    TheBackend();
    return S().tree.desktop->hwnd;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    if (!FromHandle(hwnd))
        return 0;
    if (processId)
        *processId = DWORD(::getpid());
    return S().uiThreadId;
}

DWORD GetCurrentThreadId()
{
    return DWORD(::syscall(SYS_gettid));
}

} // namespace platform
