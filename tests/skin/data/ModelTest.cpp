#include "ModelTestUtil.h"

#include "skin/model/SkinBitmap.h"
#include "skin/model/SkinColors.h"

#include <gtest/gtest.h>

#include <climits>

using namespace skin;
using namespace skintest;
using platform::MakePixel;

namespace {

constexpr platform::PixelBGRA Base = MakePixel(200, 100, 50);
constexpr platform::PixelBGRA Fuchsia = MakePixel(255, 0, 255);

platform::Bitmap Master()
{
    platform::Bitmap m = Solid(100, 60, Base);
    m.SetPixel(56, 0, Fuchsia);
    // A grey glyph: greys keep their hue.
    for (int y = 1; y < 21; ++y)
        for (int x = 1; x < 31; ++x)
            m.SetPixel(x, y, MakePixel(90, 90, 90));
    return m;
}

const char* BaseOptions =
    "[GLOBALINFO]\r\n"
    "MASTERBITMAP=Master.bmp\r\n"
    "VERSION=8.00\r\n"
    "COLOR=12345\r\n"
    "FONTCOLOR=222\r\n"
    "BICONCLOSE=@0001@0001@0031@0021@0@0\r\n"
    "BICONMAX=@0040@0000@0050@0010@1@0\r\n"
    "SICONMIN=@0040@0000@0050@0010@1@0\r\n"
    "BICONCLOSEGLOW=2\r\n"
    "BICONCLOSEGLOW0=!GLOW.PNG!1!0!3!0005!0005!0005!0005!1\r\n"
    "BICONCLOSEGLOW1=!glow.png!1!0!3\r\n"
    "BICONCLOSEGLOWMARGIN=7\r\n"
    "[BUTTON]\r\n"
    "COLOR=255\r\n"
    "HOTCOLOR=65280\r\n"
    "TRANSPARENCY=30\r\n"
    "BORDERSMASK=^0056^0000^0066^0005^0000^0000^0000^0000^2^0^1^3\r\n"
    "PATTERN=~0000~0030~0010~0040~00~0\r\n"
    "HOTPATTERN=!TILE.BMP!1!0!1\r\n"
    "GLYPHMASK=@0040@0000@0050@0010@1@1\r\n"
    "[MYBTN]\r\n"
    "PARENTCLASS=BUTTON\r\n"
    "STATES=1\r\n"
    "HOTCOLOR=99\r\n"
    "TRANSPARENCY=-1\r\n"
    "GLOW=300\r\n"
    "HOTGRADIENTPERCENT=40\r\n"
    "HOTGRADIENTDATA=N/A\r\n"
    "[THREE]\r\n"
    "USESTATE2=1\r\n"
    "COLOR2=77\r\n"
    "HOTGRADIENTPERCENT=40\r\n"
    "HOTGRADIENTDATA=N/A\r\n"
    "GRADIENTPERCENT=20\r\n"
    "GRADIENTDATA=1;2;3;4;5;6;7\r\n"
    "[BUTTON_HUGE]\r\n"
    "BORDERSMASK=^0000^0040^0030^0060^0005^0005^0005^0005^1^0^1^0\r\n"
    "[EDIT]\r\n"
    "COLOR=16777215\r\n"
    "FONTCOLOR=0\r\n"
    "BORDERSMASK=^0070^0000^0073^0003^0001^0001^0001^0001^1^0^1^1\r\n"
    "[Edit]\r\n"
    "COLOR=5\r\n"
    "[LOOPA]\r\n"
    "PARENTCLASS=LOOPB\r\n"
    "[LOOPB]\r\n"
    "PARENTCLASS=LOOPC\r\n"
    "[LOOPC]\r\n"
    "PARENTCLASS=LOOPA\r\n";

TestSkin BaseSkin()
{
    TestSkin s;
    s.Options = BaseOptions;
    s.Add("master.BMP", Bmp24(Master()));
    s.Add("Glow.png", platform::EncodePng(Solid(12, 12, MakePixel(255, 255, 255, 128))));
    s.Add("tile.bmp", Bmp24(Solid(8, 8, MakePixel(1, 2, 3))));
    return s;
}

const TsMaskData& Mask(const TsSkinModel& m, std::string_view section, std::string_view prop)
{
    const int i = m.GetMaskIndex(section, prop);
    if (i < 0)
        throw std::runtime_error("no element " + std::string(section) + "." + std::string(prop));
    return m.ma[std::size_t(i)];
}

const TsGeneralData& Section(const TsSkinModel& m, std::string_view name)
{
    const int i = m.GetSkinIndex(name);
    if (i < 0)
        throw std::runtime_error("no section " + std::string(name));
    return m.gd[std::size_t(i)];
}

} // namespace

