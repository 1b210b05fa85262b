#include "toolkit/FormTester.h"
#include "toolkit/TBitBtn.h"
#include "toolkit/TButton.h"
#include "toolkit/TButtonGlyph.h"
#include "toolkit/TCheckBox.h"
#include "toolkit/TForm.h"
#include "toolkit/TSpeedButton.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;
using namespace platform;

namespace {

void SolidGlyph(TBitmap& glyph, int width, int height, PixelBGRA pixel)
{
    glyph.SetSize(width, height);
    glyph.Bitmap().Fill(pixel);
    glyph.SetPixelFormat(pf32bit);
    glyph.SetAlphaFormat(afDefined);
}

class ButtonForm : public TForm {
public:
    explicit ButtonForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(400);
        SetClientHeight(200);
        check = FormTester::Make<TCheckBox>(this, this, u"check", 10, 10, 185, 20);
        check->SetCaption(u"Использовать настройки прокси");
        ok = FormTester::Make<TButton>(this, this, u"ok", 10, 50, 75, 25);
        ok->SetCaption(u"ОК");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel = FormTester::Make<TButton>(this, this, u"cancel", 95, 50, 75, 25);
        cancel->SetCaption(u"Отмена");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        other = FormTester::Make<TButton>(this, this, u"other", 180, 50, 75, 25);
        other->SetCaption(u"Другая");
        source = FormTester::Make<TBitBtn>(this, this, u"source", 10, 90, 107, 36);
        source->SetCaption(u"Сервер 1");
        TBitmap glyph;
        SolidGlyph(glyph, 32, 32, MakePixel(255, 0, 0));
        source->SetGlyph(&glyph);
        left = FormTester::Make<TSpeedButton>(this, this, u"left", 130, 90, 32, 32);
        right = FormTester::Make<TSpeedButton>(this, this, u"right", 164, 90, 32, 32);
        plain = FormTester::Make<TSpeedButton>(this, this, u"plain", 198, 90, 32, 32);
        plain->SetFlat(true);
        TBitmap small;
        SolidGlyph(small, 16, 16, MakePixel(0, 0, 255));
        plain->SetGlyph(&small);
    }
    TCheckBox* check;
    TButton *ok, *cancel, *other;
    TBitBtn* source;
    TSpeedButton *left, *right, *plain;
};

TWinControl* Focused()
{
    return TWinControl::FindControl(GetFocus());
}

} // namespace

