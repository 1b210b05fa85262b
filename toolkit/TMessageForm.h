// The form of ShowMessage and MessageDlg: an icon ("Image"), the text ("Message") and one push
// button per answer (named "Yes", "No", "OK", "Cancel", ...), centred on the screen.
#pragma once

#include "toolkit/Dialogs.h"
#include "toolkit/TForm.h"

#include <vector>

namespace toolkit {

class TButton;
class TImage;
class TLabel;

class TMessageForm : public TForm {
public:
    TMessageForm(TComponent* AOwner, StringView message, TMsgDlgType type, TMsgDlgButtons buttons);

    TLabel* MessageLabel() const { return message_; }
    TImage* IconImage() const { return image_; }
    const std::vector<TButton*>& Buttons() const { return buttons_; }

private:
    TLabel* message_ = nullptr;
    TImage* image_ = nullptr;
    std::vector<TButton*> buttons_;
};

} // namespace toolkit
