#include "../data/ModelTestUtil.h"

#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/SkinColors.h"

#include "platform/window/Cursor.h"
#include "platform/window/Message.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace skin;
using namespace skintest;
using namespace platform;

namespace {

struct Received {
    HWND hwnd;
    WORD command;
    LPARAM lParam;
    String section; // AC_UPDATESECTION's text, read while it is sent
};

std::vector<Received> gReceived;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == SM_VELTACMD) {
        Received r{hwnd, AcCommandOf(wParam), lParam, {}};
        if (r.command == AC_UPDATESECTION)
            r.section = reinterpret_cast<const char16_t*>(lParam);
        gReceived.push_back(r);
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

TestSkin Skin(const std::string& color, const std::string& extra = {})
{
    TestSkin s;
    s.Options = "[GLOBALINFO]\r\nMASTERBITMAP=Master.bmp\r\nVERSION=8.00\r\nCOLOR=" + color + "\r\n" + extra +
                "[BUTTON]\r\nCOLOR=" + color + "\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^1^0\r\n";
    s.Add("Master.bmp", Bmp24(Solid(16, 16, MakePixel(200, 10, 10))));
    return s;
}

TsStoredSkin Item(const char16_t* name, const TestSkin& s)
{
    TsStoredSkin item;
    item.Name = name;
    item.PackedData = s.Package();
    return item;
}

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::Reset();
        gReceived.clear();
        WNDCLASS wc;
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = u"SkinTarget";
        ASSERT_NE(RegisterClass(wc), 0);
        setenv("LUMO_DRIVE_ROOT", drives_.Str().c_str(), 1);
    }

    void TearDown() override
    {
        unsetenv("LUMO_DRIVE_ROOT");
        headless::Reset();
    }

    SkinManagerHost Host()
    {
        SkinManagerHost host;
        host.ShowMessage = [this](const std::string& text, UINT type) {
            boxes_.push_back({text, type});
            stdDialogsDuringBox_.push_back(manager_ ? manager_->SkinningRules.srStdDialogs : true);
            return IDOK;
        };
        host.ProgramDirectory = [] { return String(u"/opt/lumo/"); };
        return host;
    }

    TsSkinManager& Make()
    {
        manager_ = std::make_unique<TsSkinManager>(Host());
        manager_->InternalSkins().Add(Item(u"Acryl (internal)", Skin("111")));
        manager_->InternalSkins().Add(Item(u"Zest (internal)", Skin("222")));
        return *manager_;
    }

    HWND Window(HWND parent = nullptr)
    {
        const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
        return CreateWindowEx(0, u"SkinTarget", u"", style, 10, 10, 100, 80, parent, nullptr, nullptr, nullptr);
    }

    static int Count(WORD command)
    {
        return int(std::count_if(gReceived.begin(), gReceived.end(), [&](const Received& r) { return r.command == command; }));
    }

    int MainColor() const { return manager_->Model() ? manager_->Model()->GetGlobalColor() : -1; }

    TempDir drives_;
    std::unique_ptr<TsSkinManager> manager_;
    std::vector<std::pair<std::string, UINT>> boxes_;
    std::vector<bool> stdDialogsDuringBox_;
};

} // namespace

TEST_F(ManagerTest, DefaultsAndTheDefaultManager)
{
    TsSkinManager& m = Make();
    EXPECT_EQ(TsSkinManager::DefaultManager(), &m);
    EXPECT_TRUE(m.IsDefault());
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(m.SkinDirectory(), u"c:\\Skins");
    EXPECT_EQ(m.GetFullSkinDirectory(), u"c:\\Skins\\");
    EXPECT_EQ(m.Model(), nullptr);
    EXPECT_FALSE(m.CommonSkinData().Active);
    EXPECT_TRUE(m.SkinningRules.srStdForms && m.SkinningRules.srStdDialogs && m.SkinningRules.srThirdParty);
    EXPECT_EQ(m.Options.ScaleMode, TacScaleMode::smOldMode);
    EXPECT_TRUE(m.SkinnedPopups);
    EXPECT_FALSE(m.ExtendedBorders);
    EXPECT_EQ(m.ThirdLists[1], (std::vector<String>{u"TButton"}));
    EXPECT_TRUE(m.ThirdLists[0].empty());
    {
        TsSkinManager second(Host());
        EXPECT_FALSE(second.IsDefault());
    }
    EXPECT_EQ(TsSkinManager::DefaultManager(), &m);
    m.SetBrightness(150);
    EXPECT_EQ(m.Brightness(), 100);
    m.SetBrightness(-150);
    EXPECT_EQ(m.Brightness(), -100);
    manager_.reset();
    EXPECT_EQ(TsSkinManager::DefaultManager(), nullptr);
}

