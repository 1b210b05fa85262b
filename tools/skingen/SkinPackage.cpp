#include "tools/skingen/SkinPackage.h"

#include "tools/skingen/Drawing.h"
#include "tools/skingen/ImageFiles.h"

#include "platform/image/Image.h"
#include "skin/package/PackageWriter.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace skingen {

using platform::Bitmap;

namespace {

// Places element pictures on shelves of the master bitmap; each picture is drawn once the
// bitmap's size is known.
class Atlas {
public:
    Box Add(int w, int h, std::function<void(Bitmap&, Box)> draw)
    {
        if (x_ + w > Width) {
            x_ = 0;
            y_ += shelf_ + 1;
            shelf_ = 0;
        }
        Box box{x_, y_, w, h};
        x_ += w + 1;
        shelf_ = std::max(shelf_, h);
        items_.push_back({box, std::move(draw)});
        return box;
    }
    Bitmap Render() const
    {
        Bitmap bitmap(Width, y_ + shelf_);
        bitmap.Fill(platform::MakePixel(255, 0, 255));
        for (const auto& item : items_)
            item.draw(bitmap, item.box);
        return bitmap;
    }

private:
    static constexpr int Width = 320;
    struct Item {
        Box box;
        std::function<void(Bitmap&, Box)> draw;
    };
    int x_ = 0, y_ = 0, shelf_ = 0;
    std::vector<Item> items_;
};

class OptionsText {
public:
    void Section(const std::string& name)
    {
        if (!text_.empty())
            text_ += "\r\n";
        text_ += "[" + name + "]\r\n";
    }
    void Key(const std::string& key, const std::string& value) { text_ += key + "=" + value + "\r\n"; }
    void Key(const std::string& key, int value) { Key(key, std::to_string(value)); }
    void Colour(const std::string& key, Rgb c) { Key(key, std::to_string(ToColorRef(c))); }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

std::string D4(int v)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", std::clamp(v, 0, 9999));
    return buffer;
}

// Fixed-width digits at fixed character positions, as the reader takes them.
std::string GlyphValue(Box b, int images, int maskType = 0)
{
    char v[64];
    std::snprintf(v, sizeof v, "@%04d@%04d@%04d@%04d@%d@%d", b.x, b.y, b.x + b.w, b.y + b.h, images, maskType);
    return v;
}
std::string BorderValue(Box b, std::array<int, 4> widths, int images, int drawMode)
{
    char v[96];
    std::snprintf(v, sizeof v, "^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%d^0^%d^0", b.x, b.y, b.x + b.w, b.y + b.h,
                  widths[0], widths[1], widths[2], widths[3], images, drawMode);
    return v;
}
std::string TextureValue(Box b, int fillMode, const std::string& file = {})
{
    char v[64];
    std::snprintf(v, sizeof v, "~%04d~%04d~%04d~%04d~%02d~0", b.x, b.y, b.x + b.w, b.y + b.h, fillMode);
    return file.empty() ? std::string(v) : std::string(v) + "~" + file;
}

// The colour moved away from `against` until it reaches `target` contrast with it.
Rgb Reach(Rgb c, Rgb against, double target)
{
    Rgb toward = Contrast(White, against) > Contrast(Black, against) ? White : Black;
    for (double t = 0; t <= 1.0; t += 0.02) {
        Rgb candidate = Rounded(Mix(c, toward, t));
        if (Contrast(candidate, against) >= target)
            return candidate;
    }
    return toward;
}

Rgb Opposite(Rgb c) { return IsDark(c) ? White : Black; }

Paint Solid(Rgb c) { return Paint{Paint::Kind::Solid, {c}}; }

class Builder {
public:
    Builder(const Style& s, int index) : s_(s), index_(index) {}
    std::vector<std::uint8_t> Build();

private:
    const Style& s_;
    int index_;
    Atlas atlas_;
    OptionsText o_;
    std::map<std::string, std::vector<std::uint8_t>> files_;

    bool Glossy() const { return s_.family == "glossy" || s_.family == "glass" || s_.family == "plastic" || s_.family == "metal"; }
    bool Flat() const { return s_.family == "flat" || s_.family == "neon"; }
    bool Bevelled() const { return s_.family == "retro3d"; }
    bool Crisp() const { return s_.name == "Terminal4bit" || s_.name == "MacOS2"; }
    bool JpegTextures() const { return index_ % 2 == 1; }
    Rgb PanelEffective() const { return Mix(s_.surf, s_.base, s_.alpha / 100.0); }
    Rgb Track() const { return Mix(s_.base, s_.text, 0.06); }
    double Stroke() const { return (s_.family == "flat" || s_.family == "soft") ? 1.0 : 1.6; }

    void States(const std::array<Paint, 3>& paints, const std::array<Rgb, 3>& fonts, int states, const Texture* texture,
                const std::array<std::string, 3>& patterns);
    std::string AddTexture(const std::string& name, const Texture& texture, Rgb middle, int fillMode, int variant);
    Box AddFrames(const std::vector<Frame>& frames, int w, int h);
    std::string MaskValue(const std::vector<Frame>& frames, int w, int h, std::array<int, 4> widths, int drawMode = 1)
    {
        return BorderValue(AddFrames(frames, w, h), widths, int(frames.size()), drawMode);
    }
    Frame ButtonFrame(int state, int radius) const;
    std::string GlyphStrip(int w, int h, const std::vector<Rgb>& backs, const std::vector<Rgb>& inks, const Strokes& strokes,
                           double width, Box inner);

