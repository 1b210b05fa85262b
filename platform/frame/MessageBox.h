// The system message box: a modal dialog of class "#32770" with an icon, the text and push
// buttons, so that a dialog hook can take it over like any system dialog.
//
// On the virtual screen every box's title and text also go to standard error as one line,
// "MessageBox: <title>: <text>", and once AnswerMessageBoxesAtOnce(true) was called (by a program
// run unattended) each box answers its default button without showing a window.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace platform {

// Until the platform is built anew. Only the virtual screen answers at once.
void AnswerMessageBoxesAtOnce(bool on);

// The class name of the dialog window.
inline constexpr StringView kMessageBoxClass = u"#32770";

// type: one button set (MB_OK ... MB_RETRYCANCEL), one icon (MB_ICON*), one MB_DEFBUTTONn and
// MB_TOPMOST. owner: the window the box belongs to (null: the active window). While the box is
// shown the owner and every other top-level window of the thread are disabled; afterwards they
// are enabled again and activation and focus return to where they were. Answers the identifier
// of the pressed button (IDOK, IDCANCEL, IDYES, ...); Escape and the close button answer IDCANCEL
// when the box has a Cancel button, IDOK for a lone OK button, and are refused otherwise.
int MessageBox(HWND owner, StringView text, StringView caption, UINT type);

// The caption of a message box button by its identifier ("ОК", "Отмена", "Да", ...); empty for an
// identifier without a standard button.
StringView MessageBoxButtonText(int id);

// There is no sound on this platform: answers true and does nothing.
bool MessageBeep(UINT type);

} // namespace platform
