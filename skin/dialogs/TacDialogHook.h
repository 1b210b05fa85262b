// The default manager's window-creation hook: every form of the program gets its skin provider the
// first time it is activated, the program's message forms and system dialogs are taken over while
// they are created, and the windows taken over are kept in a list until they die.
#pragma once

#include "skin/dialogs/TacProvider.h"

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "platform/window/Hook.h"

#include <memory>
#include <optional>
#include <vector>

namespace toolkit {
class TCustomForm;
}

namespace skin {

class TsSkinManager;
class TsSkinProvider;
class TacPopupMenuWnd;

// The number of visible taken-over system dialogs from which further ones stay plain.
inline int ac_DialogsLevel = 2;
// Form class names that are never taken over.
std::vector<platform::String>& ThirdPartySkipForms();
// A form whose Tag has this bit is left alone.
inline constexpr std::intptr_t TagSkipForm = 0x100;

class TacDialogHook {
public:
    // Installs the hook on the user-interface thread for manager (one hook at a time) and takes
    // over the window that is already active.
    explicit TacDialogHook(TsSkinManager& manager);
    // Lets go of the windows taken over: dialogs get their own look back, forms keep their
    // providers (they follow the manager's broadcasts).
    ~TacDialogHook();
    TacDialogHook(const TacDialogHook&) = delete;
    TacDialogHook& operator=(const TacDialogHook&) = delete;

    // The hook in force; null while none is installed.
    static TacDialogHook* Installed();

    const std::vector<std::unique_ptr<TacProvider>>& List() const { return list_; }
    // The popup menu windows wrapped so far (those that died are dropped at the next wrap).
    const std::vector<std::unique_ptr<TacPopupMenuWnd>>& PopupMenus() const { return popupMenus_; }
    TacProvider* Find(platform::HWND hwnd) const;
    // Drops the entries whose window has died.
    void RemoveDead();
    // The visible windows taken over (forms and dialogs), in the order they were taken.
    std::vector<platform::HWND> VisibleWindows() const;
    int VisibleDialogCount() const;

    // Takes a window over by the rules; answers its new entry, or null when it was left alone.
    TacProvider* TakeOver(platform::HWND hwnd);

    // Gives form a provider when it qualifies (a form of the program without one, with a border,
    // not being loaded, admitted by the skinning rules); answers the new provider or null.
    static TsSkinProvider* Attach(TsSkinManager& manager, toolkit::TCustomForm* form);

    // The position the next system dialog taken over is moved to (sMessageDlgPosHelp's X, Y).
    static void SetPendingPosition(std::optional<platform::POINT> position);

private:
    static platform::LRESULT Proc(int code, platform::WPARAM wParam, platform::LPARAM lParam);
    void Created(platform::HWND hwnd, platform::CBT_CREATEWND* create);
    void Activated(platform::HWND hwnd);
    void WrapPopupMenu(platform::HWND hwnd);
    TacProvider* TakeOverForm(toolkit::TCustomForm* form);
    TacProvider* TakeOverDialog(platform::HWND hwnd);
    bool AppDestroying() const;

    TsSkinManager& manager_;
    platform::HHOOK hook_ = nullptr;
    std::vector<std::unique_ptr<TacProvider>> list_;
    std::vector<std::unique_ptr<TacPopupMenuWnd>> popupMenus_;
};

} // namespace skin
