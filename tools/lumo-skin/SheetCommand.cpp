// lumo-skin sheet: a contact sheet of the internal skins, one tile a skin, painted from the loaded
// model by the engine's own section painting: a window with its title and title buttons, a button
// in its three states, an edit, a check box, a panel and a selection.
#include "tools/lumo-skin/Command.h"

#include "assets/skins/EmbeddedSkins.h"
#include "skin/manager/SkinLoading.h"
#include "skin/package/InternalSkins.h"
#include "skin/paint/PaintItem.h"
#include "skin/paint/SkinGlyph.h"
#include "skin/paint/WriteText.h"

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

constexpr int TileWidth = 264;
constexpr int TileHeight = 168;
constexpr int Gap = 8;
constexpr int Columns = 7;

struct Area {
    int x, y, w, h;
    platform::RECT Rect() const { return platform::RECT{x, y, x + w, y + h}; }
};

// Each item is painted as a control paints its cache: into a picture of its own size over the
// finished picture beneath it (the sheet), then copied in.
class TilePainter {
public:
    TilePainter(const skin::TsSkinModel& model, Bitmap& sheet) : m_(model), sheet_(sheet) {}

    // The section's state (background, corner images, border) at a; answers the section index.
    int Item(const std::string& section, int state, Area a)
    {
        const int index = m_.GetSkinIndex(section);
        if (index < 0 || a.w <= 0 || a.h <= 0)
            return index;
        Bitmap item(a.w, a.h);
        skin::ItemPaintArgs args;
        args.CI.Bmp = &sheet_;
        args.CI.X = a.x;
        args.CI.Y = a.y;
        args.CI.Ready = true;
        args.State = state;
        args.R = item.BoundsRect();
        args.UpdateCorners = true;
        args.Texture = m_.GetTextureIndex(index, "PATTERN");
        args.HotTexture = m_.GetTextureIndex(index, "HOTPATTERN");
        skin::PaintItem(m_, index, args, item);
        for (int y = 0; y < a.h; ++y)
            for (int x = 0; x < a.w; ++x)
                if (a.x + x >= 0 && a.y + y >= 0 && a.x + x < sheet_.Width() && a.y + y < sheet_.Height())
                    sheet_.SetPixel(a.x + x, a.y + y, item.Pixel(x, y) | 0xFF000000u);
        return index;
    }

    // A glyph element's image for a state at its own size.
    void Glyph(int index, int state, int x, int y)
    {
        if (m_.IsValidImgIndex(index))
            skin::DrawSkinGlyph(sheet_, platform::POINT{x, y}, state, false, m_.ma[std::size_t(index)], m_);
    }
    int GlyphWidth(int index) const { return m_.IsValidImgIndex(index) ? m_.ma[std::size_t(index)].Width : 0; }
    int GlyphHeight(int index) const { return m_.IsValidImgIndex(index) ? m_.ma[std::size_t(index)].Height : 0; }

    // Text in the font colours of a section's state (outlines and glow included).
    void Text(int sectionIndex, int state, Area a, const std::u16string& text, platform::UINT format)
    {
        platform::HDC dc = platform::CreateBitmapDC(&sheet_);
        platform::SelectFont(dc, platform::GetDefaultGuiFont());
        platform::SetBkMode(dc, platform::TRANSPARENT);
        platform::SetTextColor(dc, platform::COLORREF(m_.GetGlobalFontColor()));
        skin::TextPaintArgs args;
        args.SkinIndex = sectionIndex;
        args.State = state;
        skin::WriteTextEx(dc, text, a.Rect(), format | platform::DT_SINGLELINE | platform::DT_VCENTER | platform::DT_NOPREFIX,
                          &m_, args);
        platform::DeleteDC(dc);
    }

private:
    const skin::TsSkinModel& m_;
    Bitmap& sheet_;
};

void DrawTile(Bitmap& sheet, const skin::TsSkinModel& m, const std::string& name, int left, int top)
{
    TilePainter p(m, sheet);
    const int titleIndex = m.GetMaskIndex("FORMTITLE", "BORDERSMASK");
    const int frameIndex = m.GetMaskIndex("FORM", "BORDERSMASK");
    const int frame = m.IsValidImgIndex(frameIndex) ? std::max<int>(1, m.ma[std::size_t(frameIndex)].WB) : 4;
    const int titleHeight = std::max(18, m.CommonSkinData.ExTitleHeight);
    // The sheet's grey stands in for the desktop under the window.
    p.Item("FORM", 1, Area{left, top, TileWidth, TileHeight});

    const Area title{left, top, TileWidth, titleHeight + (m.IsValidImgIndex(titleIndex) ? m.ma[std::size_t(titleIndex)].Height - titleHeight : 0)};
    const int titleSection = p.Item("FORMTITLE", 1, title);

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
    p.Text(titleSection, 1, Area{left + frame + 8, top, x - left - frame - 12, title.h}, platform::Utf8ToUtf16(caption),
           platform::DT_LEFT | platform::DT_END_ELLIPSIS);

    const int bodyLeft = left + frame + 10;
    int y = top + title.h + 10;
    static const char16_t* const buttonTexts[] = {u"Кнопка", u"Наведена", u"Нажата"};
    for (int state = 0; state < 3; ++state) {
        Area b{bodyLeft + state * 80, y, 74, 26};
        p.Text(p.Item("BUTTON", state, b), state, b, buttonTexts[state], platform::DT_CENTER);
    }
    y += 26 + 10;

    Area edit{bodyLeft, y, 130, 22};
    p.Text(p.Item("EDIT", 0, edit), 0, Area{edit.x + 5, edit.y, edit.w - 10, edit.h}, u"Поиск канала", platform::DT_LEFT);
    int box = m.ConstData.CheckBox[1];
    p.Glyph(box, 0, bodyLeft + 142, y + (22 - p.GlyphHeight(box)) / 2);
    p.Text(m.GetSkinIndex("CHECKBOX"), 0, Area{bodyLeft + 142 + p.GlyphWidth(box) + 5, y, 80, 22}, u"Поверх",
           platform::DT_LEFT);
    y += 22 + 10;

    Area panel{bodyLeft, y, 116, TileHeight - (y - top) - frame - 10};
    p.Text(p.Item("PANEL", 0, panel), 0, Area{panel.x + 8, panel.y, panel.w - 16, 20}, u"Панель", platform::DT_LEFT);
    Area selection{panel.x + 4, panel.y + panel.h - 22, panel.w - 8, 18};
    p.Text(p.Item("SELECTION", 0, selection), 0, Area{selection.x + 5, selection.y, selection.w - 10, selection.h},
           u"Первый канал", platform::DT_LEFT);

    Area group{bodyLeft + 126, y, TileWidth - 126 - 2 * (frame + 10), panel.h};
    p.Text(p.Item("GROUPBOX", 0, group), 0, Area{group.x + 8, group.y, group.w - 16, 20}, u"Группа", platform::DT_LEFT);
    Area tab{group.x + 8, group.y + group.h - 24, 56, 20};
    p.Text(p.Item("TABTOP", 2, tab), 2, tab, u"Вкладка", platform::DT_CENTER);
    Area combo{tab.x + tab.w + 6, tab.y + 2, std::min(17, group.w - tab.w - 22), 18};
    p.Item("COMBOBTN", 1, combo);
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
