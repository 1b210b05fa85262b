// The skin engine's private message and its commands: the one channel between the manager,
// windows and controls. The command goes in the high word of WParam.
#pragma once

#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace skin {

constexpr platform::UINT SM_VELTACMD = 0xA100;
// Sent to the application window: every form is to repaint (AC_INVALIDATE).
constexpr platform::UINT WM_ENGINE_INVALIDATE = 0xB000;

constexpr platform::WORD AC_SETNEWSKIN = 1, AC_REMOVESKIN = 2, AC_REFRESH = 3, AC_GETPROVIDER = 4, AC_GETCACHE = 5,
                         AC_ENDPARENTUPDATE = 6, AC_CTRLHANDLED = 7, AC_UPDATING = 8, AC_GETDEFINDEX = 9,
                         AC_PREPARING = 10, AC_GETHALFVISIBLE = 11, AC_GETLISTSW = 12, AC_UPDATESECTION = 13,
                         AC_DROPPEDDOWN = 14, AC_SETSECTION = 15, AC_STOPFADING = 16, AC_SETBGCHANGED = 17,
                         AC_INVALIDATE = 18, AC_CHILDCHANGED = 19, AC_SETCHANGEDIFNECESSARY = 20,
                         AC_GETCONTROLCOLOR = 21, AC_SETHALFVISIBLE = 22, AC_PREPARECACHE = 23, AC_DRAWANIMAGE = 24,
                         AC_CONTROLLOADED = 25, AC_GETSKININDEX = 26, AC_GETSERVICEINT = 27,
                         AC_UPDATECHILDREN = 28, AC_MOUSEENTER = 29, AC_MOUSELEAVE = 30, AC_BEGINUPDATE = 31,
                         AC_ENDUPDATE = 32, AC_CLEARCACHE = 33, AC_GETBG = 34, AC_GETDISKIND = 35,
                         AC_GETSKINSTATE = 36, AC_GETSKINDATA = 37, AC_PRINTING = 38, AC_PAINTOUTER = 40,
                         AC_BEFORESCROLL = 51, AC_AFTERSCROLL = 52, AC_REINITSCROLLS = 53, AC_GETAPPLICATION = 60,
                         AC_PARENTCLOFFSET = 61, AC_NCPAINT = 62, AC_SETPOSCHANGING = 63, AC_GETPOSCHANGING = 64,
                         AC_SETALPHA = 65, AC_GETFONTINDEX = 66, AC_GETBORDERWIDTH = 67, AC_SETSCALE = 68,
                         AC_GETSCALE = 69, AC_GETOUTRGN = 70, AC_COPYDATA = 71, AC_POPUPCLOSED = 72,
                         AC_UPDATESHADOW = 73, AC_SKINCHANGED = 74, AC_SKINLISTCHANGED = 75;

// A command with an argument in the low word (AC_SETBGCHANGED with 1, AC_UPDATING with 1).
constexpr platform::WPARAM AcCommand(platform::WORD command, platform::WORD argument)
{
    return platform::MAKEWPARAM(argument, command);
}
constexpr platform::WORD AcArgumentOf(platform::WPARAM wParam) { return platform::LOWORD(wParam); }
constexpr platform::WPARAM AcCommand(platform::WORD command) { return platform::MAKEWPARAM(0, command); }
constexpr platform::WORD AcCommandOf(platform::WPARAM wParam) { return platform::HIWORD(wParam); }

} // namespace skin
