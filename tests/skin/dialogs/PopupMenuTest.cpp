#include "DialogsTestSupport.h"

#include "skin/dialogs/TacPopupMenuWnd.h"
#include "skin/model/SkinColors.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"
#include "toolkit/TPopupMenu.h"
#include "toolkit/TPopupMenuWindow.h"

#include <algorithm>
#include <functional>

using namespace platform;
using namespace skin;
using dialogstest::DialogsFixture;
using dialogstest::WhileShown;

namespace {

PixelBGRA Opaque(PixelBGRA p) { return p | 0xFF000000u; }

// What runs at the next tick of a one-shot timer: inside the menu's own loop, once that loop has
// taken the mouse moves queued before.
std::function<void()> later;

void RunLater(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto action = std::move(later);
    later = nullptr;
    if (action)
        action();
}

class PopupMenuTest : public DialogsFixture {
protected:
    toolkit::TPopupMenu* Menu()
    {
        auto* menu = new toolkit::TPopupMenu(main_);
        for (const char16_t* caption : {u"Один", u"-", u"Два"}) {
            auto* item = new toolkit::TMenuItem(menu);
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        menu->Items()->Items(2)->SetEnabled(false);
        return menu;
    }

    // Shows menu and, while it runs, hovers its first item and hands its picture to look(); then
    // chooses that item.
    void WhileHovered(toolkit::TPopupMenu* menu, const std::function<void(HWND, const Bitmap&)>& look)
    {
        bool seen = false;
        WhileShown(
            [&] {
                menu->Popup(200, 150);
                return 0;
            },
            [&] {
                HWND window = FindWindow(u"#32768", {});
                auto* shown = dynamic_cast<toolkit::TPopupMenuWindow*>(toolkit::TWinControl::FindControl(window));
                ASSERT_NE(shown, nullptr);
                const toolkit::TRect first = shown->ItemRect(0);
                const POINT on = shown->ClientToScreen(POINT{first.left + 40, first.top + 3});
                headless::MouseMove(on);
                later = [&, window, on] {
                    look(window, headless::WindowShot(window));
                    seen = true;
                    headless::Click(on);
                };
                SetTimer(nullptr, 0, 60, RunLater);
            });
        EXPECT_TRUE(seen);
    }
};

} // namespace

TEST_F(PopupMenuTest, APopupMenuIsWrappedAndDrawnFromTheMenuSectionsWithTheHotItemFromItsOwn)
{
    toolkit::TPopupMenu* menu = Menu();
    WhileHovered(menu, [&](HWND window, const Bitmap& shot) {
        const auto& wrapped = manager_->DialogHook()->PopupMenus();
        EXPECT_TRUE(std::any_of(wrapped.begin(), wrapped.end(), [&](const auto& w) { return w->Handle() == window; }));
        auto* shown = dynamic_cast<toolkit::TPopupMenuWindow*>(toolkit::TWinControl::FindControl(window));
        const toolkit::TRect hot = shown->ItemRect(0), line = shown->ItemRect(1), off = shown->ItemRect(2);
        // The hot item's plate beyond its text, and the plate beside the disabled one.
        EXPECT_EQ(Opaque(shot.Pixel(hot.right - 3, hot.top + 2)), dialogstest::Rgb(dialogstest::MenuHot));
        EXPECT_EQ(Opaque(shot.Pixel(off.right - 3, off.top + 2)), dialogstest::Rgb(dialogstest::MenuColor));
        EXPECT_EQ(Opaque(shot.Pixel(3, line.top + 1)), dialogstest::Rgb(dialogstest::MenuColor));
        // Texts in the sections' font colours: the hot one's own, the disabled one between ink
        // and plate.
        int hotInk = 0, plainInk = 0, dimmedInk = 0;
        for (int y = hot.top; y < hot.bottom; ++y)
            for (int x = hot.left + 24; x < hot.left + 60; ++x)
                hotInk += Opaque(shot.Pixel(x, y)) == dialogstest::Rgb(dialogstest::MenuHotFont);
        const PixelBGRA dimmed = dialogstest::Rgb(BlendColors(dialogstest::MenuFont, dialogstest::MenuColor, 128));
        for (int y = off.top; y < off.bottom; ++y)
            for (int x = off.left + 24; x < off.left + 60; ++x) {
                plainInk += Opaque(shot.Pixel(x, y)) == dialogstest::Rgb(dialogstest::MenuFont);
                dimmedInk += Opaque(shot.Pixel(x, y)) == dimmed;
            }
        EXPECT_GT(hotInk, 10);
        EXPECT_GT(dimmedInk, 10);
        EXPECT_EQ(plainInk, 0);
    });
}

TEST_F(PopupMenuTest, WithSkinnedPopupsOffAMenuKeepsItsOwnLook)
{
    manager_->SkinnedPopups = false;
    toolkit::TPopupMenu* menu = Menu();
    WhileHovered(menu, [&](HWND window, const Bitmap& shot) {
        const auto& wrapped = manager_->DialogHook()->PopupMenus();
        EXPECT_TRUE(std::none_of(wrapped.begin(), wrapped.end(), [&](const auto& w) { return w->Handle() == window; }));
        auto* shown = dynamic_cast<toolkit::TPopupMenuWindow*>(toolkit::TWinControl::FindControl(window));
        const toolkit::TRect off = shown->ItemRect(2);
        EXPECT_EQ(Opaque(shot.Pixel(off.right - 3, off.top + 2)), Opaque(PixelBGRA(MakePixel(
                      GetRValue(GetSysColor(COLOR_MENU)), GetGValue(GetSysColor(COLOR_MENU)), GetBValue(GetSysColor(COLOR_MENU))))));
    });
}
