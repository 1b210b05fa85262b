// A static control of a taken-over dialog drawn on the skin: its text without a background of its
// own, in the dialog's font colour, or its icon over the dialog's picture.
#pragma once

#include "skin/dialogs/TacSubclassedWnd.h"

#include <functional>

namespace skin {

class TacStaticWnd : public TacSubclassedWnd {
public:
    // textColor: the colour of the text now (it follows the skin); a negative answer leaves the
    // control to paint itself.
    TacStaticWnd(platform::HWND hwnd, std::function<int()> textColor);

    // Whether a static of this style is drawn on the skin (text and icons; owner-drawn and
    // plain rectangles are left alone).
    static bool Wrappable(platform::DWORD style);

protected:
    platform::LRESULT WndProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

private:
    void Paint(platform::HDC dc);

    std::function<int()> textColor_;
};

} // namespace skin
