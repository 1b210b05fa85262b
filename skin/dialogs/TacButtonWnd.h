// A push button of a taken-over window, painted from the skin's "BUTTON" section over the picture
// of its parent: hot under the mouse or with the focus, pressed while held, the default button at
// rest in state 3. The button's own procedure still does everything else (clicks, keys, focus).
#pragma once

#include "skin/dialogs/TacSubclassedWnd.h"

#include "platform/core/Bitmap.h"

namespace skin {

class TsSkinManager;

class TacButtonWnd : public TacSubclassedWnd {
public:
    TacButtonWnd(TsSkinManager& manager, platform::HWND hwnd);

    // 0 normal, 1 hot or focused, 2 pressed, 3 the default button at rest.
    int CurrentState() const;
    bool Skinned() const;

protected:
    platform::LRESULT WndProc(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) override;

private:
    void Paint(platform::HDC dc);
    bool IsDefault() const;
    void SetHot(bool hot);

    TsSkinManager& manager_;
    platform::Bitmap cache_;
    bool hot_ = false;
    bool held_ = false;      // the left button went down on it and is still down
    bool spaceHeld_ = false;
};

} // namespace skin