TEST_F(ManagerTest, LoadSequenceEventsAndBroadcastOrder)
{
    TsSkinManager& m = Make();
    const HWND first = Window();
    const HWND child = Window(first);
    const HWND grandChild = Window(child);
    const HWND second = Window();
    std::vector<std::string> events;
    m.OnBeforeChange = [&] {
        events.push_back("before");
        EXPECT_FALSE(TsSkinManager::SkinChanging());
    };
    m.OnSkinLoading = [&] {
        events.push_back("loading");
        EXPECT_TRUE(TsSkinManager::SkinChanging());
    };
    m.OnActivate = [&] { events.push_back("activate"); };
    m.OnAfterChange = [&] {
        events.push_back("after");
        EXPECT_FALSE(TsSkinManager::SkinChanging());
    };

    m.SetSkinName(u"Zest (internal)");
    EXPECT_EQ(events, (std::vector<std::string>{"before", "loading", "activate", "after"}));
    EXPECT_EQ(m.SkinName(), u"Zest (internal)");
    EXPECT_EQ(MainColor(), 222);
    EXPECT_TRUE(m.CommonSkinData().Active);
    EXPECT_TRUE(m.SkinIsPacked());
    EXPECT_FALSE(TsSkinManager::UseLatestCommonDialogs());

    // AC_SETNEWSKIN to the newest form first, each form before its children; then the repaint.
    std::vector<std::pair<HWND, WORD>> got;
    for (const Received& r : gReceived) {
        got.push_back({r.hwnd, r.command});
        EXPECT_EQ(r.lParam, reinterpret_cast<LPARAM>(&m));
    }
    std::vector<std::pair<HWND, WORD>> expected;
    for (WORD c : {AC_SETNEWSKIN, AC_STOPFADING, AC_REFRESH})
        for (HWND h : {second, first, child, grandChild})
            expected.push_back({h, c});
    EXPECT_EQ(got, expected);

    // The same name again loads and announces again.
    gReceived.clear();
    m.SetSkinName(u"Zest (internal)");
    EXPECT_EQ(Count(AC_SETNEWSKIN), 4);
    EXPECT_EQ(MainColor(), 222);
}

TEST_F(ManagerTest, NamesAreResolvedWithFallbacks)
{
    TsSkinManager& m = Make();
    m.SetSkinName(u"Zest (internal).VSZ");
    EXPECT_EQ(m.SkinName(), u"Zest (internal)");
    EXPECT_EQ(MainColor(), 222);
    m.SetSkinName(u"zest (internal)");
    EXPECT_EQ(m.SkinName(), u"Acryl (internal)");
    EXPECT_EQ(MainColor(), 111);
    m.SetSkinName(u"Zest (internal)");
    m.SetSkinName(u"");
    EXPECT_EQ(m.SkinName(), u"Acryl (internal)");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ManagerTest, InactiveManagerOnlyStoresTheName)
{
    TsSkinManager& m = Make();
    const HWND w = Window();
    (void)w;
    int deactivated = 0;
    m.OnDeactivate = [&] { ++deactivated; };
    m.SetSkinName(u"Zest (internal)");
    m.SetActive(false);
    EXPECT_EQ(deactivated, 1);
    EXPECT_EQ(Count(AC_REMOVESKIN), 1);
    EXPECT_EQ(m.Model(), nullptr);
    EXPECT_TRUE(TsSkinManager::UseLatestCommonDialogs());
    gReceived.clear();
    m.SetSkinName(u"Acryl (internal)");
    EXPECT_EQ(m.Model(), nullptr);
    EXPECT_TRUE(gReceived.empty());
    EXPECT_EQ(m.SkinName(), u"Acryl (internal)");
    m.SetActive(true);
    EXPECT_EQ(MainColor(), 111);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 1);
}

TEST_F(ManagerTest, EmptyCatalogueSwitchesTheManagerOff)
{
    manager_ = std::make_unique<TsSkinManager>(Host());
    TsSkinManager& m = *manager_;
    Window();
    m.SetSkinName(u"Anything");
    EXPECT_FALSE(m.Active());
    EXPECT_EQ(m.Model(), nullptr);
    EXPECT_EQ(Count(AC_REMOVESKIN), 1);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 0);
}

