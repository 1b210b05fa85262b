// Skinned buttons under the mouse on the virtual screen: clicks, presses released elsewhere, the
// default button's state, and one hot speed button per parent.
#include "../controls/ControlsTestSupport.h"

#include "skin/controls/TsBitBtn.h"
#include "skin/controls/TsButton.h"
#include "skin/controls/TsSpeedButton.h"
#include "skin/effects/TacThreadedTimer.h"

using namespace controlstest;

namespace {

std::string ButtonSections()
{
    return StandardSections() + "[BUTTON]\r\nCOLOR=" + std::to_string(PlainColor) +
           "\r\nHOTCOLOR=" + std::to_string(HotColor) + "\r\nBORDERSMASK=" + BorderValue +
           "\r\n[TOOLBUTTON]\r\nPARENTCLASS=SPEEDBUTTON\r\n";
}

class ButtonsForm : public toolkit::TForm {
public:
    explicit ButtonsForm(toolkit::TComponent* owner) : toolkit::TForm(owner)
    {
        SetBounds(40, 40, 400, 200);
        SetClientWidth(380);
        SetClientHeight(160);
        panel = toolkit::FormTester::Make<skin::TsPanel>(this, this, u"panel", 0, 0, 380, 160);
        panel->SetBevelOuter(toolkit::bvNone);
        panel->SkinData()->SetSkinSection(u"PANEL");
        source = MakeBitBtn(u"source", 2);
        other = MakeBitBtn(u"other", 111);
        first = MakeSpeedButton(u"first", 2);
        second = MakeSpeedButton(u"second", 36);
        source->OnClick = [this](toolkit::TObject*) { ++sourceClicks; };
        first->OnClick = [this](toolkit::TObject*) { ++firstClicks; };
    }

    skin::TsBitBtn* MakeBitBtn(const char16_t* name, int left)
    {
        auto* b = toolkit::FormTester::Make<skin::TsBitBtn>(this, panel, name, left, 2, 107, 36);
        b->SetCaption(name);
        b->SkinData()->SetSkinSection(u"BUTTON");
        return b;
    }

    skin::TsSpeedButton* MakeSpeedButton(const char16_t* name, int left)
    {
        auto* b = toolkit::FormTester::Make<skin::TsSpeedButton>(this, panel, name, left, 100, 32, 32);
        b->SkinData()->SetSkinSection(u"SPEEDBUTTON");
        return b;
    }

    skin::TsPanel* panel;
    skin::TsBitBtn* source;
    skin::TsBitBtn* other;
    skin::TsSpeedButton* first;
    skin::TsSpeedButton* second;
    int sourceClicks = 0;
    int firstClicks = 0;
};

class ButtonBehaviourTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        tester_ = std::make_unique<toolkit::FormTester>();
        manager_ = std::make_unique<skin::TsSkinManager>(QuietHost());
        manager_->InternalSkins().Add(Item(u"Buttons (internal)", MakeSkin(ButtonSections())));
        manager_->SetSkinName(u"Buttons (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
        form = tester_->CreateForm<ButtonsForm>();
        form->Show();
        tester_->Pump();
        ASSERT_TRUE(form->source->SkinData()->Skinned());
        ASSERT_TRUE(form->first->SkinData()->Skinned());
    }

    // Long enough for the slowest fade (20 steps of 10 ms).
    void Settle() { tester_->Advance(400); }

    static platform::POINT Centre(toolkit::TControl* c) { return {c->Width() / 2, c->Height() / 2}; }

    ButtonsForm* form = nullptr;
};

} // namespace

TEST_F(ButtonBehaviourTest, PressingAndReleasingABitButtonClicksItOnce)
{
    tester_->MouseMove(form->source, Centre(form->source));
    Settle();
    EXPECT_EQ(form->source->CurrentState(), 1);
    tester_->MouseDown(form->source, Centre(form->source));
    EXPECT_EQ(form->source->CurrentState(), 2);
    Settle();
    tester_->MouseUp(form->source, Centre(form->source));
    Settle();
    EXPECT_EQ(form->sourceClicks, 1);
    EXPECT_EQ(form->source->CurrentState(), 1);
}

TEST_F(ButtonBehaviourTest, ABitButtonReleasedAfterMovingOffDoesNothing)
{
    tester_->MouseDown(form->source, Centre(form->source));
    Settle();
    const platform::POINT away{form->source->Width() + 150, 60};
    tester_->MouseMove(form->source, away);
    Settle();
    EXPECT_NE(form->source->CurrentState(), 2); // the press shows only while the pointer is above
    tester_->MouseUp(form->source, away);
    Settle();
    EXPECT_EQ(form->sourceClicks, 0);
    EXPECT_EQ(form->source->CurrentState(), 1); // it keeps the focus the press gave it
}

