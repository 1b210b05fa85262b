// The title buttons' hover effects: a button's new state shown in a glow window over it, fading
// in over ten steps of the form's 10 ms timer (one without animation, or for a press) and out
// again when the mouse leaves, the title keeping the button at rest meanwhile; the skin's title
// glow for a hot button that has one; and the plain repaint in the title without glowing.
#include "FormsTestSupport.h"

#include "skin/effects/TacGlowEffect.h"

#include "platform/image/Image.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <cstdlib>
#include <vector>

using namespace platform;
using namespace skin;
using formstest::FormsFixture;
using formstest::StateInk;

namespace {

constexpr PixelBGRA GlowInk = MakePixel(250, 230, 0);

PixelBGRA Opaque(PixelBGRA p) { return p | 0xFF000000u; }

// The skin keeps its PNG pictures premultiplied, dividing by 256: a channel may come out one less.
bool LooksLikeGlow(PixelBGRA p)
{
    return std::abs(int(PixelR(p)) - int(PixelR(GlowInk))) <= 1 && std::abs(int(PixelG(p)) - int(PixelG(GlowInk))) <= 1 &&
           PixelB(p) == PixelB(GlowInk);
}

int GlowWindows()
{
    int count = 0;
    EnumWindows(
        [](HWND hwnd, LPARAM counter) -> BOOL {
            if (GetClassName(hwnd) == GlowFormClassName && IsWindowVisible(hwnd))
                ++*reinterpret_cast<int*>(counter);
            return true;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

class TitleButtonEffectTest : public FormsFixture {
protected:
    void SetUp() override
    {
        FormsFixture::SetUp();
        manager_->Effects.AllowGlowing = true;
        manager_->Effects.AllowAnimation = true;
        // The square skin with a 30 x 20 glow for the close button of a window with more buttons.
        skintest::TestSkin glowing = formstest::MakeSkin(false);
        glowing.Options.insert(glowing.Options.find("[FORM]"),
                               "BICONCLOSEGLOW=1\r\nBICONCLOSEGLOW0=!GLOW.PNG!1!0!3\r\nBICONCLOSEGLOWMARGIN=3\r\n");
        glowing.Add("GLOW.PNG", EncodePng(skintest::Solid(30, 20, GlowInk)));
        manager_->InternalSkins().Add(formstest::Item(u"Glowing (internal)", glowing));
    }

    TsSkinProvider* Provider(toolkit::TForm* form) { return TsSkinProvider::Of(form); }
    RECT ButtonRect(toolkit::TForm* form, LRESULT code) { return Provider(form)->Button(code)->cpRect; }
    POINT ButtonOnScreen(toolkit::TForm* form, LRESULT code) { return OnScreen(form, Centre(ButtonRect(form, code))); }
    // The button in the form's own picture, and on the screen with whatever lies over it.
    PixelBGRA InTitle(toolkit::TForm* form, LRESULT code)
    {
        return Opaque(tester_->WindowShot(form).Pixel(Centre(ButtonRect(form, code)).x,
                                                      Centre(ButtonRect(form, code)).y));
    }
    PixelBGRA OnTheScreen(toolkit::TForm* form, LRESULT code)
    {
        const POINT p = ButtonOnScreen(form, code);
        return Opaque(tester_->Screenshot().Pixel(p.x, p.y));
    }
};

TEST_F(TitleButtonEffectTest, TheHotButtonFadesInOverTenStepsAndOutAgainWhenTheMouseLeaves)
{
    auto* form = ShowForm<formstest::FixedForm>();
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    const TacSBAnimation* effect = Provider(form)->ButtonEffect(HTCLOSE);
    ASSERT_NE(effect, nullptr);
    // The first step at once, the window over the button showing its hot image.
    EXPECT_EQ(effect->CurrentLevel, 25);
    EXPECT_EQ(effect->CurrentState, 1);
    ASSERT_TRUE(IsWindow(effect->AForm));
    EXPECT_EQ(GetClassName(effect->AForm), GlowFormClassName);
    RECT shown{};
    GetWindowRect(effect->AForm, &shown);
    RECT button = ButtonRect(form, HTCLOSE);
    const POINT origin = OnScreen(form, POINT{0, 0});
    OffsetRect(&button, origin.x, origin.y);
    EXPECT_EQ(shown, button);
    EXPECT_EQ(Opaque(effect->ABmp.Pixel(effect->ABmp.Width() / 2, effect->ABmp.Height() / 2)), StateInk[1]);
    // The title keeps the button at rest under it.
    EXPECT_EQ(InTitle(form, HTCLOSE), StateInk[0]);

    std::vector<int> levels{effect->CurrentLevel};
    for (int step = 0; step < 12; ++step) {
        tester_->Advance(10);
        if (levels.back() != effect->CurrentLevel)
            levels.push_back(effect->CurrentLevel);
    }
    EXPECT_EQ(levels, (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
    EXPECT_EQ(OnTheScreen(form, HTCLOSE), StateInk[1]);

    // Out again in ten steps; at nothing the window is gone and the button rests in the title.
    headless::MouseMove(POINT{1000, 900});
    tester_->Pump();
    ASSERT_EQ(Provider(form)->ButtonEffect(HTCLOSE), effect);
    EXPECT_FALSE(effect->Up);
    EXPECT_EQ(effect->CurrentLevel, 230);
    tester_->Advance(80);
    EXPECT_NE(Provider(form)->ButtonEffect(HTCLOSE), nullptr) << "faded out before its ten steps";
    tester_->Advance(100);
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    EXPECT_EQ(GlowWindows(), 0);
    EXPECT_EQ(OnTheScreen(form, HTCLOSE), StateInk[0]);
}

TEST_F(TitleButtonEffectTest, WithoutAnimationTheHotImageShowsAtOnceAndAPressTakesOneStep)
{
    manager_->Effects.AllowAnimation = false;
    auto* form = ShowForm<formstest::FixedForm>();
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    const TacSBAnimation* effect = Provider(form)->ButtonEffect(HTCLOSE);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->CurrentLevel, 255);
    EXPECT_EQ(OnTheScreen(form, HTCLOSE), StateInk[1]);

    manager_->Effects.AllowAnimation = true;
    headless::MouseDown(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    ASSERT_EQ(Provider(form)->ButtonEffect(HTCLOSE), effect);
    EXPECT_EQ(effect->CurrentState, 2);
    EXPECT_EQ(effect->CurrentLevel, 255);
    EXPECT_EQ(OnTheScreen(form, HTCLOSE), StateInk[2]);

    // Released elsewhere: the press is dropped and the effect fades out.
    headless::MouseMove(OnScreen(form, POINT{150, 100}));
    headless::MouseUp(OnScreen(form, POINT{150, 100}));
    tester_->Advance(300);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    EXPECT_EQ(GlowWindows(), 0);
}

TEST_F(TitleButtonEffectTest, AHotButtonWithATitleGlowShowsTheGlowAroundIt)
{
    manager_->SetSkinName(u"Glowing (internal)");
    auto* form = ShowForm<formstest::MainLikeForm>();
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    const TacSBAnimation* effect = Provider(form)->ButtonEffect(HTCLOSE);
    ASSERT_NE(effect, nullptr);
    RECT shown{};
    GetWindowRect(effect->AForm, &shown);
    const POINT corner = OnScreen(form, POINT{ButtonRect(form, HTCLOSE).left, ButtonRect(form, HTCLOSE).top});
    // Grown by the margin on the left and top to the glow image's size.
    EXPECT_EQ(shown, (RECT{corner.x - 3, corner.y - 3, corner.x - 3 + 30, corner.y - 3 + 20}));
    EXPECT_TRUE(LooksLikeGlow(effect->ABmp.Pixel(10, 10)));
    tester_->Advance(200);
    EXPECT_TRUE(LooksLikeGlow(OnTheScreen(form, HTCLOSE)));

    // The minimise button has no glow in this skin: its own hot image.
    headless::MouseMove(ButtonOnScreen(form, HTMINBUTTON));
    tester_->Advance(300);
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    ASSERT_NE(Provider(form)->ButtonEffect(HTMINBUTTON), nullptr);
    EXPECT_EQ(OnTheScreen(form, HTMINBUTTON), StateInk[1]);
}

TEST_F(TitleButtonEffectTest, WithoutGlowingOrALayeringDesktopTheTitleRepaintsTheButtonItself)
{
    manager_->Effects.AllowGlowing = false;
    auto* form = ShowForm<formstest::FixedForm>();
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    EXPECT_EQ(InTitle(form, HTCLOSE), StateInk[1]);
    headless::MouseMove(POINT{1000, 900});
    tester_->Pump();

    manager_->Effects.AllowGlowing = true;
    headless::Current().SetComposesLayeredWindows(false);
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    EXPECT_EQ(GlowWindows(), 0);
    EXPECT_EQ(InTitle(form, HTCLOSE), StateInk[1]);
    headless::MouseMove(POINT{1000, 900});
    tester_->Pump();
    headless::Current().SetComposesLayeredWindows(true);

    // Glowing switched off while an effect shows: the next change ends it at once.
    headless::MouseMove(ButtonOnScreen(form, HTCLOSE));
    tester_->Pump();
    ASSERT_NE(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    manager_->Effects.AllowGlowing = false;
    headless::MouseMove(POINT{1000, 900});
    tester_->Pump();
    EXPECT_EQ(Provider(form)->ButtonEffect(HTCLOSE), nullptr);
    EXPECT_EQ(GlowWindows(), 0);
    EXPECT_EQ(InTitle(form, HTCLOSE), StateInk[0]);
}

} // namespace
