#include "ControlsTestSupport.h"

#include "skin/controls/FontIndex.h"
#include "skin/paint/PixelArithmetic.h"

#include <gtest/gtest.h>

using namespace skin;
using namespace controlstest;
using namespace platform;

namespace {

class ParentBackgroundTest : public ControlsFixture {
protected:
    // A button placed on parent after the form has loaded, resolved as loading would.
    TestSpeedButton* ButtonOn(toolkit::TWinControl* parent, int left, int top, const char16_t* section = nullptr)
    {
        auto* b = toolkit::FormTester::Make<TestSpeedButton>(parent, parent, u"extra", left, top, 40, 20);
        b->Data.SetLoading(false);
        if (section)
            b->Data.SetSkinSection(section);
        b->Data.UpdateIndexes(true);
        return b;
    }

    static TacBGInfo Ask(toolkit::TControl* child) { return GetBGInfo(*child); }
};

int Red(PixelBGRA p) { return PixelR(p); }

} // namespace

TEST_F(ParentBackgroundTest, PlainFramedTransparentAndCachedParentsAnswerEachInTheirWay)
{
    PanelsForm* form = ShowPanels();
    TestSpeedButton* onInner = ButtonOn(form->inner, 30, 40);

    // A plain parent gives its colour only.
    TacBGInfo info = Ask(onInner);
    EXPECT_EQ(info.BgType, btFill);
    EXPECT_EQ(int(info.Color), PlainColor);
    EXPECT_EQ(info.Bmp, nullptr);

    // With a border it also hands over its picture and the strip widths.
    form->inner->SkinData()->SetSkinSection(u"FRAMED");
    info = Ask(onInner);
    EXPECT_EQ(info.BgType, btFill);
    EXPECT_EQ(info.Bmp, form->inner->SkinData()->FCacheBmp.get());
    EXPECT_EQ(info.FillRect, (RECT{2, 2, 2, 2}));
    EXPECT_EQ(info.Offset, (POINT{30, 40}));

    // A see-through parent passes the question to its own parent, moved by its position.
    form->inner->SkinData()->SetSkinSection(u"SEETHROUGH");
    info = Ask(onInner);
    EXPECT_EQ(info.BgType, btCache);
    EXPECT_EQ(info.Bmp, form->outer->SkinData()->FCacheBmp.get());
    EXPECT_EQ(info.Offset, (POINT{20 + 30, 10 + 40}));

    // A gradient parent answers with its cache, built when it was stale.
    form->outer->SkinData()->BGChanged = true;
    info = Ask(form->first);
    EXPECT_EQ(info.BgType, btCache);
    EXPECT_FALSE(form->outer->SkinData()->BGChanged);
    EXPECT_EQ(info.Bmp->Width(), 280);
    EXPECT_EQ(info.Offset, (POINT{10, 120}));

    // An unskinned parent (the form) is a plain colour.
    info = Ask(form->outer);
    EXPECT_EQ(info.BgType, btFill);
    EXPECT_EQ(info.Color, toolkit::ColorToRGB(form->Color()));
}

TEST_F(ParentBackgroundTest, ASeeThroughControlShowsExactlyThePartOfTheGradientUnderIt)
{
    PanelsForm* form = ShowPanels();
    TestSpeedButton* glass = ButtonOn(form->outer, 10, 20, u"SEETHROUGH");
    glass->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    const Bitmap& outer = *form->outer->SkinData()->FCacheBmp;
    const Bitmap& own = *glass->Data.FCacheBmp;
    ASSERT_EQ(own.Width(), 40);
    for (int y = 0; y < 20; y += 7)
        EXPECT_EQ(own.Pixel(5, y), outer.Pixel(15, 20 + y)) << y;
    // The gradient makes the place matter: a move marks the picture stale and shows another part.
    EXPECT_NE(outer.Pixel(15, 20), outer.Pixel(15, 100));
    EXPECT_TRUE(glass->Data.BgDependsOnPosition());
    glass->SetBounds(10, 100, 40, 20);
    glass->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0);
    EXPECT_EQ(glass->Data.FCacheBmp->Pixel(5, 0), outer.Pixel(15, 100));

    // Over a plain parent nothing depends on the place.
    TestSpeedButton* onPlain = ButtonOn(form->inner, 5, 5, u"SEETHROUGH");
    EXPECT_FALSE(onPlain->Data.BgDependsOnPosition());
}

