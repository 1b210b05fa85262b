#include "ControlsTestSupport.h"

#include "skin/controls/TsComboBox.h"

#include "platform/frame/SystemMetrics.h"
#include "toolkit/ControlLook.h"
#include "toolkit/TCanvas.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int Field = 0x303030, Ink = 0x00A0A0, Face = 0x400000, HotFace = 0x800000, OpenFace = 0xC00000,
              Chosen = 0x008040;

std::string ComboSection()
{
    return "[COMBOBOX]\r\nCOLOR=" + std::to_string(Field) + "\r\nHOTCOLOR=" + std::to_string(Field) +
           "\r\nFONTCOLOR=" + std::to_string(Ink) + "\r\nHOTFONTCOLOR=" + std::to_string(Ink) + "\r\n";
}

// A button section of three faces and a selection section; the second skin has neither.
std::string ComboSections()
{
    return StandardSections() + ComboSection() + "[COMBOBTN]\r\nCOLOR=" + std::to_string(Face) + "\r\nHOTCOLOR=" +
           std::to_string(HotFace) + "\r\nUSESTATE2=1\r\nCOLOR2=" + std::to_string(OpenFace) +
           "\r\n[SELECTION]\r\nCOLOR=0\r\nHOTCOLOR=" + std::to_string(Chosen) + "\r\n";
}

class ComboBoxTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(Item(u"Combos (internal)", MakeSkin(ComboSections())));
        manager_->InternalSkins().Add(Item(u"Bare combos (internal)", MakeSkin(StandardSections() + ComboSection())));
        manager_->SetSkinName(u"Combos (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    TsComboBox* ComboOn(PanelsForm* form)
    {
        auto* combo = toolkit::FormTester::Make<TsComboBox>(form, form->inner, u"combo", 10, 10, 150, 22);
        for (const char16_t* item : {u"One", u"Two", u"Three"})
            combo->Items()->Add(item);
        combo->SkinData()->SetLoading(false);
        combo->SkinData()->UpdateIndexes(true);
        tester_->Pump();
        return combo;
    }

    static int Cached(TsComboBox* combo, POINT p)
    {
        return int(combo->SkinData()->FCacheBmp->Pixel(p.x, p.y) & 0xFFFFFF);
    }
    static int Rgb(int color) { return int(MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF); }

    // Item index drawn as the list draws it, into a picture of its own.
    static Bitmap DrawnItem(TsComboBox* combo, int index, unsigned state)
    {
        Bitmap picture(80, 16);
        HDC dc = CreateBitmapDC(&picture);
        toolkit::TCanvas canvas;
        canvas.SetHandle(dc);
        combo->DrawItem(canvas, index, toolkit::TRect{0, 0, 80, 16}, state);
        canvas.SetHandle(nullptr);
        DeleteDC(dc);
        return picture;
    }
};

} // namespace

TEST_F(ComboBoxTest, TheButtonSitsInsideTheMarginAndShowsTheMouseAndTheOpenList)
{
    PanelsForm* form = ShowPanels();
    TsComboBox* combo = ComboOn(form);
    const int m = manager_->Model()->CommonSkinData.ComboBoxMargin;
    const int w = GetSystemMetrics(SM_CXVSCROLL) - 1;
    const RECT button = combo->SkinButtonRect();
    EXPECT_EQ(button, (RECT{150 - m - w, m, 150 - m, 22 - m}));
    // Away from the arrow, in the face's corner.
    const POINT face{button.left + 1, button.top + 1};
    ASSERT_TRUE(combo->PrepareCache());
    EXPECT_EQ(Cached(combo, face), Rgb(Face));

    const POINT frame = combo->ClientToScreen(toolkit::TPoint{0, 0});
    const POINT window = toolkit::FormTester::ScreenPoint(form->inner, POINT{10, 10});
    const POINT offset{frame.x - window.x, frame.y - window.y};
    tester_->MouseMove(combo, POINT{button.left + 3 - offset.x, button.top + 3 - offset.y});
    tester_->Advance(400);
    EXPECT_EQ(combo->ButtonState(), 1);
    EXPECT_EQ(Cached(combo, face), Rgb(HotFace));

    // Over the edit part the button rests again.
    tester_->MouseMove(combo, POINT{20, 8});
    tester_->Advance(400);
    EXPECT_EQ(combo->ButtonState(), 0);
    EXPECT_EQ(Cached(combo, face), Rgb(Face));

    combo->SetDroppedDown(true);
    tester_->Advance(400);
    EXPECT_EQ(combo->ButtonState(), 2);
    EXPECT_EQ(Cached(combo, face), Rgb(OpenFace));
    combo->SetDroppedDown(false);
    tester_->Advance(400);
    EXPECT_EQ(combo->ButtonState(), 0);
}

TEST_F(ComboBoxTest, WithoutAButtonSectionOrArrowImageAPlainArrowInTheComboInk)
{
    PanelsForm* form = ShowPanels();
    TsComboBox* combo = ComboOn(form);
    manager_->SetSkinName(u"Bare combos (internal)");
    tester_->Pump();
    ASSERT_TRUE(combo->PrepareCache());
    const RECT button = combo->SkinButtonRect();
    // The arrow's top row is 7 pixels wide, centred in the button.
    const int left = button.left + (button.Width() - 7) / 2;
    const int top = button.top + (button.Height() - 4) / 2;
    EXPECT_EQ(Cached(combo, POINT{left, top}), Rgb(Ink));
    EXPECT_EQ(Cached(combo, POINT{left + 3, top + 3}), Rgb(Ink));
    EXPECT_EQ(Cached(combo, POINT{left, top + 3}), Rgb(Field));
    EXPECT_EQ(Cached(combo, POINT{button.left + 1, button.top + 1}), Rgb(Field));
}

TEST_F(ComboBoxTest, ListItemsTakeTheSelectionSectionOrThePalettesColours)
{
    PanelsForm* form = ShowPanels();
    TsComboBox* combo = ComboOn(form);
    const TsSkinModel& model = *manager_->Model();
    Bitmap chosen = DrawnItem(combo, 1, toolkit::LookState::Checked);
    EXPECT_EQ(int(chosen.Pixel(79, 0) & 0xFFFFFF), Rgb(Chosen));
    Bitmap other = DrawnItem(combo, 2, toolkit::LookState::Normal);
    EXPECT_EQ(int(other.Pixel(79, 0) & 0xFFFFFF), Rgb(model.Palette[int(TacPaletteColors::pcEditBG)]));

    manager_->SetSkinName(u"Bare combos (internal)");
    tester_->Pump();
    const TsSkinModel& bare = *manager_->Model();
    chosen = DrawnItem(combo, 1, toolkit::LookState::Checked);
    EXPECT_EQ(int(chosen.Pixel(60, 3) & 0xFFFFFF), Rgb(bare.Palette[int(TacPaletteColors::pcSelectionBG_Focused)]));
    // Without a selection section the chosen item is outlined with dots instead.
    EXPECT_EQ(int(chosen.Pixel(1, 0) & 0xFFFFFF), Rgb(bare.Palette[int(TacPaletteColors::pcSelectionText_Focused)]));
}
