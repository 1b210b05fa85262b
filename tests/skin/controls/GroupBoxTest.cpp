#include "ControlsTestSupport.h"

#include "skin/controls/TsGroupBox.h"

#include "platform/text/Font.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int BoxColor = 0x00B0E0;

class GroupBoxTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(
            Item(u"Boxes (internal)", MakeSkin(StandardSections() + "[GROUPBOX]\r\nCOLOR=" + std::to_string(BoxColor) + "\r\n")));
        manager_->SetSkinName(u"Boxes (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    TsGroupBox* BoxOn(PanelsForm* form)
    {
        auto* box = toolkit::FormTester::Make<TsGroupBox>(form, form->inner, u"box", 10, 10, 160, 80);
        // Blanks: a plate without ink, so every pixel of it tells what shows behind it.
        box->SetCaption(u"      ");
        box->SkinData()->SetLoading(false);
        box->SkinData()->UpdateIndexes(true);
        return box;
    }

    static int At(TsGroupBox* box, int x, int y) { return int(box->SkinData()->FCacheBmp->Pixel(x, y) & 0xFFFFFF); }
    static int Rgb(int color) { return int(MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF); }
};

} // namespace

TEST_F(GroupBoxTest, TheCaptionBandShowsTheParentAndTheSectionStartsHalfWayDownIt)
{
    PanelsForm* form = ShowPanels();
    TsGroupBox* box = BoxOn(form);
    ASSERT_TRUE(box->PrepareCache());
    const int h = box->SkinCaptionHeight();
    ASSERT_GT(h, 6);
    const RECT plate = box->SkinCaptionRect();
    EXPECT_EQ(plate.left, 6);
    EXPECT_EQ(plate.top, 0);
    EXPECT_EQ(plate.bottom, h);
    for (int y = 0; y < h / 2; ++y)
        EXPECT_EQ(At(box, 120, y), Rgb(PlainColor)) << "row " << y;
    EXPECT_EQ(At(box, 120, h / 2), Rgb(BoxColor));
    EXPECT_EQ(At(box, 2, h / 2), Rgb(BoxColor));
    // The plate cuts the top border: the parent shows through it down to the caption's bottom.
    for (int y = h / 2; y < h; ++y) {
        EXPECT_EQ(At(box, plate.left, y), Rgb(PlainColor)) << "row " << y;
        EXPECT_EQ(At(box, plate.right - 1, y), Rgb(PlainColor)) << "row " << y;
    }
    EXPECT_EQ(At(box, plate.left - 1, h - 1), Rgb(BoxColor));
    EXPECT_EQ(At(box, plate.right, h - 1), Rgb(BoxColor));
    EXPECT_EQ(At(box, 80, 70), Rgb(BoxColor));
}

TEST_F(GroupBoxTest, ThePlateFollowsTheLayoutTheMarginsAndTheOffset)
{
    PanelsForm* form = ShowPanels();
    TsGroupBox* box = BoxOn(form);
    const int h = box->SkinCaptionHeight();
    const int tw = box->Font()->Handle()->TextWidth(box->Caption());
    box->SetCaptionMargin(RECT{3, 1, 5, 2});
    EXPECT_EQ(box->SkinCaptionHeight(), h + 3);
    EXPECT_EQ(box->SkinCaptionRect(), (RECT{6, 0, 6 + tw + 16, h + 3}));
    box->SetCaptionLayout(clTopCenter);
    EXPECT_EQ(box->SkinCaptionRect().left, (160 - tw - 8 - 6) / 2);
    box->SetCaptionLayout(clTopRight);
    EXPECT_EQ(box->SkinCaptionRect().left, 160 - tw - 16 - 6);
    box->SetCaptionWidth(40);
    EXPECT_EQ(box->SkinCaptionRect(), (RECT{160 - 40 - 5 - 6, 0, 160 - 40 - 5 - 6 + 43, h + 3}));
    box->SetCaptionWidth(0);
    box->SetCaptionMargin(RECT{});

    // An offset pulls the plate up and lets the section start at the very top.
    box->SetCaptionLayout(clTopLeft);
    box->SetCaptionYOffset(-4);
    EXPECT_EQ(box->SkinCaptionRect().top, -4);
    ASSERT_TRUE(box->PrepareCache());
    EXPECT_EQ(At(box, 120, 0), Rgb(BoxColor));
    // A plate never leaves the box on the left.
    box->SetCaptionYOffset(0);
    box->SetCaptionLayout(clTopRight);
    box->SetWidth(20);
    EXPECT_EQ(box->SkinCaptionRect().left, 0);
    EXPECT_LE(box->SkinCaptionRect().right, 20);
}
