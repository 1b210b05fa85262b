// lumo-skin sheet: a contact sheet of the internal skins, one tile a skin, drawn from the loaded
// model with plain nine-slice drawing: a window with its title and title buttons, a button in its
// three states, an edit, a check box, a panel and a selection.
#include "tools/lumo-skin/Command.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/manager/SkinLoading.h"
#include "skin/package/InternalSkins.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/text/Font.h"
#include "platform/image/Image.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace lumoskin {

namespace {

using platform::Bitmap;
using platform::PixelBGRA;

constexpr int TileWidth = 264;
constexpr int TileHeight = 168;
constexpr int Gap = 8;
constexpr int Columns = 7;
constexpr PixelBGRA Fuchsia = platform::MakePixel(255, 0, 255);

struct Area {
    int x, y, w, h;
};

PixelBGRA Mix(PixelBGRA a, PixelBGRA b, int weightOfB) // weight in 0..256
{
    auto channel = [&](int shift) {
        int ca = int((a >> shift) & 255), cb = int((b >> shift) & 255);
        return PixelBGRA((ca + ((cb - ca) * weightOfB) / 256) & 255) << shift;
    };
    return channel(0) | channel(8) | channel(16) | (PixelBGRA(255) << 24);
}

void Plot(Bitmap& b, int x, int y, PixelBGRA p)
{
    if (x >= 0 && y >= 0 && x < b.Width() && y < b.Height())
        b.SetPixel(x, y, p | (PixelBGRA(255) << 24));
}

class TilePainter {
public:
    TilePainter(const skin::TsSkinModel& model, Bitmap& sheet) : m_(model), sheet_(sheet) {}

    // The section's background for a state: colour, gradient and texture by their shares, and
    // the parent through its transparency.
    void Background(const std::string& section, int state, Area a)
    {
        int index = m_.GetSkinIndex(section);
        if (index < 0)
            return;
        const skin::TsGenState& s = m_.gd[std::size_t(index)].Props[std::size_t(std::min(state, 2))];
        const PixelBGRA colour = platform::ColorToPixel(platform::COLORREF(s.Color));
        const bool gradient = s.GradientPercent > 0 && !s.GradientArray.empty();
        const bool texture = s.ImagePercent > 0 && m_.IsValidImgIndex(s.TextureIndex);
        const int gradientShare = gradient ? s.GradientPercent : 0, textureShare = texture ? s.ImagePercent : 0;
        const bool horizontal = gradient && s.GradientArray[0].Mode1 == 1;
        for (int y = 0; y < a.h; ++y) {
            for (int x = 0; x < a.w; ++x) {
                int r = 0, g = 0, b = 0;
                auto add = [&](PixelBGRA p, int share) {
                    r += platform::PixelR(p) * share;
                    g += platform::PixelG(p) * share;
                    b += platform::PixelB(p) * share;
                };
                add(colour, std::max(0, 100 - gradientShare - textureShare));
                if (gradient)
                    add(GradientAt(s.GradientArray, horizontal ? double(x) / std::max(1, a.w - 1) : double(y) / std::max(1, a.h - 1)),
                        gradientShare);
                if (texture)
                    add(TextureAt(m_.ma[std::size_t(s.TextureIndex)], x, y), textureShare);
                PixelBGRA p = platform::MakePixel(platform::BYTE(r / 100), platform::BYTE(g / 100), platform::BYTE(b / 100));
                int px = a.x + x, py = a.y + y;
                if (px < 0 || py < 0 || px >= sheet_.Width() || py >= sheet_.Height())
                    continue;
                if (s.Transparency > 0)
                    p = Mix(p, sheet_.Pixel(px, py), std::min(s.Transparency, 100) * 256 / 100);
                Plot(sheet_, px, py, p);
            }
        }
    }

