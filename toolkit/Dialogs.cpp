#include "toolkit/Dialogs.h"

#include "toolkit/TApplication.h"
#include "toolkit/TMessageForm.h"

namespace toolkit {

TMessageForm* CreateMessageDialog(StringView message, TMsgDlgType type, TMsgDlgButtons buttons)
{
    auto* form = new TMessageForm(Application, message, type, buttons);
    form->AfterConstruction();
    return form;
}

int MessageDlg(StringView message, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    TMessageForm* form = CreateMessageDialog(message, type, buttons);
    int result = mrNone;
    try {
        result = form->ShowModal();
    } catch (...) {
        Free(form);
        throw;
    }
    Free(form);
    return result;
}

void ShowMessage(StringView message)
{
    MessageDlg(message, mtCustom, {mbOK}, 0);
}

} // namespace toolkit
