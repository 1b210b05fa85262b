#include "skin/forms/TacSBAnimation.h"

#include "skin/effects/TacGlowEffect.h"

#include "platform/window/Window.h"

#include <algorithm>
#include <utility>

using namespace platform;

namespace skin {

TacSBAnimation::TacSBAnimation(HWND form, LRESULT hitCode) : FormHandle(form), HitCode(hitCode) {}

TacSBAnimation::~TacSBAnimation() { Release(); }

void TacSBAnimation::Release()
{
    if (AForm && IsWindow(AForm))
        DestroyWindow(AForm);
    AForm = nullptr;
    ABmp = Bitmap();
}

void TacSBAnimation::FadeIn(int state, Bitmap picture, const RECT& screenRect, int maxIterations)
{
    CurrentState = state;
    MaxIterations = std::max(1, maxIterations);
    Up = true;
    ABmp = std::move(picture);
    if (!AForm) {
        CurrentLevel = 0;
        AForm = CreateGlowWindow(screenRect, ABmp, CurrentLevel, FormHandle);
        return;
    }
    // Another state's picture (or the same place after a change) goes on from the strength reached.
    SetWindowPos(AForm, nullptr, screenRect.left, screenRect.top, screenRect.Width(), screenRect.Height(),
                 SWP_NOACTIVATE | SWP_NOZORDER);
    SetGlowWindowPicture(AForm, ABmp, CurrentLevel);
}

void TacSBAnimation::FadeOut(int maxIterations)
{
    MaxIterations = std::max(1, maxIterations);
    Up = false;
}

bool TacSBAnimation::Step()
{
    if (!AForm)
        return false;
    const int step = StepSize();
    if (Up) {
        if (CurrentLevel >= 255)
            return false;
        // The last step lands on full strength rather than short of it by the division's rest.
        CurrentLevel = 255 - CurrentLevel - step < step ? 255 : CurrentLevel + step;
    } else {
        CurrentLevel = CurrentLevel - step < step ? 0 : CurrentLevel - step;
        if (CurrentLevel == 0) {
            Release();
            return false;
        }
    }
    SetGlowWindowPicture(AForm, ABmp, CurrentLevel);
    return true;
}

} // namespace skin