TEST_F(ParentBackgroundTest, AParentThatIsNotReadyHoldsItsChildUntilItEndsUpdating)
{
    PanelsForm* form = ShowPanels();
    TsPanel* empty = toolkit::FormTester::Make<TsPanel>(form, form->outer, u"empty", 0, 0, 0, 0);
    empty->SkinData()->SetLoading(false);
    empty->SkinData()->SetSkinSection(u"PANEL");
    TestSpeedButton* child = ButtonOn(empty, 0, 0);

    EXPECT_EQ(Ask(child).BgType, btNotReady);
    EXPECT_TRUE(empty->SkinData()->FUpdating);
    EXPECT_EQ(child->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0), 0);
    EXPECT_TRUE(child->Data.FUpdating);
    EXPECT_TRUE(child->Data.BGChanged);

    empty->SetBounds(0, 0, 100, 60);
    empty->Perform(SM_VELTACMD, AcCommand(AC_ENDPARENTUPDATE), 0);
    EXPECT_FALSE(child->Data.FUpdating);
    EXPECT_EQ(child->Perform(SM_VELTACMD, AcCommand(AC_PREPARECACHE), 0), 1);
    EXPECT_FALSE(child->Data.BGChanged);
    EXPECT_EQ(Ask(child).BgType, btCache);
}

TEST_F(ParentBackgroundTest, PanelsPaintTheirSectionsPlainOnesStraightToTheWindow)
{
    PanelsForm* form = ShowPanels();
    EXPECT_TRUE(form->inner->SkinData()->CtrlSkinState & ACS_FAST);
    EXPECT_FALSE(form->outer->SkinData()->CtrlSkinState & ACS_FAST);
    EXPECT_EQ(form->outer->SkinData()->BGType, BGT_GRADIENTVERT);
    EXPECT_FALSE(form->outer->SkinData()->BGChanged);

    const Bitmap shot = headless::WindowShot(form->Handle());
    const POINT client = form->ClientToScreen(POINT{0, 0});
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const int dx = client.x - window.left, dy = client.y - window.top;
    // Inside the plain panel: its colour.
    EXPECT_EQ(PixelToColor(shot.Pixel(dx + 60, dy + 50)), COLORREF(PlainColor));
    // The gradient panel: its first colour at the top, darker towards the bottom.
    EXPECT_EQ(PixelToColor(shot.Pixel(dx + 250, dy + 0)), COLORREF(0x336699));
    EXPECT_LT(Red(shot.Pixel(dx + 250, dy + 115)), Red(shot.Pixel(dx + 250, dy + 5)));

    // While updating nothing is painted; the end of the update paints the new section.
    TsCommonData& inner = *form->inner->SkinData();
    inner.BeginUpdate();
    EXPECT_TRUE(inner.FUpdating);
    EXPECT_TRUE(inner.CtrlSkinState & ACS_LOCKED);
    inner.SetSkinSection(u"FRAMED");
    inner.Invalidate();
    tester_->Pump();
    EXPECT_EQ(PixelToColor(headless::WindowShot(form->Handle()).Pixel(dx + 20, dy + 10)), COLORREF(PlainColor));
    inner.EndUpdate(true);
    tester_->Pump();
    EXPECT_FALSE(inner.FUpdating);
    EXPECT_EQ(PixelToColor(headless::WindowShot(form->Handle()).Pixel(dx + 20, dy + 10)), RGB(20, 30, 40));
    EXPECT_EQ(PixelToColor(headless::WindowShot(form->Handle()).Pixel(dx + 60, dy + 50)), COLORREF(PlainColor));
}

