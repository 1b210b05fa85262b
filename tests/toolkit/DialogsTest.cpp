#include "toolkit/Dialogs.h"
#include "toolkit/FormTester.h"
#include "toolkit/TButton.h"
#include "toolkit/TForm.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TMessageForm.h"
#include "toolkit/TScreen.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;
using namespace platform;

namespace {

TMessageForm* ModalMessageForm()
{
    return dynamic_cast<TMessageForm*>(TWinControl::FindControl(FormTester::ActiveModalWindow()));
}

class TSettingsLikeForm : public TForm {
public:
    explicit TSettingsLikeForm(TComponent* owner) : TForm(owner)
    {
        SetCaption(u"Настройки");
        SetClientWidth(300);
        SetClientHeight(120);
        apply = new TButton(this);
        apply->SetName(u"apply");
        apply->SetParent(this);
        apply->SetCaption(u"Применить");
        apply->SetBounds(10, 10, 120, 25);
        reset = new TButton(this);
        reset->SetName(u"reset");
        reset->SetParent(this);
        reset->SetCaption(u"Сброс настроек");
        reset->SetBounds(10, 50, 140, 30);
    }
    TButton* apply;
    TButton* reset;
};

} // namespace

TEST(MessageDlgTest, TheFormHoldsAnIconTheTextAndOneButtonPerAnswer)
{
    FormTester tester;
    tester.App().SetTitle(u"Lumo TV Player");
    TMessageForm* form = CreateMessageDialog(u"Вы дествительно хотите сбросить настройки?", mtInformation, mbOKCancel);
    EXPECT_EQ(form->ClassName(), u"TMessageForm");
    EXPECT_EQ(form->Caption(), u"Информация");
    ASSERT_NE(form->IconImage(), nullptr);
    EXPECT_EQ(FormTester::Find<TImage>(form, u"Image")->Picture()->Width(), 32);
    EXPECT_EQ(FormTester::Find<TLabel>(form, u"Message")->Caption(), u"Вы дествительно хотите сбросить настройки?");
    auto* ok = FormTester::Find<TButton>(form, u"OK");
    auto* cancel = FormTester::Find<TButton>(form, u"Cancel");
    EXPECT_EQ(ok->Caption(), u"ОК");
    EXPECT_EQ(cancel->Caption(), u"Отмена");
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(cancel->Cancel());
    // Buttons side by side under the text, the group centred.
    EXPECT_EQ(ok->Top(), cancel->Top());
    EXPECT_LT(ok->Left(), cancel->Left());
    EXPECT_GT(ok->Top(), form->MessageLabel()->Top() + form->MessageLabel()->Height());
    EXPECT_EQ(ok->Left(), form->ClientWidth() - (cancel->Left() + cancel->Width()));
    // Its window class carries the name, so that a skin's window hook can recognise it.
    EXPECT_EQ(GetClassName(form->Handle()), u"TMessageForm");
    Free(form);

    // ShowMessage's form: the program's title, no icon, one OK button.
    form = CreateMessageDialog(u"Настройки успешно изменены!", mtCustom, {mbOK});
    EXPECT_EQ(form->Caption(), u"Lumo TV Player");
    EXPECT_EQ(form->IconImage(), nullptr);
    EXPECT_EQ(form->Buttons().size(), 1u);
    Free(form);
}

TEST(MessageDlgTest, AnswersTheButtonPressedByMouseEnterOrEscape)
{
    FormTester tester;
    auto* main = tester.CreateForm<TSettingsLikeForm>();
    main->Show();
    tester.Pump();

    tester.WhenModal([&] {
        TMessageForm* form = ModalMessageForm();
        ASSERT_NE(form, nullptr);
        headless::Click(FormTester::ScreenPoint(FormTester::Find<TButton>(form, u"No")));
    });
    EXPECT_EQ(MessageDlg(u"Сохранить?", mtConfirmation, mbYesNoCancel), mrNo);

    tester.WhenModal([&] {
        headless::KeyDown(VK_RETURN);
        headless::KeyUp(VK_RETURN);
    });
    EXPECT_EQ(MessageDlg(u"Сохранить?", mtConfirmation, mbYesNo), mrYes);

    tester.WhenModal([&] {
        headless::KeyDown(VK_ESCAPE);
        headless::KeyUp(VK_ESCAPE);
    });
    EXPECT_EQ(MessageDlg(u"Сбросить?", mtInformation, mbOKCancel), mrCancel);

    // Tab to the second button, then Enter presses the focused one.
    tester.WhenModal([&] {
        headless::KeyDown(VK_TAB);
        headless::KeyUp(VK_TAB);
        headless::KeyDown(VK_RETURN);
        headless::KeyUp(VK_RETURN);
    });
    EXPECT_EQ(MessageDlg(u"Сбросить?", mtInformation, mbOKCancel), mrCancel);

    // The window's close button answers Cancel even without a Cancel button.
    tester.WhenModal([&] { PostMessage(ModalMessageForm()->Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(MessageDlg(u"Ошибка", mtError, {mbOK}), mrCancel);

    // The forms are freed afterwards.
    EXPECT_EQ(Screen->FormCount(), 1);
}

TEST(MessageDlgTest, RunsInsideANestedModalLoopAndGivesTheFocusBack)
{
    FormTester tester;
    auto* main = tester.CreateForm<TSettingsLikeForm>();
    TSettingsLikeForm* settings = nullptr;
    tester.App().CreateForm(settings);
    main->Show();
    tester.Pump();

    std::vector<int> answers;
    settings->reset->OnClick = [&](TObject*) {
        tester.WhenModal([&] {
            TMessageForm* form = ModalMessageForm();
            ASSERT_NE(form, nullptr);
            // Both other windows wait: the main form and the modal settings form.
            EXPECT_FALSE(IsWindowEnabled(main->Handle()));
            EXPECT_FALSE(IsWindowEnabled(settings->Handle()));
            EXPECT_EQ(GetActiveWindow(), form->Handle());
            EXPECT_EQ(GetFocus(), FormTester::Find<TButton>(form, u"OK")->Handle());
            // Clicks on the waiting windows go nowhere.
            headless::Click(FormTester::ScreenPoint(settings->apply));
            tester.Pump();
            EXPECT_EQ(GetActiveWindow(), form->Handle());
            headless::KeyDown(VK_RETURN);
            headless::KeyUp(VK_RETURN);
        });
        answers.push_back(MessageDlg(u"Вы дествительно хотите сбросить настройки?", mtInformation, mbOKCancel));
        tester.WhenModal([&] {
            headless::KeyDown(VK_RETURN);
            headless::KeyUp(VK_RETURN);
        });
        ShowMessage(u"Настройки успешно изменены!");
        answers.push_back(-1);
    };

    tester.WhenModal([&] {
        settings->apply->SetFocus();
        ASSERT_EQ(GetFocus(), settings->apply->Handle());
        headless::Click(FormTester::ScreenPoint(settings->reset));
        tester.Pump();
        // Back in the settings form's loop: it is enabled and active again, the focus where the
        // click put it, and the main form still waits.
        EXPECT_EQ(GetActiveWindow(), settings->Handle());
        EXPECT_EQ(GetFocus(), settings->reset->Handle());
        EXPECT_TRUE(IsWindowEnabled(settings->Handle()));
        EXPECT_FALSE(IsWindowEnabled(main->Handle()));
        settings->SetModalResult(mrOk);
    });
    EXPECT_EQ(settings->ShowModal(), mrOk);
    EXPECT_EQ(answers, (std::vector<int>{mrOk, -1}));
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_EQ(GetActiveWindow(), main->Handle());
}
