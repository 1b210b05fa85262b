#include "skin/dialogs/sMessageDlg.h"

#include "skin/dialogs/TacDialogHook.h"

#include "platform/frame/MessageBox.h"
#include "platform/window/Window.h"

using namespace platform;
using namespace toolkit;

namespace skin {

StringView sDialogCaption(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirm";
    case mtCustom: break;
    }
    return {};
}

UINT sMessageBoxIcon(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return MB_ICONWARNING;
    case mtError: return MB_ICONERROR;
    case mtInformation: return MB_ICONINFORMATION;
    case mtConfirmation: return MB_ICONQUESTION;
    case mtCustom: break;
    }
    return 0;
}

UINT sMessageBoxButtons(TMsgDlgButtons Buttons)
{
    UINT set = MB_OK;
    if (Buttons.Contains(mbOK))
        set = Buttons.Contains(mbCancel) ? MB_OKCANCEL : MB_OK;
    else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore))
        set = MB_ABORTRETRYIGNORE;
    else if (Buttons.Contains(mbYes) || Buttons.Contains(mbNo))
        set = Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Buttons.Contains(mbRetry))
        set = MB_RETRYCANCEL;
    if (Buttons.Contains(mbHelp))
        set |= MB_HELP;
    return set;
}

int sMessageDlgPosHelp(StringView Title, StringView Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int, int X,
                       int Y, StringView)
{
    const StringView title = Title.empty() ? sDialogCaption(DlgType) : Title;
    const bool positioned = X != -1 || Y != -1;
    if (positioned)
        TacDialogHook::SetPendingPosition(POINT{X, Y});
    // The box disables the program's other windows while it is shown and gives the focus back.
    const int answer = MessageBox(GetActiveWindow(), Msg, title, sMessageBoxButtons(Buttons) | sMessageBoxIcon(DlgType));
    if (positioned)
        TacDialogHook::SetPendingPosition(std::nullopt);
    return answer;
}

int sMessageDlg(StringView Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return sMessageDlgPosHelp({}, Msg, DlgType, Buttons, HelpCtx, -1, -1, {});
}

} // namespace skin