TEST_F(ManagerTest, AFailedLoadKeepsThePreviousSkinAndName)
{
    TsSkinManager& m = Make();
    m.InternalSkins().Add(Item(u"Broken (internal)", Skin("333", "BICONCLOSE=@00A1@0001@0031@0021@0@0\r\n")));
    m.SetSkinName(u"Zest (internal)");
    const TsSkinModel* before = m.Model();
    Window();
    gReceived.clear();
    m.SetSkinName(u"Broken (internal)");
    EXPECT_EQ(m.SkinName(), u"Zest (internal)");
    EXPECT_EQ(m.Model(), before);
    EXPECT_EQ(MainColor(), 222);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].first.find("'00A1' is not a valid integer value"), std::string::npos);
    EXPECT_EQ(boxes_[0].second, UINT(MB_OK | MB_ICONERROR));
    EXPECT_FALSE(TsSkinManager::SkinChanging());
    EXPECT_TRUE(m.CommonSkinData().Active);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 1); // the previous skin is announced again
}

TEST_F(ManagerTest, PackedFilesAndFoldersInTheSkinDirectoryWin)
{
    TsSkinManager& m = Make();
    m.SetSkinDirectory(u"c:\\Skins");
    const auto packed = Skin("444").Package();
    drives_.Write("c/Skins/Zest (internal).vsz", packed);
    m.SetSkinName(u"Zest (internal)");
    EXPECT_EQ(MainColor(), 444);
    EXPECT_TRUE(m.SkinIsPacked());
    EXPECT_EQ(m.CommonSkinData().SkinPath, "c:\\Skins\\");

    TestSkin folder = Skin("555");
    drives_.Write("c/Skins/Acryl (internal)/OPTIONS.DAT", folder.Options);
    drives_.Write("c/Skins/Acryl (internal)/master.bmp", folder.Images[0].Content);
    m.SetSkinName(u"Acryl (internal)");
    EXPECT_EQ(MainColor(), 555);
    EXPECT_FALSE(m.SkinIsPacked());
    EXPECT_EQ(m.CommonSkinData().SkinPath, "c:\\Skins\\Acryl (internal)\\");
    EXPECT_EQ(m.Model()->MasterBitmap.Width(), 16);

    std::vector<String> names;
    m.GetSkinNames(names, TacSkinTypes::stAllSkins);
    EXPECT_EQ(names, (std::vector<String>{u"Acryl (internal)", u"Acryl (internal)", u"Zest (internal)", u"Zest (internal)"}));
    m.GetExternalSkinNames(names, TacSkinTypes::stPacked);
    EXPECT_EQ(names, (std::vector<String>{u"Zest (internal)"}));
}

TEST_F(ManagerTest, WrongMagicShowsBothMessagesAsPlainDialogs)
{
    TsSkinManager& m = Make();
    m.SetSkinName(u"Acryl (internal)");
    drives_.Write("c/Skins/Bad.vsz", "NOPE and more");
    m.SetSkinName(u"Bad");
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[0].first, "Loaded data is not a packed Quillon file");
    EXPECT_FALSE(stdDialogsDuringBox_[0]);
    EXPECT_EQ(boxes_[1].first, "Internal format error in the \"Bad\" skin. Please, update this skin to latest version.");
    EXPECT_TRUE(m.SkinningRules.srStdDialogs);
    EXPECT_EQ(m.SkinName(), u"Acryl (internal)");
    EXPECT_EQ(MainColor(), 111);
}

TEST_F(ManagerTest, VersionWarningStillLoads)
{
    TsSkinManager& m = Make();
    m.InternalSkins().Add(Item(u"New (internal)", Skin("666", "VERSION=12.00\r\n")));
    // The first VERSION of the section counts, so the newer one goes first.
    TestSkin newer = Skin("666");
    newer.Options.replace(newer.Options.find("VERSION=8.00"), 12, "VERSION=12.00");
    m.InternalSkins().Add(Item(u"Newer (internal)", newer));
    m.SetSkinName(u"Newer (internal)");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].second, UINT(MB_OK | MB_ICONWARNING));
    EXPECT_FALSE(stdDialogsDuringBox_[0]);
    EXPECT_EQ(MainColor(), 666);
    EXPECT_EQ(m.SkinName(), u"Newer (internal)");
}

TEST_F(ManagerTest, ColourAdjustmentsReloadAndRepaint)
{
    TsSkinManager& m = Make();
    m.SetSkinName(u"Acryl (internal)");
    Window();
    gReceived.clear();
    int after = 0;
    m.OnAfterChange = [&] { ++after; };
    m.SetHueOffset(120);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 1);
    EXPECT_EQ(Count(AC_REFRESH), 2); // after the announcement and once more
    EXPECT_NE(m.Model()->MasterBitmap.Pixel(0, 0), MakePixel(200, 10, 10));
    m.SetHueOffset(120);
    EXPECT_EQ(after, 1); // unchanged value: nothing happens
    m.SetHueOffset(0);
    EXPECT_EQ(m.Model()->MasterBitmap.Pixel(0, 0), MakePixel(200, 10, 10));
}

