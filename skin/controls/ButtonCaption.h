// The caption of a skinned button: its drawing flags, its measured size, the push button's caption
// rectangle and the focus outline around a caption.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "toolkit/Types.h"

namespace skin {

struct CaptionFlagsInput {
    toolkit::TAlignment TextAlignment = toolkit::taCenter;
    bool WordWrap = true;
    bool RightToLeft = false;
    bool Ellipsis = true;
};

// Aligned by TextAlignment, centred vertically, tabs expanded; word breaks with WordWrap, else one
// line.
platform::UINT CaptionFlags(const CaptionFlagsInput& in);

// The caption's size as DrawText lays it out in maxWidth with the font (null: the default GUI
// font); 0 × 0 for no text.
toolkit::TSize MeasureCaption(platform::HFONT font, toolkit::StringView text, int maxWidth, platform::UINT flags);

// A push button without an image centres its caption with one pixel to spare on each side.
toolkit::TRect PushButtonCaptionRect(int width, int height, toolkit::TSize caption);

// The caption rectangle grown by focusMargin + 1 across and focusMargin up and down.
toolkit::TRect FocusRectAround(const toolkit::TRect& caption, int focusMargin);
// The push button's: kept at least 3 pixels inside the top and bottom edges.
toolkit::TRect PushButtonFocusRect(const toolkit::TRect& caption, int focusMargin, int height);

// A dotted outline along r's outer rows and columns: every second pixel, those at an odd distance
// from the top-left corner, so that the dots of all four edges keep one chequer pattern.
void DrawFocusDots(platform::Bitmap& bmp, const toolkit::TRect& r, platform::COLORREF color);

} // namespace skin