TEST_F(ButtonBehaviourTest, ASpeedButtonClicksOnlyWhenReleasedOverIt)
{
    tester_->MouseDown(form->first, Centre(form->first));
    EXPECT_EQ(form->first->CurrentState(), 2);
    tester_->MouseUp(form->first, Centre(form->first));
    Settle();
    EXPECT_EQ(form->firstClicks, 1);
    EXPECT_EQ(form->first->CurrentState(), 1);

    tester_->MouseDown(form->first, Centre(form->first));
    Settle();
    tester_->MouseMove(form->first, platform::POINT{200, 16});
    tester_->MouseUp(form->first, platform::POINT{200, 16});
    Settle();
    EXPECT_EQ(form->firstClicks, 1);
    EXPECT_EQ(form->first->CurrentState(), 0);
}

TEST_F(ButtonBehaviourTest, OnlyOneSpeedButtonOfAParentIsHot)
{
    tester_->MouseMove(form->first, Centre(form->first));
    Settle();
    EXPECT_TRUE(form->first->SkinData()->FMouseAbove);
    EXPECT_EQ(form->first->CurrentState(), 1);
    tester_->MouseMove(form->second, Centre(form->second));
    Settle();
    EXPECT_FALSE(form->first->SkinData()->FMouseAbove);
    EXPECT_EQ(form->first->CurrentState(), 0);
    EXPECT_EQ(form->second->CurrentState(), 1);
}

TEST_F(ButtonBehaviourTest, TheDefaultBitButtonRestsInStateThreeUntilAnotherBitButtonHasTheFocus)
{
    form->source->SetDefault(true);
    form->panel->SetFocus();
    tester_->Pump();
    EXPECT_EQ(form->source->CurrentState(), 3);
    form->other->SetFocus();
    tester_->Pump();
    EXPECT_EQ(form->source->CurrentState(), 0);
    EXPECT_EQ(form->other->CurrentState(), 1);
}

TEST_F(ButtonBehaviourTest, TheScreenShowsTheCachePictureOfTheState)
{
    tester_->MouseMove(form->first, Centre(form->first));
    Settle();
    const platform::Bitmap shot = tester_->WindowShot(form);
    const platform::POINT origin = form->ClientToScreen({0, 0});
    platform::RECT window{};
    platform::GetWindowRect(form->Handle(), &window);
    const int x = origin.x - window.left + form->first->Left() + 16;
    const int y = origin.y - window.top + form->first->Top() + 1;
    // The hot state's colour fills the speed button (it has no border mask).
    EXPECT_EQ(platform::PixelToColor(shot.Pixel(x, y)), platform::COLORREF(HotColor));
    EXPECT_EQ(*form->first->SkinData()->FCacheBmp, *skin::PictureToShow(*form->first->SkinData()));
}

TEST_F(ButtonBehaviourTest, ButtonsWithoutASectionNameTakeTheirClassDefault)
{
    const skin::TsSkinModel& model = *manager_->Model();
    auto* bit = toolkit::FormTester::Make<skin::TsBitBtn>(form, form->panel, u"unnamedBit", 220, 2, 107, 36);
    auto* speed = toolkit::FormTester::Make<skin::TsSpeedButton>(form, form->panel, u"unnamedSpeed", 70, 100, 32, 32);
    for (skin::TsCommonData* data :
         {static_cast<skin::TsCommonData*>(bit->SkinData()), static_cast<skin::TsCommonData*>(speed->SkinData())}) {
        data->SetLoading(false);
        data->UpdateIndexes(true);
    }
    EXPECT_EQ(bit->SkinData()->SkinIndex(), model.GetSkinIndex("BUTTON"));
    EXPECT_EQ(speed->SkinData()->SkinIndex(), model.GetSkinIndex("SPEEDBUTTON"));
    speed->SetFlat(true); // resolves the section again
    EXPECT_EQ(speed->SkinData()->SkinIndex(), model.GetSkinIndex("TOOLBUTTON"));
    EXPECT_GE(model.GetSkinIndex("TOOLBUTTON"), 0);
}

TEST(ButtonDefaults, FollowTheSkinnedClassesRatherThanTheirBases)
{
    toolkit::FormTester tester;
    skin::TsBitBtn bit(nullptr);
    skin::TsSpeedButton speed(nullptr);
    skin::TsButton push(nullptr);
    EXPECT_TRUE(bit.WordWrap());
    EXPECT_TRUE(push.WordWrap());
    EXPECT_TRUE(speed.WordWrap());
    EXPECT_EQ(bit.Margin(), -1);
    EXPECT_EQ(bit.Spacing(), 4);
    EXPECT_EQ(bit.VerticalAlignment(), toolkit::taVerticalCenter);
    EXPECT_EQ(bit.FocusMargin(), 1);
    EXPECT_EQ(push.ContentMargin(), 6);
    EXPECT_EQ(push.Style(), skin::bsPushButton);
    EXPECT_TRUE(speed.UseEllipsis());
    EXPECT_EQ(speed.GrayedMode(), skin::gmInactive);
    EXPECT_EQ(speed.ButtonStyle(), skin::tbsButton);
    const skin::TsButtonSkinProperties& p = bit.SkinProperties();
    EXPECT_TRUE(p.AnimatEvents == skin::TacAnimatEvents{skin::aeGlobalDef});
    EXPECT_EQ(p.DisabledKind, skin::dkBlended);
    EXPECT_TRUE(p.DrawOverBorder);
    EXPECT_EQ(p.GlyphColorTone, skin::clNotSet);
    EXPECT_EQ(bit.SkinData()->COC(), skin::COC_TsBitBtn);
    EXPECT_EQ(speed.SkinData()->COC(), skin::COC_TsSpeedButton);
    EXPECT_EQ(push.SkinData()->COC(), skin::COC_TsButton);
}

