#include "toolkit/FormTester.h"
#include "toolkit/TBitmap.h"
#include "toolkit/TButton.h"
#include "toolkit/TForm.h"
#include "toolkit/TGroupBox.h"
#include "toolkit/TImage.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TTabSheet.h"

#include "platform/window/Window.h"

#include <gtest/gtest.h>

using namespace toolkit;
using namespace platform;

namespace {

class PagesForm : public TForm {
public:
    explicit PagesForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(494);
        SetClientHeight(290);
        pages = FormTester::Make<TPageControl>(this, this, u"pages", 0, 0, 494, 290);
        pages->SetAlign(alClient);
        first = new TTabSheet(this);
        first->SetName(u"first");
        first->SetPageControl(pages);
        first->SetCaption(u"Настройки");
        second = new TTabSheet(this);
        second->SetName(u"second");
        second->SetPageControl(pages);
        second->SetCaption(u"Вид");
        group = FormTester::Make<TGroupBox>(this, first, u"group", 8, 8, 470, 140);
        group->SetCaption(u"Настройки прокси");
        inGroup = FormTester::Make<TButton>(this, group, u"inGroup", 15, 24, 100, 25);
        inGroup->SetAlign(alClient);
        onSecond = FormTester::Make<TButton>(this, second, u"onSecond", 10, 10, 100, 25);
    }
    TPageControl* pages;
    TTabSheet *first, *second;
    TGroupBox* group;
    TButton *inGroup, *onSecond;
};

} // namespace

TEST(TPanelTest, ChildrenAreAlignedInsideTheBevelsAndBorder)
{
    FormTester tester;
    auto* form = tester.CreateForm<TForm>();
    auto* panel = FormTester::Make<TPanel>(form, form, u"panel", 0, 0, 200, 100);
    auto* inside = FormTester::Make<TButton>(form, panel, u"inside", 0, 0, 10, 10);
    inside->SetAlign(alClient);
    EXPECT_EQ(inside->BoundsRect(), (TRect{1, 1, 199, 99}));
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(3);
    EXPECT_EQ(inside->BoundsRect(), (TRect{5, 5, 195, 95}));
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    EXPECT_EQ(inside->BoundsRect(), (TRect{3, 3, 197, 97}));
}

TEST(TPageControlTest, TabsChangeTheVisiblePageAndOnChangingMayRefuse)
{
    FormTester tester;
    auto* form = tester.CreateForm<PagesForm>();
    form->Show();
    tester.Pump();
    EXPECT_EQ(form->pages->ActivePage(), form->first);
    EXPECT_TRUE(form->first->Visible());
    EXPECT_FALSE(form->second->Visible());
    // The pages fill the area under the tabs.
    const TRect display = form->pages->DisplayRect();
    EXPECT_EQ(form->first->BoundsRect(), display);
    EXPECT_EQ(form->second->BoundsRect(), display);
    EXPECT_GT(display.top, 15);
    // Children align inside a group box's frame, below its caption.
    EXPECT_GE(form->inGroup->Top(), 13);
    EXPECT_EQ(form->inGroup->Left(), 2);

    int changes = 0;
    bool allow = true;
    form->pages->OnChange = [&](TObject*) { ++changes; };
    form->pages->OnChanging = [&](TObject*, bool& ok) { ok = allow; };
    TRect tab = form->pages->TabRect(1);
    tester.Click(form->pages, {tab.left + 5, tab.top + 5});
    EXPECT_EQ(form->pages->ActivePage(), form->second);
    EXPECT_FALSE(form->first->Visible());
    EXPECT_TRUE(IsWindowVisible(form->onSecond->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->inGroup->Handle()));
    EXPECT_EQ(changes, 1);

    allow = false;
    tab = form->pages->TabRect(0);
    tester.Click(form->pages, {tab.left + 5, tab.top + 5});
    EXPECT_EQ(form->pages->ActivePage(), form->second);
    allow = true;

    // With the focus on the tabs, the arrow keys change pages; Ctrl+Tab does from inside a page.
    form->pages->SetFocus();
    tester.Press(VK_LEFT);
    EXPECT_EQ(form->pages->ActivePage(), form->first);
    form->inGroup->SetFocus();
    tester.Press(VK_TAB, {ssCtrl});
    EXPECT_EQ(form->pages->ActivePage(), form->second);
    EXPECT_EQ(changes, 3);
    // The focus left the page that went out of sight.
    EXPECT_NE(GetFocus(), form->inGroup->Handle());
}

TEST(TLabelTest, AutoSizeFitsTheTextAndWordWrapKeepsTheWidth)
{
    FormTester tester;
    auto* form = tester.CreateForm<TForm>();
    auto* label = FormTester::Make<TLabel>(form, form, u"label", 10, 10, 10, 10);
    label->SetCaption(u"Адрес:");
    TCanvas measure;
    measure.Font()->Assign(label->Font());
    EXPECT_EQ(label->Width(), measure.TextWidth(u"Адрес:"));
    EXPECT_EQ(label->Height(), measure.TextHeight(u"Адрес:"));
    const int oneLine = label->Height();
    label->Font()->SetHeight(-13);
    label->Font()->SetStyle({fsBold});
    EXPECT_GT(label->Height(), oneLine);

    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetBounds(10, 10, 120, 20);
    label->SetAutoSize(true);
    label->SetCaption(u"Понравилась программа - отблагодари разработчиков!");
    EXPECT_EQ(label->Width() <= 120, true);
    EXPECT_GT(label->Height(), 2 * oneLine);
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    tester.Pump();
    tester.Click(label, {2, 2});
    EXPECT_EQ(clicks, 1);
}

TEST(TImageTest, AutoSizeTakesThePictureSizeAndAlignmentStillApplies)
{
    FormTester tester;
    auto* form = tester.CreateForm<TForm>();
    form->SetClientWidth(404);
    form->SetClientHeight(120);
    auto* image = FormTester::Make<TImage>(form, form, u"image", 0, 0, 10, 10);
    image->SetAutoSize(true);
    image->SetAlign(alLeft);
    TBitmap picture(120, 120);
    picture.Bitmap().Fill(MakePixel(0, 128, 0, 128));
    picture.SetPixelFormat(pf32bit);
    picture.SetAlphaFormat(afDefined);
    image->Picture()->SetGraphic(&picture);
    EXPECT_EQ(image->Width(), 120);
    EXPECT_EQ(image->Height(), 120);
    EXPECT_EQ(image->Left(), 0);

    // Drawn with its alpha over the form's colour.
    form->Show();
    tester.Pump();
    Bitmap shot = tester.WindowShot(form);
    POINT p = FormTester::ScreenPoint(image, {60, 60});
    RECT w{};
    GetWindowRect(form->Handle(), &w);
    PixelBGRA px = shot.Pixel(p.x - w.left, p.y - w.top);
    EXPECT_NEAR(PixelG(px), (128 * 128 + 240 * 127) / 255, 2);
    EXPECT_NEAR(PixelR(px), 240 * 127 / 255, 2);
}