TEST(SkinModelMasks, MasterBitmapIsMade32BitWithTransparentFuchsia)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    ASSERT_EQ(m.MasterBitmap.Width(), 100);
    EXPECT_EQ(m.MasterBitmap.Pixel(0, 0), Base);
    EXPECT_EQ(platform::PixelA(m.MasterBitmap.Pixel(56, 0)), 0);
    EXPECT_EQ(m.MasterBitmap.Pixel(56, 0) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(m.CommonSkinData.Version, 8.0);
}

TEST(SkinModelMasks, ElementsKeepNamesAndSectionIndexes)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    const TsMaskData& border = Mask(m, "BUTTON", "BORDERSMASK");
    EXPECT_EQ(border.SkinIndex, m.GetSkinIndex("BUTTON"));
    EXPECT_EQ(border.ImgType, TacImgType::itisaBorder);
    EXPECT_EQ(border.WL, 3);
    EXPECT_EQ(border.WB, 3);
    EXPECT_EQ(border.Width, 5);
    EXPECT_EQ(border.Height, 5);
    EXPECT_EQ(border.Bmp, nullptr);
    const TsMaskData& glyph = Mask(m, "BUTTON", "GLYPHMASK");
    EXPECT_EQ(glyph.ImgType, TacImgType::itisaGlyph);
    EXPECT_EQ(glyph.Height, 5); // mask in the lower half
    const TsMaskData& pattern = Mask(m, "BUTTON", "PATTERN");
    EXPECT_EQ(pattern.ImgType, TacImgType::itisaTexture);
    EXPECT_EQ(pattern.ImageCount, 1);
}

TEST(SkinModelMasks, GlyphWithoutImageCountTakesItsHeightAsBorders)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsMaskData& g = Mask(*s->Model, "GLOBALINFO", "BICONCLOSE");
    EXPECT_EQ(g.R, platform::Rect(1, 1, 31, 21));
    EXPECT_EQ(g.Width, 0);
    EXPECT_EQ(g.Height, 20);
    EXPECT_EQ(g.WT, 20);
    EXPECT_EQ(g.WB, 20);
    EXPECT_EQ(g.WL, 0);
    EXPECT_EQ(g.WR, 0);
    EXPECT_EQ(g.ImageCount, 1);
}

TEST(SkinModelMasks, CornerTypes)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    EXPECT_EQ(Mask(m, "BUTTON", "BORDERSMASK").CornerType, 1);
    EXPECT_EQ(Mask(m, "EDIT", "BORDERSMASK").CornerType, 0);
    EXPECT_EQ(Mask(m, "BUTTON_HUGE", "BORDERSMASK").CornerType, 2);
}

