// A skin with scroll sections in plain, distinct colours, a manager that loads it, and a form
// with a memo and a combo box whose list holds 95 names, for the tests of the skinned bars.
#pragma once

#include "../controls/ControlsTestSupport.h"

#include "skin/controls/TsCommonData.h"
#include "skin/scroll/ScrollBarSources.h"
#include "skin/scroll/TacScrollWnd.h"

#include "toolkit/TComboBox.h"
#include "toolkit/TComboDropList.h"
#include "toolkit/TMemo.h"

#include <string>
#include <utility>
#include <vector>

namespace scrolltest {

// Colours (0x00BBGGRR) of the sections; pressed states are the "2" keys.
inline constexpr int EditColor = 0xE0E0E0, TrackBefore = 0x202080, TrackBeforePressed = 0x2020F0,
                     TrackAfter = 0x208020, TrackAfterPressed = 0x20F020, ButtonColor = 0x804040,
                     ButtonHot = 0xC06060, ButtonPressed = 0xFF8080, ArrowColor = 0x010101, SliderColor = 0x404040,
                     SliderHot = 0x707070, SliderPressed = 0xA0A0A0;

inline std::string Section(const char* name, int color, int hot, int pressed, int font = 0)
{
    return std::string("[") + name + "]\r\nCOLOR=" + std::to_string(color) + "\r\nHOTCOLOR=" + std::to_string(hot) +
           "\r\nUSESTATE2=1\r\nCOLOR2=" + std::to_string(pressed) + "\r\nFONTCOLOR=" + std::to_string(font) +
           "\r\nHOTFONTCOLOR=" + std::to_string(font) + "\r\nFONTCOLOR2=" + std::to_string(font) + "\r\n";
}

inline std::string ScrollSections()
{
    std::string s = std::string("[EDIT]\r\nCOLOR=") + std::to_string(EditColor) + "\r\n";
    for (const char* n : {"SCROLLBAR1H", "SCROLLBAR1V"})
        s += Section(n, TrackBefore, TrackBefore, TrackBeforePressed);
    for (const char* n : {"SCROLLBAR2H", "SCROLLBAR2V"})
        s += Section(n, TrackAfter, TrackAfter, TrackAfterPressed);
    for (const char* n : {"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"})
        s += Section(n, ButtonColor, ButtonHot, ButtonPressed, ArrowColor);
    for (const char* n : {"SCROLLSLIDERH", "SCROLLSLIDERV"})
        s += Section(n, SliderColor, SliderHot, SliderPressed);
    return s;
}

class ScrollForm : public toolkit::TForm {
public:
    explicit ScrollForm(toolkit::TComponent* owner) : toolkit::TForm(owner)
    {
        SetBounds(40, 40, 400, 460);
        SetClientWidth(380);
        SetClientHeight(440);
        combo = toolkit::FormTester::Make<toolkit::TComboBox>(this, this, u"combo", 10, 10, 200, 21);
        for (int i = 1; i <= 95; ++i) {
            const std::string number = std::to_string(i);
            combo->Items()->Add(u"Skin " + platform::String(number.begin(), number.end()));
        }
        combo->SetDropDownCount(16);
        memo = toolkit::FormTester::Make<toolkit::TMemo>(this, this, u"memo", 230, 10, 140, 200);
        memo->SetScrollBars(toolkit::ssVertical);
        memo->SetWordWrap(false);
    }

    void FillMemo(int lines)
    {
        memo->Lines()->Clear();
        for (int i = 0; i < lines; ++i)
            memo->Lines()->Add(u"line");
    }

    toolkit::TComboBox* combo;
    toolkit::TMemo* memo;
};

class ScrollFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        tester_ = std::make_unique<toolkit::FormTester>();
        manager_ = std::make_unique<skin::TsSkinManager>(controlstest::QuietHost());
        manager_->InternalSkins().Add(controlstest::Item(u"Scrolls (internal)", controlstest::MakeSkin(ScrollSections())));
        manager_->SetSkinName(u"Scrolls (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
        form_ = tester_->CreateForm<ScrollForm>();
        form_->Show();
        tester_->Pump();
        comboData_ = SkinDataFor(form_->combo, skin::COC_TsComboBox);
        memoData_ = SkinDataFor(form_->memo, skin::COC_TsMemo);
    }

    void TearDown() override
    {
        listWrapper_.reset();
        memoWrapper_.reset();
        comboData_.reset();
        memoData_.reset();
        manager_.reset();
        tester_.reset();
    }

    static std::unique_ptr<skin::TsCommonData> SkinDataFor(toolkit::TControl* control, int coc)
    {
        auto data = std::make_unique<skin::TsCommonData>(control, coc, false);
        data->SetSkinSection(u"EDIT");
        data->SetLoading(false);
        data->UpdateIndexes(true);
        return data;
    }

    // Drops the list down and wraps it, recording every scroll request it is sent.
    toolkit::TComboDropList* DropList()
    {
        form_->combo->SetDroppedDown(true);
        tester_->Pump();
        toolkit::TComboDropList* list = form_->combo->ListWindow();
        Spy(list);
        listWrapper_ = std::make_unique<skin::TacScrollWnd>(*list, *comboData_, skin::DropListScrollBars(*list));
        list->Invalidate();
        tester_->Pump();
        return list;
    }

    skin::TacScrollWnd& WrapMemo()
    {
        Spy(form_->memo);
        memoWrapper_ =
            std::make_unique<skin::TacScrollWnd>(*form_->memo, *memoData_, skin::MemoScrollBars(*form_->memo));
        form_->memo->Invalidate();
        tester_->Pump();
        return *memoWrapper_;
    }

    void Spy(toolkit::TWinControl* control)
    {
        toolkit::TWndMethod original = control->WindowProc;
        control->WindowProc = [this, original](toolkit::TMessage& m) {
            if (m.Msg == platform::WM_VSCROLL || m.Msg == platform::WM_HSCROLL)
                requests_.emplace_back(int(platform::LOWORD(m.WParam)), int(platform::HIWORD(m.WParam)));
            original(m);
        };
    }

    // The colour on screen at a client point of a control.
    int ColorAt(toolkit::TControl* control, platform::POINT local)
    {
        tester_->Pump();
        const platform::POINT p = toolkit::FormTester::ScreenPoint(control, local);
        return int(platform::PixelToColor(tester_->Screenshot().Pixel(p.x, p.y)));
    }

    // A point in the middle of a bar's cross extent, `along` pixels from its start.
    static platform::POINT OnBar(const skin::TacScrollWnd::BarState& bar, int along)
    {
        return bar.Vertical ? platform::POINT{(bar.Bounds.left + bar.Bounds.right) / 2, bar.Bounds.top + along}
                            : platform::POINT{bar.Bounds.left + along, (bar.Bounds.top + bar.Bounds.bottom) / 2};
    }

    std::unique_ptr<toolkit::FormTester> tester_;
    std::unique_ptr<skin::TsSkinManager> manager_;
    ScrollForm* form_ = nullptr;
    std::unique_ptr<skin::TsCommonData> comboData_, memoData_;
    std::unique_ptr<skin::TacScrollWnd> listWrapper_, memoWrapper_;
    // (code, position) of every WM_VSCROLL / WM_HSCROLL the wrapped controls received.
    std::vector<std::pair<int, int>> requests_;
};

} // namespace scrolltest
