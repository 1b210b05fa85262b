// The main window in six internal skins of different kinds (flat, gradient, textured, rounded,
// dark, high contrast), each compared with a reference picture a person has looked at. A
// reference holds the whole window at rest and under it, cut from the window, the source-button
// row with a hot, a pressed, a focused and a disabled button, and the tool-button row with a hot
// and a pressed button; every state is put on through the mouse and focus calls of the program.
// The page area, the engine's own, is left out in grey.
#include "SixKindsOfSkin.h"

#include "../../support/ReferencePicture.h"
#include "../MainWindowTester.h"

#include "platform/window/Window.h"

using namespace uitest;

namespace {

constexpr int RowHeight = 40; // sPanel1 and sPanel2
constexpr int Gap = 4;
constexpr platform::PixelBGRA Grey = platform::MakePixel(128, 128, 128);

class SkinnedMainWindowTest : public MainWindowTest, public ::testing::WithParamInterface<KindOfSkin> {
protected:
    // Where the client area's top-left corner lies in the window's picture.
    platform::POINT ClientOrigin() const
    {
        platform::RECT window{};
        platform::GetWindowRect(form->Handle(), &window);
        const platform::POINT client = form->ClientToScreen(platform::POINT{0, 0});
        return platform::POINT{client.x - window.left, client.y - window.top};
    }

    platform::POINT Centre(toolkit::TControl* control) const
    {
        return platform::POINT{control->Width() / 2, control->Height() / 2};
    }

    // Long enough for the slowest fade (20 steps of 10 ms).
    void Settle() { tester->Advance(500); }

    platform::Bitmap Shot() { return tester->WindowShot(form); }

    void MouseAway()
    {
        tester->MoveMouseTo(platform::POINT{1270, 1010});
        Settle();
    }
};

void CopyRows(const platform::Bitmap& from, int fromY, int height, platform::Bitmap& to, int toY)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < from.Width(); ++x)
            to.SetPixel(x, toY + y, from.Pixel(x, fromY + y) | 0xFF000000u);
}

} // namespace

TEST_P(SkinnedMainWindowTest, MatchesItsReferenceAtRestAndWithButtonsInEachState)
{
    // The skin is in force before the window first shows, as at the program's start.
    bool loaded = false;
    form->sSkinManager1->OnSkinLoading = [&loaded] { loaded = true; };
    form->sSkinManager1->SetSkinName(GetParam().skin);
    form->sSkinManager1->OnSkinLoading = nullptr;
    ASSERT_TRUE(loaded);
    form->Show();
    tester->Pump();
    MouseAway();
    const platform::Bitmap rest = Shot();
    const std::size_t loadsAtRest = LoadedUrls().size();
    const int top = ClientOrigin().y, bottom = top + form->ClientHeight() - RowHeight;

    std::vector<std::pair<platform::Bitmap, int>> rows; // a picture and the row of it to keep
    auto keep = [&](int rowTop) { rows.push_back({Shot(), rowTop}); };

    tester->MouseMove(form->sBitBtn2, Centre(form->sBitBtn2));
    Settle();
    keep(top);
    tester->MouseDown(form->sBitBtn2, Centre(form->sBitBtn2));
    Settle();
    keep(top);
    // Released away from the button: no click, and nothing loads.
    tester->MouseUp(form->sPanel3, platform::POINT{300, 200});
    MouseAway();
    form->sBitBtn4->SetFocus();
    Settle();
    keep(top);
    form->sBitBtn1->SetFocus();
    form->sBitBtn5->SetEnabled(false);
    Settle();
    keep(top);
    form->sBitBtn5->SetEnabled(true);
    Settle();

    tester->MouseMove(form->sSpeedButton5, Centre(form->sSpeedButton5));
    Settle();
    keep(bottom);
    tester->MouseDown(form->sSpeedButton5, Centre(form->sSpeedButton5));
    Settle();
    keep(bottom);
    tester->MouseUp(form->sPanel3, platform::POINT{300, 200});
    MouseAway();

    // Every state undone, the window is as it was: no picture of a state is left in a cache.
    const platform::Bitmap after = Shot();
    int differing = 0;
    for (int y = 0; y < rest.Height(); ++y)
        for (int x = 0; x < rest.Width(); ++x)
            differing += (rest.Pixel(x, y) | 0xFF000000u) != (after.Pixel(x, y) | 0xFF000000u);
    EXPECT_EQ(differing, 0) << "pixels that differ from the window at rest once every state is undone";
    EXPECT_EQ(LoadedUrls().size(), loadsAtRest) << "a press released away from its button loaded a page";

    platform::Bitmap sheet(rest.Width(), rest.Height() + int(rows.size()) * (RowHeight + Gap));
    sheet.Fill(Grey);
    CopyRows(rest, 0, rest.Height(), sheet, 0);
    // The page area is the engine's, whatever the skin: left out.
    const platform::POINT origin = ClientOrigin();
    const toolkit::TRect page = form->sPanel3->BoundsRect();
    for (int y = origin.y + page.top; y < origin.y + page.bottom; ++y)
        for (int x = origin.x + page.left; x < origin.x + page.right; ++x)
            sheet.SetPixel(x, y, Grey);
    for (std::size_t i = 0; i < rows.size(); ++i)
        CopyRows(rows[i].first, rows[i].second, RowHeight, sheet, rest.Height() + Gap + int(i) * (RowHeight + Gap));
    testsupport::ExpectMatchesReference(sheet, std::string("main-window-") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(SixKinds, SkinnedMainWindowTest, SixKindsOfSkin, KindTestName);