    void Global();
    void TitleButtons();
    void CheckGlyphs();
    void Forms();
    void Buttons();
    void Inputs();
    void Containers();
    void Tabs();
    void Scrolls();
    void Menus();
    std::vector<std::uint8_t> GlowPng(Rgb color, int strength, int size);
    void ExtendedBorder();
};

Frame Builder::ButtonFrame(int state, int radius) const
{
    Frame f;
    f.radius = {radius, radius, radius, radius};
    f.fill = s_.button[state];
    f.border = state == 0 ? s_.border : (Flat() ? s_.accent : Mix(s_.border, s_.accent, 0.6));
    f.highlight = Glossy() && state < 2;
    f.bevel = Bevelled() ? (state == 2 ? -1 : 1) : 0;
    return f;
}

Box Builder::AddFrames(const std::vector<Frame>& frames, int w, int h)
{
    return atlas_.Add(w * int(frames.size()), h, [frames, w, h](Bitmap& bitmap, Box box) {
        for (std::size_t i = 0; i < frames.size(); ++i)
            DrawFrame(bitmap, Box{box.x + int(i) * w, box.y, w, h}, frames[i]);
    });
}

std::string Builder::GlyphStrip(int w, int h, const std::vector<Rgb>& backs, const std::vector<Rgb>& inks,
                                const Strokes& strokes, double width, Box inner)
{
    bool crisp = Crisp();
    Box box = atlas_.Add(w * int(inks.size()), h, [=](Bitmap& bitmap, Box at) {
        for (std::size_t i = 0; i < inks.size(); ++i) {
            Box cell{at.x + int(i) * w, at.y, w, h};
            // Soft edges are blended against the surface the glyph sits on; what stays nearly
            // uncovered is left transparent.
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    double c = StrokeCoverage(strokes, x + 0.5, y + 0.5, inner, width);
                    if (crisp)
                        c = c >= 0.5 ? 1 : 0;
                    Put(bitmap, cell.x + x, cell.y + y, c < 0.25 ? Fuchsia : Mix(backs[i], inks[i], c));
                }
            }
        }
    });
    return GlyphValue(box, int(inks.size()));
}

std::string Builder::AddTexture(const std::string& name, const Texture& texture, Rgb middle, int fillMode, int variant)
{
    std::uint32_t seed = std::uint32_t(index_ * 131 + variant * 17 + 5);
    Bitmap tile = MakeTextureTile(texture.kind, middle, seed);
    if (!JpegTextures()) {
        Box box = atlas_.Add(tile.Width(), tile.Height(), [tile](Bitmap& bitmap, Box at) {
            for (int y = 0; y < tile.Height(); ++y)
                for (int x = 0; x < tile.Width(); ++x)
                    bitmap.SetPixel(at.x + x, at.y + y, tile.Pixel(x, y));
        });
        return TextureValue(box, fillMode);
    }
    std::string file = name + ".JPG";
    files_[file] = EncodeJpeg(tile, 92);
    // Three equivalent ways of naming a texture file; a bare name is always tiled.
    switch ((index_ / 2 + variant) % 3) {
    case 0:
        if (fillMode == 0)
            return file;
        [[fallthrough]];
    case 1:
        return TextureValue(Box{0, 0, tile.Width(), tile.Height()}, fillMode, file);
    default:
        return "!" + file + "!1!0!1!0000!0000!0000!0000!" + std::to_string(fillMode);
    }
}

void Builder::States(const std::array<Paint, 3>& paints, const std::array<Rgb, 3>& fonts, int states, const Texture* texture,
                     const std::array<std::string, 3>& patterns)
{
    static const char* colourKeys[] = {"COLOR", "HOTCOLOR", "COLOR2"};
    static const char* fontKeys[] = {"FONTCOLOR", "HOTFONTCOLOR", "FONTCOLOR2"};
    static const char* gradientKeys[] = {"GRADIENTDATA", "HOTGRADIENTDATA", "GRADIENTDATA2"};
    static const char* gradientPercentKeys[] = {"GRADIENTPERCENT", "HOTGRADIENTPERCENT", "GRADIENTPERCENT2"};
    static const char* imagePercentKeys[] = {"IMAGEPERCENT", "HOTIMAGEPERCENT", "IMAGEPERCENT2"};
    o_.Key("STATES", states);
    if (states > 2)
        o_.Key("USESTATE2", 1);
    for (int i = 0; i < std::min(states, 3); ++i) {
        o_.Colour(colourKeys[i], Rounded(paints[i].Middle()));
        o_.Colour(fontKeys[i], fonts[i]);
        int share = texture && !patterns[i].empty() ? texture->share : 0;
        if (paints[i].IsGradient()) {
            o_.Key(gradientKeys[i], paints[i].GradientData());
            o_.Key(gradientPercentKeys[i], 100 - share);
        } else {
            o_.Key(gradientPercentKeys[i], 0);
        }
        if (share > 0)
            o_.Key(imagePercentKeys[i], share);
    }
    static const char* patternKeys[] = {"PATTERN", "HOTPATTERN", "PATTERN2"};
    for (int i = 0; i < 3; ++i)
        if (!patterns[i].empty())
            o_.Key(patternKeys[i], patterns[i]);
}

std::vector<std::uint8_t> Builder::GlowPng(Rgb color, int strength, int size)
{
    const int inner = 6, side = 2 * size + inner;
    Bitmap glow(side, side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double dx = std::max({0.0, size - (x + 0.5), (x + 0.5) - (size + inner)});
            double dy = std::max({0.0, size - (y + 0.5), (y + 0.5) - (size + inner)});
            double d = std::hypot(dx, dy) / size;
            double a = d >= 1 ? 0 : strength * (1 - d) * (1 - d) / 255.0;
            // Premultiplied, as layered windows take it.
            glow.SetPixel(x, y, platform::MakePixel(Channel(color.r * a), Channel(color.g * a), Channel(color.b * a),
                                                    Channel(a * 255)));
        }
    }
    return platform::EncodePng(glow);
}

void Builder::Global()
{
    Rgb panel = PanelEffective();
    Rgb link = Reach(Reach(s_.accent, s_.base, 4.6), panel, 4.6);
    Rgb linkHot = Rounded(Mix(link, s_.dark ? White : Black, 0.25));
    o_.Section("GLOBALINFO");
    o_.Key("VERSION", s_.version);
    o_.Key("AUTHOR", "Lumo TV Player");
    o_.Key("DESCRIPTION", s_.mood);
    o_.Key("MASTERBITMAP", "Master.bmp");
    o_.Colour("COLOR", s_.base);
    o_.Colour("FONTCOLOR", s_.text);
    o_.Colour("TCBOTTOM", link);
    o_.Colour("TCTOP", linkHot);
    o_.Colour("BORDERCOLOR", s_.border);
    o_.Key("BORDERWIDTH", 4);
    o_.Key("TITLEHEIGHT", s_.titlePx);
    o_.Key("FORMOFFSET", std::max(s_.framePx, 2));
    if (s_.dark) {
        o_.Colour("EDITBG_OK", Rounded(Mix(ParseHex("#A5C26C"), s_.editBg, 0.7)));
        o_.Colour("EDITBG_WARN", Rounded(Mix(ParseHex("#FFFF40"), s_.editBg, 0.7)));
        o_.Colour("EDITBG_ALERT", Rounded(Mix(ParseHex("#E9A795"), s_.editBg, 0.7)));
    }
    o_.Colour("EDITTEXT_INV", s_.editBg);
    o_.Colour("EDITBG_INV", s_.editText);
    TitleButtons();
    CheckGlyphs();
    ExtendedBorder();
}

