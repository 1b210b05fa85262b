// The engine's context menu on a real display: a right click opens it, the keyboard picks its
// first item ("Back" after one navigation), and the command handler's answer decides whether the
// engine carries the command out.
#include "EngineSession.h"

namespace e2e {
namespace {

class ContextMenu : public EngineTest {
protected:
    void TearDown() override
    {
        Xdotool("key Escape");
        EngineTest::TearDown();
    }

    // Loads A then B, then picks the first item of the context menu over the view; answers the
    // command numbers the handler saw.
    std::vector<int> GoBackThroughTheMenu(bool handled)
    {
        Server().Serve("tv.example/menu/a.html", {"text/html", "<html><body style='background:#0000ff'>A</body></html>"});
        Server().Serve("tv.example/menu/b.html", {"text/html", "<html><body style='background:#00a000'>B</body></html>"});
        std::vector<int> commands;
        engine::TChromium* c = MakeChromium(form_, 0, 0, 600, 450);
        c->OnContextMenuCommand = [&commands, handled](toolkit::TObject*, const engine::ICefBrowser&,
                                                       const engine::ICefFrame&, const engine::ICefContextMenuParams&,
                                                       int commandId, engine::TCefEventFlags, bool& Result) {
            commands.push_back(commandId);
            Result = handled;
        };
        if (!LoadAndWait(c, "http://tv.example/menu/a.html") || !LoadAndWait(c, "http://tv.example/menu/b.html")) {
            ADD_FAILURE() << "pages A and B did not load; server saw:\n" << Server().LogText();
            return commands;
        }
        RECT view = ViewOnScreen(c);
        int x = view.left + 200, y = view.top + 150;
        if (!PumpUntil([&] { return ScreenPixel(x, y) == RGB(0, 160, 0); })) {
            ADD_FAILURE() << "page B is not on screen";
            return commands;
        }
        aFetched_ = Server().Count("http://tv.example/menu/a.html");
        bFetched_ = Server().Count("http://tv.example/menu/b.html");
        Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " click 3");
        Pump(600); // the menu maps and takes the keyboard
        Xdotool("key Down");
        Pump(200);
        Xdotool("key Return");
        PumpUntil([&] { return !commands.empty(); }, 5000);
        return commands;
    }

    int aFetched_ = 0;
    int bFetched_ = 0;
};

TEST_F(ContextMenu, ACommandAnsweredAsHandledDoesNothing)
{
    std::vector<int> commands = GoBackThroughTheMenu(true);
    ASSERT_EQ(commands, std::vector<int>{MENU_ID_BACK});
    Pump(1000);
    EXPECT_EQ(address_, "http://tv.example/menu/b.html");
    EXPECT_EQ(Server().Count("http://tv.example/menu/a.html"), aFetched_) << Server().LogText();
    EXPECT_EQ(Server().Count("http://tv.example/menu/b.html"), bFetched_) << Server().LogText();
}

TEST_F(ContextMenu, TheSameCommandNotHandledIsCarriedOut)
{
    std::vector<int> commands = GoBackThroughTheMenu(false);
    ASSERT_EQ(commands, std::vector<int>{MENU_ID_BACK});
    EXPECT_TRUE(PumpUntil([&] { return address_ == "http://tv.example/menu/a.html"; })) << address_;
}

} // namespace
} // namespace e2e
