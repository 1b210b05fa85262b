// The window's outline cut from the corner pixels of the skin's border masks.
#include "FormsTestSupport.h"

#include "skin/model/TsSkinModel.h"
#include "skin/paint/SkinRect.h"

#include "platform/graphics/Region.h"
#include "platform/window/Window.h"

#include <optional>

using namespace platform;
using namespace skin;
using formstest::FormsFixture;

namespace {

class WindowShapeTest : public FormsFixture {
protected:
    // The window's region, or none.
    std::optional<Region> Shape(toolkit::TForm* form)
    {
        Region r;
        if (GetWindowRgn(form->Handle(), &r) == ERROR_REGION)
            return std::nullopt;
        return r;
    }
};

TEST_F(WindowShapeTest, CornerPixelsOfTheMaskAreCutFromEveryCorner)
{
    manager_->SetSkinName(u"Rounded (internal)");
    auto* form = ShowForm<formstest::FixedForm>();
    const auto shape = Shape(form);
    ASSERT_TRUE(shape.has_value());
    const int w = form->Width(), h = form->Height();
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {w - 1, 0}, {w - 2, 0}, {w - 1, 1}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_FALSE(shape->Contains(POINT{x, y})) << x << "," << y;
    for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {0, 2}, {w - 3, 0}, {1, h - 1}, {0, h - 2}, {w - 2, h - 1}, {w / 2, h / 2}})
        EXPECT_TRUE(shape->Contains(POINT{x, y})) << x << "," << y;
    EXPECT_EQ(TsSkinProvider::Of(form)->Rects.size(), 6u);

    // What the corner lets through is what lies beneath; a pixel further in is the window.
    EXPECT_NE(WindowFromPoint(OnScreen(form, POINT{0, 0})), form->Handle());
    EXPECT_EQ(WindowFromPoint(OnScreen(form, POINT{2, 0})), form->Handle());
}

TEST_F(WindowShapeTest, ASkinWithoutTransparentCornersLeavesTheWindowRectangular)
{
    auto* form = ShowForm<formstest::FixedForm>();
    EXPECT_FALSE(Shape(form).has_value());
    EXPECT_EQ(WindowFromPoint(OnScreen(form, POINT{0, 0})), form->Handle());

    manager_->SetSkinName(u"Rounded (internal)");
    tester_->Pump();
    EXPECT_TRUE(Shape(form).has_value());
    // Back to square corners, and with the skin gone the platform's frame is a rectangle too.
    manager_->SetSkinName(u"Square (internal)");
    tester_->Pump();
    EXPECT_FALSE(Shape(form).has_value());
    manager_->SetSkinName(u"Rounded (internal)");
    tester_->Pump();
    manager_->SetActive(false);
    tester_->Pump();
    EXPECT_FALSE(Shape(form).has_value());
}

TEST(TransparentCornerRuns, RunsLandAtTheCornersOfTheTargetAndTopOnlyKeepsTheTopOnes)
{
    auto skin = skintest::LoadTestSkin(formstest::MakeSkin(true));
    const TsSkinModel& model = *skin->Model;
    const TsMaskData& md = model.ma[std::size_t(model.gd[std::size_t(model.GetSkinIndex("FORM"))].BorderIndex)];
    const auto all = TransparentCornerRuns(md, model, Rect(10, 20, 60, 50), 0, false);
    // Top-left: two pixels, then one; top-right: the two pixels and the corner one below them.
    EXPECT_EQ(all.front(), Rect(10, 20, 12, 21));
    EXPECT_EQ(all[1], Rect(10, 21, 11, 22));
    Region cut = Region::FromRects(all);
    EXPECT_TRUE(cut.Contains(POINT{58, 20}));
    EXPECT_TRUE(cut.Contains(POINT{59, 21}));
    EXPECT_TRUE(cut.Contains(POINT{10, 49}));
    EXPECT_TRUE(cut.Contains(POINT{59, 49}));
    EXPECT_FALSE(cut.Contains(POINT{57, 20}));
    const auto top = TransparentCornerRuns(md, model, Rect(10, 20, 60, 50), 0, true);
    EXPECT_FALSE(Region::FromRects(top).Contains(POINT{10, 49}));
    EXPECT_TRUE(Region::FromRects(top).Contains(POINT{10, 20}));

    auto square = skintest::LoadTestSkin(formstest::MakeSkin(false));
    const TsSkinModel& sm = *square->Model;
    const TsMaskData& smd = sm.ma[std::size_t(sm.gd[std::size_t(sm.GetSkinIndex("FORM"))].BorderIndex)];
    EXPECT_TRUE(TransparentCornerRuns(smd, sm, Rect(0, 0, 50, 30), 0, false).empty());
}

} // namespace
