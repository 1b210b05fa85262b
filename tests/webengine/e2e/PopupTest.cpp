// Pop-ups against the real engine: the pop-up handler decides before anything of the pop-up is
// fetched, and a pop-up let through keeps the opener's client, so its requests meet the same
// resource handler.
#include "EngineSession.h"

#include <gtk/gtk.h>

namespace e2e {
namespace {

const char* const openerPage = R"html(<!doctype html><html><body style="margin:0">
<a href="http://directadvert.example/popup/pop.html" target="_blank"
   style="position:absolute;left:0;top:0;width:50%;height:100%;background:#00a000;display:block"></a>
<div onclick="window.open('http://tv.example/popup/refused.html')"
   style="position:absolute;left:50%;top:0;width:50%;height:100%;background:#0000ff"></div>
</body></html>)html";

const char* const popupPage = R"html(<!doctype html><html><body style="background:#ffff00">
<img src="http://directadvert.example/popup/pop-ok.png">
<img src="http://directadvert.example/popup/pop-admixer.png">
</body></html>)html";

// A pop-up with a link (left half) to a pop-up of its own, and a plain area (right half).
const char* const openingPopupPage = R"html(<!doctype html><html><body style="margin:0">
<a href="http://tv.example/popup/second.html" target="_blank"
   style="position:absolute;left:0;top:0;width:50%;height:100%;background:#00a000;display:block"></a>
<div style="position:absolute;left:50%;top:0;width:50%;height:100%;background:#0000ff"></div>
</body></html>)html";

// The screen position of an engine view's top-left corner.
POINT ViewOrigin(cef_window_handle_t handle)
{
    auto* view = static_cast<GtkWidget*>(handle);
    GtkWidget* top = view ? gtk_widget_get_toplevel(view) : nullptr;
    if (!top || !gtk_widget_get_window(top))
        return POINT{-1, -1};
    int x = 0, y = 0, ox = 0, oy = 0;
    gtk_widget_translate_coordinates(view, top, 0, 0, &x, &y);
    gdk_window_get_origin(gtk_widget_get_window(top), &ox, &oy);
    return POINT{ox + x, oy + y};
}

class Popups : public EngineTest {
protected:
    void TearDown() override
    {
        for (engine::ICefBrowser& b : popups_)
            if (b && b.GetHost())
                b.GetHost().CloseBrowser();
        Pump(200);
        popups_.clear();
        EngineTest::TearDown();
    }

    std::mutex mutex_;
    std::vector<std::string> targets_;
    std::vector<engine::ICefBrowser> popups_;
    int created_ = 0;

    void WatchPopups(engine::TChromium* c)
    {
        c->OnBeforePopup = [this](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                  const std::u16string& targetUrl, const std::u16string&, const cef_popup_features_t&,
                                  cef_window_info_t&, engine::ICefClient&, cef_browser_settings_t&, bool&,
                                  bool& Result) {
            std::string target = Narrow(targetUrl);
            {
                std::lock_guard lock(mutex_);
                targets_.push_back(target);
            }
            Result = !PopupAllowed(target);
        };
        c->OnAfterCreated = [this](toolkit::TObject*, const engine::ICefBrowser& browser) {
            if (browser.IsPopup()) {
                ++created_;
                popups_.push_back(browser);
            }
        };
    }

    bool TargetSeen(const std::string& url)
    {
        std::lock_guard lock(mutex_);
        for (const std::string& t : targets_)
            if (t == url)
                return true;
        return false;
    }
};

