// Small hand-made skins with title glyphs and form sections, and a virtual screen with a default
// manager, for the tests of skinned window frames.
#pragma once

#include "../data/ModelTestUtil.h"

#include "skin/forms/TsSkinProvider.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "toolkit/FormTester.h"
#include "toolkit/TForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace formstest {

// Title glyph states: normal red, hot green, pressed blue.
inline constexpr platform::PixelBGRA StateInk[3] = {platform::MakePixel(220, 0, 0), platform::MakePixel(0, 200, 0),
                                                     platform::MakePixel(0, 0, 210)};
inline constexpr platform::PixelBGRA FrameInk = platform::MakePixel(10, 20, 30);
inline constexpr platform::PixelBGRA FormInk = platform::MakePixel(200, 200, 200);
// Colours of the sections (0x00BBGGRR).
inline constexpr int FormColor = 0x808080, TitleActive = 0x00FF00, TitleInactive = 0xFF0000;

// The master bitmap: title glyphs of three states in rows of 10 pixels (close 12 wide, minimise 9,
// lone close 16), then the form's border mask (two 8 x 8 images, 3-pixel strips) whose two
// outermost corner pixels are fuchsia when rounded.
inline platform::Bitmap Master(bool rounded)
{
    platform::Bitmap b = skintest::Solid(64, 40, platform::MakePixel(255, 0, 255));
    auto strip = [&](int top, int width) {
        for (int state = 0; state < 3; ++state)
            for (int y = top; y < top + 10; ++y)
                for (int x = state * width; x < (state + 1) * width; ++x)
                    b.SetPixel(x, y, StateInk[state]);
    };
    strip(0, 12);
    strip(10, 9);
    strip(20, 16);
    for (int image = 0; image < 2; ++image)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool edge = x < 3 || x >= 5 || y < 3 || y >= 5;
                b.SetPixel(image * 8 + x, 30 + y, edge ? FrameInk : FormInk);
            }
    if (rounded)
        for (int image = 0; image < 2; ++image)
            for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {7, 0}, {6, 0}, {7, 1}, {0, 7}, {7, 7}})
                b.SetPixel(image * 8 + x, 30 + y, platform::MakePixel(255, 0, 255));
    return b;
}

inline skintest::TestSkin MakeSkin(bool rounded, bool captionSection = false)
{
    skintest::TestSkin s;
    s.Options = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nCOLOR=8421504\r\n"
                "BILEFT=1\r\nBIRIGHT=3\r\nBISPACE=2\r\n"
                "BICONCLOSE=@0000@0000@0036@0010@3@0\r\n"
                "BICONMIN=@0000@0010@0027@0020@3@0\r\n"
                "BICLOSEALONE=@0000@0020@0048@0030@3@0\r\n"
                "[FORM]\r\nSTATES=2\r\nCOLOR=" + std::to_string(FormColor) + "\r\nHOTCOLOR=" + std::to_string(FormColor) +
                "\r\nBORDERSMASK=^0000^0030^0016^0038^0003^0003^0003^0003^2^0^0^0\r\n"
                "[FORMTITLE]\r\nSTATES=2\r\nCOLOR=" + std::to_string(TitleInactive) + "\r\nHOTCOLOR=" +
                std::to_string(TitleActive) + "\r\nFONTCOLOR=0\r\nHOTFONTCOLOR=0\r\n";
    if (captionSection)
        s.Options += "[CAPTION]\r\nSTATES=2\r\nCOLOR=16711680\r\nHOTCOLOR=16711680\r\n";
    s.Add("Master.bmp", skintest::Bmp24(Master(rounded)));
    return s;
}

inline skin::TsStoredSkin Item(const char16_t* name, const skintest::TestSkin& s)
{
    skin::TsStoredSkin item;
    item.Name = name;
    item.PackedData = s.Package();
    return item;
}

inline skin::SkinManagerHost QuietHost()
{
    skin::SkinManagerHost host;
    host.ShowMessage = [](const std::string&, platform::UINT) { return platform::IDOK; };
    host.ProgramDirectory = [] { return platform::String(u"/opt/lumo/"); };
    return host;
}

// A fixed single-border window as the program's windows are.
class FixedForm : public toolkit::TForm {
public:
    explicit FixedForm(toolkit::TComponent* owner) : toolkit::TForm(owner)
    {
        SetBorderStyle(toolkit::bsSingle);
        SetBorderIcons({toolkit::biSystemMenu});
        SetBounds(100, 100, 300, 200);
        SetCaption(u"Frame");
    }
};

// The main window's kind: a minimise box beside the close button.
class MainLikeForm : public FixedForm {
public:
    explicit MainLikeForm(toolkit::TComponent* owner) : FixedForm(owner)
    {
        SetBorderIcons({toolkit::biSystemMenu, toolkit::biMinimize});
    }
};

class FormsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        tester_ = std::make_unique<toolkit::FormTester>();
        // The first form is the main form, whose closing ends the program: the tests' forms
        // come after it.
        tester_->CreateForm<toolkit::TForm>();
        manager_ = std::make_unique<skin::TsSkinManager>(QuietHost());
        manager_->InternalSkins().Add(Item(u"Rounded (internal)", MakeSkin(true)));
        manager_->InternalSkins().Add(Item(u"Square (internal)", MakeSkin(false)));
        manager_->InternalSkins().Add(Item(u"Plate (internal)", MakeSkin(false, true)));
        manager_->SetSkinName(u"Square (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
        // The title buttons change in place, in the form's own picture; the tests of the hover
        // effects, which show a button's state in a window of its own, turn it on.
        manager_->Effects.AllowGlowing = false;
    }

    void TearDown() override
    {
        manager_.reset();
        tester_.reset();
    }

    template <class T>
    T* ShowForm()
    {
        auto* form = tester_->CreateForm<T>();
        form->Show();
        tester_->Pump();
        return form;
    }

    // A point of the window (window coordinates) on the screen.
    static platform::POINT OnScreen(toolkit::TForm* form, platform::POINT p)
    {
        platform::RECT r{};
        platform::GetWindowRect(form->Handle(), &r);
        return platform::POINT{r.left + p.x, r.top + p.y};
    }

    static platform::POINT Centre(platform::RECT r) { return platform::POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    std::unique_ptr<toolkit::FormTester> tester_;
    std::unique_ptr<skin::TsSkinManager> manager_;
};

} // namespace formstest
