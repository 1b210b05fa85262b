// Providers attached at activation, and the skinned frame on the virtual screen: its picture, its
// hit codes and the title buttons under the mouse.
#include "FormsTestSupport.h"

#include "skin/dialogs/TacDialogHook.h"
#include "skin/model/TsSkinModel.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"
#include "toolkit/TPopupMenuWindow.h"

using namespace platform;
using namespace skin;
using formstest::FormsFixture;

namespace {

PixelBGRA Opaque(PixelBGRA p) { return p | 0xFF000000u; }
PixelBGRA Rgb(int c) { return MakePixel(BYTE(c & 0xFF), BYTE((c >> 8) & 0xFF), BYTE((c >> 16) & 0xFF)); }

class SkinProviderTest : public FormsFixture {
protected:
    Bitmap Shot(toolkit::TForm* form) { return tester_->WindowShot(form); }
    PixelBGRA At(toolkit::TForm* form, POINT p) { return Opaque(Shot(form).Pixel(p.x, p.y)); }
    RECT ButtonRect(toolkit::TForm* form, LRESULT code)
    {
        return TsSkinProvider::Of(form)->Button(code)->cpRect;
    }
};

TEST_F(SkinProviderTest, EveryFormGetsOneProviderAtItsFirstActivationWithTheDefaults)
{
    auto* form = tester_->CreateForm<formstest::FixedForm>();
    EXPECT_EQ(TsSkinProvider::Of(form), nullptr); // created, never activated
    form->Show();
    tester_->Pump();
    TsSkinProvider* provider = TsSkinProvider::Of(form);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(provider->Form(), form);
    EXPECT_TRUE(provider->ShowAppIcon());
    EXPECT_FALSE(provider->UseGlobalColor()); // attached automatically
    EXPECT_TRUE(provider->DrawClientArea());
    EXPECT_TRUE(provider->DrawNonClientArea());
    EXPECT_TRUE(provider->TitleSkin().empty());
    EXPECT_TRUE(provider->TitleIcon().Visible);
    EXPECT_EQ(provider->TitleIcon().Width, 0);
    EXPECT_EQ(provider->CaptionAlignment(), toolkit::taLeftJustify);
    EXPECT_TRUE(provider->FormActive);
    EXPECT_EQ(provider->SkinData().COC(), COC_TsSkinProvider);

    // Activated again (after another form), it keeps the one it has.
    auto* other = ShowForm<formstest::FixedForm>();
    form->Show();
    tester_->Pump();
    EXPECT_EQ(TsSkinProvider::Of(form), provider);
    EXPECT_NE(TsSkinProvider::Of(other), nullptr);
    EXPECT_EQ(TacDialogHook::Attach(*manager_, form), nullptr);
}

TEST_F(SkinProviderTest, BorderlessFormsAndFormsWithoutSkinGetNoProvider)
{
    auto* bare = tester_->CreateForm<formstest::FixedForm>();
    bare->SetBorderStyle(toolkit::bsNone);
    bare->Show();
    tester_->Pump();
    EXPECT_EQ(TsSkinProvider::Of(bare), nullptr);

    manager_->SetActive(false);
    auto* plain = ShowForm<formstest::FixedForm>();
    EXPECT_EQ(TsSkinProvider::Of(plain), nullptr);
    manager_->SkinningRules.srStdForms = false;
    manager_->SetActive(true);
    auto* refused = ShowForm<formstest::FixedForm>();
    EXPECT_EQ(TsSkinProvider::Of(refused), nullptr);
}

TEST_F(SkinProviderTest, TheFrameIsPaintedFromTheSkinAroundTheClientArea)
{
    auto* form = ShowForm<formstest::MainLikeForm>();
    const Bitmap shot = Shot(form);
    // Title in the active colour, frame strips from the border mask, buttons in state 0.
    EXPECT_EQ(Opaque(shot.Pixel(150, 12)), Rgb(formstest::TitleActive));
    EXPECT_EQ(Opaque(shot.Pixel(0, 100)), formstest::FrameInk);
    EXPECT_EQ(Opaque(shot.Pixel(299, 100)), formstest::FrameInk);
    EXPECT_EQ(Opaque(shot.Pixel(150, 199)), formstest::FrameInk);
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTCLOSE))), formstest::StateInk[0]);
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTMINBUTTON))), formstest::StateInk[0]);
    EXPECT_EQ(TsSkinProvider::Of(form)->Button(HTCLOSE)->cpGlyphType, TacTitleGlyph::tgClose);
    // The client area shows the form section's colour: the provider's cache, not the form's own.
    EXPECT_EQ(Opaque(shot.Pixel(150, 100)), Rgb(formstest::FormColor));
    EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0,
                          MAKELPARAM(OnScreen(form, Centre(ButtonRect(form, HTCLOSE))).x,
                                     OnScreen(form, Centre(ButtonRect(form, HTCLOSE))).y)),
              HTCLOSE);
}