TEST(TButtonTest, ClicksByMouseAndSpaceButNotWhenReleasedElsewhereOrDisabled)
{
    FormTester tester;
    auto* form = tester.CreateForm<ButtonForm>();
    int clicks = 0;
    form->other->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    tester.Pump();

    tester.Click(form->other);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Focused(), form->other);

    // Held down: the button reports it is pushed, and only while the pointer is on it.
    tester.MouseDown(form->other, {10, 10});
    EXPECT_TRUE(SendMessage(form->other->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    tester.MouseMove(form, {300, 150});
    EXPECT_FALSE(SendMessage(form->other->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED);
    tester.MouseUp(form, {300, 150});
    EXPECT_EQ(clicks, 1);

    tester.Press(VK_SPACE);
    EXPECT_EQ(clicks, 2);

    form->other->SetEnabled(false);
    tester.Click(form->other);
    EXPECT_EQ(clicks, 2);
}

TEST(TButtonTest, EnterPressesTheDefaultOrFocusedButtonAndEscapeTheCancelButton)
{
    FormTester tester;
    auto* form = tester.CreateForm<ButtonForm>();
    std::vector<std::u16string> log;
    for (TButton* b : {form->ok, form->cancel, form->other})
        b->OnClick = [&log](TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name()); };
    form->Show();
    tester.Pump();
    form->check->SetFocus();

    tester.Press(VK_RETURN);
    tester.Press(VK_ESCAPE);
    // With another button focused, Enter presses that one.
    form->other->SetFocus();
    tester.Press(VK_RETURN);
    EXPECT_EQ(log, (std::vector<std::u16string>{u"ok", u"cancel", u"other"}));
    // The click set the form's modal result.
    EXPECT_EQ(form->ModalResult(), mrNone);
    form->ok->SetFocus();
    tester.Press(VK_RETURN);
    EXPECT_EQ(form->ModalResult(), mrOk);
    EXPECT_TRUE(form->ok->LookStateFlags() & LookState::Default);
    form->other->SetFocus();
    EXPECT_FALSE(form->ok->LookStateFlags() & LookState::Default);

    // Arrow keys move among buttons.
    tester.Press(VK_RIGHT);
    EXPECT_NE(Focused(), form->other);
}

TEST(TBitBtnTest, GlyphAndCaptionAreCentredAsOneBlock)
{
    // The main window's source button: 107 x 36, a 32 x 32 glyph, margin -1, spacing 4.
    const TRect client{0, 0, 107, 36};
    const TSize glyph{32, 32}, text{45, 13};
    TButtonGlyph::Layout l = TButtonGlyph::CalcButtonLayout(client, glyph, text, blGlyphLeft, -1, 4);
    EXPECT_EQ(l.glyphPos.y, 2);
    EXPECT_EQ(l.glyphPos.x, (107 - (32 + 4 + 45) + 1) / 2);
    EXPECT_EQ(l.textRect.left, l.glyphPos.x + 36);
    EXPECT_EQ(l.textRect.top, (36 - 13 + 1) / 2);
    // Without a caption the glyph alone is centred; spacing -1 spreads the parts evenly.
    l = TButtonGlyph::CalcButtonLayout(TRect{0, 0, 32, 32}, glyph, TSize{0, 0}, blGlyphLeft, -1, 4);
    EXPECT_EQ(l.glyphPos.x, 0);
    EXPECT_EQ(l.glyphPos.y, 0);
    l = TButtonGlyph::CalcButtonLayout(TRect{0, 0, 100, 40}, TSize{10, 10}, TSize{20, 10}, blGlyphLeft, -1, -1);
    EXPECT_EQ(l.glyphPos.x, 23);
    EXPECT_EQ(l.textRect.left, 23 + 10 + 23);
    l = TButtonGlyph::CalcButtonLayout(TRect{0, 0, 100, 40}, TSize{10, 10}, TSize{20, 10}, blGlyphTop, 3, 2);
    EXPECT_EQ(l.glyphPos.y, 3);
    EXPECT_EQ(l.textRect.top, 15);
}

TEST(TBitBtnTest, TheGlyphIsDrawnWhereTheLayoutSaysAndMovesWhenPressed)
{
    FormTester tester;
    auto* form = tester.CreateForm<ButtonForm>();
    form->Show();
    tester.Pump();
    TCanvas measure;
    measure.Font()->Assign(form->source->Font());
    const int textWidth = measure.TextWidth(u"Сервер 1");
    const int gx = (107 - (32 + 4 + textWidth) + 1) / 2;
    auto redAt = [&](int x, int y) {
        Bitmap shot = tester.WindowShot(form);
        POINT p = FormTester::ScreenPoint(form->source, {x, y});
        RECT w{};
        GetWindowRect(form->Handle(), &w);
        PixelBGRA px = shot.Pixel(p.x - w.left, p.y - w.top);
        return PixelR(px) == 255 && PixelG(px) == 0 && PixelB(px) == 0;
    };
    EXPECT_TRUE(redAt(gx, 2));
    EXPECT_TRUE(redAt(gx + 31, 33));
    EXPECT_FALSE(redAt(gx - 1, 2));
    EXPECT_FALSE(redAt(gx + 32, 2));
    tester.MouseDown(form->source, {5, 5});
    EXPECT_FALSE(redAt(gx, 2));
    EXPECT_TRUE(redAt(gx + 1, 3));
    EXPECT_TRUE(redAt(gx + 32, 34));
    tester.MouseUp(form->source, {5, 5});
}

TEST(TSpeedButtonTest, GroupedButtonsStayDownOneAtATimeAndNeverTakeTheFocus)
{
    FormTester tester;
    auto* form = tester.CreateForm<ButtonForm>();
    form->left->SetGroupIndex(1);
    form->right->SetGroupIndex(1);
    int clicks = 0;
    form->left->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    tester.Pump();
    form->check->SetFocus();

    tester.Click(form->left);
    EXPECT_TRUE(form->left->Down());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Focused(), form->check);
    tester.Click(form->right);
    EXPECT_TRUE(form->right->Down());
    EXPECT_FALSE(form->left->Down());
    // Without AllowAllUp a down button stays down when clicked again.
    tester.Click(form->right);
    EXPECT_TRUE(form->right->Down());
    form->right->SetAllowAllUp(true);
    tester.Click(form->right);
    EXPECT_FALSE(form->right->Down());
    // A button outside any group springs back.
    tester.Click(form->plain);
    EXPECT_FALSE(form->plain->Down());
    form->plain->SetDown(true);
    EXPECT_FALSE(form->plain->Down());

    // Pressed: the state follows the pointer.
    tester.MouseDown(form->plain, {5, 5});
    EXPECT_EQ(form->plain->State(), bsDown);
    tester.MouseMove(form, {380, 180});
    EXPECT_EQ(form->plain->State(), bsUp);
    tester.MouseUp(form, {380, 180});
    EXPECT_FALSE(form->plain->MouseInControl());
}

TEST(TCheckBoxTest, ClicksAndSpaceToggleAndRunOnClick)
{
    FormTester tester;
    auto* form = tester.CreateForm<ButtonForm>();
    int clicks = 0;
    form->check->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    tester.Pump();

    tester.Click(form->check, {5, 10});
    EXPECT_TRUE(form->check->Checked());
    EXPECT_EQ(SendMessage(form->check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    tester.Press(VK_SPACE);
    EXPECT_FALSE(form->check->Checked());
    // A click on the caption toggles too.
    tester.Click(form->check, {100, 10});
    EXPECT_TRUE(form->check->Checked());
    EXPECT_EQ(clicks, 3);
    // Setting the state in code runs OnClick as well, once per change.
    form->check->SetChecked(true);
    EXPECT_EQ(clicks, 3);
    form->check->SetChecked(false);
    EXPECT_EQ(clicks, 4);
    form->check->SetAllowGrayed(true);
    tester.Press(VK_SPACE);
    EXPECT_EQ(form->check->State(), cbGrayed);
    tester.Press(VK_SPACE);
    EXPECT_EQ(form->check->State(), cbChecked);
}
