#include "skin/dialogs/TacDialogHook.h"

#include "skin/dialogs/TacPopupMenuWnd.h"

#include "skin/dialogs/TacButtonWnd.h"
#include "skin/forms/TsSkinProvider.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/core/AsciiCase.h"
#include "platform/frame/MessageBox.h"
#include "platform/window/Paint.h"
#include "platform/window/Window.h"
#include "toolkit/Colors.h"
#include "toolkit/TApplication.h"
#include "toolkit/TButton.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMessageForm.h"

#include <algorithm>

using namespace platform;

namespace skin {

namespace {

// The hook procedure has no room for a pointer: the one installed hook is found here.
TacDialogHook* installed = nullptr;
std::optional<POINT> pendingPosition;

constexpr int ThirdButtonsKind = 1;

toolkit::TCustomForm* FormOf(HWND hwnd)
{
    return dynamic_cast<toolkit::TCustomForm*>(toolkit::TWinControl::FindControl(hwnd));
}

bool IsSystemDialogClass(StringView cls)
{
    const String lower = LowerAscii(cls);
    return lower == LowerAscii(kMessageBoxClass) || lower == u"nativehwndhost";
}

BOOL FindToolbar(HWND hwnd, LPARAM lParam)
{
    if (LowerAscii(GetClassName(hwnd)) == u"toolbarwindow32") {
        *reinterpret_cast<bool*>(lParam) = true;
        return 0;
    }
    return 1;
}

// A file dialog: one of its descendants is a tool bar.
bool HasToolbar(HWND hwnd)
{
    bool found = false;
    EnumChildWindows(hwnd, FindToolbar, reinterpret_cast<LPARAM>(&found));
    return found;
}

void RedrawAll(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

std::vector<String>& ThirdPartySkipForms()
{
    static std::vector<String> names;
    return names;
}

void TacDialogHook::SetPendingPosition(std::optional<POINT> position) { pendingPosition = position; }

TacDialogHook* TacDialogHook::Installed() { return installed; }

TacDialogHook::TacDialogHook(TsSkinManager& manager) : manager_(manager)
{
    if (installed)
        return; // another manager's hook serves already; this one stays idle
    hook_ = SetWindowsHookEx(WH_CBT, &TacDialogHook::Proc, nullptr, 0);
    if (hook_)
        installed = this;
    Activated(GetActiveWindow());
}

TacDialogHook::~TacDialogHook()
{
    if (installed == this) {
        UnhookWindowsHookEx(hook_);
        installed = nullptr;
    }
    list_.clear();
    popupMenus_.clear();
}

LRESULT TacDialogHook::Proc(int code, WPARAM wParam, LPARAM lParam)
{
    TacDialogHook* self = installed;
    const LRESULT result = CallNextHookEx(self ? self->hook_ : nullptr, code, wParam, lParam);
    if (!self || result != 0 || self->AppDestroying())
        return result;
    if (code == HCBT_CREATEWND)
        self->Created(reinterpret_cast<HWND>(wParam), reinterpret_cast<CBT_CREATEWND*>(lParam));
    else if (code == HCBT_ACTIVATE)
        self->Activated(reinterpret_cast<HWND>(wParam));
    return result;
}

bool TacDialogHook::AppDestroying() const
{
    return toolkit::Application && toolkit::Application->ComponentState().Contains(toolkit::csDestroying);
}

void TacDialogHook::Created(HWND hwnd, CBT_CREATEWND* create)
{
    if (!hwnd || !create || !create->lpcs)
        return;
    const CREATESTRUCT& cs = *create->lpcs;
    if (cs.style & WS_CHILD)
        return; // children are wrapped with their dialog
    if (cs.lpszClass == u"#32768") {
        WrapPopupMenu(hwnd);
        return;
    }
    if (IsSystemDialogClass(cs.lpszClass)) {
        if (TakeOver(hwnd) && pendingPosition) {
            create->lpcs->x = int(pendingPosition->x);
            create->lpcs->y = int(pendingPosition->y);
        }
        return;
    }
    // Other windows by name: the toolkit's utility windows and windows without styles are no
    // forms; a form is found at its activation, once it is bound to its window.
    if (LowerAscii(cs.lpszClass) == u"tputilwindow" || cs.style == 0 || cs.dwExStyle == 0)
        return;
    TakeOver(hwnd);
}

void TacDialogHook::WrapPopupMenu(HWND hwnd)
{
    popupMenus_.erase(std::remove_if(popupMenus_.begin(), popupMenus_.end(), [](const auto& w) { return !w->Alive(); }),
                      popupMenus_.end());
    if (!manager_.SkinnedPopups || TacSubclassedWnd::Of(hwnd))
        return;
    popupMenus_.push_back(std::make_unique<TacPopupMenuWnd>(hwnd, manager_));
}

void TacDialogHook::Activated(HWND hwnd)
{
    RemoveDead();
    if (!hwnd)
        return;
    if (TacProvider* entry = Find(hwnd)) {
        // Controls a dialog made after it was taken over are wrapped now, before its first paint.
        if (entry->ListSW && !entry->ListSW->WrapChildren(entry->acSkinnedCtrls))
            list_.erase(std::find_if(list_.begin(), list_.end(), [&](const auto& e) { return e.get() == entry; }));
        return;
    }
    if (TacProvider* entry = TakeOver(hwnd))
        RedrawAll(entry->CtrlHandle);
}

TacProvider* TacDialogHook::Find(HWND hwnd) const
{
    for (const auto& entry : list_)
        if (entry->CtrlHandle == hwnd)
            return entry.get();
    return nullptr;
}

void TacDialogHook::RemoveDead()
{
    list_.erase(std::remove_if(list_.begin(), list_.end(), [](const auto& e) { return e->Dead(); }), list_.end());
}

std::vector<HWND> TacDialogHook::VisibleWindows() const
{
    std::vector<HWND> out;
    for (const auto& entry : list_)
        if (!entry->Dead() && IsWindowVisible(entry->CtrlHandle))
            out.push_back(entry->CtrlHandle);
    return out;
}

int TacDialogHook::VisibleDialogCount() const
{
    return int(std::count_if(list_.begin(), list_.end(), [](const auto& e) {
        return e->IsDialog() && !e->Dead() && IsWindowVisible(e->CtrlHandle);
    }));
}

TacProvider* TacDialogHook::TakeOver(HWND hwnd)
{
    if (!IsWindow(hwnd) || !manager_.Active() || !manager_.Model() || !manager_.IsDefault())
        return nullptr;
    if (TacSubclassedWnd::Of(hwnd) || Find(hwnd))
        return nullptr;
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    if ((style & WS_POPUP) && !(style & WS_BORDER))
        return nullptr;
    if (toolkit::TCustomForm* form = FormOf(hwnd))
        return TakeOverForm(form);
    return TakeOverDialog(hwnd);
}

TacProvider* TacDialogHook::TakeOverForm(toolkit::TCustomForm* form)
{
    if ((form->Tag & TagSkipForm) != 0)
        return nullptr;
    const auto& skip = ThirdPartySkipForms();
    if (std::find(skip.begin(), skip.end(), form->ClassName()) != skip.end())
        return nullptr;
    TsSkinProvider* provider = Attach(manager_, form);
    if (!provider)
        return nullptr;
    auto entry = std::make_unique<TacProvider>();
    entry->CtrlHandle = form->Handle();
    entry->sp = provider;
    // Plain push buttons of the kinds the manager skins by class name take the skin's buttons.
    const auto& buttons = manager_.ThirdLists[ThirdButtonsKind];
    for (int i = 0; manager_.SkinningRules.srThirdParty && i < form->ControlCount(); ++i) {
        auto* button = dynamic_cast<toolkit::TButton*>(form->Controls(i));
        if (!button || std::find(buttons.begin(), buttons.end(), button->ClassName()) == buttons.end())
            continue;
        button->HandleNeeded();
        entry->acSkinnedCtrls.push_back(std::make_unique<TacButtonWnd>(manager_, button->Handle()));
    }
    // The message's text is written in the skin's label colour, which its background is made for.
    if (auto* message = dynamic_cast<toolkit::TMessageForm*>(form)) {
        const int labelColor = manager_.Model()->GetGlobalFontColor();
        if (message->MessageLabel() && labelColor >= 0 && labelColor <= 0xFFFFFF)
            message->MessageLabel()->Font()->SetColor(toolkit::TColor(labelColor));
    }
    list_.push_back(std::move(entry));
    return list_.back().get();
}

TacProvider* TacDialogHook::TakeOverDialog(HWND hwnd)
{
    const bool child = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) != 0;
    if (!manager_.SkinningRules.srStdDialogs || child || !IsSystemDialogClass(GetClassName(hwnd)))
        return nullptr;
    if (VisibleDialogCount() >= ac_DialogsLevel && !HasToolbar(hwnd))
        return nullptr;
    bool allow = true;
    if (manager_.OnSysDlgInit)
        manager_.OnSysDlgInit(hwnd, allow);
    if (!allow)
        return nullptr;
    auto entry = std::make_unique<TacProvider>();
    entry->CtrlHandle = hwnd;
    entry->ListSW = std::make_unique<TacDialogWnd>(manager_, hwnd);
    if (!entry->ListSW->Alive() || !entry->ListSW->WrapChildren(entry->acSkinnedCtrls))
        return nullptr; // left unskinned: the entry and its wrappers go at once
    list_.push_back(std::move(entry));
    return list_.back().get();
}

TsSkinProvider* TacDialogHook::Attach(TsSkinManager& manager, toolkit::TCustomForm* form)
{
    if (!form || TsSkinProvider::Of(form) || !manager.Active() || !manager.Model())
        return nullptr;
    if (form->BorderStyle() == toolkit::bsNone || form->ComponentState().Contains(toolkit::csDestroying))
        return nullptr;
    if (form->ComponentState().Contains(toolkit::csLoading) && form->FormStyle() != toolkit::fsMDIChild)
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