TEST_F(ManagerTest, UpdatesCanBeSuspended)
{
    TsSkinManager& m = Make();
    Window();
    int after = 0;
    m.OnAfterChange = [&] { ++after; };
    m.BeginUpdate();
    m.SetSkinName(u"Zest (internal)");
    EXPECT_EQ(MainColor(), 222);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 0);
    m.EndUpdate(true, false);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(Count(AC_SETNEWSKIN), 1);
}

TEST_F(ManagerTest, SectionUpdatesCarryTheUpperCasedName)
{
    TsSkinManager& m = Make();
    const HWND w = Window();
    m.UpdateSkinSection(u"speedButton");
    ASSERT_EQ(gReceived.size(), 1u);
    EXPECT_EQ(gReceived[0].hwnd, w);
    EXPECT_EQ(gReceived[0].command, AC_UPDATESECTION);
    EXPECT_EQ(gReceived[0].section, u"SPEEDBUTTON");
}

TEST_F(ManagerTest, FormsRegisteredOnTheirOwnAndHookedDialogsFollow)
{
    TsSkinManager& m = Make();
    const HWND form = Window();
    const HWND extra = Window();
    const HWND dialog = Window();
    m.Broadcaster().ApplicationForms = [&] { return std::vector<HWND>{form}; };
    m.Broadcaster().RegisterForm(extra);
    m.Broadcaster().HookedDialogs = [&] { return std::vector<HWND>{dialog}; };
    m.UpdateSkinSection(u"X");
    ASSERT_EQ(gReceived.size(), 3u);
    EXPECT_EQ(gReceived[0].hwnd, form);
    EXPECT_EQ(gReceived[1].hwnd, extra);
    EXPECT_EQ(gReceived[2].hwnd, dialog);
}

TEST_F(ManagerTest, LivePreviewLoadsTheBlockOnce)
{
    SkinManagerHost host = Host();
    const HWND app = Window();
    host.ApplicationWindow = app;
    manager_ = std::make_unique<TsSkinManager>(host);
    TsSkinManager& m = *manager_;
    m.InternalSkins().Add(Item(u"Acryl (internal)", Skin("111")));
    m.SetSkinName(u"Acryl (internal)");

    const TestSkin preview = Skin("777");
    drives_.Write("c/Edit/Mine/Master.bmp", preview.Images[0].Content);
    std::vector<std::uint8_t> block(TacSkinData::Size, 0);
    const std::uint32_t magic = TacSkinData::MagicValue;
    std::memcpy(block.data(), &magic, 4);
    std::memcpy(block.data() + TacSkinData::NameOffset, "Mine", 4);
    std::memcpy(block.data() + TacSkinData::DirOffset, "c:\\Edit", 7);
    std::memcpy(block.data() + TacSkinData::DataOffset, preview.Options.data(), preview.Options.size());
    COPYDATASTRUCT cds;
    cds.cbData = DWORD(block.size());
    cds.lpData = block.data();

    LRESULT result = 0;
    COPYDATASTRUCT shortBlock = cds;
    shortBlock.cbData = 100;
    EXPECT_FALSE(m.HandleApplicationMessage(WM_COPYDATA, PreviewCopyDataKind, reinterpret_cast<LPARAM>(&shortBlock), &result));
    EXPECT_FALSE(m.HandleApplicationMessage(WM_COPYDATA, 6, reinterpret_cast<LPARAM>(&cds), &result));
    ASSERT_TRUE(m.HandleApplicationMessage(WM_COPYDATA, PreviewCopyDataKind, reinterpret_cast<LPARAM>(&cds), &result));
    // A second block waits for the first to be taken.
    EXPECT_FALSE(m.HandleApplicationMessage(WM_COPYDATA, PreviewCopyDataKind, reinterpret_cast<LPARAM>(&cds), &result));
    EXPECT_EQ(MainColor(), 111);

    MSG msg;
    bool seen = false;
    while (PeekMessage(&msg, app, SM_VELTACMD, SM_VELTACMD, PM_REMOVE))
        if (m.HandleApplicationMessage(msg.message, msg.wParam, msg.lParam, &result))
            seen = true;
    EXPECT_TRUE(seen);
    EXPECT_EQ(MainColor(), 777);
    EXPECT_EQ(m.SkinName(), u"Mine");
    EXPECT_EQ(m.SkinDirectory(), u"c:\\Edit");
    EXPECT_EQ(m.Model()->MasterBitmap.Width(), 16);
    EXPECT_TRUE(m.PreviewMode());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(ManagerTest, HotControlTimerTellsTheGraphicControlWhenTheMouseLeaves)
{
    TsSkinManager& m = Make();
    const HWND form = Window();
    const HWND control = Window(form);
    SetCursorPos(20, 20); // inside the control (form at 10, 10; control at 10, 10 inside it)
    m.SetActiveControl(control, form);
    m.CheckHotControl();
    EXPECT_EQ(m.ActiveControl(), control);
    EXPECT_EQ(Count(AC_MOUSELEAVE), 0);
    SetCursorPos(500, 500);
    headless::RunFor(150);
    EXPECT_EQ(m.ActiveControl(), nullptr);
    ASSERT_EQ(Count(AC_MOUSELEAVE), 1);
    EXPECT_EQ(gReceived.back().hwnd, form);
}

TEST_F(ManagerTest, ExtractionMessagesGoToTheErrorBox)
{
    TsSkinManager& m = Make();
    m.ExtractInternalSkin(u"Nothing", u"c:\\Out");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].first, "Skin does not exists.");
    m.ExtractByIndex(1, u"c:\\Out");
    EXPECT_EQ(ReadFile(drives_.Str() + "/c/Out/Zest (internal) extracted.vsz"), m.InternalSkins().Item(1).PackedData);
}