// The soft shadow around a window with extended borders: inactive and active images side by side.
// The alpha is dithered by one step so that the long falloff shows no bands.
void Builder::ExtendedBorder()
{
    const int spread = 20 + s_.windowRadius;
    const int inner = 32, side = 2 * spread + inner;
    const Rgb shade = s_.dark ? Black : Rounded(Mix(s_.border, Black, 0.7));
    Bitmap shadow(side * 2, side);
    for (int state = 0; state < 2; ++state) {
        const double peak = (state == 1 ? 0.45 : 0.3) * (s_.dark ? 1.3 : 1.0);
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                double dx = std::max({0.0, spread - (x + 0.5), (x + 0.5) - (spread + inner)});
                double dy = std::max({0.0, spread - (y + 0.5), (y + 0.5) - (spread + inner)});
                double d = std::hypot(dx, dy) / spread;
                double a = d >= 1 ? 0 : peak * std::pow(1 - d, 2.2);
                std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u ^
                                  (std::uint32_t(index_) * 83492791u + std::uint32_t(state));
                h = (h ^ (h >> 13)) * 1274126177u;
                double dither = (double((h >> 8) & 255) / 255.0 - 0.5) * 2.0;
                double alpha = std::clamp(a * 255 + (a > 0 ? dither : 0), 0.0, 255.0);
                double k = alpha / 255.0;
                shadow.SetPixel(state * side + x, y,
                                platform::MakePixel(Channel(shade.r * k), Channel(shade.g * k), Channel(shade.b * k), Channel(alpha)));
            }
        }
    }
    files_["SHADOW.PNG"] = platform::EncodePng(shadow);
    const std::string w = D4(spread + 4);
    o_.Key("EXBORDER", "!SHADOW.PNG!2!0!0!" + w + "!" + w + "!" + w + "!" + w + "!1");
}