    // The section's border mask in nine slices; the centre only with the fill draw mode.
    void Mask(const std::string& section, const char* property, int state, Area a)
    {
        int index = m_.GetMaskIndex(section, property);
        if (!m_.IsValidImgIndex(index))
            return;
        const skin::TsMaskData& mask = m_.ma[std::size_t(index)];
        const Bitmap& source = m_.SourceBitmap(mask);
        const int image = std::min(state, std::max(0, mask.ImageCount - 1));
        const int sx = mask.R.left + image * mask.Width, sy = mask.R.top;
        const int w = mask.Width, h = mask.Height;
        const int wl = std::min<int>(mask.WL, a.w / 2), wr = std::min<int>(mask.WR, a.w / 2);
        const int wt = std::min<int>(mask.WT, a.h / 2), wb = std::min<int>(mask.WB, a.h / 2);
        const bool fill = (mask.DrawMode & 4) != 0;
        for (int y = 0; y < a.h; ++y) {
            int row = y < wt ? y : y >= a.h - wb ? h - (a.h - y) : wt + (y - wt) * std::max(1, h - wt - wb) / std::max(1, a.h - wt - wb);
            bool middleRow = y >= wt && y < a.h - wb;
            for (int x = 0; x < a.w; ++x) {
                bool middleColumn = x >= wl && x < a.w - wr;
                if (middleRow && middleColumn && !fill)
                    continue;
                int column = x < wl ? x : x >= a.w - wr ? w - (a.w - x)
                                                        : wl + (x - wl) * std::max(1, w - wl - wr) / std::max(1, a.w - wl - wr);
                Copy(source, sx + column, sy + row, a.x + x, a.y + y);
            }
        }
    }

    // A glyph element's image for a state at its own size.
    void Glyph(int index, int state, int x, int y)
    {
        if (!m_.IsValidImgIndex(index))
            return;
        const skin::TsMaskData& mask = m_.ma[std::size_t(index)];
        const Bitmap& source = m_.SourceBitmap(mask);
        const int image = std::min(state, std::max(0, mask.ImageCount - 1));
        for (int gy = 0; gy < mask.Height; ++gy)
            for (int gx = 0; gx < mask.Width; ++gx)
                Copy(source, mask.R.left + image * mask.Width + gx, mask.R.top + gy, x + gx, y + gy);
    }
    int GlyphWidth(int index) const { return m_.IsValidImgIndex(index) ? m_.ma[std::size_t(index)].Width : 0; }
    int GlyphHeight(int index) const { return m_.IsValidImgIndex(index) ? m_.ma[std::size_t(index)].Height : 0; }

    int Font(const std::string& section, int state) const
    {
        int index = m_.GetSkinIndex(section);
        return index < 0 ? m_.GetGlobalFontColor() : m_.gd[std::size_t(index)].Props[std::size_t(state)].FontColor.Color;
    }

private:
    PixelBGRA GradientAt(const std::vector<skin::TsGradPie>& pieces, double t) const
    {
        int total = 0;
        for (const auto& piece : pieces)
            total += piece.Percent;
        double at = t * std::max(total, 1);
        for (const auto& piece : pieces) {
            if (at <= piece.Percent || &piece == &pieces.back()) {
                double local = piece.Percent > 0 ? std::clamp(at / piece.Percent, 0.0, 1.0) : 0.0;
                return Mix(platform::ColorToPixel(platform::COLORREF(piece.Color1)),
                           platform::ColorToPixel(platform::COLORREF(piece.Color2)), int(local * 256));
            }
            at -= piece.Percent;
        }
        return 0;
    }
    PixelBGRA TextureAt(const skin::TsMaskData& mask, int x, int y) const
    {
        const Bitmap& source = m_.SourceBitmap(mask);
        int w = std::max(1, int(mask.R.right - mask.R.left)), h = std::max(1, int(mask.R.bottom - mask.R.top));
        int sx = std::clamp(int(mask.R.left) + x % w, 0, source.Width() - 1);
        int sy = std::clamp(int(mask.R.top) + y % h, 0, source.Height() - 1);
        return source.Pixel(sx, sy);
    }
    void Copy(const Bitmap& source, int sx, int sy, int dx, int dy)
    {
        if (sx < 0 || sy < 0 || sx >= source.Width() || sy >= source.Height())
            return;
        if (dx < 0 || dy < 0 || dx >= sheet_.Width() || dy >= sheet_.Height())
            return;
        PixelBGRA p = source.Pixel(sx, sy);
        if ((p & 0xFFFFFF) == (Fuchsia & 0xFFFFFF))
            return;
        int alpha = platform::PixelA(p);
        if (alpha == 0)
            return;
        Plot(sheet_, dx, dy, alpha == 255 ? p : Mix(sheet_.Pixel(dx, dy), p, alpha * 256 / 255));
    }