TEST_F(SkinProviderTest, TheLoneCloseButtonOfASecondaryWindow)
{
    auto* form = ShowForm<formstest::FixedForm>();
    TsSkinProvider* provider = TsSkinProvider::Of(form);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(provider->SkinData().SkinIndex(), manager_->Model()->GetSkinIndex("FORM"));
    const TsCaptionButton* close = TsSkinProvider::Of(form)->Button(HTCLOSE);
    EXPECT_EQ(close->cpGlyphType, TacTitleGlyph::tgCloseAlone);
    EXPECT_EQ(close->cpRect.Width(), 16);
    EXPECT_FALSE(TsSkinProvider::Of(form)->Button(HTMINBUTTON)->Visible());
}

TEST_F(SkinProviderTest, HoverAndPressShowTheButtonsStatesAndReleasingElsewhereDoesNothing)
{
    auto* form = ShowForm<formstest::FixedForm>();
    const POINT close = OnScreen(form, Centre(ButtonRect(form, HTCLOSE)));
    headless::MouseMove(close);
    tester_->Pump();
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTCLOSE))), formstest::StateInk[1]);
    EXPECT_EQ(TsSkinProvider::Of(form)->CurrentHT, HTCLOSE);

    headless::MouseDown(close);
    tester_->Pump();
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTCLOSE))), formstest::StateInk[2]);
    EXPECT_TRUE(TsSkinProvider::Of(form)->biClicked);

    const POINT outside = OnScreen(form, POINT{150, 100});
    headless::MouseMove(outside);
    headless::MouseUp(outside);
    tester_->Pump();
    EXPECT_TRUE(form->Visible());
    EXPECT_FALSE(TsSkinProvider::Of(form)->biClicked);
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTCLOSE))), formstest::StateInk[0]);

    // Pressed and released on itself, it closes the window.
    headless::MouseMove(close);
    headless::MouseDown(close);
    headless::MouseUp(close);
    tester_->Pump();
    EXPECT_FALSE(form->Visible());
}

TEST_F(SkinProviderTest, LeavingTheButtonReturnsItToRest)
{
    auto* form = ShowForm<formstest::FixedForm>();
    headless::MouseMove(OnScreen(form, Centre(ButtonRect(form, HTCLOSE))));
    tester_->Pump();
    headless::MouseMove(POINT{1000, 900});
    tester_->Pump();
    EXPECT_EQ(TsSkinProvider::Of(form)->CurrentHT, -1);
    EXPECT_EQ(At(form, Centre(ButtonRect(form, HTCLOSE))), formstest::StateInk[0]);
}