void Builder::TitleButtons()
{
    const std::string& style = s_.titleButtons;
    const Rgb titleMid = Rounded(s_.title.At(0.5));
    const Rgb ink = s_.titleText.color;
    int h, w;
    if (style == "tile") {
        h = s_.titlePx;
        w = s_.titlePx >= 30 ? 46 : 34;
        o_.Key("BITOP", 0);
        o_.Key("BIRIGHT", 0);
        o_.Key("BISPACE", 0);
    } else {
        h = std::min(22, s_.titlePx - 6);
        w = style == "orb" ? h : 28;
        o_.Key("BITOP", (s_.titlePx - h) / 2);
        o_.Key("BIRIGHT", 6);
        o_.Key("BISPACE", 2);
    }
    const Rgb closeHot = s_.name == "Terminal4bit" ? ParseHex("#AA0000") : ParseHex("#C42B1C");
    const Rgb closePressed = s_.name == "Terminal4bit" ? ParseHex("#AA0000") : ParseHex("#A3241A");
    const bool filledShape = style == "orb" || style == "pill" || style == "diamond" || style == "bevel";
    const bool pngGlyphs = style == "pill" || style == "diamond";

    auto drawButton = [=, this](Bitmap& bitmap, Box cell, TitleGlyph glyph, int state, bool small) {
        bool close = glyph == TitleGlyph::Close;
        Rgb fill;
        bool filled = true;
        if (filledShape) {
            Rgb rest = Mix(titleMid, ink, style == "bevel" ? 0.12 : 0.25);
            Rgb hot = close ? closeHot : s_.accent;
            fill = state == 0 ? rest : state == 1 ? hot : (close ? closePressed : Mix(hot, Black, 0.2));
        } else {
            filled = state > 0;
            fill = state == 1 ? (close ? closeHot : Mix(titleMid, ink, 0.15))
                              : (close ? closePressed : Mix(titleMid, Opposite(ink), 0.2));
        }
        fill = Rounded(fill);
        Rgb glyphInk = filled && (filledShape || close) ? InkOn(fill) : ink;
        Rgb under = filled ? fill : titleMid;
        for (int y = 0; y < cell.h; ++y) {
            for (int x = 0; x < cell.w; ++x) {
                double px = x + 0.5 - cell.w / 2.0, py = y + 0.5 - cell.h / 2.0;
                double inside;
                if (!filled) {
                    inside = -1;
                } else if (style == "orb") {
                    inside = std::hypot(px, py) - (std::min(cell.w, cell.h) / 2.0 - 1);
                } else if (style == "pill") {
                    double r = cell.h / 2.0 - 2, half = cell.w / 2.0 - 1 - r;
                    inside = std::hypot(std::max(std::abs(px) - half, 0.0), py) - r;
                } else if (style == "diamond") {
                    inside = (std::abs(px) / (cell.w / 2.0 - 1) + std::abs(py) / (cell.h / 2.0 - 1) - 1) * cell.h / 2.0;
                } else if (style == "glyph") {
                    double r = 3, hw = cell.w / 2.0 - 1, hh = cell.h / 2.0 - 1;
                    double qx = std::abs(px) - (hw - r), qy = std::abs(py) - (hh - r);
                    inside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
                } else { // tile, bevel: the whole cell
                    inside = std::max(std::abs(px) - cell.w / 2.0, std::abs(py) - cell.h / 2.0) + 0.01;
                    if (style == "bevel")
                        inside = std::max(std::abs(px) - (cell.w / 2.0 - 1), std::abs(py) - (cell.h / 2.0 - 1));
                }
                Rgb c;
                if (inside >= 0 || !filled) {
                    c = Fuchsia;
                } else {
                    c = fill;
                    if (filledShape && style != "bevel" && py < 0)
                        c = Mix(fill, White, 0.3 * (-py / (cell.h / 2.0)));
                    if (style == "bevel" && inside > -2) {
                        double toTop = py + cell.h / 2.0, toLeft = px + cell.w / 2.0;
                        double toBottom = cell.h / 2.0 - py, toRight = cell.w / 2.0 - px;
                        bool light = std::min(toTop, toLeft) <= std::min(toBottom, toRight);
                        c = light == (state < 2) ? Mix(fill, White, 0.5) : Mix(fill, Black, 0.45);
                    }
                    else if (filledShape && inside > -1.2)
                        c = Mix(fill, Black, 0.3);
                }
                Put(bitmap, cell.x + x, cell.y + y, c);
            }
        }
        int g = std::max(5, int(std::round(std::min(cell.w, cell.h) * (filledShape ? 0.4 : 0.42))));
        Box inner{cell.x + (cell.w - g) / 2, cell.y + (cell.h - g) / 2, g, g};
        double width = small ? 1.0 : Stroke();
        for (int y = 0; y < cell.h; ++y) {
            for (int x = 0; x < cell.w; ++x) {
                double cov = StrokeCoverage(TitleGlyphStrokes(glyph), cell.x + x + 0.5, cell.y + y + 0.5, inner, width);
                if (Crisp())
                    cov = cov >= 0.5 ? 1 : 0;
                if (cov <= 0)
                    continue;
                Rgb here = Get(bitmap, cell.x + x, cell.y + y);
                Rgb back = here == Fuchsia ? under : here;
                if (here == Fuchsia && cov < 0.3)
                    continue;
                Put(bitmap, cell.x + x, cell.y + y, Mix(back, glyphInk, cov));
            }
        }
    };

    const std::pair<const char*, TitleGlyph> glyphs[] = {{"BICONCLOSE", TitleGlyph::Close}, {"BICONMAX", TitleGlyph::Max},
                                                         {"BICONMIN", TitleGlyph::Min},     {"BICONNORM", TitleGlyph::Norm},
                                                         {"BICONHELP", TitleGlyph::Help}};
    for (auto [key, glyph] : glyphs) {
        if (pngGlyphs) {
            Bitmap strip(w * 3, h);
            for (int state = 0; state < 3; ++state)
                drawButton(strip, Box{state * w, 0, w, h}, glyph, state, false);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w * 3; ++x)
                    if (Get(strip, x, y) == Fuchsia)
                        strip.SetPixel(x, y, 0);
            std::string file = std::string(key).substr(5) + ".PNG";
            files_[file] = platform::EncodePng(strip);
            o_.Key(key, "!" + file + "!3!0!4");
        } else {
            Box box = atlas_.Add(w * 3, h, [=](Bitmap& bitmap, Box at) {
                for (int state = 0; state < 3; ++state)
                    drawButton(bitmap, Box{at.x + state * w, at.y, w, h}, glyph, state, false);
            });
            o_.Key(key, GlyphValue(box, 3));
        }
    }
    // A lone close button, wider, for windows without the other buttons.
    if (index_ % 3 == 0) {
        int lw = style == "orb" ? w : w + 8;
        Box box = atlas_.Add(lw * 3, h, [=](Bitmap& bitmap, Box at) {
            for (int state = 0; state < 3; ++state)
                drawButton(bitmap, Box{at.x + state * lw, at.y, lw, h}, TitleGlyph::Close, state, false);
        });
        o_.Key("BICLOSEALONE", GlyphValue(box, 3));
    }
    if (index_ % 2 == 0) {
        int sw = std::max(10, w * 6 / 10), sh = std::max(10, h * 6 / 10);
        const std::pair<const char*, TitleGlyph> small[] = {{"SICONCLOSE", TitleGlyph::Close}, {"SICONMAX", TitleGlyph::Max},
                                                            {"SICONMIN", TitleGlyph::Min},     {"SICONNORM", TitleGlyph::Norm},
                                                            {"SICONHELP", TitleGlyph::Help}};
        for (auto [key, glyph] : small) {
            Box box = atlas_.Add(sw * 3, sh, [=](Bitmap& bitmap, Box at) {
                for (int state = 0; state < 3; ++state)
                    drawButton(bitmap, Box{at.x + state * sw, at.y, sw, sh}, glyph, state, true);
            });
            o_.Key(key, GlyphValue(box, 3));
        }
    }
    if (s_.glow) {
        std::string file = pngGlyphs ? "BTNGLOW.PNG" : "TBGLOW.PNG";
        files_[file] = GlowPng(s_.glow->color, s_.glow->strength, s_.glow->size);
        int m = s_.glow->size;
        std::string value = "!" + file + "!1!0!3!" + D4(m) + "!" + D4(m) + "!" + D4(m) + "!" + D4(m) + "!1";
        o_.Key("BICONCLOSEGLOW", 1);
        for (const char* key : {"BICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM", "BICLOSEALONE"}) {
            o_.Key(std::string(key) + "GLOW0", value);
            o_.Key(std::string(key) + "GLOWMARGIN", m);
        }
    }
}