TEST(SkinModelMasks, ExternalImagesAreSharedAndMissingOnesMakeNoElement)
{
    TestSkin skinData = BaseSkin();
    skinData.Options += "[EXTRA]\r\nA=!MISSING.PNG!1!0!0\r\nB=MISSING.JPG\r\nC=~0000~0000~0010~0010~00~0~MISSING.BMP\r\n"
                        "D=TILE.BMP\r\nE=!TILE.BMP!1!0!0\r\n";
    auto s = LoadTestSkin(skinData);
    const TsSkinModel& m = *s->Model;
    const TsMaskData& glow0 = Mask(m, "GLOBALINFO", "BICONCLOSEGLOW0");
    const TsMaskData& glow1 = Mask(m, "GLOBALINFO", "BICONCLOSEGLOW1");
    ASSERT_NE(glow0.Bmp, nullptr);
    EXPECT_EQ(glow0.Bmp, glow1.Bmp);
    EXPECT_EQ(glow0.ImgType, TacImgType::itisaGlow);
    EXPECT_EQ(glow0.R, platform::Rect(0, 0, 12, 12));
    EXPECT_EQ(glow1.WL, 4); // 12 / (1 * 3)
    EXPECT_EQ(m.ExternalFileName(glow0), "GLOW.PNG");
    int pngs = 0;
    for (const auto& ext : m.ExtArray)
        pngs += ext.FileName == "GLOW.PNG";
    EXPECT_EQ(pngs, 1);
    EXPECT_LT(m.GetMaskIndex("EXTRA", "A"), 0);
    EXPECT_LT(m.GetMaskIndex("EXTRA", "B"), 0);
    EXPECT_EQ(Mask(m, "EXTRA", "C").Bmp, nullptr); // stays on the master bitmap
    EXPECT_EQ(Mask(m, "EXTRA", "D").Bmp, Mask(m, "EXTRA", "E").Bmp);
    EXPECT_EQ(Mask(m, "EXTRA", "D").Bmp, Mask(m, "BUTTON", "HOTPATTERN").Bmp);
}

TEST(SkinModelMasks, PngPremultiplicationFollowsVersionAndBrightness)
{
    auto v8 = LoadTestSkin(BaseSkin());
    const auto* glow = Mask(*v8->Model, "GLOBALINFO", "BICONCLOSEGLOW0").Bmp;
    EXPECT_EQ(glow->Pixel(0, 0), MakePixel(127, 127, 127, 128));

    TestSkin old = BaseSkin();
    old.Options.replace(old.Options.find("VERSION=8.00"), 12, "VERSION=7.45");
    auto v745 = LoadTestSkin(old);
    EXPECT_EQ(Mask(*v745->Model, "GLOBALINFO", "BICONCLOSEGLOW0").Bmp->Pixel(0, 0), MakePixel(255, 255, 255, 128));

    SkinLoadSettings brighter;
    brighter.Brightness = 10;
    auto bright = LoadTestSkin(old, brighter);
    // Brightness above 0 from version 7.45 premultiplies after the change.
    EXPECT_EQ(Mask(*bright->Model, "GLOBALINFO", "BICONCLOSEGLOW0").Bmp->Pixel(0, 0), MakePixel(127, 127, 127, 128));
}

TEST(SkinModelMasks, ConversionErrorsAndBrokenPicturesFailTheLoad)
{
    TestSkin bad = BaseSkin();
    bad.Options += "[BAD]\r\nBORDERSMASK=^00x1^0001^0015^0019^0004^0004^0004^0004^1^0^1^1\r\n";
    try {
        LoadTestSkin(bad);
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("'00X1' is not a valid integer value"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("BAD"), std::string::npos);
    }
    TestSkin broken = BaseSkin();
    broken.Images[1].Content.resize(30);
    EXPECT_THROW(LoadTestSkin(broken), platform::ImageError);
}

