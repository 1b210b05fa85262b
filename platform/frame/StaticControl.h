// The "Static" window class of dialogs: a text, word-wrapped on the window's colour (SS_LEFT), or
// an icon set with STM_SETICON (SS_ICON). The system message box builds its icon and text from it,
// so that whoever takes the box over finds them as child windows and can draw them in its own way.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "platform/text/Text.h"

namespace platform {

inline constexpr StringView kStaticClass = u"Static";

constexpr DWORD SS_LEFT = 0x00;
constexpr DWORD SS_ICON = 0x03;
constexpr DWORD SS_OWNERDRAW = 0x0D;
constexpr DWORD SS_TYPEMASK = 0x1F;
constexpr DWORD SS_NOPREFIX = 0x80;

// wParam the HICON (null clears it); answers the previous one.
constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;

// The format a text static draws with: left-aligned lines broken at words, tabs expanded.
constexpr UINT kStaticTextFormat = DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS;

// Registers the class when it is not registered yet and answers its name.
StringView StaticClass();

} // namespace platform