void Builder::CheckGlyphs()
{
    const Rgb face = s_.editBg;
    const Rgb outline = Contrast(s_.border, face) >= 3 ? s_.border : Rounded(Mix(s_.text, face, 0.45));
    const Rgb mark = Reach(s_.accent, face, 3.0);
    const int radius = Flat() || Bevelled() ? 0 : 2;
    auto box = [=, this](int size, int kind, bool radio) {
        return atlas_.Add(size * 3, size, [=, this](Bitmap& bitmap, Box at) {
            for (int state = 0; state < 3; ++state) {
                Box cell{at.x + state * size, at.y, size, size};
                Frame f;
                int r = radio ? size / 2 : radius;
                f.radius = {r, r, r, r};
                f.fill = Solid(Rounded(Mix(face, s_.accent, state == 0 ? 0.0 : state == 1 ? 0.12 : 0.25)));
                f.border = outline;
                f.bevel = Bevelled() && !radio ? -1 : 0;
                DrawFrame(bitmap, cell, f);
                int inset = size / 4;
                Box inner{cell.x + inset, cell.y + inset, size - 2 * inset, size - 2 * inset};
                if (kind == 1) {
                    if (radio) {
                        Frame dot;
                        int d = size - 2 * inset - 1;
                        dot.radius = {d / 2, d / 2, d / 2, d / 2};
                        dot.fill = Solid(mark);
                        dot.border = mark;
                        Bitmap tmp(d, d);
                        DrawFrame(tmp, Box{0, 0, d, d}, dot);
                        for (int y = 0; y < d; ++y)
                            for (int x = 0; x < d; ++x)
                                if (Get(tmp, x, y) != Fuchsia)
                                    Put(bitmap, inner.x + x, inner.y + y, Get(tmp, x, y));
                    } else {
                        DrawStrokes(bitmap, inner, TickStrokes(), mark, size >= 13 ? 2.0 : 1.5, Crisp());
                    }
                } else if (kind == 2) {
                    Box square{inner.x + 1, inner.y + 1, inner.w - 2, inner.h - 2};
                    for (int y = square.y; y < square.y + square.h; ++y)
                        for (int x = square.x; x < square.x + square.w; ++x)
                            Put(bitmap, x, y, mark, 0.45);
                }
            }
        });
    };
    o_.Key("BOXUNCHECKED", GlyphValue(box(13, 0, false), 3));
    o_.Key("BOXCHECKED", GlyphValue(box(13, 1, false), 3));
    o_.Key("BOXGRAYED", GlyphValue(box(13, 2, false), 3));
    o_.Key("SMALLUNCHECKED", GlyphValue(box(11, 0, false), 3));
    o_.Key("SMALLCHECKED", GlyphValue(box(11, 1, false), 3));
    o_.Key("SMALLGRAYED", GlyphValue(box(11, 2, false), 3));
    o_.Key("RADIOUNCHECKED", GlyphValue(box(13, 0, true), 3));
    o_.Key("RADIOCHECKED", GlyphValue(box(13, 1, true), 3));
    Rgb menuInk = s_.text;
    o_.Key("CHECK", GlyphStrip(12, 12, {s_.surf}, {menuInk}, TickStrokes(), 1.6, Box{2, 2, 8, 8}));
}

void Builder::Forms()
{
    const int c = std::max(s_.windowRadius, s_.framePx) + 1;
    const int side = 2 * c + 4;
    auto frameFor = [&](bool active, bool title) {
        Frame f;
        int r = s_.windowRadius;
        bool topOnly = s_.name == "XPLuna" || s_.name == "XPSilver";
        f.radius = {r, r, topOnly ? 0 : r, topOnly ? 0 : r};
        f.fill = title ? (active ? s_.title : s_.title.Greyed()) : Solid(s_.base);
        f.border = active ? s_.border : Rounded(GreyOf(s_.border));
        f.borderPx = s_.framePx;
        f.highlight = Glossy();
        f.bevel = Bevelled() ? 1 : 0;
        f.doubleLine = (s_.family == "paper" || s_.family == "textured") && s_.framePx >= 2;
        f.secondLine = Mix(f.border, s_.base, 0.5);
        f.openBottom = title;
        return f;
    };
    const Texture* formTexture = s_.TextureFor('F');
    const Texture* titleTexture = s_.TextureFor('T');

    o_.Section("FORM");
    o_.Key("BORDERSMASK", MaskValue({frameFor(false, false), frameFor(true, false)}, side, side, {c, c, c, c}));
    {
        std::string pattern = formTexture ? AddTexture("FORMTEX", *formTexture, s_.base, 0, 0) : "";
        States({Solid(s_.base), Solid(s_.base), Solid(s_.base)}, {s_.text, s_.text, s_.text}, 2, formTexture,
               {pattern, pattern, ""});
    }

    const int titleH = s_.framePx + s_.titlePx;
    const int separator = s_.name == "Flatline" ? 2 : 1;
    Box titleBox = atlas_.Add(side * 2, titleH, [=, this](Bitmap& bitmap, Box at) {
        for (int i = 0; i < 2; ++i) {
            Box cell{at.x + i * side, at.y, side, titleH};
            DrawFrame(bitmap, cell, frameFor(i == 1, true));
            Rgb line = s_.name == "Flatline" ? ParseHex("#0A8F5A") : Mix(s_.border, s_.title.At(1), 0.5);
            for (int y = titleH - separator; y < titleH; ++y)
                for (int x = 0; x < side; ++x)
                    if (Get(bitmap, cell.x + x, cell.y + y) != Fuchsia)
                        Put(bitmap, cell.x + x, cell.y + y, i == 1 ? line : GreyOf(line));
        }
    });
    o_.Section("FORMTITLE");
    o_.Key("BORDERSMASK", BorderValue(titleBox, {c, c, c, separator}, 2, 1));
    {
        std::string inactive = titleTexture ? AddTexture("TITLEOFF", *titleTexture, s_.title.Greyed().Middle(), 0, 1) : "";
        std::string active = titleTexture ? AddTexture("TITLE", *titleTexture, s_.title.Middle(), 0, 2) : "";
        States({s_.title.Greyed(), s_.title, s_.title}, {s_.titleText.color, s_.titleText.color, s_.titleText.color}, 2,
               titleTexture, {inactive, active, ""});
    }
    if (s_.titleText.glow) {
        o_.Colour("GCOL", *s_.titleText.glow);
        o_.Colour("HGCOL", *s_.titleText.glow);
        o_.Key("GSIZE", s_.titleText.glowSize);
        o_.Key("HGSIZE", s_.titleText.glowSize);
    }
    if (s_.titleText.outline) {
        for (const char* side : {"TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"}) {
            o_.Colour(side, *s_.titleText.outline);
            o_.Colour(std::string("HOT") + side, *s_.titleText.outline);
        }
    }

    o_.Section("DIALOG");
    o_.Key("PARENTCLASS", "FORM");
    o_.Section("DIALOGTITLE");
    o_.Key("PARENTCLASS", "FORMTITLE");

    if (s_.family == "glass" || s_.family == "neon") {
        // A plate behind the caption text, half see-through over the title.
        Rgb plate = Rounded(Mix(s_.title.Middle(), Opposite(s_.titleText.color), 0.2));
        o_.Section("CAPTION");
        o_.Key("STATES", 2);
        o_.Colour("COLOR", GreyOf(plate));
        o_.Colour("HOTCOLOR", plate);
        o_.Colour("FONTCOLOR", s_.titleText.color);
        o_.Colour("HOTFONTCOLOR", s_.titleText.color);
        o_.Key("TRANSPARENCY", 60);
        o_.Key("HOTTRANSPARENCY", 60);
    }
}