TEST(SkinModelSections, StatesInheritanceAndLimits)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    const TsGeneralData& button = Section(m, "BUTTON");
    EXPECT_EQ(button.Props[0].Color, 255);
    EXPECT_EQ(button.Props[1].Color, 65280);
    EXPECT_EQ(button.Props[2].Color, 65280); // no USESTATE2: the pressed state copies the hot one
    const TsGeneralData& mine = Section(m, "MYBTN");
    EXPECT_EQ(mine.ParentClass, "BUTTON");
    EXPECT_EQ(mine.States, 1);
    EXPECT_EQ(mine.Props[0].Color, 255);
    EXPECT_EQ(mine.Props[1].Color, 255); // STATES=1: whatever HOTCOLOR says
    EXPECT_EQ(mine.Props[0].Transparency, 30);
    EXPECT_EQ(mine.GlowCount, 255);
    const TsGeneralData& three = Section(m, "THREE");
    EXPECT_TRUE(three.UseState2);
    EXPECT_EQ(three.Props[2].Color, 77);
    EXPECT_EQ(three.Props[1].Color, 16777215);
    EXPECT_TRUE(three.Props[1].GradientArray.empty());
    EXPECT_EQ(three.Props[1].GradientPercent, 40);
    EXPECT_EQ(three.Props[0].GradientArray.size(), 1u);
    EXPECT_EQ(three.Props[0].GradientPercent, 20);
    EXPECT_EQ(three.Props[2].GradientPercent, 0); // gradient text shorter than 3
    EXPECT_EQ(three.Props[0].FontColor.Left, -1);
    // "[Edit]" is a section of its own.
    EXPECT_EQ(Section(m, "EDIT").Props[0].Color, 16777215);
    EXPECT_EQ(Section(m, "Edit").Props[0].Color, 5);
}

TEST(SkinModelSections, AppendedSectionsAndPalette)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    const TsGeneralData& transparent = Section(m, "TRANSPARENT");
    EXPECT_EQ(transparent.States, 1);
    for (const auto& st : transparent.Props) {
        EXPECT_EQ(st.Transparency, 100);
        EXPECT_EQ(st.Color, 0xFFFFFF);
        EXPECT_EQ(st.FontColor.Color, 222);
        EXPECT_EQ(st.FontColor.Top, -1);
    }
    const TsGeneralData& main = Section(m, "MAINCOLOR");
    EXPECT_EQ(main.Props[2].Color, 12345);
    EXPECT_EQ(main.Props[0].Transparency, 0);
    EXPECT_EQ(m.GetSkinIndex("MAINCOLOR"), int(m.gd.size()) - 1);
    EXPECT_EQ(m.ConstData.Sections[int(TacSection::ssTransparent)], m.GetSkinIndex("TRANSPARENT"));

    const SystemValues sys;
    EXPECT_EQ(m.GetGlobalColor(), 12345);
    EXPECT_EQ(m.GetGlobalFontColor(), 222);
    EXPECT_EQ(m.GetActiveEditColor(), 16777215);
    EXPECT_EQ(m.Palette[int(TacPaletteColors::pcWebText)], 16711680);
    // No SELECTION and no MENUITEM: the system highlight colours.
    EXPECT_EQ(m.GetHighLightColor(false), int(sys.Highlight));
    EXPECT_EQ(m.GetHighLightFontColor(true), int(sys.HighlightText));
    EXPECT_EQ(m.Palette[int(TacPaletteColors::pcHintBG)], int(sys.InfoBk));
    EXPECT_EQ(m.Palette[int(TacPaletteColors::pcEditBG_EvenRow)], BlendColors(0, 16777215, 13));
    EXPECT_EQ(m.Palette[int(TacPaletteColors::pcEditText_Caution)], 8755161);
}

TEST(SkinModelSections, SelectionFallsBackToTheMenuItemHotState)
{
    TestSkin withMenu = BaseSkin();
    withMenu.Options += "[MENUITEM]\r\nHOTCOLOR=111\r\nHOTFONTCOLOR=16711935\r\n[SELECTION]\r\nFONTCOLOR=16711935\r\nCOLOR=5\r\n";
    auto s = LoadTestSkin(withMenu);
    const TsSkinModel& m = *s->Model;
    EXPECT_EQ(m.GetHighLightColor(false), 111);
    EXPECT_EQ(m.GetHighLightColor(true), 111);
    EXPECT_EQ(m.GetHighLightFontColor(false), int(SystemValues().HighlightText));

    TestSkin withSelection = BaseSkin();
    withSelection.Options += "[SELECTION]\r\nSTATES=1\r\nCOLOR=5\r\nFONTCOLOR=6\r\nHOTCOLOR=7\r\n";
    auto t = LoadTestSkin(withSelection);
    EXPECT_EQ(t.get()->Model->GetHighLightColor(true), 5);
    EXPECT_EQ(t.get()->Model->GetHighLightFontColor(false), 6);
}

