#include "toolkit/TMessageForm.h"

#include "platform/frame/MessageBox.h"
#include "platform/frame/MessageIcon.h"
#include "platform/text/Text.h"
#include "platform/core/WinUser.h"
#include "toolkit/TApplication.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TButton.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TScreen.h"

#include <algorithm>
#include <cmath>

namespace toolkit {

using namespace platform;

namespace {

int MulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * double(b) / double(c)));
}

struct ButtonInfo {
    TMsgDlgBtn button;
    const char16_t* name;
    TModalResult result;
    int systemId; // the system box's button of the same meaning, for its caption
    const char16_t* caption;
};

constexpr ButtonInfo kButtons[] = {
    {mbYes, u"Yes", mrYes, IDYES, nullptr},
    {mbNo, u"No", mrNo, IDNO, nullptr},
    {mbOK, u"OK", mrOk, IDOK, nullptr},
    {mbCancel, u"Cancel", mrCancel, IDCANCEL, nullptr},
    {mbAbort, u"Abort", mrAbort, IDABORT, nullptr},
    {mbRetry, u"Retry", mrRetry, IDRETRY, nullptr},
    {mbIgnore, u"Ignore", mrIgnore, IDIGNORE, nullptr},
    {mbAll, u"All", mrAll, 0, u"Все"},
    {mbNoToAll, u"NoToAll", mrNoToAll, 0, u"Нет для всех"},
    {mbYesToAll, u"YesToAll", mrYesToAll, 0, u"Да для всех"},
    {mbHelp, u"Help", mrNone, 0, u"Справка"},
    {mbClose, u"Close", mrClose, IDCLOSE, nullptr},
};

String TypeCaption(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return u"Предупреждение";
    case mtError: return u"Ошибка";
    case mtInformation: return u"Информация";
    case mtConfirmation: return u"Подтверждение";
    case mtCustom: break;
    }
    return Application ? Application->Title() : String();
}

MessageIcon TypeIcon(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return MessageIcon::Warning;
    case mtError: return MessageIcon::Stop;
    case mtInformation: return MessageIcon::Information;
    case mtConfirmation: return MessageIcon::Question;
    case mtCustom: break;
    }
    return MessageIcon::None;
}

} // namespace

TMessageForm::TMessageForm(TComponent* AOwner, StringView message, TMsgDlgType type, TMsgDlgButtons buttons)
    : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetCaption(TypeCaption(type));

    // Spacing in dialog units of the form's font, so that the layout follows the font.
    TCanvas measure;
    measure.Font()->Assign(Font());
    const TSize letters = measure.TextExtent(u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const TPoint units{std::max(1, letters.cx / 52), std::max(1, letters.cy)};
    const int horzMargin = MulDiv(8, units.x, 4), vertMargin = MulDiv(8, units.y, 8);
    const int horzSpacing = MulDiv(10, units.x, 4), vertSpacing = MulDiv(10, units.y, 8);
    const int buttonWidth = MulDiv(50, units.x, 4), buttonHeight = MulDiv(14, units.y, 8);
    const int buttonSpacing = MulDiv(4, units.x, 4);

    TRect textRect{0, 0, Screen ? Screen->Width() / 2 : 640, 0};
    measure.DrawText(message, textRect, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const MessageIcon icon = TypeIcon(type);
    int iconTextWidth = textRect.right, iconTextHeight = textRect.bottom;
    if (icon != MessageIcon::None) {
        iconTextWidth += kMessageIconSize + horzSpacing;
        iconTextHeight = std::max(iconTextHeight, kMessageIconSize);
    }

    const TMsgDlgBtn defaultButton = buttons.Contains(mbOK)    ? mbOK
                                     : buttons.Contains(mbYes) ? mbYes
                                                               : mbRetry;
    const TMsgDlgBtn cancelButton = buttons.Contains(mbCancel) ? mbCancel
                                    : buttons.Contains(mbNo)   ? mbNo
                                                               : mbOK;
    std::vector<int> widths;
    int groupWidth = 0;
    for (const ButtonInfo& info : kButtons) {
        if (!buttons.Contains(info.button))
            continue;
        String caption = info.caption ? String(info.caption) : String(MessageBoxButtonText(info.systemId));
        auto* button = new TButton(this);
        button->SetName(info.name);
        button->SetParent(this);
        button->SetCaption(caption);
        button->SetModalResult(info.result);
        button->SetDefault(info.button == defaultButton);
        button->SetCancel(info.button == cancelButton);
        if (button->Default())
            SetActiveControl(button);
        int width = std::max(buttonWidth, measure.TextWidth(caption) + 8);
        widths.push_back(width);
        groupWidth += width + (buttons_.empty() ? 0 : buttonSpacing);
        buttons_.push_back(button);
    }

    SetClientWidth(std::max(iconTextWidth, groupWidth) + horzMargin * 2);
    SetClientHeight(iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2);
    const int clientWidth = std::max(iconTextWidth, groupWidth) + horzMargin * 2;

    if (icon != MessageIcon::None) {
        image_ = new TImage(this);
        image_->SetName(u"Image");
        image_->SetParent(this);
        TBitmap picture;
        picture.SetBitmap(*GetMessageIcon(icon), true);
        image_->Picture()->SetGraphic(&picture);
        image_->SetBounds(horzMargin, vertMargin, kMessageIconSize, kMessageIconSize);
    }
    message_ = new TLabel(this);
    message_->SetName(u"Message");
    message_->SetParent(this);
    message_->SetAutoSize(false);
    message_->SetWordWrap(true);
    message_->SetShowAccelChar(false);
    message_->SetTransparent(true);
    message_->SetCaption(message);
    message_->SetBounds(iconTextWidth - textRect.right + horzMargin, vertMargin, textRect.right, textRect.bottom);

    int x = (clientWidth - groupWidth) / 2;
    const int y = iconTextHeight + vertMargin + vertSpacing;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->SetBounds(x, y, widths[i], buttonHeight);
        x += widths[i] + buttonSpacing;
    }
}

} // namespace toolkit
