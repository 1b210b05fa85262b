#include "skin/manager/SkinBroadcaster.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <algorithm>

using namespace platform;

namespace skin {

namespace {

BOOL CollectWindow(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return 1;
}

void AddWithChildren(std::vector<HWND>& out, HWND window)
{
    if (!IsWindow(window) || std::find(out.begin(), out.end(), window) != out.end())
        return;
    out.push_back(window);
    EnumChildWindows(window, CollectWindow, reinterpret_cast<LPARAM>(&out));
}

} // namespace

SkinBroadcaster::SkinBroadcaster() : ApplicationForms(ThreadTopLevelWindows) {}

std::vector<HWND> SkinBroadcaster::ThreadTopLevelWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(0, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::reverse(windows.begin(), windows.end());
    return windows;
}

void SkinBroadcaster::RegisterForm(HWND form)
{
    if (std::find(registered_.begin(), registered_.end(), form) == registered_.end())
        registered_.push_back(form);
}

void SkinBroadcaster::UnregisterForm(HWND form)
{
    registered_.erase(std::remove(registered_.begin(), registered_.end(), form), registered_.end());
}

std::vector<HWND> SkinBroadcaster::Targets() const
{
    std::vector<HWND> out;
    std::vector<HWND> forms = ApplicationForms ? ApplicationForms() : std::vector<HWND>();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        AddWithChildren(out, *it);
    for (HWND form : registered_)
        AddWithChildren(out, form);
    if (HookedDialogs)
        for (HWND dialog : HookedDialogs())
            if (IsWindowVisible(dialog))
                AddWithChildren(out, dialog);
    return out;
}

void SkinBroadcaster::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    for (HWND target : Targets())
        if (IsWindow(target))
            SendMessage(target, msg, wParam, lParam);
}

} // namespace skin