TEST(SkinModelLookups, ParentsSelfReferencesAndLoops)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    const int mine = m.GetSkinIndex("MYBTN");
    const int button = m.GetSkinIndex("BUTTON");
    EXPECT_EQ(m.GetMaskIndex(mine, "MYBTN", "BORDERSMASK"), m.GetMaskIndex(button, "BUTTON", "BORDERSMASK"));
    EXPECT_EQ(m.GetMaskIndex(mine, "BORDERSMASK"), m.GetMaskIndex("BUTTON", "BORDERSMASK"));
    EXPECT_EQ(m.GetMaskIndex("MYBTN", "BORDERSMASK"), -1); // by class name: no parents
    EXPECT_EQ(m.gd[std::size_t(mine)].BorderIndex, m.gd[std::size_t(button)].BorderIndex);
    EXPECT_EQ(m.GetTextureIndex(mine, "PATTERN"), m.GetMaskIndex("BUTTON", "PATTERN"));
    EXPECT_EQ(m.GetTextureIndex(mine, "GLYPHMASK"), -1); // not a texture
    EXPECT_EQ(m.GetMaskIndex(mine, "MYBTN", "NOSUCH"), -1);
    EXPECT_EQ(m.GetMaskIndex(m.GetSkinIndex("LOOPA"), "LOOPA", "BORDERSMASK"), -1);
    EXPECT_EQ(m.GetSkinIndex(""), -1);
    EXPECT_EQ(m.GetSkinIndex("button"), -1);
    EXPECT_FALSE(m.IsValidSkinIndex(-1));
    EXPECT_FALSE(m.IsValidImgIndex(int(m.ma.size())));
    const TsGeneralData& b = m.gd[std::size_t(button)];
    EXPECT_EQ(b.Props[0].TextureIndex, m.GetMaskIndex("BUTTON", "PATTERN"));
    EXPECT_EQ(b.Props[1].TextureIndex, m.GetMaskIndex("BUTTON", "HOTPATTERN"));
    EXPECT_EQ(b.Props[2].TextureIndex, b.Props[1].TextureIndex);
    EXPECT_EQ(b.ScrollBorderOffset, 0);
    EXPECT_EQ(Section(m, "EDIT").ScrollBorderOffset, -1);
    EXPECT_EQ(Section(m, "THREE").ScrollBorderOffset, -2);
}

