// One window taken over by the dialog hook: a form with its run-time skin provider, or a system
// dialog with its wrapper, and the child windows wrapped so that they are drawn on the skin.
#pragma once

#include "skin/dialogs/TacDialogWnd.h"
#include "skin/dialogs/TacSubclassedWnd.h"

#include "platform/core/Types.h"
#include "platform/window/Window.h"

#include <memory>
#include <vector>

namespace skin {

class TsSkinProvider;

struct TacProvider {
    platform::HWND CtrlHandle = nullptr;
    // The wrapper of a system dialog; null for a form.
    std::unique_ptr<TacDialogWnd> ListSW;
    // The provider of a form; it belongs to the form and goes with it.
    TsSkinProvider* sp = nullptr;
    // Declared last so that the children let go of their windows before the dialog does.
    std::vector<std::unique_ptr<TacSubclassedWnd>> acSkinnedCtrls;

    bool Dead() const { return !platform::IsWindow(CtrlHandle); }
    bool IsDialog() const { return ListSW != nullptr; }
};

} // namespace skin
