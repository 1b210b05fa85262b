// The picture of a skinned window's frame in its provider's cache: the whole window from the
// form section, the title band from the title section, the icon, the caption text and the title
// buttons in their states.
#pragma once

#include "skin/forms/TitleLayout.h"

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"
#include "toolkit/Types.h"

#include <array>

namespace skin {

class TsSkinModel;

struct FramePaintArgs {
    const TsSkinModel* Model = nullptr;
    int FormIndex = -1;    // "FORM"
    int TitleIndex = -1;   // "FORMTITLE" or the provider's TitleSkin
    int CaptionIndex = -1; // "CAPTION", -1 when the skin has none
    const TitleLayout* Layout = nullptr;
    bool Active = true;
    bool Enabled = true;
    platform::String Caption;
    platform::HICON Icon = nullptr;
    toolkit::TAlignment CaptionAlignment = toolkit::taLeftJustify;
    bool RightToLeft = false;
    // Buttons (in the layout's order) whose hover effect shows their state over the title: the
    // title keeps them at rest.
    std::array<bool, TitleButtonCount> UnderEffect{};
};

// The whole window into cache (already sized to the window). tempBmp receives the title under the
// buttons, so that one button can be repainted later without the rest.
void PaintFrame(platform::Bitmap& cache, const FramePaintArgs& args, platform::Bitmap* tempBmp);

// One title button in its state over the title kept in tempBmp.
void PaintTitleButton(platform::Bitmap& cache, const platform::Bitmap& tempBmp, const FramePaintArgs& args,
                      const TsCaptionButton& button);

// What a title button's hover effect shows for its state: the skin's title glow for a hot close,
// maximise or minimise button that has one (rect: the button grown by the glow margin on the left
// and top to the glow's size), else the button's image for the state on a transparent picture
// (rect: the button's). Window coordinates; empty when the skin has no picture for it.
platform::Bitmap TitleButtonEffectPicture(const TsSkinModel& model, const TsCaptionButton& b, platform::RECT& rect);

} // namespace skin
