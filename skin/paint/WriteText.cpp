#include "skin/paint/WriteText.h"

#include "skin/paint/DisabledLook.h"
#include "skin/paint/PixelArithmetic.h"
#include "skin/paint/TextGlow.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"

#include <algorithm>

namespace skin {

using platform::HDC;
using platform::RECT;

namespace {

platform::COLORREF Colour(int c) { return platform::COLORREF(unsigned(c) & 0xFFFFFFu); }

int DrawAt(HDC dc, platform::StringView text, RECT r, int dx, int dy, platform::UINT flags, int color)
{
    platform::SetTextColor(dc, Colour(color));
    platform::OffsetRect(&r, dx, dy);
    return platform::DrawText(dc, text, &r, flags);
}

bool IsCommonSection(const TsSkinModel& model, int skinIndex, TacSection from, TacSection to)
{
    for (int k = int(from); k <= int(to); ++k)
        if (model.ConstData.Sections[std::size_t(k)] == skinIndex)
            return true;
    return false;
}

// The section whose font colours a skinned control's text takes in state s: its own, unless it
// is drawn in one of the common item sections and its parent names a section for its children's
// text, which then applies at rest and while the control's state lets the parent show through.
int FontSection(const TsSkinModel& model, const TextPaintArgs& args, int s)
{
    if (!model.IsValidSkinIndex(args.ParentFontIndex) ||
        !IsCommonSection(model, args.SkinIndex, TacSection::ssMenuItem, TacSection::ssWebBtn))
        return args.SkinIndex;
    const TsGenState& own = model.gd[std::size_t(args.SkinIndex)].Props[std::size_t(s)];
    return s == 0 || own.Transparency > 39 ? args.ParentFontIndex : args.SkinIndex;
}

} // namespace

int WriteTextEx(HDC dc, platform::StringView text, RECT r, platform::UINT flags, const TsSkinModel* model,
                const TextPaintArgs& args)
{
    if (!dc)
        return 0;
    const int saved = platform::SaveDC(dc);
    platform::SetBkMode(dc, platform::TRANSPARENT);
    flags &= ~platform::DT_CALCRECT;
    int answer = 0;
    const bool skinned = model && model->IsValidSkinIndex(args.SkinIndex);
    platform::HFONT underlined = nullptr;
    if (!skinned) {
        if (args.Enabled)
            answer = platform::DrawText(dc, text, &r, flags);
        else {
            DrawAt(dc, text, r, 1, 1, flags, int(platform::GetSysColor(platform::COLOR_BTNHIGHLIGHT)));
            answer = DrawAt(dc, text, r, 0, 0, flags, int(platform::GetSysColor(platform::COLOR_BTNSHADOW)));
        }
    } else if (!args.Enabled) {
        const TsGenState& normal = model->gd[std::size_t(args.SkinIndex)].Props[0];
        answer = DrawAt(dc, text, r, 0, 0, flags, BlendColors(normal.FontColor.Color, normal.Color, DefBlendDisabled));
    } else if (args.CustomFont)
        answer = platform::DrawText(dc, text, &r, flags);
    else {
        const int s = std::clamp(args.State, 0, 2);
        const TsGenState& own = model->gd[std::size_t(args.SkinIndex)].Props[std::size_t(s)];
        const TsFontColor& fc = model->gd[std::size_t(FontSection(*model, args, s))].Props[std::size_t(s)].FontColor;
        if (args.HotLook && model->ConstData.Sections[std::size_t(TacSection::ssWebBtn)] == args.SkinIndex) {
            platform::LOGFONT lf;
            if (platform::GetObjectFont(platform::CurrentFont(dc), &lf)) {
                lf.lfUnderline = true;
                underlined = platform::CreateFontIndirect(lf);
                platform::SelectFont(dc, underlined);
            }
        }
        if (own.GlowSize > 0 && dc->target)
            acDrawGlowForText(dc, text, r, ApplyColorEffects(own.GlowColor, args.Effects), own.GlowSize, flags);
        if (fc.Left != -1)
            DrawAt(dc, text, r, -1, 0, flags, fc.Left);
        if (fc.Top != -1)
            DrawAt(dc, text, r, 0, -1, flags, fc.Top);
        if (fc.Right != -1)
            DrawAt(dc, text, r, 1, 0, flags, fc.Right);
        if (fc.Bottom != -1)
            DrawAt(dc, text, r, 0, 1, flags, fc.Bottom);
        answer = DrawAt(dc, text, r, 0, 0, flags, fc.Color);
    }
    platform::RestoreDC(dc, saved);
    if (underlined)
        platform::DeleteFont(underlined);
    return answer;
}

} // namespace skin