void Builder::Buttons()
{
    const int r = s_.buttonRadius;
    const int c = std::max(r, Bevelled() ? 3 : 2) + 1;
    const int w = 2 * c + 8, h = std::max(22, 2 * c + 6);
    const Texture* texture = s_.TextureFor('B');
    o_.Section("BUTTON");
    std::vector<Frame> frames{ButtonFrame(0, r), ButtonFrame(1, r), ButtonFrame(2, r)};
    if (index_ % 3 == 0) {
        Frame byDefault = ButtonFrame(0, r);
        byDefault.border = Flat() ? s_.accent : Mix(s_.border, s_.accent, 0.6);
        frames.push_back(byDefault);
    }
    o_.Key("BORDERSMASK", MaskValue(frames, w, h, {c, c, c, c}));
    std::array<std::string, 3> patterns;
    if (texture)
        for (int i = 0; i < 3; ++i)
            patterns[i] = AddTexture("BTN" + std::to_string(i), *texture, s_.button[i].Middle(), 1, 3 + i);
    States(s_.button, s_.buttonText, 3, texture, patterns);
    if (s_.glow) {
        std::string file = "BTNGLOW.PNG";
        if (!files_.count(file))
            files_[file] = GlowPng(s_.glow->color, s_.glow->strength, s_.glow->size);
        int m = s_.glow->size;
        o_.Key("GLOW", 1);
        o_.Key("GLOWMARGIN", m);
        o_.Key("GLOW0", "!" + file + "!1!0!3!" + D4(m) + "!" + D4(m) + "!" + D4(m) + "!" + D4(m) + "!1");
    }
    if (s_.family == "neon") {
        o_.Colour("HGCOL", s_.accent);
        o_.Key("HGSIZE", 4);
    }

    if (Glossy() || s_.family == "soft") {
        int hr = r + 2, hc = hr + 1;
        o_.Section("BUTTON_HUGE");
        o_.Key("PARENTCLASS", "BUTTON");
        o_.Key("BORDERSMASK", MaskValue({ButtonFrame(0, hr), ButtonFrame(1, hr), ButtonFrame(2, hr)}, 2 * hc + 10,
                                        std::max(40, 2 * hc + 8), {hc, hc, hc, hc}));
    }

    o_.Section("SPEEDBUTTON");
    o_.Key("PARENTCLASS", "BUTTON");
    o_.Key("STATES", 3);
    if (Flat()) {
        Frame rest = ButtonFrame(0, r);
        rest.border = s_.button[0].At(0.5);
        o_.Key("BORDERSMASK", MaskValue({rest, ButtonFrame(1, r), ButtonFrame(2, r)}, w, h, {c, c, c, c}));
    }
    o_.Section("TOOLBUTTON");
    o_.Key("PARENTCLASS", "SPEEDBUTTON");
}

void Builder::Inputs()
{
    const int r = std::min(s_.buttonRadius, 3);
    const int c = std::max(r, 1) + 1;
    const Rgb outline = Contrast(s_.border, s_.editBg) >= 1.6 ? s_.border : Rounded(Mix(s_.text, s_.editBg, 0.55));
    auto editFrame = [&](bool focused) {
        Frame f;
        f.radius = {r, r, r, r};
        f.fill = Solid(s_.editBg);
        f.border = focused ? Reach(s_.accent, s_.base, 3.0) : outline;
        f.bevel = Bevelled() ? -1 : 0;
        return f;
    };
    o_.Section("EDIT");
    o_.Key("BORDERSMASK", MaskValue({editFrame(false), editFrame(true)}, 2 * c + 8, 2 * c + 8, {c, c, c, c}));
    States({Solid(s_.editBg), Solid(s_.editBg), Solid(s_.editBg)}, {s_.editText, s_.editText, s_.editText}, 2, nullptr, {});

    o_.Section("COMBOBOX");
    o_.Key("PARENTCLASS", "EDIT");

    o_.Section("COMBOBTN");
    std::array<Paint, 3> paints = s_.button;
    if (Flat())
        paints[0] = Solid(s_.editBg);
    std::vector<Frame> frames;
    for (int i = 0; i < 3; ++i) {
        Frame f = ButtonFrame(i, std::min(r, 2));
        f.fill = paints[i];
        if (i == 0 && Flat())
            f.border = s_.editBg;
        frames.push_back(f);
    }
    int bc = std::max(std::min(r, 2), Bevelled() ? 3 : 1) + 1;
    o_.Key("BORDERSMASK", MaskValue(frames, 2 * bc + 6, 2 * bc + 12, {bc, bc, bc, bc}));
    std::array<Rgb, 3> inks = s_.buttonText;
    if (Flat())
        inks[0] = Reach(Mix(s_.editText, s_.editBg, 0.3), s_.editBg, 4.5);
    States(paints, inks, 3, nullptr, {});
    o_.Key("GLYPHMASK", GlyphStrip(9, 6, {paints[0].Middle(), paints[1].Middle(), paints[2].Middle()},
                                   {inks[0], inks[1], inks[2]}, ChevronStrokes(), 1.6, Box{1, 1, 7, 4}));

    o_.Section("CHECKBOX");
    o_.Key("STATES", 2);
    o_.Key("TRANSPARENCY", 100);
    o_.Key("HOTTRANSPARENCY", 100);
    o_.Colour("FONTCOLOR", s_.text);
    o_.Colour("HOTFONTCOLOR", s_.text);

    o_.Section("SELECTION");
    Paint sel = Solid(s_.selBg);
    if (Glossy())
        sel = Paint{Paint::Kind::Vertical, {Rounded(Mix(s_.selBg, White, 0.06)), s_.selBg}};
    if (Contrast(s_.selText, sel.At(0)) < 4.6)
        sel = Solid(s_.selBg);
    Frame sf;
    int sr = std::min(s_.buttonRadius, 3);
    sf.radius = {sr, sr, sr, sr};
    sf.fill = sel;
    sf.border = Rounded(Mix(s_.selBg, s_.dark ? White : Black, 0.15));
    int sc = std::max(sr, 1) + 1;
    o_.Key("BORDERSMASK", MaskValue({sf, sf}, 2 * sc + 6, 2 * sc + 10, {sc, sc, sc, sc}));
    States({sel, sel, sel}, {s_.selText, s_.selText, s_.selText}, 2, nullptr, {});

    o_.Section("HINT");
    Paint hint = Solid(s_.editBg);
    if (index_ % 3 == 1)
        hint = Paint{Paint::Kind::Vertical, {s_.editBg, Rounded(Mix(s_.editBg, s_.accent, 0.08))}};
    Frame hf;
    hf.radius = {sr, sr, sr, sr};
    hf.fill = hint;
    hf.border = s_.border;
    o_.Key("BORDERSMASK", MaskValue({hf}, 2 * sc + 6, 2 * sc + 10, {sc, sc, sc, sc}));
    o_.Key("STATES", 1);
    o_.Colour("COLOR", Rounded(hint.Middle()));
    o_.Colour("FONTCOLOR", s_.editText);
    if (hint.IsGradient()) {
        // Mode 2: the two colours meet across both directions.
        o_.Key("GRADIENTDATA", std::to_string(ToColorRef(hint.stops[0])) + ";" + std::to_string(ToColorRef(hint.stops[1])) +
                                   ";100;2;0");
        o_.Key("GRADIENTPERCENT", 100);
    }
}

