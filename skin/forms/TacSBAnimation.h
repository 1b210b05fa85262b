// The hover effect of one title button: the button's picture for its new state (or the skin's
// title glow) in a glow window over the button, faded in and out by steps of the window's
// strength while the title itself keeps the button at rest.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

namespace skin {

class TacSBAnimation {
public:
    // hitCode: the button's (HTCLOSE, ...); form: the window whose title holds it.
    TacSBAnimation(platform::HWND form, platform::LRESULT hitCode);
    ~TacSBAnimation();
    TacSBAnimation(const TacSBAnimation&) = delete;
    TacSBAnimation& operator=(const TacSBAnimation&) = delete;

    // Shows picture (premultiplied, the size of screenRect) for state and fades toward full
    // strength in maxIterations steps, from the strength it has now.
    void FadeIn(int state, platform::Bitmap picture, const platform::RECT& screenRect, int maxIterations);
    // Fades toward nothing in maxIterations steps.
    void FadeOut(int maxIterations);
    // One step; false once the effect stands still: at full strength, or faded out (its window
    // and picture are gone then).
    bool Step();
    bool Moving() const { return AForm && (Up ? CurrentLevel < 255 : CurrentLevel > 0); }
    bool FadedOut() const { return !AForm; }

    int CurrentLevel = 0; // the window's strength, 0..255
    int CurrentState = 0; // the state whose picture shows
    int MaxIterations = 10;
    bool Up = true;
    platform::HWND FormHandle;
    platform::LRESULT HitCode;
    platform::HWND AForm = nullptr; // the glow window
    platform::Bitmap ABmp;

private:
    int StepSize() const { return 255 / (MaxIterations > 0 ? MaxIterations : 1); }
    void Release();
};

} // namespace skin