TEST_F(SkinProviderTest, MinimiseActsOnlyWhenReleasedOnItself)
{
    auto* form = ShowForm<formstest::MainLikeForm>();
    const POINT min = OnScreen(form, Centre(ButtonRect(form, HTMINBUTTON)));
    headless::MouseMove(min);
    headless::MouseDown(min);
    const POINT away = OnScreen(form, POINT{20, 100});
    headless::MouseMove(away);
    headless::MouseUp(away);
    tester_->Pump();
    EXPECT_FALSE(IsIconic(form->Handle()));

    headless::MouseMove(min);
    headless::MouseDown(min);
    headless::MouseUp(min);
    tester_->Pump();
    EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(SkinProviderTest, DraggingTheSkinnedTitleMovesTheWindow)
{
    auto* form = ShowForm<formstest::FixedForm>();
    RECT before{};
    GetWindowRect(form->Handle(), &before);
    const POINT grab = OnScreen(form, POINT{120, 12});
    headless::MouseMove(grab);
    headless::MouseDown(grab);
    headless::MouseMove(POINT{grab.x + 30, grab.y + 20});
    headless::MouseUp(POINT{grab.x + 30, grab.y + 20});
    tester_->Pump();
    RECT after{};
    GetWindowRect(form->Handle(), &after);
    EXPECT_EQ(after.left, before.left + 30);
    EXPECT_EQ(after.top, before.top + 20);
    EXPECT_TRUE(form->Visible());
}

TEST_F(SkinProviderTest, TheIconDropsTheWindowMenuWithWhatTheWindowAllows)
{
    auto* form = tester_->CreateForm<formstest::MainLikeForm>();
    form->Icon()->SetBitmap(skintest::Solid(32, 32, MakePixel(250, 200, 0)));
    form->Show();
    tester_->Pump();
    TsSkinProvider* provider = TsSkinProvider::Of(form);
    const RECT icon = provider->Layout().IconRect();
    ASSERT_EQ(icon.Width(), 16);
    // The icon is drawn where the layout put it.
    EXPECT_EQ(At(form, Centre(icon)), MakePixel(250, 200, 0));
    EXPECT_EQ(provider->HitTest(OnScreen(form, Centre(icon))), HTSYSMENU);

    bool shown = false;
    tester_->WhenModal([&] {
        auto* window = dynamic_cast<toolkit::TPopupMenuWindow*>(
            toolkit::TWinControl::FindControl(FindWindow(u"#32768", {})));
        ASSERT_NE(window, nullptr);
        shown = true;
        // Dropped under the icon.
        EXPECT_EQ(window->Top(), OnScreen(form, POINT{0, icon.bottom}).y);
        EXPECT_FALSE(provider->SystemMenu->ItemRestore->Enabled());
        EXPECT_TRUE(provider->SystemMenu->ItemMove->Enabled());
        EXPECT_FALSE(provider->SystemMenu->ItemSize->Enabled());
        EXPECT_TRUE(provider->SystemMenu->ItemMinimize->Enabled());
        EXPECT_FALSE(provider->SystemMenu->ItemMaximize->Enabled());
        EXPECT_TRUE(provider->SystemMenu->ItemClose->Enabled());
        const toolkit::TRect item = window->ItemRect(3); // "Свернуть"
        headless::Click(window->ClientToScreen(POINT{item.left + 10, item.top + 5}));
    });
    headless::Click(OnScreen(form, Centre(icon)));
    tester_->Pump();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST_F(SkinProviderTest, AnInactiveWindowShowsTheInactiveTitleAndButtonsAtHalfStrength)
{
    auto* form = ShowForm<formstest::FixedForm>();
    const POINT title{150, 12};
    const POINT button = Centre(ButtonRect(form, HTCLOSE));
    auto* other = ShowForm<formstest::FixedForm>();
    other->SetBounds(500, 500, 200, 150);
    tester_->Pump();
    EXPECT_FALSE(TsSkinProvider::Of(form)->FormActive);
    EXPECT_EQ(At(form, title), Rgb(formstest::TitleInactive));
    // Red over the inactive title's blue, half and half.
    const PixelBGRA half = At(form, button);
    EXPECT_NEAR(PixelR(half), 110, 2);
    EXPECT_NEAR(PixelB(half), 127, 2);

    form->Show();
    tester_->Pump();
    EXPECT_TRUE(TsSkinProvider::Of(form)->FormActive);
    EXPECT_EQ(At(form, title), Rgb(formstest::TitleActive));
    EXPECT_EQ(At(form, button), formstest::StateInk[0]);
}

TEST_F(SkinProviderTest, ALongCaptionEndsInAnEllipsisInsideItsArea)
{
    auto* form = ShowForm<formstest::FixedForm>();
    form->SetCaption(u"A caption far too long for the title of such a narrow window, running on and on");
    tester_->Pump();
    const Bitmap shot = Shot(form);
    const RECT area = TsSkinProvider::Of(form)->Layout().CaptionRect();
    const PixelBGRA title = Rgb(formstest::TitleActive);
    auto inked = [&](int left, int right) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = left; x < right; ++x)
                n += Opaque(shot.Pixel(x, y)) != title;
        return n;
    };
    EXPECT_GT(inked(area.right - 12, area.right), 0); // the dots at the end of the area
    EXPECT_EQ(inked(area.right, TsSkinProvider::Of(form)->Layout().ButtonsLeft()), 0);
}

TEST_F(SkinProviderTest, ASkinChangeRepaintsTheFrameAndRemovingTheSkinGivesItBack)
{
    auto* form = ShowForm<formstest::FixedForm>();
    manager_->SetSkinName(u"Plate (internal)");
    tester_->Pump();
    TsSkinProvider* provider = TsSkinProvider::Of(form);
    EXPECT_GE(provider->Layout().CaptionRect().left, 3 + 1 + 4 + 2); // the plate's two pixels
    EXPECT_TRUE(provider->DrawsFrame());

    manager_->SetActive(false);
    tester_->Pump();
    EXPECT_FALSE(provider->DrawsFrame());
    EXPECT_NE(At(form, POINT{150, 12}), Rgb(formstest::TitleActive));
    EXPECT_EQ(provider->HitTest(OnScreen(form, POINT{150, 12})), HTNOWHERE);
}

} // namespace
