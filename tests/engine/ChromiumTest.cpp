// The browser control against the test engine: browser creation, Load, resizing, painting, the
// event path, destruction and the pump.
#include "TestEngine.h"

#include "engine/TChromium.h"
#include "engine/TCustomClientHandler.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/window/Window.h"
#include "toolkit/Colors.h"
#include "toolkit/FormTester.h"
#include "toolkit/TForm.h"

#include <gtest/gtest.h>

using namespace engine;
using namespace enginetest;
using toolkit::FormTester;
using toolkit::TForm;

namespace {

class Chromium : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartRecord();
        ResetBinding(u"libcef-complete.so");
        CefSingleProcess = false;
        ASSERT_TRUE(CefLoadLibDefault());
        tester = std::make_unique<FormTester>();
        form = tester->CreateForm<TForm>();
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override
    {
        tester.reset();
        ResetBinding(u"libcef-complete.so");
    }

    TChromium* MakeControl(int left, int top, int width, int height)
    {
        auto* c = new TChromium(form);
        c->SetParent(form);
        c->SetBounds(left, top, width, height);
        return c;
    }

    std::unique_ptr<FormTester> tester;
    TForm* form = nullptr;
};

platform::RECT RectInParent(platform::HWND child, platform::HWND parent)
{
    platform::RECT r;
    platform::GetWindowRect(child, &r);
    platform::MapWindowPoints(nullptr, parent, &r);
    return r;
}

} // namespace

TEST_F(Chromium, LoadBeforeTheWindowIsShownCreatesWindowAndBrowserFirst)
{
    TChromium* c = MakeControl(-5, -5, 700, 460);
    EXPECT_FALSE(c->HandleAllocated());
    EXPECT_EQ(c->BrowserId(), 0);
    EXPECT_EQ(c->DefaultUrl(), u"about:blank");

    c->Load(u"example.org/player");
    EXPECT_TRUE(c->HandleAllocated());
    EXPECT_NE(c->BrowserId(), 0);
    ASSERT_TRUE(c->Browser());
    std::string record = Record();
    auto created = record.find("create_browser 0 0 700 460 style=1442906112 host=yes url= settings=1");
    auto loaded = record.find("load_url example.org/player\n");
    ASSERT_NE(created, std::string::npos) << record;
    ASSERT_NE(loaded, std::string::npos) << record;
    EXPECT_LT(created, loaded);
    EXPECT_EQ(c->Browser().GetMainFrame().GetUrl(), u"example.org/player");
    // The browser window is a child of the control's own window.
    EXPECT_EQ(platform::GetParent(c->BrowserWindow()), c->Handle());
}

TEST_F(Chromium, BrowserWindowFollowsTheClientRectangleAlsoOutsideTheParent)
{
    TChromium* c = MakeControl(-5, -5, 700, 460);
    c->Load(u"about:blank");
    ASSERT_NE(c->BrowserWindow(), nullptr);
    platform::RECT r = RectInParent(c->BrowserWindow(), c->Handle());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.Width(), 700);
    EXPECT_EQ(r.Height(), 460);

    c->SetBounds(-40, -30, 300, 200);
    r = RectInParent(c->BrowserWindow(), c->Handle());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.Width(), 300);
    EXPECT_EQ(r.Height(), 200);
    // It moves with the control: relative to the form it sits where the control does.
    r = RectInParent(c->BrowserWindow(), form->Handle());
    EXPECT_EQ(r.left, -40);
    EXPECT_EQ(r.top, -30);

    c->SetAlign(toolkit::alClient);
    r = RectInParent(c->BrowserWindow(), c->Handle());
    EXPECT_EQ(r.Width(), form->ClientWidth());
    EXPECT_EQ(r.Height(), form->ClientHeight());
}

