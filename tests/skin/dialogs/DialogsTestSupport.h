// A virtual screen with a default manager whose small skin has dialog, title and button sections
// of colours of their own, and a way to act from inside message boxes and modal forms (nested
// ones included) for the tests of taken-over message windows.
#pragma once

#include "../forms/FormsTestSupport.h"

#include "skin/dialogs/TacDialogHook.h"

#include "platform/frame/MessageBox.h"
#include "platform/window/Timer.h"

#include <functional>
#include <vector>

namespace dialogstest {

// Section colours (0x00BBGGRR).
inline constexpr int DialogColor = 0x604020, DialogFont = 0x00FFFF, ButtonColor = 0x103050, ButtonHot = 0x50F0A0;
inline constexpr int MenuColor = 0x305070, MenuFont = 0xE0E0E0, MenuHot = 0x2080F0, MenuHotFont = 0x101010;

inline std::string DialogSections()
{
    return "[DIALOG]\r\nPARENTCLASS=FORM\r\nCOLOR=" + std::to_string(DialogColor) +
           "\r\nHOTCOLOR=" + std::to_string(DialogColor) + "\r\nFONTCOLOR=" + std::to_string(DialogFont) +
           "\r\nHOTFONTCOLOR=" + std::to_string(DialogFont) +
           "\r\n[DIALOGTITLE]\r\nPARENTCLASS=FORMTITLE\r\n"
           "[BUTTON]\r\nCOLOR=" + std::to_string(ButtonColor) + "\r\nHOTCOLOR=" + std::to_string(ButtonHot) +
           "\r\nPRESSEDCOLOR=" + std::to_string(ButtonHot) + "\r\n" +
           "[MAINMENU]\r\nCOLOR=" + std::to_string(MenuColor) + "\r\nFONTCOLOR=" + std::to_string(MenuFont) +
           "\r\n[MENUITEM]\r\nCOLOR=" + std::to_string(MenuColor) + "\r\nHOTCOLOR=" + std::to_string(MenuHot) +
           "\r\nHOTFONTCOLOR=" + std::to_string(MenuHotFont) + "\r\n";
}

inline skintest::TestSkin DialogSkin()
{
    skintest::TestSkin s = formstest::MakeSkin(false);
    s.Options += DialogSections();
    return s;
}

inline platform::PixelBGRA Rgb(int c)
{
    return platform::MakePixel(platform::BYTE(c & 0xFF), platform::BYTE((c >> 8) & 0xFF),
                               platform::BYTE((c >> 16) & 0xFF));
}

// Runs show() and, once a modal loop of it waits for input, action() from inside it. Nests: an
// action may run another box with its own action.
int WhileShown(const std::function<int()>& show, std::function<void()> action);

// The message box on top; null when none is shown.
platform::HWND TopBox();

class DialogsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<toolkit::FormTester> tester_;
    std::unique_ptr<skin::TsSkinManager> manager_;
    toolkit::TForm* main_ = nullptr;
};

} // namespace dialogstest
