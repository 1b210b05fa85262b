#include "ControlsTestSupport.h"

#include "skin/controls/TsLabel.h"
#include "skin/forms/TsSkinProvider.h"
#include "skin/model/SkinColors.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int GlobalInk = 0x102030, PanelInk = 0x0000C0, OpaqueInk = 0x00A000, GlassInk = 0xC00000,
              OwnInk = 0xFF0000, FormColor = 0xD0D0D0;

// PANEL (the outer panel) and an opaque section name their own inks; GLASS lets the surface under
// it show through, so text over it takes the ink of what is under it. The first line goes on
// with the global section: the skin's label colour. FORM gives the forms their skinned frame and
// client area.
std::string LabelSections()
{
    return "FONTCOLOR=" + std::to_string(GlobalInk) + "\r\n[FORM]\r\nCOLOR=" + std::to_string(FormColor) +
           "\r\n" + "[PANEL]\r\nCOLOR=" + std::to_string(PanelColor) +
           "\r\nFONTCOLOR=" + std::to_string(PanelInk) + "\r\n[PLAIN]\r\nCOLOR=" + std::to_string(PlainColor) +
           "\r\nFONTCOLOR=" + std::to_string(OpaqueInk) + "\r\n[GLASS]\r\nCOLOR=255\r\nTRANSPARENCY=100\r\nFONTCOLOR=" +
           std::to_string(GlassInk) + "\r\n";
}

class LabelTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(Item(u"Labels (internal)", MakeSkin(LabelSections())));
        manager_->SetSkinName(u"Labels (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    static TsLabel* LabelOn(toolkit::TWinControl* parent)
    {
        auto* label = toolkit::FormTester::Make<TsLabel>(parent, parent, u"label", 10, 10, 90, 20);
        label->SetAutoSize(false);
        label->SetCaption(u"WWWWWW");
        label->Font()->SetStyle({toolkit::fsBold});
        label->Font()->SetColor(toolkit::TColor(OwnInk));
        return label;
    }

    // How many pixels of the label's place on the screen show exactly colour.
    int PixelsOf(TsLabel* label, int color)
    {
        tester_->Pump();
        const Bitmap shot = tester_->Screenshot();
        const POINT origin = toolkit::FormTester::ScreenPoint(label, POINT{0, 0});
        int count = 0;
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x)
                if ((shot.Pixel(origin.x + x, origin.y + y) & 0xFFFFFF) ==
                    (MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF))
                    ++count;
        return count;
    }
};

} // namespace

TEST_F(LabelTest, TheInkComesFromTheSectionReallyVisibleUnderTheLabel)
{
    PanelsForm* form = ShowPanels();
    TsLabel* label = LabelOn(form->inner);
    // An opaque container names itself.
    EXPECT_EQ(int(label->TextColor()), OpaqueInk);
    EXPECT_GT(PixelsOf(label, OpaqueInk), 10);
    // A see-through container passes the question on: the outer panel's ink shows.
    form->inner->SkinData()->SetSkinSection(u"GLASS");
    EXPECT_EQ(int(label->TextColor()), PanelInk);
    label->Invalidate();
    EXPECT_GT(PixelsOf(label, PanelInk), 10);
    EXPECT_EQ(PixelsOf(label, GlassInk), 0);
}

TEST_F(LabelTest, OnASkinnedFormTheSkinsLabelColourOnAPlainFormItsOwn)
{
    PanelsForm* form = ShowPanels();
    TsLabel* onForm = LabelOn(form);
    onForm->SetLeft(240);
    // The form's provider paints its client area from the skin: the skin's label colour.
    TsSkinProvider* provider = TsSkinProvider::Of(form);
    ASSERT_NE(provider, nullptr) << "the form was shown without getting its provider";
    ASSERT_TRUE(provider->DrawsFrame());
    EXPECT_EQ(int(onForm->TextColor()), GlobalInk);
    form->outer->SetVisible(false); // it covers the whole client area
    onForm->Invalidate();
    EXPECT_GT(PixelsOf(onForm, GlobalInk), 10);
    // A parent that the skin does not paint (a plain client area): the label's own colour, which
    // was chosen for that plain background, and not the skin's, which may vanish on it.
    provider->SetDrawClientArea(false);
    EXPECT_EQ(int(onForm->TextColor()), OwnInk);
    onForm->Invalidate();
    EXPECT_GT(PixelsOf(onForm, OwnInk), 10);
}

TEST_F(LabelTest, OwnColourWithoutSkinColourOrSkinAndABlendWhileDisabled)
{
    PanelsForm* form = ShowPanels();
    TsLabel* label = LabelOn(form->inner);
    label->SetUseSkinColor(false);
    EXPECT_EQ(int(label->TextColor()), OwnInk);
    EXPECT_GT(PixelsOf(label, OwnInk), 10);

    label->SetUseSkinColor(true);
    label->SetEnabled(false);
    const int blended = BlendColors(OpaqueInk, PlainColor, 100);
    EXPECT_EQ(int(label->TextColor()), blended);
    EXPECT_GT(PixelsOf(label, blended), 10);

    // Without a skin the label keeps its own colour whatever UseSkinColor says.
    label->SetEnabled(true);
    manager_->SetActive(false);
    EXPECT_EQ(int(label->TextColor()), OwnInk);
    EXPECT_GT(PixelsOf(label, OwnInk), 10);
}