TEST_F(Chromium, BackgroundIsNeverPaintedWhileABrowserExists)
{
    auto erase = [](TChromium* c, bool& changed) {
        platform::Bitmap bitmap(20, 20);
        bitmap.Fill(platform::MakePixel(1, 2, 3, 255));
        platform::HDC dc = platform::CreateBitmapDC(&bitmap);
        auto result = c->Perform(platform::WM_ERASEBKGND, platform::WPARAM(dc), 0);
        platform::DeleteDC(dc);
        changed = bitmap.Pixel(5, 5) != platform::MakePixel(1, 2, 3, 255);
        return result;
    };
    TChromium* c = MakeControl(0, 0, 100, 100);
    c->SetColor(toolkit::clRed);
    bool changed = false;
    erase(c, changed);
    EXPECT_TRUE(changed) << "without a browser the control paints its colour";

    c->Load(u"about:blank");
    ASSERT_TRUE(c->Browser());
    EXPECT_NE(erase(c, changed), 0);
    EXPECT_FALSE(changed);
}

TEST_F(Chromium, KeysAndDialogCodes)
{
    TChromium* c = MakeControl(0, 0, 100, 100);
    EXPECT_EQ(c->Perform(platform::WM_GETDLGCODE, 0, 0), 0x81);
    EXPECT_EQ(c->Perform(toolkit::CM_WANTSPECIALKEY, 0x09, 0), 1);
    EXPECT_EQ(c->Perform(toolkit::CM_WANTSPECIALKEY, 0x0D, 0), 1);
    EXPECT_EQ(c->Perform(toolkit::CM_WANTSPECIALKEY, 0x25, 0), 0);
    EXPECT_EQ(c->Perform(toolkit::CM_WANTSPECIALKEY, 0x28, 0), 0);
}

TEST_F(Chromium, EventsGetTheResultPresetToFalseAndAnswerTheEngineWithIt)
{
    TChromium* c = MakeControl(0, 0, 100, 100);
    c->Load(u"about:blank");
    auto fireLoad = Export<int (*)(const char*)>("lumo_test_engine_fire_before_resource_load");
    auto fireMenu = Export<int (*)(int, int)>("lumo_test_engine_fire_context_menu_command");
    auto firePopup = Export<int (*)(const char*, int*, int*)>("lumo_test_engine_fire_before_popup");

    // Without handlers the engine gets false everywhere.
    EXPECT_EQ(fireLoad("http://ads.example/x"), 0);
    EXPECT_EQ(fireMenu(100, 0), 0);
    int sameClient = 0, noScript = 0;
    EXPECT_EQ(firePopup("http://popup.example/", &sameClient, &noScript), 0);
    EXPECT_TRUE(sameClient);
    EXPECT_EQ(noScript, 0);

    std::vector<String> urls;
    bool presetSeen = true;
    c->OnBeforeResourceLoad = [&](toolkit::TObject* sender, const ICefBrowser& browser, const ICefFrame& frame,
                                  const ICefRequest& request, bool& Result) {
        EXPECT_EQ(sender, c);
        EXPECT_TRUE(browser);
        EXPECT_TRUE(frame);
        presetSeen = presetSeen && !Result;
        urls.push_back(request.GetUrl());
        Result = request.GetUrl().find(u"ads") != String::npos;
    };
    EXPECT_EQ(fireLoad("http://ads.example/x"), 1);
    EXPECT_EQ(fireLoad("site.example/page"), 0);
    EXPECT_TRUE(presetSeen);
    EXPECT_EQ(urls, (std::vector<String>{u"http://ads.example/x", u"site.example/page"}));

    int command = 0;
    TCefEventFlags flags = 0;
    c->OnContextMenuCommand = [&](toolkit::TObject*, const ICefBrowser&, const ICefFrame&,
                                  const ICefContextMenuParams& params, int commandId, TCefEventFlags eventFlags,
                                  bool& Result) {
        EXPECT_FALSE(Result);
        EXPECT_EQ(params.GetXCoord(), 12);
        command = commandId;
        flags = eventFlags;
        Result = true;
    };
    EXPECT_EQ(fireMenu(131, EVENTFLAG_SHIFT_DOWN | EVENTFLAG_IS_RIGHT), 1);
    EXPECT_EQ(command, 131);
    EXPECT_EQ(flags, EVENTFLAG_SHIFT_DOWN | EVENTFLAG_IS_RIGHT);

    String target;
    c->OnBeforePopup = [&](toolkit::TObject*, const ICefBrowser&, const ICefFrame&, const String& targetUrl,
                           const String&, const cef_popup_features_t&, cef_window_info_t&, ICefClient& client,
                           cef_browser_settings_t& settings, bool& noJavascriptAccess, bool& Result) {
        EXPECT_FALSE(Result);
        EXPECT_EQ(client.Cef(), c->Client());
        EXPECT_EQ(settings.size, sizeof(cef_browser_settings_t));
        target = targetUrl;
        noJavascriptAccess = true;
        Result = targetUrl.find(u"directadvert") == String::npos;
    };
    EXPECT_EQ(firePopup("http://directadvert.example/", &sameClient, &noScript), 0);
    EXPECT_EQ(target, u"http://directadvert.example/");
    EXPECT_TRUE(sameClient);
    EXPECT_EQ(noScript, 1);
    EXPECT_EQ(firePopup("http://other.example/", &sameClient, &noScript), 1);
}