TEST_F(Popups, AnAllowedPopupOpensAndItsRequestsPassTheSameHandlerWhileARefusedOneIsNeverFetched)
{
    ProxyServer& s = Server();
    s.Serve("tv.example/popup/index.html", {"text/html", openerPage});
    s.Serve("tv.example/popup/refused.html", {"text/html", popupPage});
    s.Serve("directadvert.example/popup/pop.html", {"text/html", popupPage});
    s.Serve("directadvert.example/popup/pop-ok.png", {"image/png", TinyPng()});
    s.Serve("directadvert.example/popup/pop-admixer.png", {"image/png", TinyPng()});

    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    WatchPopups(c);
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/popup/index.html"));
    RECT view = ViewOnScreen(c);
    POINT left{view.left + 150, view.top + 200};
    POINT right{view.left + 450, view.top + 200};
    ASSERT_TRUE(PumpUntil([&] {
        return ScreenPixel(left.x, left.y) == RGB(0, 160, 0) && ScreenPixel(right.x, right.y) == RGB(0, 0, 255);
    })) << "the opener page is not on screen";

    // Refused: asked, then nothing of it fetched and no window made.
    ASSERT_EQ(Xdotool("mousemove " + std::to_string(right.x) + " " + std::to_string(right.y) + " click 1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return TargetSeen("http://tv.example/popup/refused.html"); }));
    Pump(700);
    EXPECT_EQ(s.CountContaining("refused.html"), 0) << s.LogText();
    EXPECT_FALSE(requests_.Asked("http://tv.example/popup/refused.html"));
    EXPECT_EQ(created_, 0);

    // Allowed: the engine opens its own window for it and the opener's handlers serve it.
    ASSERT_EQ(Xdotool("mousemove " + std::to_string(left.x) + " " + std::to_string(left.y) + " click 1"), 0);
    EXPECT_TRUE(PumpUntil([&] { return TargetSeen("http://directadvert.example/popup/pop.html"); }));
    EXPECT_TRUE(PumpUntil([&] { return s.Count("http://directadvert.example/popup/pop-ok.png") > 0; }))
        << s.LogText();
    EXPECT_TRUE(PumpUntil([&] { return requests_.Asked("http://directadvert.example/popup/pop-admixer.png"); }))
        << requests_.Text();
    Pump(300);
    EXPECT_EQ(created_, 1);
    EXPECT_TRUE(requests_.Asked("http://directadvert.example/popup/pop.html"));
    EXPECT_EQ(s.Count("http://directadvert.example/popup/pop.html"), 1);
    EXPECT_EQ(s.CountContaining("pop-admixer"), 0) << s.LogText();
    for (std::thread::id id : requests_.Threads())
        EXPECT_NE(id, UiThread());
}

TEST_F(Popups, APopupLetThroughAnswersToTheOpenersPopupAndMenuHandlers)
{
    ProxyServer& s = Server();
    s.Serve("tv.example/popup/opener.html", {"text/html", openerPage});
    s.Serve("directadvert.example/popup/pop.html", {"text/html", openingPopupPage});
    s.Serve("tv.example/popup/second.html", {"text/html", popupPage});

    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    WatchPopups(c);
    std::vector<int> commands;
    c->OnContextMenuCommand = [&commands](toolkit::TObject*, const engine::ICefBrowser&, const engine::ICefFrame&,
                                          const engine::ICefContextMenuParams&, int commandId, engine::TCefEventFlags,
                                          bool& Result) {
        commands.push_back(commandId);
        Result = true;
    };
    // The opener page of the first test, under another address.
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/popup/opener.html"));
    RECT view = ViewOnScreen(c);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(view.left + 150, view.top + 200) == RGB(0, 160, 0); }));
    Xdotool("mousemove " + std::to_string(view.left + 150) + " " + std::to_string(view.top + 200) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return created_ == 1; })) << s.LogText();
    ASSERT_TRUE(popups_[0].GetHost());

    // The pop-up's own window: wait until its page shows, wherever the engine put it.
    POINT origin{-1, -1};
    ASSERT_TRUE(PumpUntil([&] {
        origin = ViewOrigin(popups_[0].GetHost().GetWindowHandle());
        return origin.x >= 0 && ScreenPixel(origin.x + 20, origin.y + 20) == RGB(0, 160, 0);
    })) << "the pop-up's page is not on screen";
    GtkAllocation size{};
    gtk_widget_get_allocation(static_cast<GtkWidget*>(popups_[0].GetHost().GetWindowHandle()), &size);
    ASSERT_GE(size.width, 40);
    POINT link{origin.x + size.width / 4, origin.y + size.height / 2};
    POINT plain{origin.x + size.width * 3 / 4, origin.y + size.height / 2};
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(plain.x, plain.y) == RGB(0, 0, 255); }));

    // Its own pop-up is put to the opener's pop-up handler, which refuses it.
    Xdotool("mousemove " + std::to_string(link.x) + " " + std::to_string(link.y) + " click 1");
    EXPECT_TRUE(PumpUntil([&] { return TargetSeen("http://tv.example/popup/second.html"); }));
    Pump(500);
    EXPECT_EQ(s.CountContaining("second.html"), 0) << s.LogText();
    EXPECT_EQ(created_, 1);

    // Its context menu's commands go to the opener's menu handler, which does nothing with them.
    int popupFetched = s.Count("http://directadvert.example/popup/pop.html");
    Xdotool("mousemove " + std::to_string(plain.x) + " " + std::to_string(plain.y) + " click 3");
    Pump(600);
    Xdotool("key Down");
    Pump(200);
    Xdotool("key Return");
    EXPECT_TRUE(PumpUntil([&] { return !commands.empty(); }, 5000)) << "no menu command reached the opener's handler";
    Pump(700);
    Xdotool("key Escape");
    EXPECT_EQ(s.Count("http://directadvert.example/popup/pop.html"), popupFetched) << s.LogText();
}

// The page of a pop-up may close its own window: the engine lets its browser go while the
// opener lives on.
TEST_F(Popups, APopupThatClosesItselfGoesAwayAndTheOpenerGoesOn)
{
    ProxyServer& s = Server();
    s.Serve("tv.example/popup/closing-opener.html",
            {"text/html", "<html><body style='margin:0'><div onclick=\"window.open('http://directadvert.example/popup/"
                          "closing.html')\" style='width:100%;height:100vh;background:#00a000'></div></body></html>"});
    s.Serve("directadvert.example/popup/closing.html",
            {"text/html", "<html><body style='margin:0;background:#ffff00'><script>"
                          "setTimeout(function() { window.close(); }, 800);</script></body></html>"});
    s.Serve("tv.example/popup/afterwards.html", {"text/html", "<html><body>afterwards</body></html>"});

    engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
    WatchPopups(c);
    ASSERT_TRUE(LoadAndWait(c, "http://tv.example/popup/closing-opener.html"));
    RECT view = ViewOnScreen(c);
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(view.left + 300, view.top + 200) == RGB(0, 160, 0); }));
    Xdotool("mousemove " + std::to_string(view.left + 300) + " " + std::to_string(view.top + 200) + " click 1");
    ASSERT_TRUE(PumpUntil([&] { return created_ == 1; })) << s.LogText();
    POINT origin{-1, -1};
    ASSERT_TRUE(PumpUntil([&] {
        if (!popups_[0].GetHost())
            return false;
        origin = ViewOrigin(popups_[0].GetHost().GetWindowHandle());
        return origin.x >= 0 && ScreenPixel(origin.x + 10, origin.y + 10) == RGB(255, 255, 0);
    })) << "the pop-up's page is not on screen";

    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(origin.x + 10, origin.y + 10) != RGB(255, 255, 0); }))
        << "the pop-up's window is still there";
    Pump(300);
    EXPECT_TRUE(LoadAndWait(c, "http://tv.example/popup/afterwards.html"));
    EXPECT_EQ(s.Count("http://tv.example/popup/afterwards.html"), 1);
}

} // namespace
} // namespace e2e
