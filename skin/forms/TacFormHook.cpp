#include "skin/forms/TacFormHook.h"

#include "skin/forms/TsSkinProvider.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TMessageForm.h"

using namespace platform;

namespace skin {

namespace {

// The hook procedure has no room for a pointer: the one installed hook is found here.
TacFormHook* installed = nullptr;

} // namespace

TacFormHook::TacFormHook(TsSkinManager& manager)
    : manager_(manager)
{
    if (installed)
        return; // another manager's hook serves already; this one stays idle
    hook_ = SetWindowsHookEx(WH_CBT, &TacFormHook::Proc, nullptr, 0);
    if (hook_)
        installed = this;
    Activated(GetActiveWindow());
}

TacFormHook::~TacFormHook()
{
    if (installed == this) {
        UnhookWindowsHookEx(hook_);
        installed = nullptr;
    }
}

LRESULT TacFormHook::Proc(int code, WPARAM wParam, LPARAM lParam)
{
    HHOOK hook = installed ? installed->hook_ : nullptr;
    if (code == HCBT_ACTIVATE && installed)
        installed->Activated(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(hook, code, wParam, lParam);
}

void TacFormHook::Activated(HWND hwnd)
{
    if (!hwnd)
        return;
    auto* form = dynamic_cast<toolkit::TCustomForm*>(toolkit::TWinControl::FindControl(hwnd));
    if (Attach(manager_, form))
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

TsSkinProvider* TacFormHook::Attach(TsSkinManager& manager, toolkit::TCustomForm* form)
{
    if (!form || TsSkinProvider::Of(form) || !manager.Active() || !manager.Model())
        return nullptr;
    if (form->BorderStyle() == toolkit::bsNone || form->ComponentState().Contains(toolkit::csLoading) ||
        form->ComponentState().Contains(toolkit::csDestroying))
        return nullptr;
    const bool messageForm = dynamic_cast<toolkit::TMessageForm*>(form) != nullptr;
    if (messageForm ? !manager.SkinningRules.srStdDialogs : !manager.SkinningRules.srStdForms)
        return nullptr;
    // The holder belongs to the form, so the provider goes when the form goes.
    auto* holder = new toolkit::TComponent(form);
    auto* provider = new TsSkinProvider(holder);
    provider->SetUseGlobalColor(false);
    provider->SetForm(form);
    provider->Loaded();
    return provider;
}

} // namespace skin