TEST_F(ManagerTest, ApplicationMessagesInvalidateFormsAndSwallowThemeChanges)
{
    TsSkinManager& m = Make();
    const HWND form = Window();
    const HWND child = Window(form);
    (void)child;
    LRESULT result = 5;
    EXPECT_TRUE(m.HandleApplicationMessage(WM_ENGINE_INVALIDATE, 0, 0, &result));
    ASSERT_EQ(gReceived.size(), 1u);
    EXPECT_EQ(gReceived[0].hwnd, form);
    EXPECT_EQ(gReceived[0].command, AC_INVALIDATE);
    EXPECT_TRUE(m.HandleApplicationMessage(0x031A, 0, 0, &result));
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(m.HandleApplicationMessage(WM_SIZE, 0, 0, &result));
}

TEST_F(ManagerTest, SystemColoursComeFromTheSkinWhileAsked)
{
    ResetSysColors();
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TsSkinManager& m = Make();
    m.InternalSkins().Add(Item(u"Edit (internal)", Skin("1000", "[EDIT]\r\nCOLOR=4660\r\nFONTCOLOR=86\r\n")));
    m.SetSkinName(u"Edit (internal)");
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window); // off by default
    m.SetChangeSysColors(true);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 4660u);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), 86u);
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), COLORREF(BlendColors(1000, 0xFFFFFF, 205)));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), face); // not the skin's to answer
    // Brushes: the edit colours are the skin's, the shadow and frame brushes stay the system's.
    EXPECT_EQ(GetSysColorBrushColor(COLOR_WINDOW), 4660u);
    EXPECT_EQ(GetSysColorBrushColor(COLOR_BTNSHADOW), GetSystemTableColor(COLOR_BTNSHADOW));
    EXPECT_NE(GetSysColor(COLOR_BTNSHADOW), GetSystemTableColor(COLOR_BTNSHADOW));
    // Pens: the shadow colours and the face colour by the skin, the light greys of plain controls
    // as the edit text over the edit background; any other colour as asked.
    EXPECT_EQ(GetPenColor(0, COLOR_BTNSHADOW), COLORREF(BlendColors(1000, 0, 205)));
    EXPECT_EQ(GetPenColor(0, COLOR_BTNFACE), 1000u);
    EXPECT_EQ(GetPenColor(0xC0C0C0), COLORREF(BlendColors(86, 4660, 38)));
    EXPECT_EQ(GetPenColor(0xF0F0F0), COLORREF(BlendColors(86, 4660, 38)));
    EXPECT_EQ(GetPenColor(5), 5u); // a colour value, not a system colour
    EXPECT_EQ(GetPenColor(0, COLOR_MENU), GetSystemTableColor(COLOR_MENU));
    m.SetSkinName(u"Zest (internal)");
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0xFFFFFFu); // Zest has no EDIT section: the system's window colour
    m.SetActive(false);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);
    m.SetActive(true);
    EXPECT_TRUE(m.SysColorsReplaced());
    manager_.reset();
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);
    EXPECT_EQ(GetPenColor(0xC0C0C0), 0xC0C0C0u);
    ResetSysColors();
}
