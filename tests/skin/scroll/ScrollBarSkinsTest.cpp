// The bars in six internal skins of different kinds: every one has what the bars are drawn from,
// shows a thumb apart from its track, and shows the thumb pressed apart from the thumb at rest.
// Each run leaves a picture of the memo and the dropped-down list per skin in build/tests
// (scroll-bars-KIND.png) for a person to look at.
#include "ScrollTestSupport.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/package/InternalSkins.h"

using namespace skin;
using namespace scrolltest;
using platform::POINT;

namespace {

struct KindOfSkin {
    const char* file;
    const char16_t* skin;
};

class ScrollBarSkinsTest : public ScrollFixture, public ::testing::WithParamInterface<KindOfSkin> {
protected:
    void SetUp() override
    {
        ScrollFixture::SetUp();
        FillInternalSkins(manager_->InternalSkins(), assets::EmbeddedSkinPackages());
        manager_->SetSkinName(GetParam().skin);
        ASSERT_EQ(manager_->SkinName(), platform::String(GetParam().skin));
        comboData_->UpdateIndexes(true);
        memoData_->UpdateIndexes(true);
    }

    platform::PixelBGRA PixelAt(toolkit::TControl* control, POINT local)
    {
        tester_->Pump();
        const POINT p = toolkit::FormTester::ScreenPoint(control, local);
        return tester_->Screenshot().Pixel(p.x, p.y);
    }
};

// The summed difference of two pixels' colour channels.
int Distance(platform::PixelBGRA a, platform::PixelBGRA b)
{
    return std::abs(int(platform::PixelR(a)) - int(platform::PixelR(b))) +
           std::abs(int(platform::PixelG(a)) - int(platform::PixelG(b))) +
           std::abs(int(platform::PixelB(a)) - int(platform::PixelB(b)));
}

} // namespace

TEST_P(ScrollBarSkinsTest, ThumbStandsApartFromTrackAtRestAndPressed)
{
    form_->FillMemo(60);
    WrapMemo();
    toolkit::TComboDropList* list = DropList();
    ASSERT_TRUE(listWrapper_->Active());
    ASSERT_TRUE(memoWrapper_->Active());
    list->SetTopIndex(30);
    tester_->Pump();

    const TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    ASSERT_TRUE(bar.ThumbVisible);
    // Along the thumb's edge, where a glyph in its middle cannot be.
    const POINT thumb{bar.Bounds.left + 3, bar.Bounds.top + bar.Thumb.Start + 3};
    const POINT track{bar.Bounds.left + 3, bar.Bounds.top + bar.Thumb.Start + bar.Thumb.Length + 6};
    const platform::PixelBGRA atRest = PixelAt(list, thumb);
    EXPECT_GT(Distance(atRest, PixelAt(list, track)), 0);

    const platform::Bitmap shot = tester_->Screenshot();
    const POINT from = toolkit::FormTester::ScreenPoint(form_, POINT{0, 0});
    platform::Bitmap picture(380, 440);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            picture.SetPixel(x, y, shot.Pixel(from.x + x, from.y + y) | 0xFF000000u);
    toolkit::FormTester::SavePng(picture, std::string(LUMO_BINARY_DIR) + "/tests/scroll-bars-" + GetParam().file + ".png");

    tester_->MouseDown(list, POINT{thumb.x, thumb.y + 2});
    EXPECT_TRUE(listWrapper_->ThumbTracking());
    EXPECT_GT(Distance(PixelAt(list, thumb), atRest), 0);
    tester_->MouseUp(list, POINT{thumb.x, thumb.y + 2});
    EXPECT_EQ(list->TopIndex(), 30);
}

INSTANTIATE_TEST_SUITE_P(SixKinds, ScrollBarSkinsTest,
                         ::testing::Values(KindOfSkin{"flat-metroui", u"MetroUI (internal)"},
                                           KindOfSkin{"gradient-office2007-blue", u"Office2007 Blue (internal)"},
                                           KindOfSkin{"textured-wood", u"Wood (internal)"},
                                           KindOfSkin{"rounded-air", u"Air (internal)"},
                                           KindOfSkin{"dark-darkmetro", u"DarkMetro (internal)"},
                                           KindOfSkin{"high-contrast-flatline", u"Flatline (internal)"}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
