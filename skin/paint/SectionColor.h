// The one plain colour of a section state: what a fast section is filled with and what a control
// answers when a child asks for its colour.
#pragma once

#include "skin/model/TsSkinModel.h"

namespace skin {

inline constexpr int clNone = int(platform::clNone);

// The state whose values a section shows: states above 2 count as 2, and a state the section
// does not have falls back to 0.
int SectionStateIndex(const TsGeneralData& section, int state);

// Transparency 0 gives the state's colour (customColor instead when it is not clNone), 100 the
// parent's colour, anything between BlendColors(parentColor, colour, T * 255 / 100).
int SectionColor(const TsSkinModel& model, int skinIndex, int state, int parentColor, int customColor = clNone);

} // namespace skin