TEST_F(Chromium, AfterDestructionEveryHandlerQueryAnswersNone)
{
    TChromium* c = MakeControl(0, 0, 100, 100);
    c->Load(u"about:blank");
    bool reached = false;
    c->OnBeforeResourceLoad = [&](toolkit::TObject*, const ICefBrowser&, const ICefFrame&, const ICefRequest&,
                                  bool&) { reached = true; };
    auto handlers = Export<int (*)()>("lumo_test_engine_handler_count");
    auto fireLoad = Export<int (*)(const char*)>("lumo_test_engine_fire_before_resource_load");
    EXPECT_EQ(handlers(), 12);

    delete c;
    std::string record = Record();
    EXPECT_NE(record.find("stop_load\nparent_window_will_close\n"), std::string::npos) << record;
    // The engine still holds the client, but it answers nothing and reaches no one.
    EXPECT_EQ(handlers(), 0);
    EXPECT_EQ(fireLoad("http://ads.example/"), -1);
    EXPECT_FALSE(reached);
}

namespace {

int depth = 0;
int deepest = 0;
int nestedSteps = -1;
int (*workCount)() = nullptr;

void NestedLoop()
{
    ++depth;
    deepest = std::max(deepest, depth);
    if (nestedSteps < 0) {
        // A nested message loop inside the engine: its ticks must not step the engine again.
        int before = workCount();
        platform::headless::RunFor(60);
        nestedSteps = workCount() - before;
    }
    --depth;
}

} // namespace

TEST_F(Chromium, PumpStepsEveryTenMillisecondsWhileAClientExistsAndNeverReenters)
{
    workCount = Export<int (*)()>("lumo_test_engine_work_count");
    auto setHook = Export<void (*)(void (*)())>("lumo_test_engine_set_work_hook");
    auto releaseBrowsers = Export<void (*)()>("lumo_test_engine_release_browsers");
    int instances = CefInstances.load();

    TChromium* c = MakeControl(0, 0, 100, 100);
    EXPECT_EQ(CefInstances.load(), instances + 1);
    EXPECT_NE(CefTimer, 0u);

    int before = workCount();
    platform::headless::RunFor(100);
    int steps = workCount() - before;
    EXPECT_GE(steps, 8);
    EXPECT_LE(steps, 11);

    setHook(NestedLoop);
    platform::headless::RunFor(20);
    setHook(nullptr);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(nestedSteps, 0);
    EXPECT_FALSE(looping);

    // Once the control and the engine have let go of the client, the pump stops.
    c->Load(u"about:blank");
    delete c;
    EXPECT_EQ(CefInstances.load(), instances + 1) << "the engine still holds the client";
    releaseBrowsers();
    EXPECT_EQ(CefInstances.load(), instances);
    if (instances == 0) {
        EXPECT_EQ(CefTimer, 0u);
        before = workCount();
        platform::headless::RunFor(50);
        EXPECT_EQ(workCount(), before);
    }
}
