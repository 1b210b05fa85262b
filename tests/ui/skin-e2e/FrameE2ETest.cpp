// The skinned frames of the program's windows under the real mouse on a private X server: the
// main window is a shaped X11 window whose shape (read back from the X server with the shape
// extension) is the one the skin's corner masks give, and a click on a cut-away corner reaches
// the window beneath; the title drags the window, the minimise button iconifies it, and the
// close button of the settings window hides that window while the program goes on.
#include "SkinSession.h"

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/graphics/Region.h"
#include "platform/window/Window.h"
#include "skin/forms/TsSkinProvider.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"
#include "toolkit/TApplication.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TSettingForm.h"

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

#include <vector>

namespace {

using namespace platform;
using namespace skine2e;

using FramesOnScreen = OnScreen;

// Which pixels of a window (its own coordinates) the X server counts as the window for one kind
// of shape (ShapeBounding: what shows, ShapeInput: what takes the mouse). Empty when the X server
// could not be asked.
std::vector<bool> XShapeMask(HWND hwnd, int kind, int width, int height, std::string& problem)
{
    const unsigned long xid = gtk::XWindowOf(hwnd);
    if (!xid) {
        problem = "the window has no X window";
        return {};
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        problem = "the test could not open the display";
        return {};
    }
    std::vector<bool> inside;
    int eventBase = 0, errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase)) {
        problem = "the X server has no shape extension";
    } else {
        int count = 0, ordering = 0;
        XRectangle* rects = XShapeGetRectangles(display, ::Window(xid), kind, &count, &ordering);
        inside.assign(std::size_t(width) * std::size_t(height), false);
        for (int i = 0; i < count; ++i)
            for (int y = std::max(0, int(rects[i].y)); y < std::min(height, rects[i].y + int(rects[i].height)); ++y)
                for (int x = std::max(0, int(rects[i].x)); x < std::min(width, rects[i].x + int(rects[i].width)); ++x)
                    inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] = true;
        if (rects)
            XFree(rects);
    }
    XCloseDisplay(display);
    return inside;
}

// A plain window that counts the left clicks it gets.
int clicksBeneath = 0;
constexpr COLORREF BeneathColor = RGB(0, 200, 0);

LRESULT BeneathProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LBUTTONDOWN)
        ++clicksBeneath;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeWindowBeneath(HWND above, const RECT& r)
{
    WNDCLASS existing;
    if (!GetClassInfo(nullptr, u"LumoBeneath", &existing)) {
        WNDCLASS wc;
        wc.lpfnWndProc = BeneathProc;
        wc.hbrBackground = BeneathColor;
        wc.lpszClassName = u"LumoBeneath";
        RegisterClass(wc);
    }
    HWND beneath = CreateWindowEx(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, u"LumoBeneath", u"", WS_POPUP, r.left, r.top,
                                  r.Width(), r.Height(), nullptr, nullptr, nullptr, nullptr);
    if (beneath)
        SetWindowPos(beneath, above, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return beneath;
}

bool Fuchsia(PixelBGRA p) { return (p & 0xFFFFFFu) == (MakePixel(255, 0, 255) & 0xFFFFFFu); }

} // namespace

