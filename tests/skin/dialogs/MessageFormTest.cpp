// The program's own message forms taken over by the dialog hook: a run-time provider with the
// skin's colours, skinned buttons, the rules that leave forms alone, and the list of what was taken.
#include "DialogsTestSupport.h"

#include <cstdlib>

#include "skin/dialogs/TacButtonWnd.h"
#include "skin/forms/TsSkinProvider.h"

#include "platform/window/Window.h"
#include "toolkit/Dialogs.h"
#include "toolkit/TButton.h"
#include "toolkit/TMessageForm.h"

using namespace platform;
using namespace skin;
using dialogstest::DialogsFixture;

namespace {

toolkit::TMessageForm* ShownMessageForm()
{
    return dynamic_cast<toolkit::TMessageForm*>(toolkit::TWinControl::FindControl(toolkit::FormTester::ActiveModalWindow()));
}

class MessageFormTest : public DialogsFixture {
protected:
    // A pixel near the left edge of a control, halfway down, in the shot of its window.
    static PixelBGRA InWindow(const Bitmap& shot, toolkit::TForm* form, toolkit::TControl* control)
    {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        const POINT p = toolkit::FormTester::ScreenPoint(control, POINT{3, control->Height() / 2});
        return shot.Pixel(int(p.x - window.left), int(p.y - window.top)) | 0xFF000000u;
    }

    // Asks the reset question as the settings window does and runs check while it is shown; the
    // answer is the button clicked at the end.
    int Ask(const std::function<void(toolkit::TMessageForm*)>& check, const char16_t* answer = u"Cancel")
    {
        return dialogstest::WhileShown(
            [] { return toolkit::MessageDlg(u"Вы дествительно хотите сбросить настройки?", toolkit::mtInformation,
                                            toolkit::mbOKCancel); },
            [&] {
                toolkit::TMessageForm* form = ShownMessageForm();
                ASSERT_NE(form, nullptr);
                tester_->Pump();
                check(form);
                tester_->Click(toolkit::FormTester::Find<toolkit::TButton>(form, answer));
            });
    }
};

TEST_F(MessageFormTest, TheResetQuestionIsASkinnedFormWithSkinnedButtonsAndAnswersAsBefore)
{
    const int answer = Ask([&](toolkit::TMessageForm* form) {
        TsSkinProvider* provider = TsSkinProvider::Of(form);
        ASSERT_NE(provider, nullptr);
        EXPECT_FALSE(provider->UseGlobalColor());
        EXPECT_TRUE(provider->DrawsFrame());
        const TacProvider* entry = manager_->DialogHook()->Find(form->Handle());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->sp, provider);
        EXPECT_FALSE(entry->IsDialog());
        ASSERT_EQ(entry->acSkinnedCtrls.size(), 2u);

        // The title in the skin's active title colour, the Cancel button (neither focused nor
        // default) in the button section's colour, its neighbour OK (default, focused) hot.
        const Bitmap shot = tester_->WindowShot(form);
        if (const char* dir = std::getenv("LUMO_RENDER_DIR"))
            toolkit::FormTester::SavePng(shot, std::string(dir) + "/message-form.png");
        EXPECT_EQ(shot.Pixel(shot.Width() / 2, 4) | 0xFF000000u, dialogstest::Rgb(formstest::TitleActive));
        auto* cancel = toolkit::FormTester::Find<toolkit::TButton>(form, u"Cancel");
        auto* ok = toolkit::FormTester::Find<toolkit::TButton>(form, u"OK");
        EXPECT_NE(dynamic_cast<TacButtonWnd*>(TacSubclassedWnd::Of(cancel->Handle())), nullptr);
        EXPECT_EQ(dynamic_cast<TacButtonWnd*>(TacSubclassedWnd::Of(cancel->Handle()))->CurrentState(), 0);
        EXPECT_EQ(dynamic_cast<TacButtonWnd*>(TacSubclassedWnd::Of(ok->Handle()))->CurrentState(), 1);
        EXPECT_EQ(InWindow(shot, form, cancel), dialogstest::Rgb(dialogstest::ButtonColor));
        EXPECT_EQ(InWindow(shot, form, ok), dialogstest::Rgb(dialogstest::ButtonHot));
    });
    EXPECT_EQ(answer, toolkit::mrCancel);
    EXPECT_EQ(Ask([](toolkit::TMessageForm*) {}, u"OK"), toolkit::mrOk);
}

