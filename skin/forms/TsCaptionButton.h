// One title button of a skinned window: where it is, which skin glyph draws it, and the state the
// mouse has put it in.
#pragma once

#include "skin/model/SkinRecords.h"

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace skin {

enum TacTitleButton { tbClose, tbMax, tbMin, tbHelp };
inline constexpr int TitleButtonCount = 4;

struct TsCaptionButton {
    int cpState = 0; // 0 normal, 1 hot, 2 pressed
    int cpGlowID = -1;
    platform::RECT cpRect{}; // window coordinates; empty while the button is hidden
    platform::LRESULT cpHitCode = platform::HTNOWHERE;
    bool cpHaveAlignment = false;
    TacTitleGlyph cpGlyphType = TacTitleGlyph::tgUser;
    bool Visible() const { return !cpRect.IsEmpty(); }
};

} // namespace skin
