#include "toolkit/FormTester.h"
#include "toolkit/TButton.h"
#include "toolkit/TForm.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TPopupMenuWindow.h"

#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;
using namespace platform;

namespace {

class MenuForm : public TForm {
public:
    explicit MenuForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(300);
        SetClientHeight(200);
        menu = new TPopupMenu(this);
        for (StringView caption : {u"Копировать", u"-", u"Выделить всё", u"Недоступно"}) {
            auto* item = new TMenuItem(this);
            item->SetCaption(caption);
            item->OnClick = [this](TObject* s) { chosen.push_back(static_cast<TMenuItem*>(s)->Caption()); };
            menu->Items()->Add(item);
        }
        menu->Items()->Items(3)->SetEnabled(false);
        button = new TButton(this);
        button->SetParent(this);
        button->SetBounds(10, 10, 100, 25);
        button->SetPopupMenu(menu);
        label = new TLabel(this);
        label->SetParent(this);
        label->SetBounds(10, 60, 100, 20);
        label->SetCaption(u"Метка");
        label->SetPopupMenu(menu);
    }
    TPopupMenu* menu;
    TButton* button;
    TLabel* label;
    std::vector<std::u16string> chosen;
};

TPopupMenuWindow* OpenMenu()
{
    return dynamic_cast<TPopupMenuWindow*>(TWinControl::FindControl(FindWindow(u"#32768", {})));
}

} // namespace

TEST(TPopupMenuTest, ARightClickOpensTheMenuAndAClickChoosesAnItem)
{
    FormTester tester;
    auto* form = tester.CreateForm<MenuForm>();
    form->Show();
    tester.Pump();
    POINT at = FormTester::ScreenPoint(form->button, {20, 10});
    tester.WhenModal([&] {
        TPopupMenuWindow* window = OpenMenu();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(form->menu->Showing());
        // At the pointer, above everything, without taking the activation.
        EXPECT_EQ(window->Left(), at.x);
        EXPECT_EQ(window->Top(), at.y);
        EXPECT_EQ(GetActiveWindow(), form->Handle());
        EXPECT_EQ(window->ItemCount(), 4);
        TRect item = window->ItemRect(2);
        headless::Click(window->ClientToScreen(POINT{item.left + 10, item.top + 5}));
    });
    headless::Click(at, MouseButton::Right);
    tester.Pump();
    EXPECT_EQ(form->chosen, (std::vector<std::u16string>{u"Выделить всё"}));
    EXPECT_FALSE(form->menu->Showing());
    EXPECT_EQ(form->menu->PopupComponent(), form->button);
    EXPECT_FALSE(FindWindow(u"#32768", {}) && IsWindowVisible(FindWindow(u"#32768", {})));
}

TEST(TPopupMenuTest, KeysChooseSkippingSeparatorsAndDisabledItemsAndEscapeOrAClickElsewhereDismiss)
{
    FormTester tester;
    auto* form = tester.CreateForm<MenuForm>();
    form->Show();
    tester.Pump();
    POINT at = FormTester::ScreenPoint(form->label, {5, 5});

    tester.WhenModal([&] {
        for (UINT vk : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
            headless::KeyDown(vk);
            headless::KeyUp(vk);
        }
    });
    headless::Click(at, MouseButton::Right);
    tester.Pump();
    // Down, down (over the line), down (over the disabled item, back to the first).
    EXPECT_EQ(form->chosen, (std::vector<std::u16string>{u"Копировать"}));
    EXPECT_EQ(form->menu->PopupComponent(), form->label);

    tester.WhenModal([&] {
        headless::KeyDown(VK_ESCAPE);
        headless::KeyUp(VK_ESCAPE);
    });
    headless::Click(at, MouseButton::Right);
    tester.Pump();
    EXPECT_EQ(form->chosen.size(), 1u);

    int buttonClicks = 0;
    form->button->OnClick = [&](TObject*) { ++buttonClicks; };
    tester.WhenModal([&] {
        TPopupMenuWindow* window = OpenMenu();
        ASSERT_NE(window, nullptr);
        TRect disabled = window->ItemRect(3);
        headless::Click(window->ClientToScreen(POINT{disabled.left + 10, disabled.top + 5}));
        tester.Pump();
        EXPECT_TRUE(form->menu->Showing());
        // The click that dismisses the menu goes nowhere else.
        headless::Click(FormTester::ScreenPoint(form->button));
    });
    form->menu->Popup(at.x, at.y);
    tester.Pump();
    EXPECT_FALSE(form->menu->Showing());
    EXPECT_EQ(form->chosen.size(), 1u);
    EXPECT_EQ(buttonClicks, 0);
}
