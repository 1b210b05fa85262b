// Small hand-made skins, a manager that loads them, and minimal skinned controls for the tests of
// the common control machinery (skin data, parent background, fades, glows).
#pragma once

#include "../data/ModelTestUtil.h"

#include "skin/controls/CommonWndProc.h"
#include "skin/controls/ParentBackground.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "skin/controls/TsPanel.h"
#include "skin/effects/DoChangePaint.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"

#include "platform/backend/headless/HeadlessBackend.h"
#include "toolkit/FormTester.h"
#include "toolkit/TCustomControl.h"
#include "toolkit/TForm.h"
#include "toolkit/TSpeedButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace controlstest {

// The master bitmap: a 2-state border mask at (0, 0, 12, 6) with 2-pixel strips (dark frame,
// light middle), and a 9 x 9 glow mask at (0, 6) with 3-pixel strips.
inline platform::Bitmap Master()
{
    platform::Bitmap b = skintest::Solid(16, 16, platform::MakePixel(255, 0, 255));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 12; ++x) {
            const int ix = x % 6;
            const bool strip = ix < 2 || ix >= 4 || y < 2 || y >= 4;
            b.SetPixel(x, y, strip ? platform::MakePixel(20, 30, 40) : platform::MakePixel(230, 230, 230));
        }
    for (int y = 6; y < 15; ++y)
        for (int x = 0; x < 9; ++x)
            b.SetPixel(x, y, platform::MakePixel(90, 160, 250));
    return b;
}

inline constexpr const char* BorderValue = "^0000^0000^0012^0006^0002^0002^0002^0002^2^0^0^0";
inline constexpr const char* GlowValue = "^0000^0006^0009^0015^0003^0003^0003^0003^1^0^0^0";

// A skin whose sections are given whole; the master bitmap and global values are added.
inline skintest::TestSkin MakeSkin(const std::string& sections)
{
    skintest::TestSkin s;
    s.Options = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nCOLOR=8421504\r\n" + sections;
    s.Add("Master.bmp", skintest::Bmp24(Master()));
    return s;
}

// The colours the sections of the standard test skin use (0x00BBGGRR).
inline constexpr int PanelColor = 0x336699, PlainColor = 0x224466, ButtonColor = 0x101010, HotColor = 0xF0F0F0;

