#include "skin/paint/SectionColor.h"

#include "skin/paint/PixelArithmetic.h"

#include <algorithm>

namespace skin {

int SectionStateIndex(const TsGeneralData& section, int state)
{
    const int s = std::clamp(state, 0, 2);
    return s < section.States ? s : 0;
}

int SectionColor(const TsSkinModel& model, int skinIndex, int state, int parentColor, int customColor)
{
    if (!model.IsValidSkinIndex(skinIndex))
        return parentColor;
    if (customColor != clNone && customColor != clFuchsia)
        return customColor;
    const TsGeneralData& g = model.gd[std::size_t(skinIndex)];
    const TsGenState& p = g.Props[std::size_t(SectionStateIndex(g, state))];
    if (p.Transparency <= 0)
        return p.Color;
    if (p.Transparency >= 100)
        return parentColor;
    return BlendColors(parentColor, p.Color, p.Transparency * 255 / 100);
}

} // namespace skin
