// The push buttons of the system message box: a small window class of its own. A click (mouse
// or Space) sends WM_COMMAND to the parent with the button's identifier and BN_CLICKED (0) in the
// high word. The default look follows the focus among sibling buttons; with no sibling focused it
// stays on the one created with kDefaultButton. Not for use outside platform/.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform::detail {

constexpr DWORD kDefaultButton = 0x1; // a style bit, as BS_DEFPUSHBUTTON
constexpr WORD kButtonClicked = 0;    // as BN_CLICKED

// Registers the class when it is not registered yet and answers its name.
StringView MessageBoxButtonClass();
bool IsMessageBoxButton(HWND hwnd);

} // namespace platform::detail
