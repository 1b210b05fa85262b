// The skin engine's own message boxes: system message boxes ("#32770") that the dialog hook takes
// over and skins like any system dialog.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "toolkit/Dialogs.h"

namespace skin {

// Shows the box titled by the dialog type; answers the pressed button as the system box does
// (IDOK 1, IDCANCEL 2, IDABORT 3, IDRETRY 4, IDIGNORE 5, IDYES 6, IDNO 7).
int sMessageDlg(platform::StringView Msg, toolkit::TMsgDlgType DlgType, toolkit::TMsgDlgButtons Buttons, int HelpCtx);

// An empty Title takes the dialog type's caption; a position other than (-1, -1) is where the box
// goes when it is taken over. There is no help system: HelpCtx and HelpFileName are kept for the
// callers' sake, and mbHelp's button asks the owner window (WM_HELP).
int sMessageDlgPosHelp(platform::StringView Title, platform::StringView Msg, toolkit::TMsgDlgType DlgType,
                       toolkit::TMsgDlgButtons Buttons, int HelpCtx, int X, int Y, platform::StringView HelpFileName);

// The caption of a box of that type when no title is given ("Warning", "Error", ...; none for
// mtCustom).
platform::StringView sDialogCaption(toolkit::TMsgDlgType DlgType);
// The system box's buttons (MB_OK ... MB_RETRYCANCEL, with MB_HELP) for a button set.
platform::UINT sMessageBoxButtons(toolkit::TMsgDlgButtons Buttons);
// The system box's icon (MB_ICON*) for a dialog type; 0 for mtCustom.
platform::UINT sMessageBoxIcon(toolkit::TMsgDlgType DlgType);

} // namespace skin