TEST(SkinModelConstants, FallbacksOfGlyphsButtonsAndGlows)
{
    TestSkin skinData = BaseSkin();
    skinData.Options += "[UPDOWNBTN_TOP]\r\nCOLOR=1\r\n[TABTOP]\r\nTABSCOVERING=3\r\n";
    auto s = LoadTestSkin(skinData);
    const TsSkinModel& m = *s->Model;
    const auto& c = m.ConstData;
    using TG = TacTitleGlyph;
    const int close = m.GetMaskIndex("GLOBALINFO", "BICONCLOSE");
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgClose)], close);
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgCloseAlone)], close);
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgSmallClose)], close);
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgSmallMax)], c.TitleGlyphs[int(TG::tgMax)]);
    EXPECT_NE(c.TitleGlyphs[int(TG::tgSmallMin)], -1);
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgMin)], -1);
    EXPECT_EQ(c.TitleGlyphs[int(TG::tgHelp)], -1);
    ASSERT_EQ(c.TitleGlows[1].size(), 2u);
    EXPECT_EQ(c.TitleGlows[1][0], m.GetMaskIndex("GLOBALINFO", "BICONCLOSEGLOW0"));
    EXPECT_EQ(c.TitleGlows[0], (std::vector<int>{c.TitleGlows[1][0], c.TitleGlows[1][0]}));
    EXPECT_EQ(c.TitleGlows[2], (std::vector<int>{-1, -1}));
    EXPECT_EQ(c.GlowMargins[1], 7);
    EXPECT_EQ(c.GlowMargins[0], 7);
    EXPECT_EQ(c.GlowMargins[2], -1);
    EXPECT_EQ(c.IndexGLobalInfo, m.GetSkinIndex("GLOBALINFO"));
    EXPECT_EQ(c.UpDownBtns[int(TacSide::asTop)].SkinSection, "UPDOWNBTN_TOP");
    EXPECT_EQ(c.UpDownBtns[int(TacSide::asLeft)].SkinSection, "BUTTON");
    EXPECT_EQ(c.UpDownBtns[int(TacSide::asLeft)].MaskIndex, m.GetMaskIndex("BUTTON", "BORDERSMASK"));
    EXPECT_EQ(c.UpDownBtns[int(TacSide::asLeft)].BGIndex[1], m.GetMaskIndex("BUTTON", "HOTPATTERN"));
    EXPECT_EQ(c.Tabs[int(TacTabLayout::tlSingle)][int(TacSide::asTop)].SkinIndex, m.GetSkinIndex("TABTOP"));
    EXPECT_EQ(c.Tabs[int(TacTabLayout::tlFirst)][int(TacSide::asTop)].SkinIndex, -1);
    EXPECT_EQ(m.CommonSkinData.TabsCovering, 3);
    EXPECT_EQ(c.MenuItem.SkinIndex, -1);
    EXPECT_EQ(c.Sections[int(TacSection::ssButton)], m.GetSkinIndex("BUTTON"));
    EXPECT_EQ(c.Sections[int(TacSection::ssHint)], -1);
}

TEST(SkinModelConstants, GlobalValuesAndOuterEffects)
{
    auto s = LoadTestSkin(BaseSkin());
    const TsSkinModel& m = *s->Model;
    const TsSkinData& c = m.CommonSkinData;
    EXPECT_EQ(c.ExTitleHeight, 30);
    EXPECT_EQ(c.ExMaxHeight, 30);
    EXPECT_EQ(c.ExCenterOffs, -1);
    EXPECT_EQ(c.ExBorderWidth, 4);
    EXPECT_EQ(c.BrightMin, -50);
    EXPECT_EQ(c.Shadow1Blur, -1);
    EXPECT_EQ(m.oe[1].Opacity, 60);
    EXPECT_EQ(m.oe[0].ColorL, 16777215);
    EXPECT_EQ(m.oe[1].OffsetB, 5);
    for (const TacOutEffData& e : m.oe) {
        ASSERT_TRUE(m.IsValidImgIndex(e.Mask));
        const TsMaskData& mask = m.ma[std::size_t(e.Mask)];
        EXPECT_EQ(mask.ImageCount, 1);
        EXPECT_EQ(mask.MaskType, 1);
        EXPECT_EQ(mask.DrawMode, 1);
        EXPECT_EQ(mask.BorderWidth, 5);
        EXPECT_EQ(mask.WL, 5);
        EXPECT_EQ(e.WidthT, 5);
        EXPECT_EQ(mask.ClassName, "GLOBALINFO");
    }
    TestSkin none = BaseSkin();
    none.Options.insert(none.Options.find("[BUTTON]"), "SH_SOURCE=0\r\nLO_SOURCE=1\r\nTITLEHEIGHT=-3\r\nMAXHEIGHT=20\r\n");
    auto t = LoadTestSkin(none);
    EXPECT_EQ(t->Model->oe[1].Mask, -1);
    EXPECT_EQ(t->Model->oe[0].Mask, -1); // no LO_MASK value
    EXPECT_EQ(t->Model->CommonSkinData.ExTitleHeight, 30);
    EXPECT_EQ(t->Model->CommonSkinData.ExMaxHeight, 20);
}

TEST(SkinModelColors, ZeroAdjustmentsChangeNoPixel)
{
    auto s = LoadTestSkin(BaseSkin());
    EXPECT_EQ(s->Model->MasterBitmap, skin::ToSkinBitmap(platform::DecodeBmp(Bmp24(Master()))));
}

