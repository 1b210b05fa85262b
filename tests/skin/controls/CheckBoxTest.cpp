#include "ControlsTestSupport.h"

#include "skin/controls/TsCheckBox.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int Rest = 0x204060, Hot = 0x406080, Pressed = 0x6080A0;

// The skin's checked image is the master's 6 x 6 framed square (two images); it has no unchecked
// or grayed image.
std::string CheckSections()
{
    return std::string("BOXCHECKED=") + controlstest::BorderValue + "\r\n" + StandardSections() + "[CHECKBOX]\r\nCOLOR=" +
           std::to_string(Rest) + "\r\nHOTCOLOR=" + std::to_string(Hot) + "\r\nUSESTATE2=1\r\nCOLOR2=" + std::to_string(Pressed) +
           "\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=0\r\nFONTCOLOR2=0\r\n";
}

class CheckBoxTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(Item(u"Checks (internal)", MakeSkin(CheckSections())));
        manager_->SetSkinName(u"Checks (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    TsCheckBox* BoxOn(PanelsForm* form)
    {
        auto* box = toolkit::FormTester::Make<TsCheckBox>(form, form->inner, u"check", 10, 10, 150, 20);
        box->SetCaption(u"Check");
        box->SkinData()->SetLoading(false);
        box->SkinData()->UpdateIndexes(true);
        tester_->Pump();
        return box;
    }

    static int At(TsCheckBox* box, int x, int y) { return int(box->SkinData()->FCacheBmp->Pixel(x, y) & 0xFFFFFF); }
    static int Rgb(int color) { return int(MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF); }
    static int FrameInk() { return int(MakePixel(20, 30, 40) & 0xFFFFFF); }
};

} // namespace

TEST_F(CheckBoxTest, TheMouseTheFocusAndAPressGiveTheStatesThePictureShows)
{
    PanelsForm* form = ShowPanels();
    TsCheckBox* box = BoxOn(form);
    EXPECT_EQ(box->ImageState(), 0);
    EXPECT_EQ(At(box, 149, 0), Rgb(Rest));

    tester_->MouseMove(box, POINT{100, 10});
    tester_->Advance(400);
    EXPECT_EQ(box->ImageState(), 1);
    EXPECT_EQ(At(box, 149, 0), Rgb(Hot));

    tester_->MouseDown(box, POINT{100, 10});
    tester_->Advance(400);
    EXPECT_EQ(box->ImageState(), 2);
    EXPECT_EQ(At(box, 149, 0), Rgb(Pressed));

    tester_->MouseUp(box, POINT{100, 10});
    tester_->Advance(400);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(box->ImageState(), 1);

    // Away from it, but focused by the click: still hot, unless read-only.
    tester_->MouseMove(form->outer, POINT{270, 150});
    tester_->Advance(400);
    EXPECT_TRUE(box->Focused());
    EXPECT_EQ(box->ImageState(), 1);
    box->SetSkinReadOnly(true);
    EXPECT_EQ(box->ImageState(), 0);
}

TEST_F(CheckBoxTest, TheCheckImageOfTheStateOrAFreeSixteenPixelAreaBeforeTheText)
{
    PanelsForm* form = ShowPanels();
    TsCheckBox* box = BoxOn(form);
    // Unchecked: the skin has no image, so nothing is drawn and the text starts after 16 pixels.
    EXPECT_EQ(box->CheckRect(), (RECT{0, 0, 16, 16}));
    EXPECT_EQ(box->SkinTextRect().left, 16 + 0 + 2 + 4);
    ASSERT_TRUE(box->PrepareCache());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(At(box, x, y), Rgb(Rest)) << x << "," << y;

    box->SetChecked(true);
    box->SetTextIndent(3);
    EXPECT_EQ(box->CheckRect(), (RECT{2, 7, 8, 13}));
    EXPECT_EQ(box->SkinTextRect().left, 6 + 3 + 2 + 4);
    ASSERT_TRUE(box->PrepareCache());
    EXPECT_EQ(At(box, 2, 7), FrameInk());
    EXPECT_EQ(At(box, 7, 12), FrameInk());
    EXPECT_EQ(At(box, 1, 7), Rgb(Rest));

    // Placement by side and vertical alignment.
    box->SetAlignment(toolkit::taLeftJustify);
    EXPECT_EQ(box->CheckRect().left, 150 - 6 - 2);
    EXPECT_EQ(box->SkinTextRect().left, 2);
    box->SetVerticalAlign(vaTop);
    EXPECT_EQ(box->CheckRect().top, 0);
    box->SetVerticalAlign(vaBottom);
    EXPECT_EQ(box->CheckRect().bottom, 20);
}
