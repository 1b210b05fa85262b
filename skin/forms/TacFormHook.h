// The manager's activation hook: every form of the program gets its skin provider the first time
// it is activated while a skin is in force, without declaring one itself.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "platform/window/Hook.h"

namespace toolkit {
class TCustomForm;
}

namespace skin {

class TsSkinManager;
class TsSkinProvider;

class TacFormHook {
public:
    // Installs the hook on the user-interface thread for manager (one hook at a time) and takes
    // the window that is already active.
    explicit TacFormHook(TsSkinManager& manager);
    ~TacFormHook();
    TacFormHook(const TacFormHook&) = delete;
    TacFormHook& operator=(const TacFormHook&) = delete;

    // Gives form a provider when it qualifies (a form of the program without one, with a border,
    // not being loaded, admitted by the skinning rules); answers the new provider or null.
    static TsSkinProvider* Attach(TsSkinManager& manager, toolkit::TCustomForm* form);

private:
    static platform::LRESULT Proc(int code, platform::WPARAM wParam, platform::LPARAM lParam);
    void Activated(platform::HWND hwnd);

    TsSkinManager& manager_;
    platform::HHOOK hook_ = nullptr;
};

} // namespace skin
