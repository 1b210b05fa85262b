// The toolkit's basic types: geometry, colours, sets, enumerations and event signatures, with the
// UI library's names so that code written against that library reads the same here.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace toolkit {

using platform::String;
using platform::StringView;
using platform::WCHAR;
using platform::WORD;
using platform::DWORD;
using platform::UINT;
using platform::WPARAM;
using platform::LPARAM;
using platform::LRESULT;

using TRect = platform::RECT;
using TPoint = platform::POINT;
using TSize = platform::SIZE;

// A colour value 0x00BBGGRR, or a system colour (clSystemColor | COLOR_xxx), or clNone / clDefault.
using TColor = std::int32_t;
using TCursor = short;
using TModalResult = int;

// A small set of enumeration values, as the UI library's `set of`.
template <class E>
class Set {
public:
    constexpr Set() = default;
    constexpr Set(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= Bit(v);
    }
    constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr Set& Include(E v) { bits_ |= Bit(v); return *this; }
    constexpr Set& Exclude(E v) { bits_ &= ~Bit(v); return *this; }
    constexpr Set& operator<<(E v) { return Include(v); }
    constexpr Set& operator>>(E v) { return Exclude(v); }
    constexpr Set operator+(Set o) const { Set r; r.bits_ = bits_ | o.bits_; return r; }
    constexpr Set operator-(Set o) const { Set r; r.bits_ = bits_ & ~o.bits_; return r; }
    constexpr Set operator*(Set o) const { Set r; r.bits_ = bits_ & o.bits_; return r; }
    friend constexpr bool operator==(Set a, Set b) { return a.bits_ == b.bits_; }

private:
    static constexpr std::uint64_t Bit(E v) { return std::uint64_t(1) << unsigned(v); }
    std::uint64_t bits_ = 0;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateValue { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = Set<TShiftStateValue>;
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TFormBorderStyle = TBorderStyle;
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = Set<TBorderIcon>;
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
                 poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// Modal results.
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

// Cursors (negative values are the stock cursors).
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crNo = -18, crAppStart = -19, crHandPoint = -21, crSizeAll = -22;

class TObject;
using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, WCHAR& Key)>;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

} // namespace toolkit