inline std::string StandardSections()
{
    return std::string("[PANEL]\r\nCOLOR=") + std::to_string(PanelColor) +
           "\r\nGRADIENTPERCENT=100\r\nGRADIENTDATA=3368601;1118481;100;0;0\r\n"
           "[PLAIN]\r\nCOLOR=" + std::to_string(PlainColor) + "\r\n"
           "[FRAMED]\r\nCOLOR=" + std::to_string(PlainColor) + "\r\nBORDERSMASK=" + BorderValue + "\r\n"
           "[SEETHROUGH]\r\nCOLOR=255\r\nTRANSPARENCY=100\r\n"
           "[SPEEDBUTTON]\r\nCOLOR=" + std::to_string(ButtonColor) + "\r\nHOTCOLOR=" + std::to_string(HotColor) +
           "\r\nGLOW=1\r\nGLOWMARGIN=2\r\nGLOW0=" + GlowValue + "\r\n"
           "[NOGLOWMASK]\r\nCOLOR=0\r\nHOTCOLOR=16777215\r\nGLOW=1\r\n"
           "[GLOWZERO]\r\nCOLOR=0\r\nHOTCOLOR=16777215\r\nGLOW=0\r\nGLOW0=" + GlowValue + "\r\n"
           "[EDITLIKE]\r\nCOLOR=1118481\r\nHOTCOLOR=2236962\r\nFONTCOLOR=3355443\r\nHOTFONTCOLOR=4473924\r\n"
           "[ONESTATE]\r\nSTATES=1\r\nCOLOR=1118481\r\nHOTCOLOR=2236962\r\nFONTCOLOR=3355443\r\n"
           "HOTFONTCOLOR=4473924\r\n";
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

// A windowless skinned control: its cache is its section in the state the mouse gives it.
class TestSpeedButton : public toolkit::TSpeedButton {
public:
    explicit TestSpeedButton(toolkit::TComponent* owner)
        : toolkit::TSpeedButton(owner), Data(this, skin::COC_TsSpeedButton)
    {
    }

    skin::TsCtrlSkinData Data;
    int Prepared = 0;

    int VisualState() const { return Data.FMouseAbove ? 1 : 0; }

    // As skinned buttons do: whatever asks for a repaint asks for a new picture.
    void Invalidate() override
    {
        Data.BGChanged = true;
        toolkit::TSpeedButton::Invalidate();
    }

protected:
    void Loaded() override
    {
        toolkit::TSpeedButton::Loaded();
        Data.SetLoading(false);
        Data.UpdateIndexes(true);
    }

    void WndProc(toolkit::TMessage& m) override
    {
        if (m.Msg == skin::SM_VELTACMD && skin::AcCommandOf(m.WParam) == skin::AC_PREPARECACHE) {
            m.Result = Prepare() ? 1 : 0;
            return;
        }
        if (m.Msg == skin::SM_VELTACMD && skin::AcCommandOf(m.WParam) == skin::AC_GETDEFINDEX) {
            const skin::TsSkinModel* model = Data.Model();
            m.Result = 1 + (model ? model->GetSkinIndex("SPEEDBUTTON") : -1);
            return;
        }
        if (skin::CommonWndProc(m, Data))
            return;
        toolkit::TSpeedButton::WndProc(m);
    }

private:
    bool Prepare()
    {
        Data.FCacheBmp->SetSize(Width(), Height());
        if (!skin::PaintSkinControl(Data, *Data.FCacheBmp, VisualState()))
            return false;
        Data.BGChanged = false;
        ++Prepared;
        return true;
    }
};

// A windowed edit-like control that only runs the common handling.
class TestEdit : public toolkit::TCustomControl {
public:
    explicit TestEdit(toolkit::TComponent* owner) : toolkit::TCustomControl(owner), Data(this, skin::COC_TsEdit)
    {
        SetTabStop(true);
    }

    skin::TsCommonData Data;

protected:
    void WndProc(toolkit::TMessage& m) override
    {
        if (m.Msg == skin::SM_VELTACMD && skin::AcCommandOf(m.WParam) == skin::AC_PREPARECACHE) {
            Data.FCacheBmp->SetSize(Width(), Height());
            m.Result = skin::PaintSkinControl(Data, *Data.FCacheBmp, Data.FMouseAbove ? 1 : 0) ? 1 : 0;
            Data.BGChanged = m.Result == 0;
            return;
        }
        if (skin::CommonWndProc(m, Data))
            return;
        toolkit::TCustomControl::WndProc(m);
    }
};

// A form of panels built as the program builds its windows, so that every component is loaded.
class PanelsForm : public toolkit::TForm {
public:
    explicit PanelsForm(toolkit::TComponent* owner) : toolkit::TForm(owner)
    {
        SetBounds(40, 40, 300, 200);
        SetClientWidth(280);
        SetClientHeight(160);
        outer = toolkit::FormTester::Make<skin::TsPanel>(this, this, u"outer", 0, 0, 280, 160);
        outer->SetBevelOuter(toolkit::bvNone);
        outer->SkinData()->SetSkinSection(u"PANEL");
        inner = toolkit::FormTester::Make<skin::TsPanel>(this, outer, u"inner", 20, 10, 200, 100);
        inner->SetBevelOuter(toolkit::bvNone);
        inner->SkinData()->SetSkinSection(u"PLAIN");
        first = toolkit::FormTester::Make<TestSpeedButton>(this, outer, u"first", 10, 120, 107, 36);
        second = toolkit::FormTester::Make<TestSpeedButton>(this, outer, u"second", 130, 120, 107, 36);
    }

    skin::TsPanel* outer;
    skin::TsPanel* inner;
    TestSpeedButton* first;
    TestSpeedButton* second;
};

// A platform on the virtual screen, one application, and a default manager with two skins.
class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        tester_ = std::make_unique<toolkit::FormTester>();
        manager_ = std::make_unique<skin::TsSkinManager>(QuietHost());
        manager_->InternalSkins().Add(Item(u"Standard (internal)", MakeSkin(StandardSections())));
        manager_->InternalSkins().Add(Item(u"Second (internal)", MakeSkin(StandardSections())));
        manager_->SetSkinName(u"Standard (internal)");
        ASSERT_NE(manager_->Model(), nullptr);
    }

    void TearDown() override
    {
        manager_.reset();
        tester_.reset();
    }

    PanelsForm* ShowPanels()
    {
        auto* form = tester_->CreateForm<PanelsForm>();
        form->Show();
        tester_->Pump();
        return form;
    }

    std::unique_ptr<toolkit::FormTester> tester_;
    std::unique_ptr<skin::TsSkinManager> manager_;
};

} // namespace controlstest
