#include "PaintTestUtil.h"

#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/WriteText.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/text/Text.h"

using namespace painttest;

namespace {

constexpr platform::UINT Flags = platform::DT_LEFT | platform::DT_TOP | platform::DT_SINGLELINE;
const RECT Box{4, 4, 60, 24};
constexpr platform::StringView Text = u"Шрифт";

// The same text drawn plainly in the given colours, one pass each, (dx, dy) moved.
struct Pass {
    int dx, dy, color;
};
Bitmap Reference(std::initializer_list<Pass> passes)
{
    Bitmap b = Solid(64, 28, Px(0x808080));
    platform::HDC dc = platform::CreateBitmapDC(&b);
    platform::SetBkMode(dc, platform::TRANSPARENT);
    for (const Pass& p : passes) {
        RECT r = Box;
        platform::OffsetRect(&r, p.dx, p.dy);
        platform::SetTextColor(dc, platform::COLORREF(p.color));
        platform::DrawText(dc, Text, &r, Flags);
    }
    platform::DeleteDC(dc);
    return b;
}

struct Texts : ::testing::Test {
    skin::TsSkinModel model;
    int own = -1, parent = -1;

    void SetUp() override
    {
        skin::TsGenState s = PlainState(0xFFFFFF);
        s.FontColor = {0x000080, -1, -1, -1, -1};
        skin::TsGeneralData g = Section("WEBBUTTON", s, 3);
        g.Props[1].FontColor = {0x0000FF, 0xFF0000, -1, -1, 0x00FF00};
        g.Props[1].Transparency = 50;
        g.Props[2].FontColor = {0x00FFFF, -1, -1, -1, -1};
        own = model.AddSection(g);
        skin::TsGenState p = PlainState(0x000000);
        p.FontColor = {0x112233, -1, -1, -1, -1};
        parent = model.AddSection(Section("PANEL", p, 3));
    }
    Bitmap Draw(const skin::TextPaintArgs& args, const skin::TsSkinModel* m)
    {
        Bitmap b = Solid(64, 28, Px(0x808080));
        platform::HDC dc = platform::CreateBitmapDC(&b);
        platform::SetTextColor(dc, 0x123456);
        skin::WriteTextEx(dc, Text, Box, Flags, m, args);
        platform::DeleteDC(dc);
        return b;
    }
    skin::TextPaintArgs Args(int state)
    {
        skin::TextPaintArgs a;
        a.SkinIndex = own;
        a.State = state;
        return a;
    }
};

TEST_F(Texts, OutlinesComeFirstInTheirOrderAndTheTextLast)
{
    EXPECT_EQ(Draw(Args(1), &model), Reference({{-1, 0, 0xFF0000}, {0, 1, 0x00FF00}, {0, 0, 0x0000FF}}));
    EXPECT_EQ(Draw(Args(9), &model), Reference({{0, 0, 0x00FFFF}})); // states above 2 use 2
}

TEST_F(Texts, ACommonItemSectionTakesTheParentsColoursAtRestAndWhenSeeThrough)
{
    model.ConstData.Sections[std::size_t(skin::TacSection::ssWebBtn)] = own;
    skin::TextPaintArgs a = Args(0);
    a.ParentFontIndex = parent;
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, 0x112233}}));
    a.State = 2; // opaque pressed state: its own colour
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, 0x00FFFF}}));
    a.State = 1; // transparency 50 lets the parent's colours through
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, 0x112233}}));
    a.ParentFontIndex = -1;
    a.State = 0;
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, 0x000080}}));
}

TEST_F(Texts, DisabledCustomAndUnskinnedText)
{
    skin::TextPaintArgs a = Args(1);
    a.Enabled = false;
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, skin::BlendColors(0x000080, 0xFFFFFF, 100)}}));
    a.Enabled = true;
    a.CustomFont = true;
    EXPECT_EQ(Draw(a, &model), Reference({{0, 0, 0x123456}}));
    a.CustomFont = false;
    a.Enabled = false;
    EXPECT_EQ(Draw(a, nullptr),
              Reference({{1, 1, int(platform::GetSysColor(platform::COLOR_BTNHIGHLIGHT))},
                         {0, 0, int(platform::GetSysColor(platform::COLOR_BTNSHADOW))}}));
}

TEST_F(Texts, AGlowOfTheStatesSizeGoesBehindTheText)
{
    model.gd[std::size_t(own)].Props[0].GlowSize = 2;
    model.gd[std::size_t(own)].Props[0].GlowColor = 0x00FF00;
    const Bitmap glowing = Draw(Args(0), &model);
    const Bitmap plain = Reference({{0, 0, 0x000080}});
    EXPECT_NE(glowing, plain);
    EXPECT_PIXEL(glowing.Pixel(0, 0), plain.Pixel(0, 0)); // beyond g + 4 of the rectangle
    int greener = 0;
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 0; x < plain.Width(); ++x)
            greener += platform::PixelG(glowing.Pixel(x, y)) > platform::PixelG(plain.Pixel(x, y));
    EXPECT_GT(greener, 10);
}

} // namespace