void Builder::Containers()
{
    const Rgb panel = PanelEffective();
    const int r = std::min(s_.windowRadius, 4);
    const int c = std::max(r, 1) + 1;
    const Texture* texture = s_.TextureFor('P');
    auto panelFrame = [&](Rgb fill, Rgb border, int bevel) {
        Frame f;
        f.radius = {r, r, r, r};
        f.fill = Solid(fill);
        f.border = border;
        f.bevel = Bevelled() ? bevel : 0;
        return f;
    };
    o_.Section("PANEL");
    o_.Key("BORDERSMASK", MaskValue({panelFrame(panel, Rounded(Mix(s_.border, panel, 0.35)), 1)}, 2 * c + 6, 2 * c + 6,
                                    {c, c, c, c}, 0));
    std::string pattern = texture ? AddTexture("PANELTEX", *texture, s_.surf, 10, 6) : "";
    States({Solid(s_.surf), Solid(s_.surf), Solid(s_.surf)}, {s_.text, s_.text, s_.text}, 1, texture, {pattern, "", ""});
    o_.Key("TRANSPARENCY", s_.alpha);

    o_.Section("PANEL_LOW");
    o_.Key("PARENTCLASS", "PANEL");
    Rgb low = Rounded(Mix(panel, s_.text, 0.05));
    o_.Key("BORDERSMASK", MaskValue({panelFrame(low, Rounded(Mix(s_.border, s_.text, 0.2)), -1)}, 2 * c + 6, 2 * c + 6,
                                    {c, c, c, c}, 0));
    o_.Colour("COLOR", low);
    o_.Key("TRANSPARENCY", 0);
    o_.Key("IMAGEPERCENT", 0);

    o_.Section("GROUPBOX");
    o_.Key("PARENTCLASS", "PANEL");
    o_.Key("BORDERSMASK", MaskValue({panelFrame(panel, s_.border, 1)}, 2 * c + 6, 2 * c + 6, {c, c, c, c}, 0));

    o_.Section("PAGECONTROL");
    o_.Key("BORDERSMASK", MaskValue({panelFrame(panel, s_.border, 1)}, 2 * c + 6, 2 * c + 6, {c, c, c, c}, 0));
    States({Solid(panel), Solid(panel), Solid(panel)}, {s_.text, s_.text, s_.text}, 1, nullptr, {});
    o_.Section("TABSHEET");
    o_.Key("PARENTCLASS", "PAGECONTROL");

    if (s_.family == "flat" || s_.family == "soft" || s_.family == "paper") {
        o_.Section("TRANSPARENT");
        o_.Key("STATES", 1);
        o_.Key("TRANSPARENCY", 100);
        o_.Colour("FONTCOLOR", s_.text);
    }
}

void Builder::Tabs()
{
    const Rgb panel = PanelEffective();
    const int r = std::min(s_.buttonRadius, 4);
    const int c = std::max(r, 1) + 1;
    const Rgb hot = Rounded(Mix(s_.base, panel, 0.5));
    auto tab = [&](int state, bool left, bool right) {
        Frame f;
        f.radius = {left ? r : 0, right ? r : 0, 0, 0};
        f.fill = Solid(state == 0 ? s_.base : state == 1 ? hot : panel);
        f.border = s_.border;
        f.openBottom = true;
        f.bevel = Bevelled() ? 1 : 0;
        return f;
    };
    auto mask = [&](bool left, bool right) {
        int w = 2 * c + 8, h = 2 * c + 12;
        std::vector<Frame> frames{tab(0, left, right), tab(1, left, right), tab(2, left, right)};
        Box box = atlas_.Add(w * 3, h, [=, this](Bitmap& bitmap, Box at) {
            for (int i = 0; i < 3; ++i) {
                Box cell{at.x + i * w, at.y, w, h};
                DrawFrame(bitmap, cell, frames[i]);
                if (i == 2 && (Flat() || s_.family == "soft"))
                    for (int y = 0; y < 2; ++y)
                        for (int x = c / 2; x < w - c / 2; ++x)
                            if (Get(bitmap, cell.x + x, cell.y + y) != Fuchsia)
                                Put(bitmap, cell.x + x, cell.y + y, s_.accent);
            }
        });
        return BorderValue(box, {c, c, c, 1}, 3, 1);
    };
    o_.Section("TABTOP");
    o_.Key("BORDERSMASK", mask(true, true));
    States({Solid(s_.base), Solid(hot), Solid(panel)}, {s_.text, s_.text, s_.text}, 3, nullptr, {});
    if (index_ % 4 == 0)
        o_.Key("TABSCOVERING", 2);
    o_.Section("TABTOPFIRST");
    o_.Key("PARENTCLASS", "TABTOP");
    o_.Key("BORDERSMASK", mask(true, false));
    o_.Section("TABTOPMIDDLE");
    o_.Key("PARENTCLASS", "TABTOP");
    o_.Key("BORDERSMASK", mask(false, false));
    o_.Section("TABTOPLAST");
    o_.Key("PARENTCLASS", "TABTOP");
    o_.Key("BORDERSMASK", mask(false, true));
}

