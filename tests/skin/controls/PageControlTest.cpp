#include "ControlsTestSupport.h"

#include "skin/controls/TsPageControl.h"
#include "skin/controls/TsTabSheet.h"

#include "platform/text/Font.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

constexpr int PageColor = 0x405060, FirstTab = 0x000080, SingleTab = 0x008000, SingleHot = 0x00C000,
              SinglePressed = 0x00F000;

// A first-tab section and the single-tab one; the last and middle tabs fall back to the single.
std::string TabSections()
{
    return StandardSections() + "[PAGECONTROL]\r\nCOLOR=" + std::to_string(PageColor) + "\r\n[TABTOPFIRST]\r\nCOLOR=" +
           std::to_string(FirstTab) + "\r\nHOTCOLOR=" + std::to_string(FirstTab) + "\r\n[TABTOP]\r\nCOLOR=" +
           std::to_string(SingleTab) + "\r\nHOTCOLOR=" + std::to_string(SingleHot) + "\r\nUSESTATE2=1\r\nCOLOR2=" +
           std::to_string(SinglePressed) + "\r\n";
}

class PageControlTest : public ControlsFixture {
protected:
    void SetUp() override
    {
        ControlsFixture::SetUp();
        manager_->InternalSkins().Add(Item(u"Tabs (internal)", MakeSkin(TabSections())));
        manager_->SetSkinName(u"Tabs (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    TsPageControl* PagesOn(PanelsForm* form, int count)
    {
        auto* pages = toolkit::FormTester::Make<TsPageControl>(form, form->inner, u"pages", 5, 5, 190, 90);
        static const char16_t* names[] = {u"one", u"two", u"three"};
        static const char16_t* captions[] = {u"First", u"Second", u"Third"};
        for (int i = 0; i < count; ++i) {
            auto* sheet = new TsTabSheet(form);
            sheet->SetName(names[i]);
            sheet->SetCaption(captions[i]);
            sheet->SetPageControl(pages);
            sheet->SkinData()->SetLoading(false);
        }
        pages->SetActivePageIndex(0);
        pages->SkinData()->SetLoading(false);
        pages->SkinData()->UpdateIndexes(true);
        tester_->Pump();
        return pages;
    }

    static int At(TsPageControl* pages, POINT p)
    {
        return int(pages->SkinData()->FCacheBmp->Pixel(p.x, p.y) & 0xFFFFFF);
    }
    static int Rgb(int color) { return int(MakePixel(GetRValue(color), GetGValue(color), GetBValue(color)) & 0xFFFFFF); }
};

} // namespace

TEST_F(PageControlTest, TheActiveTabGrowsByTwoAndItsCaptionSitsAsTheSkinPlacesIt)
{
    PanelsForm* form = ShowPanels();
    TsPageControl* pages = PagesOn(form, 2);
    // The plain control's own enlargement of the active tab is undone, then the skin's applied.
    RECT plain = pages->TabRect(0);
    plain = RECT{plain.left + 2, plain.top + 2, plain.right - 2, plain.bottom - 1};
    EXPECT_EQ(pages->SkinTabRect(0), (RECT{plain.left - 2, plain.top - 2, plain.right + 2, plain.bottom + 2}));
    EXPECT_EQ(pages->SkinTabRect(1), pages->TabRect(1));
    pages->SetActiveTabEnlarged(false);
    EXPECT_EQ(pages->SkinTabRect(0), plain);
    pages->SetActiveTabEnlarged(true);

    // The caption: the tab less 2 at the bottom and the top, moved by (-1, -2) for the enlarged
    // tab, centred, then shifted by (1, 1).
    const RECT tab = pages->SkinTabRect(0);
    const RECT area{tab.left - 1, tab.top + 2 - 2, tab.right - 1, tab.bottom - 2 - 2};
    SIZE text{};
    Bitmap scratch(1, 1);
    HDC dc = CreateBitmapDC(&scratch);
    SelectFont(dc, pages->Font()->Handle());
    GetTextExtentPoint32(dc, u"First", &text);
    DeleteDC(dc);
    const int left = area.left + (area.Width() - text.cx) / 2 + 1;
    const int top = area.top + (area.Height() - text.cy) / 2 + 1;
    EXPECT_EQ(pages->TabTextRect(0), (RECT{left, top, left + text.cx, top + text.cy}));
    // An inactive tab: 2 less at the top and bottom, one pixel lower.
    const RECT other = pages->SkinTabRect(1);
    EXPECT_EQ(pages->TabTextRect(1).top, other.top + 3 + (other.Height() - 4 - text.cy) / 2);
    pages->SetTabAlignment(toolkit::taLeftJustify);
    pages->SetTabMargin(5);
    pages->SetTabPadding(2);
    EXPECT_EQ(pages->TabTextRect(1).left, other.left + 7);
}

TEST_F(PageControlTest, TabsTakeTheSectionOfTheirPlaceAndTheStateOfTheMouseAndThePage)
{
    PanelsForm* form = ShowPanels();
    TsPageControl* pages = PagesOn(form, 3);
    const TsSkinModel& model = *manager_->Model();
    EXPECT_EQ(pages->TabSection(0), model.GetSkinIndex("TABTOPFIRST"));
    EXPECT_EQ(pages->TabSection(1), model.GetSkinIndex("TABTOP"));
    EXPECT_EQ(pages->TabSection(2), model.GetSkinIndex("TABTOP"));
    EXPECT_EQ(pages->TabState(0), 2);
    EXPECT_EQ(pages->TabState(1), 0);

    ASSERT_NE(pages->UpToDatePicture(), nullptr);
    const RECT second = pages->SkinTabRect(1);
    const RECT third = pages->SkinTabRect(2);
    EXPECT_EQ(At(pages, POINT{third.right - 2, third.top + 1}), Rgb(SingleTab));
    // Right of the tabs the strip shows the panel under the control; below it the page section.
    EXPECT_EQ(At(pages, POINT{185, 3}), Rgb(PlainColor));
    EXPECT_EQ(At(pages, POINT{100, 60}), Rgb(PageColor));

    tester_->MouseMove(pages, POINT{(third.left + third.right) / 2, (third.top + third.bottom) / 2});
    EXPECT_EQ(pages->CurItem(), 2);
    EXPECT_EQ(pages->TabState(2), 1);
    ASSERT_NE(pages->UpToDatePicture(), nullptr);
    EXPECT_EQ(At(pages, POINT{third.right - 2, third.top + 1}), Rgb(SingleHot));

    // The active tab is drawn pressed, last, over its neighbours.
    pages->SetActivePageIndex(1);
    ASSERT_NE(pages->UpToDatePicture(), nullptr);
    const RECT active = pages->SkinTabRect(1);
    EXPECT_LT(active.left, second.left);
    EXPECT_EQ(At(pages, POINT{active.left + 1, active.top + 1}), Rgb(SinglePressed));
}

TEST_F(PageControlTest, ASheetShowsThePageControlsPictureUnderIt)
{
    PanelsForm* form = ShowPanels();
    TsPageControl* pages = PagesOn(form, 1);
    // The only tab takes the single tab's section.
    EXPECT_EQ(pages->TabSection(0), manager_->Model()->GetSkinIndex("TABTOP"));
    tester_->Pump();
    const Bitmap shot = tester_->Screenshot();
    toolkit::TControl* sheet = pages->ActivePage();
    const POINT p = toolkit::FormTester::ScreenPoint(sheet, POINT{20, 20});
    EXPECT_EQ(int(shot.Pixel(p.x, p.y) & 0xFFFFFF), Rgb(PageColor));
}
