#include "ControlsTestSupport.h"

#include "skin/controls/TsEdit.h"
#include "skin/controls/TsMemo.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int Back = 0x302010, HotBack = 0x605040, Ink = 0x0000F0, HotInk = 0x00F000;

std::string EditSections()
{
    return StandardSections() + "[EDIT]\r\nCOLOR=" + std::to_string(Back) + "\r\nHOTCOLOR=" + std::to_string(HotBack) +
           "\r\nFONTCOLOR=" + std::to_string(Ink) + "\r\nHOTFONTCOLOR=" + std::to_string(HotInk) +
           "\r\nBORDERSMASK=" + controlstest::BorderValue + "\r\n";
}

class EditTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(Item(u"Edits (internal)", MakeSkin(EditSections())));
        manager_->InternalSkins().Add(Item(u"Edits again (internal)", MakeSkin(EditSections())));
        manager_->SetSkinName(u"Edits (internal)");
    }

    // An edit designed white with black text, as the settings window's are.
    TsEdit* EditOn(PanelsForm* form, int left, const char16_t* name = u"edit")
    {
        auto* edit = toolkit::FormTester::Make<TsEdit>(form, form->inner, name, left, 20, 80, 22);
        edit->SetColor(toolkit::clWhite);
        edit->Font()->SetColor(toolkit::clBlack);
        edit->SkinData()->SetLoading(false);
        return edit;
    }

    static int Rgb(int color) { return int(MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF); }

    int ScreenAt(toolkit::TControl* control, POINT local)
    {
        tester_->Pump();
        const Bitmap shot = tester_->Screenshot();
        const POINT p = toolkit::FormTester::ScreenPoint(control, local);
        return int(shot.Pixel(p.x, p.y) & 0xFFFFFF);
    }
};

} // namespace

TEST_F(EditTest, TheSectionsColoursReplaceTheDesignedOnesAndTheFocusBringsTheHotOnes)
{
    PanelsForm* form = ShowPanels();
    TsEdit* edit = EditOn(form, 10);
    TsEdit* other = EditOn(form, 100, u"other");
    // A skin change reaches the edits as the program's do.
    manager_->SetSkinName(u"Edits again (internal)");
    tester_->Pump();
    EXPECT_EQ(edit->Color(), toolkit::TColor(Back));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(Ink));
    EXPECT_EQ(ScreenAt(edit, POINT{70, 15}), Rgb(Back));

    edit->SetFocus();
    tester_->Pump();
    EXPECT_EQ(edit->Color(), toolkit::TColor(HotBack));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(HotInk));
    // Focused, the edit paints its own text on the colour the skin gave it.
    EXPECT_EQ(ScreenAt(edit, POINT{70, 15}), Rgb(HotBack));

    other->SetFocus();
    tester_->Pump();
    EXPECT_EQ(edit->Color(), toolkit::TColor(Back));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(Ink));
    EXPECT_EQ(ScreenAt(edit, POINT{70, 15}), Rgb(Back));
    EXPECT_EQ(ScreenAt(other, POINT{70, 15}), Rgb(HotBack));

    // A colour of its own stays whatever the focus does.
    edit->SkinData()->SetCustomColor(true);
    edit->SetColor(toolkit::TColor(0x123456));
    edit->SetFocus();
    tester_->Pump();
    EXPECT_EQ(edit->Color(), toolkit::TColor(0x123456));
    EXPECT_EQ(edit->Font()->Color(), toolkit::TColor(HotInk));
    edit->SkinData()->SetCustomColor(false);

    // Without the skin the designed colours come back.
    manager_->SetActive(false);
    tester_->Pump();
    EXPECT_EQ(other->Color(), toolkit::clWhite);
    EXPECT_EQ(other->Font()->Color(), toolkit::clBlack);
}

TEST_F(EditTest, TheFrameComesFromTheSkinAndAPasswordShowsDots)
{
    PanelsForm* form = ShowPanels();
    TsEdit* edit = EditOn(form, 10);
    manager_->SetSkinName(u"Edits again (internal)");
    tester_->Pump();
    const POINT frameOrigin = toolkit::FormTester::ScreenPoint(edit, POINT{0, 0});
    const Bitmap shot = tester_->Screenshot();
    // The window's outer pixel is the border mask's dark frame, painted around the client area.
    const int dark = int(MakePixel(20, 30, 40) & 0xFFFFFF);
    EXPECT_EQ(int(shot.Pixel(frameOrigin.x - 2, frameOrigin.y - 2) & 0xFFFFFF), dark);
    EXPECT_EQ(int(shot.Pixel(frameOrigin.x + 40, frameOrigin.y - 1) & 0xFFFFFF), dark);

    edit->SetText(u"abc");
    edit->SetPasswordChar(u'*');
    EXPECT_EQ(edit->ShownText(), u"\u25CF\u25CF\u25CF");
    edit->SetPasswordChar(u'#');
    EXPECT_EQ(edit->ShownText(), u"###");
}

TEST_F(EditTest, AMemoTakesItsStatesColoursBeforeItPaintsItsOwnText)
{
    PanelsForm* form = ShowPanels();
    auto* memo = toolkit::FormTester::Make<TsMemo>(form, form->inner, u"memo", 10, 20, 120, 60);
    memo->SetColor(toolkit::clWhite);
    memo->SkinData()->SetLoading(false);
    TsEdit* edit = EditOn(form, 140);
    manager_->SetSkinName(u"Edits again (internal)");
    tester_->Pump();
    EXPECT_EQ(memo->Color(), toolkit::TColor(Back));
    EXPECT_EQ(ScreenAt(memo, POINT{60, 40}), Rgb(Back));
    memo->SetFocus();
    tester_->Pump();
    EXPECT_EQ(memo->Font()->Color(), toolkit::TColor(HotInk));
    EXPECT_EQ(ScreenAt(memo, POINT{60, 40}), Rgb(HotBack));
    edit->SetFocus();
    tester_->Pump();
    EXPECT_EQ(ScreenAt(memo, POINT{60, 40}), Rgb(Back));
    // The frame is the section's border.
    const POINT p = toolkit::FormTester::ScreenPoint(memo, POINT{0, 0});
    EXPECT_EQ(int(tester_->Screenshot().Pixel(p.x - 2, p.y + 20) & 0xFFFFFF), int(MakePixel(20, 30, 40) & 0xFFFFFF));
}