void Builder::Scrolls()
{
    const Rgb track = Rounded(Track());
    const int r = std::min(s_.buttonRadius, 4);
    const int c = std::max(r, 1) + 1;
    Frame tf;
    tf.fill = Solid(track);
    tf.border = Rounded(Mix(track, s_.text, 0.1));
    Frame tfHot = tf;
    tfHot.fill = Solid(Rounded(Mix(track, s_.text, 0.06)));
    o_.Section("SCROLLBAR1H");
    o_.Key("BORDERSMASK", MaskValue({tf, tfHot}, 12, 17, {2, 2, 2, 2}));
    States({Solid(track), tfHot.fill, tfHot.fill}, {s_.text, s_.text, s_.text}, 2, nullptr, {});
    o_.Section("SCROLLBAR1V");
    o_.Key("PARENTCLASS", "SCROLLBAR1H");
    o_.Section("SCROLLBAR2H");
    o_.Key("PARENTCLASS", "SCROLLBAR1H");
    o_.Section("SCROLLBAR2V");
    o_.Key("PARENTCLASS", "SCROLLBAR1V");

    std::array<Paint, 3> paints = s_.button;
    std::array<Rgb, 3> inks = s_.buttonText;
    std::vector<Frame> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(ButtonFrame(i, r));
    o_.Section("SCROLLSLIDERH");
    o_.Key("BORDERSMASK", MaskValue(frames, 2 * c + 8, 17, {c, c, c, c}));
    States(paints, inks, 3, nullptr, {});
    Strokes grip;
    grip.lines = {{{0.2, 0.1}, {0.2, 0.9}}, {{0.5, 0.1}, {0.5, 0.9}}, {{0.8, 0.1}, {0.8, 0.9}}};
    std::vector<Rgb> backs{paints[0].Middle(), paints[1].Middle(), paints[2].Middle()};
    std::vector<Rgb> gripInks;
    for (int i = 0; i < 3; ++i)
        gripInks.push_back(Rounded(Mix(inks[i], paints[i].Middle(), 0.4)));
    o_.Key("GLYPHMASK", GlyphStrip(8, 8, backs, gripInks, grip, 1.0, Box{1, 1, 6, 6}));
    o_.Section("SCROLLSLIDERV");
    o_.Key("PARENTCLASS", "SCROLLSLIDERH");
    Strokes gripV;
    gripV.lines = {{{0.1, 0.2}, {0.9, 0.2}}, {{0.1, 0.5}, {0.9, 0.5}}, {{0.1, 0.8}, {0.9, 0.8}}};
    o_.Key("GLYPHMASK", GlyphStrip(8, 8, backs, gripInks, gripV, 1.0, Box{1, 1, 6, 6}));

    // Flat looks show bare arrows on the track until the mouse comes.
    std::array<Paint, 3> btnPaints = paints;
    std::vector<Frame> btnFrames = frames;
    if (Flat()) {
        btnPaints[0] = Solid(track);
        btnFrames[0].fill = Solid(track);
        btnFrames[0].border = track;
        btnFrames[0].highlight = false;
        inks[0] = Reach(Mix(s_.text, track, 0.25), track, 4.5);
    }
    const char* buttons[] = {"SCROLLBTNLEFT", "SCROLLBTNTOP", "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"};
    std::vector<Rgb> arrowBacks{btnPaints[0].Middle(), btnPaints[1].Middle(), btnPaints[2].Middle()};
    for (int d = 0; d < 4; ++d) {
        o_.Section(buttons[d]);
        if (d == 0) {
            o_.Key("BORDERSMASK", MaskValue(btnFrames, 2 * c + 8, 17, {c, c, c, c}));
            States(btnPaints, inks, 3, nullptr, {});
        } else {
            o_.Key("PARENTCLASS", "SCROLLBTNLEFT");
        }
        o_.Key("GLYPHMASK", GlyphStrip(9, 9, arrowBacks, {inks[0], inks[1], inks[2]}, TriangleStrokes(d), 1, Box{1, 1, 7, 7}));
    }
}

void Builder::Menus()
{
    const int r = std::min(s_.buttonRadius, 3);
    const int c = std::max(r, 1) + 1;
    Frame rest;
    rest.radius = {r, r, r, r};
    rest.fill = Solid(s_.surf);
    rest.border = s_.surf;
    Frame hot = rest;
    hot.fill = Solid(s_.selBg);
    hot.border = Rounded(Mix(s_.selBg, s_.dark ? White : Black, 0.15));
    o_.Section("MENUITEM");
    o_.Key("BORDERSMASK", MaskValue({rest, hot}, 2 * c + 6, 2 * c + 10, {c, c, c, c}));
    States({Solid(s_.surf), Solid(s_.selBg), Solid(s_.selBg)}, {s_.text, s_.selText, s_.selText}, 2, nullptr, {});
    o_.Key("GLYPHMASK", GlyphStrip(7, 9, {s_.surf, s_.selBg}, {s_.text, s_.selText}, TriangleStrokes(2), 1, Box{0, 1, 7, 7}));

    o_.Section("MAINMENU");
    Paint bar = Solid(s_.base);
    if (index_ % 4 == 2)
        bar = Paint{Paint::Kind::Horizontal, {s_.base, Rounded(Mix(s_.base, s_.surf, 0.6))}};
    States({bar, Solid(s_.selBg), Solid(s_.selBg)}, {s_.text, s_.selText, s_.selText}, 2, nullptr, {});
}

std::vector<std::uint8_t> Builder::Build()
{
    Global();
    Forms();
    Buttons();
    Inputs();
    Containers();
    Tabs();
    Scrolls();
    Menus();

    std::vector<skin::PackageMember> members;
    std::string options = o_.Text();
    members.push_back({"Options.dat", std::vector<std::uint8_t>(options.begin(), options.end())});
    members.push_back({"Master.bmp", EncodeBmp24(atlas_.Render())});
    for (auto& [name, bytes] : files_) // std::map: a fixed order
        members.push_back({name, bytes});
    return skin::WritePackage(members, 9);
}

} // namespace

std::vector<std::uint8_t> BuildSkinPackage(const Style& style, int index)
{
    return Builder(style, index).Build();
}

} // namespace skingen