    const skin::TsSkinModel& m_;
    Bitmap& sheet_;
};

void Text(Bitmap& sheet, Area a, const std::u16string& text, int colour, platform::UINT format)
{
    platform::HDC dc = platform::CreateBitmapDC(&sheet);
    platform::SelectFont(dc, platform::GetDefaultGuiFont());
    platform::SetBkMode(dc, platform::TRANSPARENT);
    platform::SetTextColor(dc, platform::COLORREF(colour));
    platform::RECT r{a.x, a.y, a.x + a.w, a.y + a.h};
    platform::DrawText(dc, text, &r, format | platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX);
    platform::DeleteDC(dc);
}

void DrawTile(Bitmap& sheet, const skin::TsSkinModel& m, const std::string& name, int left, int top)
{
    TilePainter p(m, sheet);
    const int titleIndex = m.GetMaskIndex("FORMTITLE", "BORDERSMASK");
    const int frameIndex = m.GetMaskIndex("FORM", "BORDERSMASK");
    const int frame = m.IsValidImgIndex(frameIndex) ? std::max<int>(1, m.ma[std::size_t(frameIndex)].WB) : 4;
    const int titleHeight = std::max(18, m.CommonSkinData.ExTitleHeight);
    const Area window{left, top, TileWidth, TileHeight};
    p.Background("FORM", 1, window);
    p.Mask("FORM", "BORDERSMASK", 1, window);

    const Area title{left, top, TileWidth, titleHeight + (m.IsValidImgIndex(titleIndex) ? m.ma[std::size_t(titleIndex)].Height - titleHeight : 0)};
    p.Background("FORMTITLE", 1, title);
    p.Mask("FORMTITLE", "BORDERSMASK", 1, title);

    // Title buttons from the right: close, maximise, minimise, help.
    const int spacing = m.CommonSkinData.BISpacing, right = m.CommonSkinData.BIRightMargin;
    int x = left + TileWidth - std::max(0, frame - 1) - right;
    for (int glyph : {1, 2, 3, 5}) {
        int index = m.ConstData.TitleGlyphs[std::size_t(glyph)];
        x -= p.GlyphWidth(index);
        p.Glyph(index, 0, x, top + (title.h - p.GlyphHeight(index)) / 2);
        x -= spacing;
    }
    std::string caption = name.substr(0, name.find(" (internal)"));
    Text(sheet, Area{left + frame + 8, top, x - left - frame - 12, title.h}, platform::Utf8ToUtf16(caption),
         p.Font("FORMTITLE", 1), platform::DT_LEFT | platform::DT_END_ELLIPSIS);

    const int bodyLeft = left + frame + 10;
    int y = top + title.h + 10;
    static const char16_t* const buttonTexts[] = {u"Кнопка", u"Наведена", u"Нажата"};
    for (int state = 0; state < 3; ++state) {
        Area b{bodyLeft + state * 80, y, 74, 26};
        p.Background("BUTTON", state, b);
        p.Mask("BUTTON", "BORDERSMASK", state, b);
        Text(sheet, b, buttonTexts[state], p.Font("BUTTON", state), platform::DT_CENTER);
    }
    y += 26 + 10;

    Area edit{bodyLeft, y, 130, 22};
    p.Background("EDIT", 0, edit);
    p.Mask("EDIT", "BORDERSMASK", 0, edit);
    Text(sheet, Area{edit.x + 5, edit.y, edit.w - 10, edit.h}, u"Поиск канала", p.Font("EDIT", 0), platform::DT_LEFT);
    int box = m.ConstData.CheckBox[1];
    p.Glyph(box, 0, bodyLeft + 142, y + (22 - p.GlyphHeight(box)) / 2);
    Text(sheet, Area{bodyLeft + 142 + p.GlyphWidth(box) + 5, y, 80, 22}, u"Поверх", m.GetGlobalFontColor(), platform::DT_LEFT);
    y += 22 + 10;

    Area panel{bodyLeft, y, 116, TileHeight - (y - top) - frame - 10};
    p.Background("PANEL", 0, panel);
    p.Mask("PANEL", "BORDERSMASK", 0, panel);
    Text(sheet, Area{panel.x + 8, panel.y, panel.w - 16, 20}, u"Панель", p.Font("PANEL", 0), platform::DT_LEFT);
    Area selection{panel.x + 4, panel.y + panel.h - 22, panel.w - 8, 18};
    p.Background("SELECTION", 0, selection);
    p.Mask("SELECTION", "BORDERSMASK", 0, selection);
    Text(sheet, Area{selection.x + 5, selection.y, selection.w - 10, selection.h}, u"Первый канал", p.Font("SELECTION", 0),
         platform::DT_LEFT);

    Area group{bodyLeft + 126, y, TileWidth - 126 - 2 * (frame + 10), panel.h};
    p.Background("GROUPBOX", 0, group);
    p.Mask("GROUPBOX", "BORDERSMASK", 0, group);
    Text(sheet, Area{group.x + 8, group.y, group.w - 16, 20}, u"Группа", p.Font("GROUPBOX", 0), platform::DT_LEFT);
    Area tab{group.x + 8, group.y + group.h - 24, 56, 20};
    p.Background("TABTOP", 2, tab);
    p.Mask("TABTOP", "BORDERSMASK", 2, tab);
    Text(sheet, tab, u"Вкладка", p.Font("TABTOP", 2), platform::DT_CENTER);
    Area combo{tab.x + tab.w + 6, tab.y + 2, std::min(17, group.w - tab.w - 22), 18};
    p.Background("COMBOBTN", 1, combo);
    p.Mask("COMBOBTN", "BORDERSMASK", 1, combo);
    int arrow = m.GetMaskIndex("COMBOBTN", "GLYPHMASK");
    p.Glyph(arrow, 1, combo.x + (combo.w - p.GlyphWidth(arrow)) / 2, combo.y + (combo.h - p.GlyphHeight(arrow)) / 2);
}

int RunSheet(const std::vector<std::string>& arguments)
{
    auto positionals = Positionals(arguments, 1);
    skin::TsStoredSkins catalogue;
    skin::FillInternalSkins(catalogue, assets::EmbeddedSkinPackages());
    const int count = catalogue.Count();
    if (count == 0)
        throw std::runtime_error("the program carries no internal skins");
    const int rows = (count + Columns - 1) / Columns;
    Bitmap sheet(Gap + Columns * (TileWidth + Gap), Gap + rows * (TileHeight + Gap));
    sheet.Fill(platform::MakePixel(96, 96, 100));
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        skin::ResolvedSkin where;
        where.Kind = skin::SkinSourceKind::Internal;
        where.Name = catalogue.Item(i).Name;
        where.Index = i;
        std::string name = platform::Utf16ToUtf8(where.Name);
        skin::SkinLoadMessages messages;
        messages.ShowPlainError = messages.ShowPlainWarning = [&](const std::string& text) {
            std::fprintf(stderr, "lumo-skin sheet: %s: %s\n", name.c_str(), text.c_str());
        };
        try {
            auto model = skin::LoadResolvedSkin(where, catalogue, u"/nonexistent/", skin::SkinLoadSettings{}, messages);
            if (model)
                DrawTile(sheet, *model, name, Gap + (i % Columns) * (TileWidth + Gap), Gap + (i / Columns) * (TileHeight + Gap));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "lumo-skin sheet: %s: %s\n", name.c_str(), e.what());
            ++failures;
        }
    }
    platform::SavePng(sheet, positionals[0]);
    return failures == 0 ? 0 : 1;
}

} // namespace

const Command SheetCommand = {
    "sheet",
    "OUT.png",
    "draw every internal skin as a tile of a contact sheet",
    "Each tile shows a window of the skin: its title bar and title buttons, a button at rest, hot\n"
    "and pressed, an edit, a check box, a panel with a selection and a group box with a tab.\n",
    RunSheet,
};

} // namespace lumoskin
