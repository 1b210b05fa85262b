// Thread hooks, chained newest first. A hook removed while a chain runs stays in the list (inert)
// until no hook is running, so CallNextHookEx from it still finds the rest of the chain.
#include "platform/window/WindowInternal.h"

#include "platform/window/Hook.h"

#include <algorithm>

namespace platform {
namespace detail {

namespace {

void Sweep()
{
    if (S().hooks.running == 0)
        std::erase_if(S().hooks.list, [](const Hook& h) { return h.proc == nullptr; });
}

LRESULT CallFrom(std::size_t start, int kind, int code, WPARAM wParam, LPARAM lParam)
{
    auto& hooks = S().hooks.list;
    for (std::size_t i = start; i < hooks.size(); ++i) {
        if (hooks[i].kind != kind || !hooks[i].proc)
            continue;
        HOOKPROC proc = hooks[i].proc;
        ++S().hooks.running;
        CalloutScope scope;
        LRESULT r = proc(code, wParam, lParam);
        --S().hooks.running;
        Sweep();
        return r;
    }
    return 0;
}

} // namespace

bool HasHooks(int kind)
{
    return std::any_of(S().hooks.list.begin(), S().hooks.list.end(), [kind](const Hook& h) { return h.kind == kind && h.proc; });
}

LRESULT CallHooks(int kind, int code, WPARAM wParam, LPARAM lParam)
{
    return CallFrom(0, kind, code, wParam, lParam);
}

} // namespace detail

using namespace detail;

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId)
{
    auto& s = S();
    if (!proc || (idHook != WH_MOUSE && idHook != WH_CBT) || (threadId != 0 && threadId != s.uiThreadId))
        return nullptr;
    Hook hook{reinterpret_cast<HHOOK>(s.hooks.nextHook), idHook, proc};
    s.hooks.nextHook += 4;
    s.hooks.list.insert(s.hooks.list.begin(), hook);
    return hook.handle;
}

bool UnhookWindowsHookEx(HHOOK hook)
{
    auto& hooks = S().hooks.list;
    auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const Hook& h) { return h.handle == hook && h.proc; });
    if (it == hooks.end())
        return false;
    it->proc = nullptr;
    Sweep();
    return true;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto& hooks = S().hooks.list;
    auto it = std::find_if(hooks.begin(), hooks.end(), [hook](const Hook& h) { return h.handle == hook; });
    if (it == hooks.end())
        return 0;
    return CallFrom(std::size_t(it - hooks.begin()) + 1, it->kind, code, wParam, lParam);
}

} // namespace platform
