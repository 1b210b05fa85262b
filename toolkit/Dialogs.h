// The program's own message windows: ShowMessage and MessageDlg build a modal form of class
// "TMessageForm" (an icon, the text and push buttons) and answer the button pressed.
#pragma once

#include "toolkit/Types.h"

namespace toolkit {

class TMessageForm;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
                  mbClose };
using TMsgDlgButtons = Set<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A message with an OK button, titled with the program's title.
void ShowMessage(StringView message);
// Answers mrYes, mrNo, mrOk, mrCancel, ... for the button pressed; closing the window answers
// mrCancel.
int MessageDlg(StringView message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext = 0);
// The form MessageDlg shows, built and ready; the caller frees it.
TMessageForm* CreateMessageDialog(StringView message, TMsgDlgType type, TMsgDlgButtons buttons);

} // namespace toolkit