TEST(SkinModelColors, FormulasOnColours)
{
    EXPECT_EQ(ChangeHue(0x0000FF, 120), 0x00FF00);
    EXPECT_EQ(ChangeHue(0x0000FF, -120), 0xFF0000);
    EXPECT_EQ(ChangeHue(0x808080, 77), 0x808080);
    EXPECT_EQ(ChangeHue(-1, 77), -1);
    EXPECT_EQ(ChangeHue(0xFF00FF, 77), 0xFF00FF);
    // Y = round(0.299 * 200 + 0.587 * 100 + 0.114 * 50) = 124; d = 127.
    const int d = 50 * 255 / 100;
    auto sat = [&](int c) { return std::clamp(((255 + d) * c - d * 124) / 256, 0, 255); };
    EXPECT_EQ(ChangeSaturation(platform::RGB(200, 100, 50), 50), int(platform::RGB(sat(200), sat(100), sat(50))));
    // d = -255: 255 * Y / 256.
    EXPECT_EQ(ChangeSaturation(platform::RGB(200, 100, 50), -100), int(platform::RGB(123, 123, 123)));
    EXPECT_EQ(ChangeBrightness(platform::RGB(200, 100, 0), 50), int(platform::RGB(239, 119, 0)));
    EXPECT_EQ(ChangeBrightness(platform::RGB(200, 100, 0), -50), int(platform::RGB(161, 81, 0)));
    EXPECT_EQ(ChangeBrightness(platform::RGB(255, 250, 1), 100), int(platform::RGB(255, 255, 1)));
    // Values far outside the manager's limits neither overflow nor leave 0..255.
    EXPECT_EQ(ChangeSaturation(platform::RGB(200, 100, 50), INT_MAX), ChangeSaturation(platform::RGB(200, 100, 50), 100));
    EXPECT_EQ(ChangeBrightness(platform::RGB(200, 100, 1), INT_MAX), int(platform::RGB(255, 255, 255)));
    EXPECT_EQ(ChangeBrightness(platform::RGB(200, 100, 1), INT_MIN), 0);
    EXPECT_EQ(ChangeHue(0x0000FF, INT_MIN), ChangeHue(0x0000FF, INT_MIN % 360));
    EXPECT_EQ(PremultiplyPixel(0x00FFFFFF), 0u);
    EXPECT_EQ(PremultiplyPixel(MakePixel(255, 128, 0, 255)), MakePixel(254, 127, 0, 255));
}

TEST(SkinModelColors, AdjustmentsReachPicturesSectionsAndPaletteButNotFuchsia)
{
    SkinLoadSettings hue;
    hue.HueOffset = 120;
    auto s = LoadTestSkin(BaseSkin(), hue);
    const TsSkinModel& m = *s->Model;
    EXPECT_EQ(m.MasterBitmap.Pixel(0, 0), platform::ColorToPixel(ChangeHue(int(platform::PixelToColor(Base)), 120)));
    EXPECT_EQ(m.MasterBitmap.Pixel(56, 0) & 0xFFFFFF, 0xFF00FFu);
    EXPECT_EQ(m.MasterBitmap.Pixel(5, 5), MakePixel(90, 90, 90));
    EXPECT_EQ(Section(m, "BUTTON").Props[0].Color, 0x00FF00);
    EXPECT_EQ(Section(m, "BUTTON").Props[0].FontColor.Left, -1);
    // Gradients change only where they are used.
    EXPECT_EQ(Section(m, "THREE").Props[0].GradientArray[0].Color1, ChangeHue(1, 120));
    EXPECT_EQ(m.GetGlobalColor(), ChangeHue(12345, 120));
    EXPECT_EQ(m.Palette[int(TacPaletteColors::pcWebTextHot)], 255);
    EXPECT_EQ(Section(m, "MAINCOLOR").Props[0].Color, ChangeHue(12345, 120));

    SkinLoadSettings bright;
    bright.Brightness = -50;
    auto b = LoadTestSkin(BaseSkin(), bright);
    const TsSkinModel& bm = *b->Model;
    EXPECT_EQ(Section(bm, "BUTTON").Props[0].Color, ChangeBrightness(255, -50));
    EXPECT_EQ(bm.GetGlobalColor(), 12345); // the palette keeps its colours
    // The mask half of a master-bitmap element with mask type 1 keeps its values.
    EXPECT_EQ(bm.MasterBitmap.Pixel(45, 7), Base);
    EXPECT_NE(bm.MasterBitmap.Pixel(45, 2), Base);
}