TEST_F(MessageFormTest, WithoutStandardDialogsTheQuestionIsShownAsThePlatformDrawsIt)
{
    EXPECT_FALSE(TsSkinManager::UseLatestCommonDialogs());
    manager_->SkinningRules.srStdDialogs = false;
    // The switch follows the rule at the next skin the manager loads.
    manager_->SetSkinName(u"Dialogs (internal)");
    EXPECT_TRUE(TsSkinManager::UseLatestCommonDialogs());
    Ask([&](toolkit::TMessageForm* form) {
        EXPECT_EQ(TsSkinProvider::Of(form), nullptr);
        EXPECT_EQ(manager_->DialogHook()->Find(form->Handle()), nullptr);
        auto* ok = toolkit::FormTester::Find<toolkit::TButton>(form, u"OK");
        EXPECT_EQ(TacSubclassedWnd::Of(ok->Handle()), nullptr);
    });
    // Ordinary forms follow their own rule.
    EXPECT_NE(TsSkinProvider::Of(main_), nullptr);
}

TEST_F(MessageFormTest, PlainButtonsAreSkinnedOnlyByTheThirdPartyRuleAndList)
{
    manager_->SkinningRules.srThirdParty = false;
    Ask([&](toolkit::TMessageForm* form) {
        ASSERT_NE(TsSkinProvider::Of(form), nullptr);
        EXPECT_TRUE(manager_->DialogHook()->Find(form->Handle())->acSkinnedCtrls.empty());
    });
    manager_->SkinningRules.srThirdParty = true;
    manager_->ThirdLists[1].clear();
    Ask([&](toolkit::TMessageForm* form) {
        EXPECT_TRUE(manager_->DialogHook()->Find(form->Handle())->acSkinnedCtrls.empty());
    });
}

class SkipForm : public formstest::FixedForm {
public:
    using FixedForm::FixedForm;
};

TEST_F(MessageFormTest, FormsMarkedInTheirTagOrListedByClassAreLeftAlone)
{
    auto* tagged = tester_->CreateForm<formstest::FixedForm>();
    tagged->Tag = TagSkipForm | 0x3;
    tagged->Show();
    tester_->Pump();
    EXPECT_EQ(TsSkinProvider::Of(tagged), nullptr);

    ThirdPartySkipForms().push_back(u"SkipForm");
    auto* listed = tester_->CreateForm<SkipForm>();
    listed->Show();
    tester_->Pump();
    EXPECT_EQ(TsSkinProvider::Of(listed), nullptr);

    // Another bit of the tag does not count.
    auto* other = tester_->CreateForm<formstest::FixedForm>();
    other->Tag = 0x80;
    other->Show();
    tester_->Pump();
    EXPECT_NE(TsSkinProvider::Of(other), nullptr);
    EXPECT_NE(manager_->DialogHook()->Find(other->Handle()), nullptr);
}

TEST_F(MessageFormTest, DeadEntriesLeaveTheListBeforeTheNextActivation)
{
    HWND question = nullptr;
    Ask([&](toolkit::TMessageForm* form) { question = form->Handle(); });
    tester_->Pump();
    // The form is freed with its window; the activations since have dropped its entry.
    const TacDialogHook* hook = manager_->DialogHook();
    ASSERT_NE(hook, nullptr);
    EXPECT_FALSE(IsWindow(question));
    auto* next = tester_->CreateForm<formstest::FixedForm>();
    next->Show();
    tester_->Pump();
    EXPECT_EQ(hook->Find(question), nullptr);
    for (const auto& entry : hook->List())
        EXPECT_FALSE(entry->Dead());
    EXPECT_NE(hook->Find(next->Handle()), nullptr);
}

} // namespace
