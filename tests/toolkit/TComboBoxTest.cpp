#include "toolkit/ControlLook.h"
#include "toolkit/FormTester.h"
#include "toolkit/TComboBox.h"
#include "toolkit/TComboDropList.h"
#include "toolkit/TForm.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <algorithm>
#include <vector>

using namespace toolkit;
using namespace platform;

namespace {

class TComboForm : public TForm {
public:
    explicit TComboForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsSingle);
        SetClientWidth(300);
        SetClientHeight(420);
        combo = new TComboBox(this);
        combo->SetName(u"ComboBox1");
        combo->SetParent(this);
        combo->SetBounds(15, 25, 190, 21);
        combo->OnChange = [this](TObject*) { ++changes; };
        combo->OnSelect = [this](TObject*) { ++selects; };
    }
    TComboBox* combo;
    int changes = 0;
    int selects = 0;
};

// A combo box that draws its own items, as a skin's does.
class TDrawingCombo : public TComboBox {
public:
    using TComboBox::TComboBox;
    std::vector<int> drawn;
    int highlighted = -1;

protected:
    void DrawItem(TCanvas& canvas, int index, const TRect& r, unsigned state) override
    {
        drawn.push_back(index);
        if (state & LookState::Checked)
            highlighted = index;
        TComboBox::DrawItem(canvas, index, r, state);
    }
};

class TComboBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = tester.CreateForm<TComboForm>();
        form->Show();
        tester.Pump();
        combo = form->combo;
        combo->SetFocus();
        tester.Pump();
    }
    void FillNumbered(int count)
    {
        for (int i = 0; i < count; ++i)
            combo->Items()->Add(u"Item " + IntToStr(i));
    }
    POINT Centre(const TRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    FormTester tester;
    TComboForm* form = nullptr;
    TComboBox* combo = nullptr;
};

} // namespace

TEST_F(TComboBoxTest, TypingCompletesToTheFirstMatchIgnoringCaseEvenInCyrillic)
{
    for (StringView name : {u"Acryl (internal)", u"Москва", u"мурманск", u"Мостовая", u"Air (internal)"})
        combo->Items()->Add(name);
    tester.Type(u"мо");
    EXPECT_EQ(combo->Text(), u"Москва");
    EXPECT_EQ(combo->SelText(), u"сква");
    EXPECT_EQ(combo->ItemIndex(), 1);
    // Further typing replaces the completed tail and completes again.
    tester.Type(u"СТ");
    EXPECT_EQ(combo->Text(), u"Мостовая");
    EXPECT_EQ(combo->SelText(), u"овая");
    EXPECT_EQ(combo->ItemIndex(), 3);
    // Backspace removes the tail and does not complete again.
    tester.Press(VK_BACK);
    EXPECT_EQ(combo->Text(), u"Мост");
    EXPECT_EQ(combo->ItemIndex(), -1);
    tester.Type(u"x");
    EXPECT_EQ(combo->Text(), u"Мостx");
    EXPECT_EQ(combo->SelLength(), 0);
    // Typing in the middle does not complete.
    tester.Press('A', {ssCtrl});
    tester.Type(u"a");
    EXPECT_EQ(combo->Text(), u"Acryl (internal)");
    tester.Press(VK_HOME);
    tester.Type(u"A");
    EXPECT_EQ(combo->Text(), u"AAcryl (internal)");
    // One change per key, completions included.
    EXPECT_EQ(form->changes, 2 + 2 + 1 + 1 + 1 + 1);
}

TEST_F(TComboBoxTest, ListShowsSixteenItemsAndScrollsToTheHighlight)
{
    FillNumbered(40);
    EXPECT_EQ(combo->DropDownCount(), 16);
    tester.Press(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    TComboDropList* list = combo->ListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list->Handle()));
    EXPECT_EQ(GetParent(list->Handle()), form->Handle()) << "the list is a top-level window the form owns";
    EXPECT_EQ(GetWindowLongPtr(list->Handle(), GWL_STYLE) & WS_CHILD, 0);
    EXPECT_EQ(list->VisibleCount(), 16);
    EXPECT_EQ(list->ClientHeight(), 16 * combo->ItemHeight() + 2);
    EXPECT_TRUE(list->ScrollBar().Scrollable());
    // The list sits right below the combo box, as wide as it.
    RECT comboRect{}, listRect{};
    GetWindowRect(combo->Handle(), &comboRect);
    GetWindowRect(list->Handle(), &listRect);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    EXPECT_EQ(listRect.Width(), comboRect.Width());
    EXPECT_EQ(GetFocus(), combo->Handle());

    for (int i = 0; i < 20; ++i)
        tester.Press(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 19);
    EXPECT_EQ(list->TopIndex(), 4);
    // Moving in the open list changes nothing until Enter.
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(form->changes, 0);
    if (const char* dir = std::getenv("LUMO_TOOLKIT_SHOTS")) {
        FormTester::SavePng(tester.Screenshot(), std::string(dir) + "/combo-list.png");
    }
    tester.Press(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(IsWindowVisible(list->Handle()));
    EXPECT_EQ(combo->ItemIndex(), 19);
    EXPECT_EQ(combo->Text(), u"Item 19");
    EXPECT_EQ(form->changes, 1);
    EXPECT_EQ(form->selects, 1);

    // Reopened, the list shows the chosen item; PageUp moves a page less one.
    tester.Press(VK_DOWN, {ssAlt});
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(list->ItemIndex(), 19);
    tester.Press(VK_PRIOR);
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(list->TopIndex(), 4);
    // The scroll bar scrolls without moving the highlight.
    DrawnScrollBar bar = list->ScrollBar();
    tester.Click(list, Centre(bar.LineDownRect()));
    EXPECT_EQ(list->TopIndex(), 5);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(list->ItemIndex(), 4);
}

