// Colour constants of the UI library and the conversion of system colours to colour values.
#pragma once

#include "platform/core/WinUser.h"
#include "toolkit/Types.h"

namespace toolkit {

constexpr TColor clSystemColor = TColor(0xFF000000);

constexpr TColor clScrollBar = clSystemColor | platform::COLOR_SCROLLBAR,
                 clBackground = clSystemColor | platform::COLOR_BACKGROUND,
                 clActiveCaption = clSystemColor | platform::COLOR_ACTIVECAPTION,
                 clInactiveCaption = clSystemColor | platform::COLOR_INACTIVECAPTION,
                 clMenu = clSystemColor | platform::COLOR_MENU, clWindow = clSystemColor | platform::COLOR_WINDOW,
                 clWindowFrame = clSystemColor | platform::COLOR_WINDOWFRAME,
                 clMenuText = clSystemColor | platform::COLOR_MENUTEXT,
                 clWindowText = clSystemColor | platform::COLOR_WINDOWTEXT,
                 clCaptionText = clSystemColor | platform::COLOR_CAPTIONTEXT,
                 clActiveBorder = clSystemColor | platform::COLOR_ACTIVEBORDER,
                 clInactiveBorder = clSystemColor | platform::COLOR_INACTIVEBORDER,
                 clAppWorkSpace = clSystemColor | platform::COLOR_APPWORKSPACE,
                 clHighlight = clSystemColor | platform::COLOR_HIGHLIGHT,
                 clHighlightText = clSystemColor | platform::COLOR_HIGHLIGHTTEXT,
                 clBtnFace = clSystemColor | platform::COLOR_BTNFACE,
                 clBtnShadow = clSystemColor | platform::COLOR_BTNSHADOW,
                 clGrayText = clSystemColor | platform::COLOR_GRAYTEXT,
                 clBtnText = clSystemColor | platform::COLOR_BTNTEXT,
                 clInactiveCaptionText = clSystemColor | platform::COLOR_INACTIVECAPTIONTEXT,
                 clBtnHighlight = clSystemColor | platform::COLOR_BTNHIGHLIGHT,
                 cl3DDkShadow = clSystemColor | platform::COLOR_3DDKSHADOW,
                 cl3DLight = clSystemColor | platform::COLOR_3DLIGHT,
                 clInfoText = clSystemColor | platform::COLOR_INFOTEXT,
                 clInfoBk = clSystemColor | platform::COLOR_INFOBK,
                 clHotLight = clSystemColor | platform::COLOR_HOTLIGHT;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;

// Not set, and "whatever the default is".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The colour value of c: system colours are looked up, others are returned as they are.
platform::COLORREF ColorToRGB(TColor c);
// The same for what a brush fills with and what a pen draws with: a process that answers its own
// colour queries may give brushes and pens of a colour other values than the colour itself.
platform::COLORREF BrushColorToRGB(TColor c);
platform::COLORREF PenColorToRGB(TColor c);

} // namespace toolkit