TEST_F(ButtonBehaviourTest, AWindowedButtonThatMissedTheSkinLooksItsSectionUpWhenItPaints)
{
    form->other->SkinData()->ForgetIndexes();
    ASSERT_FALSE(form->other->SkinData()->Skinned());
    form->other->Invalidate();
    tester_->Pump();
    EXPECT_TRUE(form->other->SkinData()->Skinned());
    EXPECT_EQ(form->other->SkinData()->SkinIndex(), manager_->Model()->GetSkinIndex("BUTTON"));
}

TEST_F(ButtonBehaviourTest, EnteringFadesToHotInTenStepsAndLeavingFadesBackInTwenty)
{
    // A focused button stays in the hot state when the mouse leaves it.
    form->panel->SetFocus();
    tester_->Pump();
    for (toolkit::TControl* button :
         {static_cast<toolkit::TControl*>(form->source), static_cast<toolkit::TControl*>(form->first)}) {
        SCOPED_TRACE(platform::Utf16ToUtf8(button->Name()));
        skin::TsCommonData& data = *reinterpret_cast<skin::TsCommonData*>(
            button->Perform(skin::SM_VELTACMD, skin::AcCommand(skin::AC_GETSKINDATA), 0));
        tester_->MouseMove(button, Centre(button));
        ASSERT_TRUE(data.AnimTimer && data.AnimTimer->Running()) << "no fade to hot";
        EXPECT_EQ(data.AnimTimer->State, 1);
        EXPECT_EQ(data.AnimTimer->Iterations, 10);
        Settle();
        EXPECT_FALSE(data.AnimTimer->Running());
        tester_->MoveMouseTo(platform::POINT{1200, 900});
        ASSERT_TRUE(data.AnimTimer->Running()) << "no fade back";
        EXPECT_FALSE(data.FMouseAbove);
        EXPECT_FALSE(data.FFocused);
        EXPECT_EQ(data.AnimTimer->State, 0);
        EXPECT_EQ(data.AnimTimer->Iterations, 20);
        Settle();
        EXPECT_FALSE(data.AnimTimer->Running());
    }
}

TEST_F(ButtonBehaviourTest, WithoutAnimationStateChangesRepaintAtOnce)
{
    manager_->Effects.AllowAnimation = false;
    tester_->MouseMove(form->first, Centre(form->first));
    EXPECT_FALSE(form->first->SkinData()->AnimTimer && form->first->SkinData()->AnimTimer->Running());
    tester_->Pump();
    EXPECT_EQ(form->first->CurrentState(), 1);
    manager_->Effects.AllowAnimation = true;
    // A button's own events can switch the fade off for one kind of change only.
    form->source->SkinProperties().AnimatEvents = skin::TacAnimatEvents{skin::aeMouseLeave};
    tester_->MouseMove(form->source, Centre(form->source));
    EXPECT_FALSE(form->source->SkinData()->AnimTimer && form->source->SkinData()->AnimTimer->Running());
    tester_->Pump();
    tester_->MoveMouseTo(platform::POINT{1200, 900});
    EXPECT_TRUE(form->source->SkinData()->AnimTimer && form->source->SkinData()->AnimTimer->Running());
}

TEST_F(ButtonBehaviourTest, WithTheSkinSwitchedOffButtonsPaintAsTheirPlainClassesAndBackWhenItReturns)
{
    auto cachePixel = [](skin::TsCommonData* data) { return data->FCacheBmp->Pixel(16, 16); };
    tester_->Pump();
    ASSERT_FALSE(form->first->SkinData()->FCacheBmp->IsEmpty());
    EXPECT_EQ(platform::PixelToColor(cachePixel(form->first->SkinData())), platform::COLORREF(ButtonColor));

    manager_->SetActive(false);
    tester_->Pump();
    EXPECT_FALSE(form->source->SkinData()->Skinned());
    EXPECT_FALSE(form->first->SkinData()->Skinned());
    // The plain classes paint without the skin's caches, which the switch emptied.
    EXPECT_TRUE(form->source->SkinData()->FCacheBmp->IsEmpty());
    EXPECT_TRUE(form->first->SkinData()->FCacheBmp->IsEmpty());

    manager_->SetActive(true);
    tester_->Pump();
    EXPECT_TRUE(form->source->SkinData()->Skinned());
    ASSERT_FALSE(form->first->SkinData()->FCacheBmp->IsEmpty());
    EXPECT_EQ(platform::PixelToColor(cachePixel(form->first->SkinData())), platform::COLORREF(ButtonColor));
}