TEST_F(TComboBoxTest, TheWheelScrollsTheOpenListThreeItemsANotchWithoutMovingTheHighlight)
{
    FillNumbered(40);
    tester.Click(combo, Centre(combo->ButtonRect()));
    ASSERT_TRUE(combo->DroppedDown());
    TComboDropList* list = combo->ListWindow();
    ASSERT_EQ(GetCapture(), list->Handle()) << "the open list holds the mouse";
    // Over the list, which holds the capture, and over the combo box itself.
    headless::Wheel(FormTester::ScreenPoint(list), -2 * WHEEL_DELTA);
    tester.Pump();
    EXPECT_EQ(list->TopIndex(), 6);
    SendMessage(combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    tester.Pump();
    EXPECT_EQ(list->TopIndex(), 3);
    // Beyond either end it stops there.
    headless::Wheel(FormTester::ScreenPoint(list), -20 * WHEEL_DELTA);
    tester.Pump();
    EXPECT_EQ(list->TopIndex(), 40 - 16);
    EXPECT_TRUE(combo->DroppedDown());
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(form->changes, 0);
}

TEST_F(TComboBoxTest, EscapeAndClicksElsewhereCloseWithoutAChange)
{
    FillNumbered(5);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), u"Item 1");
    EXPECT_EQ(form->changes, 0);
    tester.Press(VK_F4);
    tester.Press(VK_DOWN);
    tester.Press(VK_DOWN);
    EXPECT_EQ(combo->ListWindow()->ItemIndex(), 3);
    tester.Press(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), u"Item 1");

    // The button opens it; a click outside closes it and reaches nothing else.
    tester.Click(combo, Centre(combo->ButtonRect()));
    ASSERT_TRUE(combo->DroppedDown());
    tester.Press(VK_DOWN);
    tester.MoveMouseTo(POINT{FormTester::ScreenPoint(form).x + 120, FormTester::ScreenPoint(form).y + 150});
    headless::Click(POINT{FormTester::ScreenPoint(form).x + 120, FormTester::ScreenPoint(form).y + 150});
    tester.Pump();
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(form->changes, 0);
    EXPECT_EQ(form->selects, 0);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TComboBoxTest, ClickingAnItemPicksIt)
{
    FillNumbered(30);
    tester.Click(combo, Centre(combo->ButtonRect()));
    ASSERT_TRUE(combo->DroppedDown());
    TComboDropList* list = combo->ListWindow();
    // The highlight follows the mouse; the click takes the item under it.
    tester.MouseMove(list, Centre(list->ItemRect(7)));
    EXPECT_EQ(list->ItemIndex(), 7);
    tester.Click(list, Centre(list->ItemRect(2)));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), u"Item 2");
    EXPECT_EQ(combo->SelText(), u"Item 2");
    EXPECT_EQ(form->changes, 1);
    EXPECT_EQ(form->selects, 1);
    EXPECT_EQ(GetFocus(), combo->Handle());
}

TEST_F(TComboBoxTest, ArrowsStepThroughTheItemsWhileClosed)
{
    FillNumbered(3);
    tester.Press(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), u"Item 0");
    tester.Press(VK_DOWN);
    tester.Press(VK_DOWN);
    tester.Press(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 2);
    tester.Press(VK_UP);
    EXPECT_EQ(combo->Text(), u"Item 1");
    EXPECT_EQ(combo->SelText(), u"Item 1");
    // The last Down at the end changed nothing and told nobody.
    EXPECT_EQ(form->changes, 4);
    EXPECT_EQ(form->selects, 4);
    EXPECT_FALSE(combo->DroppedDown());

    // Assignments are not user choices; an assigned item's text selects it.
    combo->SetText(u"item 2");
    EXPECT_EQ(combo->ItemIndex(), 2);
    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Text(), u"");
    EXPECT_EQ(form->changes, 4);
    combo->SetSorted(true);
    combo->Items()->Add(u"A first");
    EXPECT_EQ(combo->Items()->Strings(0), u"A first");
}

TEST_F(TComboBoxTest, TheListDrawsItsVisibleItemsThroughTheComboBox)
{
    auto* own = new TDrawingCombo(form);
    own->SetParent(form);
    own->SetBounds(15, 60, 190, 21);
    for (int i = 0; i < 20; ++i)
        own->Items()->Add(u"Entry " + IntToStr(i));
    own->SetFocus();
    tester.Pump();
    own->SetItemIndex(18);
    tester.Press(VK_F4);
    ASSERT_TRUE(own->DroppedDown());
    tester.Pump();
    ASSERT_FALSE(own->drawn.empty());
    EXPECT_EQ(*std::min_element(own->drawn.begin(), own->drawn.end()), 3);
    EXPECT_EQ(*std::max_element(own->drawn.begin(), own->drawn.end()), 18);
    EXPECT_EQ(own->highlighted, 18);
    tester.Press(VK_ESCAPE);
    EXPECT_FALSE(own->DroppedDown());
}