TEST_F(FramesOnScreen, TheMainWindowIsShapedAsTheSkinsCornerMasksSayAndItsCutCornersLetClicksThrough)
{
    skin::TsSkinManager* manager = ui::Form1->sSkinManager1;
    const String skinBefore = manager->SkinName();
    manager->SetSkinName(u"Air (internal)"); // rounded corners
    ASSERT_EQ(manager->SkinName(), u"Air (internal)");
    Pump(300);
    const HWND main = ui::Form1->Handle();
    skin::TsSkinProvider* provider = skin::TsSkinProvider::Of(ui::Form1);
    ASSERT_NE(provider, nullptr);
    ASSERT_TRUE(provider->DrawsFrame());
    ASSERT_FALSE(provider->Rects.empty()) << "the skin's corner masks cut nothing";
    RECT wr{};
    GetWindowRect(main, &wr);
    const int width = int(wr.Width()), height = int(wr.Height());

    // The region the skin gives, pixel by pixel.
    const platform::Region region =
        platform::Region(RECT{0, 0, width, height}).Subtracted(platform::Region::FromRects(provider->Rects));
    // The extreme pixels of the form's border mask say on their own whether each corner is cut.
    const skin::TsSkinModel& model = *manager->Model();
    const int border = provider->SkinData().BorderIndex;
    ASSERT_TRUE(model.IsValidImgIndex(border));
    const skin::TsMaskData& md = model.ma[std::size_t(border)];
    const Bitmap& source = model.SourceBitmap(md);
    const int shapeRow = md.MaskType > 0 ? md.Height : 0;
    const struct {
        POINT inMask, inWindow;
    } corners[] = {{{0, 0}, {0, 0}},
                   {{md.Width - 1, 0}, {width - 1, 0}},
                   {{0, md.Height - 1}, {0, height - 1}},
                   {{md.Width - 1, md.Height - 1}, {width - 1, height - 1}}};
    for (const auto& c : corners) {
        const bool cut = Fuchsia(source.Pixel(md.R.left + c.inMask.x, md.R.top + shapeRow + c.inMask.y));
        EXPECT_EQ(region.Contains(c.inWindow), !cut) << "corner " << c.inWindow.x << ", " << c.inWindow.y;
    }

    // The X server's shapes, what shows and what takes the mouse, are that region exactly.
    gtk::Sync();
    for (int kind : {ShapeBounding, ShapeInput}) {
        std::string problem;
        std::vector<bool> inside;
        int differing = 0;
        PumpUntil([&] {
            inside = XShapeMask(main, kind, width, height, problem);
            differing = 0;
            for (int y = 0; y < height && !inside.empty(); ++y)
                for (int x = 0; x < width; ++x)
                    differing += inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] !=
                                 region.Contains(POINT{x, y});
            return !inside.empty() && differing == 0;
        }, 5000);
        ASSERT_EQ(problem, "");
        EXPECT_EQ(differing, 0) << (kind == ShapeBounding ? "bounding" : "input")
                                << " shape pixels that differ from the skin's region";
    }

    // A window beneath: the cut corner shows it and passes it the click.
    const RECT cut = provider->Rects.front();
    const POINT corner{wr.left + cut.left, wr.top + cut.top};
    HWND beneath = MakeWindowBeneath(main, wr);
    ASSERT_TRUE(beneath);
    EXPECT_TRUE(PumpUntil([&] { return gtktest::ScreenPixel(corner.x, corner.y) == BeneathColor; }, 5000))
        << "the cut corner does not show the window beneath";
    clicksBeneath = 0;
    MoveMouse(corner);
    Pump(200);
    Xdotool("click 1");
    EXPECT_TRUE(PumpUntil([] { return clicksBeneath == 1; }, 5000)) << "the click in the cut corner did not go through";
    // Just inside the shape the main window takes the click.
    const POINT solid{wr.left + width / 2, wr.top + height - 3};
    MoveMouse(solid);
    Pump(200);
    Xdotool("click 1");
    Pump(300);
    EXPECT_EQ(clicksBeneath, 1) << "a click on the window's own frame went through it";
    MoveMouse(Away);
    DestroyWindow(beneath);
    manager->SetSkinName(skinBefore);
    Pump(300);
}

TEST_F(FramesOnScreen, TheSettingsWindowsCloseButtonHidesItAndTheProgramGoesOn)
{
    toolkit::TForm* settings = ui::SettingForm;
    settings->Show();
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(settings->Handle()); }, 5000));
    Pump(300);
    skin::TsSkinProvider* provider = skin::TsSkinProvider::Of(settings);
    ASSERT_NE(provider, nullptr) << "the settings window was activated without getting its frame";
    ASSERT_TRUE(provider->DrawsFrame());
    const RECT close = provider->Button(HTCLOSE)->cpRect;
    ASSERT_FALSE(close.IsEmpty());
    RECT wr{};
    GetWindowRect(settings->Handle(), &wr);
    MoveMouse(POINT{wr.left + (close.left + close.right) / 2, wr.top + (close.top + close.bottom) / 2});
    Pump(200);
    Xdotool("mousedown 1");
    Pump(100);
    Xdotool("mouseup 1");
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(settings->Handle()); }, 5000))
        << "the close button did not hide the settings window";
    Pump(300);
    EXPECT_FALSE(toolkit::Application->Terminated()) << "closing the settings window ended the program";
    EXPECT_TRUE(IsWindowVisible(ui::Form1->Handle()));
    EXPECT_TRUE(settings->HandleAllocated()) << "the settings window was destroyed instead of hidden";
}

// The skinned title under the real mouse: it drags the window, and the minimise button, pressed
// and released on itself, iconifies it.
TEST_F(FramesOnScreen, TheSkinnedTitleDragsTheWindowAndItsMinimiseButtonIconifiesIt)
{
    const HWND main = ui::Form1->Handle();
    skin::TsSkinProvider* provider = skin::TsSkinProvider::Of(ui::Form1);
    ASSERT_NE(provider, nullptr) << "the main window was activated without getting its frame";
    ASSERT_TRUE(provider->DrawsFrame());
    RECT before{};
    GetWindowRect(main, &before);
    const POINT grab{before.left + 200, before.top + 12};
    MoveMouse(grab);
    Pump(200);
    Xdotool("mousedown 1");
    Pump(100);
    MoveMouse(POINT{grab.x + 40, grab.y + 30});
    Pump(200);
    Xdotool("mouseup 1");
    EXPECT_TRUE(PumpUntil([&] {
        RECT now{};
        GetWindowRect(main, &now);
        return now.left == before.left + 40 && now.top == before.top + 30;
    }, 5000)) << "dragging the title did not move the window";

    RECT moved{};
    GetWindowRect(main, &moved);
    const RECT min = provider->Button(HTMINBUTTON)->cpRect;
    ASSERT_FALSE(min.IsEmpty());
    MoveMouse(POINT{moved.left + (min.left + min.right) / 2, moved.top + (min.top + min.bottom) / 2});
    Pump(200);
    Xdotool("mousedown 1");
    Pump(100);
    Xdotool("mouseup 1");
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(main); }, 5000)) << "the minimise button did not iconify the window";
    ShowWindow(main, SW_RESTORE);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main) && IsWindowVisible(main); }, 5000));
    Pump(300);
}
