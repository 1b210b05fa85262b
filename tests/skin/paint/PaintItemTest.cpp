#include "PaintTestUtil.h"

#include "skin/paint/Gradient.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/SectionColor.h"
#include "skin/paint/SkinRect.h"
#include "skin/paint/Texture.h"

using namespace painttest;
using skin::ItemPaintArgs;
using skin::TCacheInfo;

namespace {

int Channel(int color, int shift) { return (color >> shift) & 0xFF; }

// (parent * parentWeight + own * ownWeight) >> 8 per channel, as a pixel.
PixelBGRA Mix(int parent, int own, int parentWeight, int ownWeight)
{
    auto ch = [&](int s) { return BYTE((Channel(parent, s) * parentWeight + Channel(own, s) * ownWeight) >> 8); };
    return MakePixel(ch(0), ch(8), ch(16));
}

struct Items : ::testing::Test {
    skin::TsSkinModel model;
    Bitmap target = Solid(6, 4, Px(0x010203));

    int Add(const skin::TsGeneralData& g) { return model.AddSection(g); }
    ItemPaintArgs Args(int state = 0) const
    {
        ItemPaintArgs a;
        a.State = state;
        a.R = RECT{0, 0, 6, 4};
        return a;
    }
    void ExpectAll(PixelBGRA p, RECT r = RECT{0, 0, 6, 4})
    {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                EXPECT_PIXEL(target.Pixel(x, y), p) << x << "," << y;
    }
};

TEST_F(Items, AnOpaqueStateIsItsColour)
{
    const int i = Add(Section("S", PlainState(0x203040)));
    skin::PaintItemBG(model, i, Args(), target);
    ExpectAll(Px(0x203040));
}

TEST_F(Items, TransparencyFortyOverAParentColourKeepsOneHundredTwoForTheParent)
{
    const int x = 0x80C0F0, y = 0x102030;
    const int i = Add(Section("S", PlainState(y, 40)));
    ItemPaintArgs a = Args();
    a.CI.FillColor = x;
    skin::PaintItemBG(model, i, a, target);
    ExpectAll(Mix(x, y, 102, 153));
    EXPECT_EQ(skin::SectionColor(model, i, 0, x), int(platform::PixelToColor(Mix(x, y, 102, 153))));
}

struct OverGradient : Items {
    Bitmap parent{20, 30};
    void SetUp() override
    {
        skin::PaintGrad(parent, parent.BoundsRect(), skin::PrepareGradArray("0;16777215;100;0;0"));
    }
    ItemPaintArgs At(int x, int y)
    {
        ItemPaintArgs a = Args();
        a.CI = TCacheInfo{&parent, 0, 0, skin::clFuchsia, {}, true};
        a.Offset = {x, y};
        return a;
    }
};

TEST_F(OverGradient, AFullyTransparentSectionShowsExactlyTheParentUnderItWhereverItIs)
{
    const int i = Add(Section("S", PlainState(0x0000FF, 100)));
    for (platform::POINT p : {platform::POINT{2, 3}, platform::POINT{10, 20}}) {
        skin::PaintItemBG(model, i, At(p.x, p.y), target);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_PIXEL(target.Pixel(x, y), parent.Pixel(p.x + x, p.y + y));
    }
}

TEST_F(OverGradient, PartialTransparencyOverAPictureSumsTheOwnLayersOverIt)
{
    const int own = 0x0000FF;
    const int i = Add(Section("S", PlainState(own, 40)));
    skin::PaintItemBG(model, i, At(4, 7), target);
    for (int y = 0; y < 4; ++y) {
        const int p = int(platform::PixelToColor(parent.Pixel(4, 7 + y)));
        EXPECT_PIXEL(target.Pixel(3, y), Mix(p, own, 102, 154)) << y;
    }
}

TEST_F(OverGradient, ACustomColourMakesEvenATransparentSectionOpaque)
{
    // A custom colour makes any section opaque.
    const int i = Add(Section("S", PlainState(0x0000FF, 100)));
    ItemPaintArgs a = At(0, 0);
    a.CustomColor = 0x00FF00;
    skin::PaintItemBG(model, i, a, target);
    ExpectAll(Px(0x00FF00));
}

TEST_F(Items, AStateBeyondTheSectionsStatesPaintsTheLast)
{
    skin::TsGeneralData g = Section("S", PlainState(0x111111), 2);
    g.Props[1] = PlainState(0x222222);
    g.Props[2] = PlainState(0x333333);
    const int i = Add(g);
    skin::PaintItemBG(model, i, Args(2), target);
    ExpectAll(Px(0x222222));
    skin::PaintItemBG(model, i, Args(7), target);
    ExpectAll(Px(0x222222));
}

struct Layered : Items {
    int texture = -1;
    void SetUp() override
    {
        // A 2 x 1 texture tile: red and blue.
        model.MasterBitmap = Solid(2, 1, Px(0x0000FF));
        model.MasterBitmap.SetPixel(1, 0, Px(0xFF0000));
        texture = model.AddMask(Element(RECT{0, 0, 2, 1}, 1, 0, skin::TacImgType::itisaTexture));
    }
    skin::TsGenState State(int color, int image, int gradient, const char* grad = "")
    {
        skin::TsGenState s = PlainState(color);
        s.ImagePercent = image;
        s.GradientPercent = gradient;
        s.TextureIndex = texture;
        s.GradientArray = skin::PrepareGradArray(grad);
        return s;
    }
};

TEST_F(Layered, ATextureKeepsItsPercentAndTheColourTheRest)
{
    const int i = Add(Section("S", State(0x00FF00, 50, 0)));
    skin::PaintItemBG(model, i, Args(), target);
    EXPECT_PIXEL(target.Pixel(0, 0), Mix(0x0000FF, 0x00FF00, 127, 128));
    EXPECT_PIXEL(target.Pixel(3, 2), Mix(0xFF0000, 0x00FF00, 127, 128));
}

TEST_F(Layered, TextureAndGradientMakingAHundredArePaintedInOnePass)
{
    const int i = Add(Section("S", State(0x00FF00, 40, 60, "8421504;8421504;100;0;0")));
    skin::PaintItemBG(model, i, Args(), target);
    const int w = 40 * 255 / 100;
    EXPECT_PIXEL(target.Pixel(0, 1), Mix(0x0000FF, 0x808080, w, 256 - w));
    EXPECT_PIXEL(target.Pixel(1, 1), Mix(0xFF0000, 0x808080, w, 256 - w));
}

TEST_F(Layered, AGradientOverATextureIsSummedWithTheTexturesPercent)
{
    // A stretched texture (mode 1) rules out the one-pass shortcut.
    model.ma[std::size_t(texture)].DrawMode = skin::fmStretched;
    const int i = Add(Section("S", State(0x00FF00, 30, 30, "0;0;100;0;0")));
    skin::PaintItemBG(model, i, Args(), target);
    // Texture (red on the left) summed with black keeping 76 of 256, then the colour takes the
    // rest of 60 percent: BlendColorRect with 153.
    const int afterSum = (255 * 76) >> 8;
    EXPECT_PIXEL(target.Pixel(0, 0), MakePixel(BYTE((afterSum * 153) >> 8), BYTE((255 * 102) >> 8), 0));
}

TEST_F(Layered, AGradientAloneThenTheColourForTheRest)
{
    const int i = Add(Section("S", State(0xFFFFFF, 0, 60, "255;255;100;0;0")));
    skin::PaintItemBG(model, i, Args(), target);
    ExpectAll(Mix(0x0000FF, 0xFFFFFF, 153, 102));
}

TEST_F(Layered, AMissingTextureLeavesThePlainColour)
{
    skin::TsGenState s = State(0x445566, 100, 0);
    s.TextureIndex = 42;
    const int i = Add(Section("S", s));
    skin::PaintItemBG(model, i, Args(), target);
    ExpectAll(Px(0x445566));
}

TEST_F(Layered, TheEdgeTexturesUncoveredPartTakesTheColour)
{
    model.ma[std::size_t(texture)].DrawMode = skin::fmTiledHorz;
    const int i = Add(Section("S", State(0x00FF00, 100, 0)));
    skin::PaintItemBG(model, i, Args(), target);
    EXPECT_PIXEL(target.Pixel(0, 0), Px(0x0000FF));
    ExpectAll(Px(0x00FF00), RECT{0, 1, 6, 4});
}

struct WholeItems : Items {
    int border = -1, corner = -1;
    void SetUp() override
    {
        // A 3 x 3 border of one state, strips of 1: grey with a white centre; and a 1 x 1 blue
        // corner image.
        model.MasterBitmap = Solid(4, 3, Px(0x808080));
        model.MasterBitmap.SetPixel(1, 1, Px(0xFFFFFF));
        model.MasterBitmap.SetPixel(3, 0, Px(0xFF0000));
        skin::TsMaskData b = Element(RECT{0, 0, 3, 3}, 1, 0);
        b.WL = b.WT = b.WR = b.WB = 1;
        border = model.AddMask(b);
        corner = model.AddMask(Element(RECT{3, 0, 4, 1}, 1, 0, skin::TacImgType::itisaGlyph));
    }
    int Make(int transparency)
    {
        skin::TsGeneralData g = Section("S", PlainState(0x00FF00, transparency));
        g.BorderIndex = border;
        g.ImgBR = corner;
        return Add(g);
    }
};

TEST_F(WholeItems, BackgroundThenCornerImagesThenTheBorder)
{
    const int i = Make(0);
    skin::PaintItem(model, i, Args(), target);
    EXPECT_PIXEL(target.Pixel(0, 0), Px(0x808080));
    EXPECT_PIXEL(target.Pixel(5, 3), Px(0x808080)); // the border covers the corner image
    EXPECT_PIXEL(target.Pixel(2, 2), Px(0x00FF00));

    model.ma[std::size_t(border)].DrawMode = skin::BDM_ACTIVEONLY;
    skin::PaintItem(model, i, Args(), target);
    EXPECT_PIXEL(target.Pixel(5, 3), Px(0xFF0000));
    EXPECT_PIXEL(target.Pixel(0, 0), Px(0x00FF00));
}

TEST_F(WholeItems, ColourEffectsFollowABorderOrAnOpaqueState)
{
    ItemPaintArgs a = Args();
    a.Effects.ColorTone = 0x0000FF;
    a.CI.FillColor = 0x000000;
    const int i = Make(50);
    skin::PaintItem(model, i, a, target); // border drawn: toned
    EXPECT_PIXEL(target.Pixel(0, 0), MakePixel((255 * 0x80) >> 8, 0, 0));

    model.ma[std::size_t(border)].DrawMode = skin::BDM_ACTIVEONLY;
    skin::PaintItem(model, i, a, target); // no border, half transparent: untouched
    EXPECT_PIXEL(target.Pixel(2, 2), Mix(0, 0x00FF00, 127, 128));
}

TEST_F(WholeItems, NothingForARectangleOutsideTheBitmapOrAnUnknownSection)
{
    const int i = Make(0);
    ItemPaintArgs a = Args();
    a.R = RECT{2, 2, 7, 4};
    skin::PaintItem(model, i, a, target);
    skin::PaintItem(model, 99, Args(), target);
    skin::PaintItemBG(model, -1, Args(), target);
    ExpectAll(Px(0x010203));
}

} // namespace
