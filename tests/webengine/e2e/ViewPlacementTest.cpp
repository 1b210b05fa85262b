// Where the engine's view shows: it covers the control's client area wherever the control is put,
// also partly outside its parent, and only the part inside the parent is seen.
#include "EngineSession.h"

#include "platform/backend/gtk/GtkBackend.h"
#include "toolkit/Colors.h"
#include "toolkit/TPanel.h"

namespace e2e {
namespace {

using platform::COLORREF;

class ViewPlacement : public EngineTest {
protected:
    // Counts the pixels of the panel's surroundings that disagree: green exactly inside `green`
    // (screen coordinates), anything but green elsewhere.
    int WrongPixels(const RECT& area, const RECT& green, std::string* first)
    {
        platform::Bitmap shot = platform::gtk::GrabScreen(area);
        if (shot.IsEmpty()) {
            *first = "the screen could not be read";
            return -1;
        }
        int wrong = 0;
        for (int y = 0; y < shot.Height(); ++y) {
            for (int x = 0; x < shot.Width(); ++x) {
                int sx = area.left + x, sy = area.top + y;
                bool inside = sx >= green.left && sx < green.right && sy >= green.top && sy < green.bottom;
                bool isGreen = platform::PixelToColor(shot.Pixel(x, y)) == RGB(0, 160, 0);
                if (inside != isGreen) {
                    if (wrong++ == 0)
                        *first = "first wrong pixel at " + std::to_string(sx) + "," + std::to_string(sy);
                }
            }
        }
        return wrong;
    }

    // Waits for the picture to settle, then counts.
    int SettledWrongPixels(const RECT& area, const RECT& green, std::string* first)
    {
        int wrong = -1;
        PumpUntil([&] { return (wrong = WrongPixels(area, green, first)) == 0; }, 8000);
        return wrong;
    }
};

TEST_F(ViewPlacement, TheViewFollowsTheControlAlsoAtNegativeOffsetsClippedByItsParent)
{
    Server().Serve("tv.example/green.html", {"text/html", "<html><body style='margin:0;background:#00a000'></body></html>"});
    auto* panel = new toolkit::TPanel(form_);
    panel->SetParent(form_);
    panel->SetBounds(50, 50, 300, 200);
    panel->SetColor(toolkit::clYellow);
    panel->SetShowCaption(false);
    engine::TChromium* c = MakeChromium(panel, -40, -30, 250, 180);
    ASSERT_TRUE(LoadAndWait(c, "tv.example/green.html"));
    ASSERT_TRUE(c->BrowserWindow());
    EXPECT_NE(c->Browser().GetHost().GetWindowHandle(), nullptr);

    POINT origin{0, 0};
    platform::ClientToScreen(panel->Handle(), &origin);
    RECT area{origin.x - 60, origin.y - 60, origin.x + 360, origin.y + 260};
    std::string first;
    // Inside the panel: from its corner to the control's far edge (-40 + 250, -30 + 180).
    EXPECT_EQ(SettledWrongPixels(area, RECT{origin.x, origin.y, origin.x + 210, origin.y + 150}, &first), 0)
        << first;

    // Larger than the panel on every side: the whole panel is the page.
    c->SetBounds(-10, -20, 400, 300);
    EXPECT_EQ(SettledWrongPixels(area, RECT{origin.x, origin.y, origin.x + 300, origin.y + 200}, &first), 0)
        << first;

    // Wholly inside: exactly the control's rectangle.
    c->SetBounds(100, 80, 100, 60);
    EXPECT_EQ(SettledWrongPixels(area, RECT{origin.x + 100, origin.y + 80, origin.x + 200, origin.y + 140}, &first),
              0)
        << first;

    // The parent moves and the view goes with it, still clipped by it.
    c->SetBounds(-40, -30, 250, 180);
    panel->SetBounds(150, 100, 300, 200);
    POINT moved{0, 0};
    platform::ClientToScreen(panel->Handle(), &moved);
    EXPECT_EQ(moved.x - origin.x, 100);
    EXPECT_EQ(SettledWrongPixels(area, RECT{moved.x, moved.y, moved.x + 210, moved.y + 150}, &first), 0) << first;
}

} // namespace
} // namespace e2e