TEST_F(ParentBackgroundTest, SkinStateBitsFollowTheSectionAndTheParent)
{
    PanelsForm* form = ShowPanels();
    TsPanel* glassOnPlain = toolkit::FormTester::Make<TsPanel>(form, form->inner, u"g1", 5, 5, 50, 30);
    glassOnPlain->SkinData()->SetLoading(false);
    glassOnPlain->SkinData()->SetSkinSection(u"SEETHROUGH");
    EXPECT_TRUE(glassOnPlain->SkinData()->CtrlSkinState & ACS_FAST);
    TsPanel* glassOnGradient = toolkit::FormTester::Make<TsPanel>(form, form->outer, u"g2", 5, 5, 50, 30);
    glassOnGradient->SkinData()->SetLoading(false);
    glassOnGradient->SkinData()->SetSkinSection(u"SEETHROUGH");
    EXPECT_FALSE(glassOnGradient->SkinData()->CtrlSkinState & ACS_FAST);
    EXPECT_FALSE(glassOnGradient->SkinData()->CtrlSkinState & ACS_BGUNDEF);

    // A section the skin lacks leaves the control unskinned, with no indexes.
    glassOnPlain->SkinData()->SetSkinSection(u"NOSUCHSECTION");
    EXPECT_FALSE(glassOnPlain->SkinData()->Skinned());
    EXPECT_EQ(glassOnPlain->SkinData()->BorderIndex, -1);
    EXPECT_EQ(form->inner->Perform(SM_VELTACMD, AcCommand(AC_CTRLHANDLED), 0), 1);
    int index = -2;
    form->inner->Perform(SM_VELTACMD, AcCommand(AC_GETSKININDEX), reinterpret_cast<LPARAM>(&index));
    EXPECT_EQ(index, manager_->Model()->GetSkinIndex("PLAIN"));
    EXPECT_EQ(form->inner->Perform(SM_VELTACMD, AcCommand(AC_GETCONTROLCOLOR), 0), PlainColor);
    // A panel's default section follows its outer bevel.
    form->inner->SkinData()->SetSkinSection(u"");
    EXPECT_EQ(form->inner->SkinData()->SkinIndex(), manager_->Model()->ConstData.Sections[int(TacSection::ssTransparent)]);
}

TEST_F(ParentBackgroundTest, TextOverASeeThroughContainerTakesTheFontOfTheSurfaceUnderIt)
{
    PanelsForm* form = ShowPanels();
    const TsSkinModel& model = *manager_->Model();
    TestSpeedButton* onInner = ButtonOn(form->inner, 30, 40);
    EXPECT_EQ(GetFontIndex(*onInner, 0), model.GetSkinIndex("PLAIN"));
    // Beyond the container's states nothing is named.
    EXPECT_EQ(GetFontIndex(*onInner, 5), -1);
    form->inner->SkinData()->SetSkinSection(u"SEETHROUGH");
    EXPECT_EQ(GetFontIndex(*onInner, 0), model.GetSkinIndex("PANEL"));
    // The form itself names nothing.
    EXPECT_EQ(GetFontIndex(*form->outer, 0), -1);

    EXPECT_TRUE(NeedParentFont(model, model.GetSkinIndex("SEETHROUGH"), 0, true));
    EXPECT_FALSE(NeedParentFont(model, model.GetSkinIndex("SEETHROUGH"), 0, false));
    EXPECT_FALSE(NeedParentFont(model, model.GetSkinIndex("FRAMED"), 1, true));
}

TEST(NeedParentFontTest, ABorderThatFillsItsCentreCoversTheSurfaceUnlessItsMaskIsLightThere)
{
    const auto loaded = skintest::LoadTestSkin(MakeSkin(
        "[FILLED]\r\nTRANSPARENCY=60\r\nHOTTRANSPARENCY=60\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^1^4^0\r\n"
        "[ACTIVEONLY]\r\nTRANSPARENCY=60\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^6^0\r\n"
        "[OPAQUEMASK]\r\nTRANSPARENCY=60\r\nHOTTRANSPARENCY=60\r\nBORDERSMASK=^0000^0000^0012^0006^0002^0002^0002^0002^2^0^4^0\r\n"));
    const TsSkinModel& model = *loaded->Model;
    // State 0: a filling mask covers the centre, unless it is drawn only when active.
    EXPECT_FALSE(NeedParentFont(model, model.GetSkinIndex("FILLED"), 0, true));
    EXPECT_TRUE(NeedParentFont(model, model.GetSkinIndex("ACTIVEONLY"), 0, true));
    // Hot: a plain filling mask covers it; a masked one decides by its middle pixel (the master's
    // lower half at the centre of image 1 is dark here).
    EXPECT_FALSE(NeedParentFont(model, model.GetSkinIndex("OPAQUEMASK"), 1, true));
    EXPECT_FALSE(NeedParentFont(model, model.GetSkinIndex("FILLED"), 1, true));
}
