// Sends a skin command to every window that may hold skinned controls, in the engine's order:
// the application's forms from the last to the first, each form before its children (parents
// before children); then forms registered with the engine on their own; last the dialogs the
// dialog hook has taken over. Until forms exist above the platform, the forms are the thread's
// top-level windows; the program replaces the source with its own list.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <functional>
#include <vector>

namespace skin {

class SkinBroadcaster {
public:
    // The application's forms in creation order (the broadcast walks them backwards).
    std::function<std::vector<platform::HWND>()> ApplicationForms;
    // Visible dialogs taken over by the dialog hook.
    std::function<std::vector<platform::HWND>()> HookedDialogs;

    SkinBroadcaster();

    void RegisterForm(platform::HWND form);
    void UnregisterForm(platform::HWND form);

    // SendMessage to every target; windows destroyed on the way are skipped.
    void Broadcast(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) const;
    // The windows of one broadcast, in order.
    std::vector<platform::HWND> Targets() const;

    // The thread's top-level windows, bottom of the z-order first (oldest forms first for windows
    // that were never restacked).
    static std::vector<platform::HWND> ThreadTopLevelWindows();

private:
    std::vector<platform::HWND> registered_;
};

} // namespace skin