TEST(SkinModelColors, KeepHueLeavesCloseGlyphsAlone)
{
    TestSkin keep = BaseSkin();
    keep.Options.insert(keep.Options.find("[BUTTON]"), "BIKEEPHUE=2\r\n");
    // A coloured close glyph, so that a hue change would show.
    platform::Bitmap master = Master();
    for (int y = 1; y < 21; ++y)
        for (int x = 1; x < 31; ++x)
            master.SetPixel(x, y, MakePixel(200, 10, 10));
    keep.Images[0].Content = Bmp24(master);
    SkinLoadSettings hue;
    hue.HueOffset = 90;
    auto s = LoadTestSkin(keep, hue);
    EXPECT_EQ(s->Model->MasterBitmap.Pixel(10, 10), MakePixel(200, 10, 10));
    EXPECT_NE(s->Model->MasterBitmap.Pixel(0, 0), Base);
}

TEST(SkinModelConstants, ShadowTemplatesFollowExtendedBorders)
{
    TestSkin withBorder = BaseSkin();
    withBorder.Options.insert(withBorder.Options.find("[BUTTON]"),
                              "FORMOFFSET=2\r\nEXBORDER=^0060^0020^0100^0040^0006^0005^0004^0003^2^0^1^0\r\n");
    SkinLoadSettings extended;
    extended.ExtendedBorders = true;
    auto s = LoadTestSkin(withBorder, extended);
    const TsSkinModel& m = *s->Model;
    ASSERT_GE(m.ConstData.ExBorder, 0);
    EXPECT_EQ(m.ShdiTemplate.Width(), 20);
    EXPECT_EQ(m.ShdiTemplate.Height(), 20);
    EXPECT_EQ(m.ShdaTemplate.Width(), 20);
    EXPECT_EQ(m.FormShadowSize, platform::Rect(4, 3, 2, 1));

    auto plain = LoadTestSkin(withBorder);
    EXPECT_TRUE(plain->Model->ShdiTemplate.IsEmpty());
    EXPECT_EQ(plain->Model->FormShadowSize, platform::RECT{});

    auto builtIn = LoadTestSkin(BaseSkin(), extended);
    EXPECT_EQ(builtIn->Model->FormShadowSize, platform::Rect(9, 9, 9, 9));
    EXPECT_EQ(builtIn->Model->ShdaTemplate.Width(), 19);
}

TEST(SkinModelSections, CommonSectionsJoinEverySkin)
{
    SkinLoadSettings settings;
    settings.CommonSections = {"[GLOBALINFO]", "EXTRA=TILE.BMP", "[MYEXTRA]", "PARENTCLASS=BUTTON", "COLOR=42",
                               "[BUTTON]", "COLOR=1"};
    auto s = LoadTestSkin(BaseSkin(), settings);
    const TsSkinModel& m = *s->Model;
    EXPECT_EQ(Section(m, "MYEXTRA").Props[0].Color, 42);
    EXPECT_EQ(Section(m, "BUTTON").Props[0].Color, 255); // the skin's own section stays
    const TsMaskData& extra = Mask(m, "GLOBALINFO", "EXTRA");
    ASSERT_NE(extra.Bmp, nullptr);
    EXPECT_EQ(extra.R, platform::Rect(0, 0, 8, 8));
    EXPECT_LT(m.GetSkinIndex("MYEXTRA"), m.GetSkinIndex("TRANSPARENT"));
}
