#include "skin/effects/TacThreadedTimer.h"

#include "skin/controls/TsCommonData.h"
#include "skin/paint/PixelArithmetic.h"

#include "platform/window/Timer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

using namespace platform;

namespace skin {

namespace {

// Thread timers call a plain procedure with their id; this finds the animation behind it.
std::map<UINT_PTR, TacThreadedTimer*>& Timers()
{
    static std::map<UINT_PTR, TacThreadedTimer*> timers;
    return timers;
}

} // namespace

TacThreadedTimer::TacThreadedTimer(TsCommonData* owner) : FOwner(owner), AnimData(owner) {}

TacThreadedTimer::~TacThreadedTimer()
{
    Destroyed = true;
    StopTimer();
}

int TacThreadedTimer::RunningCount() { return int(Timers().size()); }

void TacThreadedTimer::StartTimer()
{
    if (FTimerThread)
        return;
    FTimerThread = SetTimer(nullptr, 0, UINT(FInterval), TimerProc);
    if (FTimerThread)
        Timers()[FTimerThread] = this;
}

void TacThreadedTimer::StopTimer()
{
    if (!FTimerThread)
        return;
    KillTimer(nullptr, FTimerThread);
    Timers().erase(FTimerThread);
    FTimerThread = 0;
}

void TacThreadedTimer::SetEnabled(bool value)
{
    if (value == FEnabled)
        return;
    FEnabled = value;
    if (!value) {
        StopTimer();
        return;
    }
    StartTimer();
    // The first step is not left to the timer.
    Tick();
}

void TacThreadedTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = Timers().find(id);
    if (it != Timers().end())
        it->second->Tick();
}

void TacThreadedTimer::InitData(int newState, bool fast)
{
    Glow = std::clamp(Glow, 0.0, 255.0);
    Iterations = fast ? acMaxIterations / 2 : acMaxIterations;
    FirstIteration = 0;
    switch (newState) {
    case 0:
        Iterations *= 2;
        GlowStep = Glow / Iterations;
        break;
    case 1:
        if (OldState == 0 || OldState == -1) {
            Iterations = int(std::lround((255 - Glow) * acMaxIterations / 255));
            FirstIteration = int(std::lround(Glow * acMaxIterations / 255));
        } else {
            Iterations = acMaxIterations;
        }
        Iterations = std::max(Iterations, 1);
        GlowStep = (255 - Glow) / Iterations;
        break;
    default:
        GlowStep = Glow / Iterations;
        break;
    }
    Iteration = FirstIteration;
    OldState = State;
    State = newState;
}

int TacThreadedTimer::CurrentValue() const { return std::clamp(int(std::lround(Glow)), 0, 255); }

bool TacThreadedTimer::Step()
{
    ++Iteration;
    if (Iteration > FirstIteration + Iterations) {
        // Going back to normal ends only at nothing left of the hot picture.
        if (State == 0 && CurrentValue() > 0) {
            Glow = 0;
            return true;
        }
        return false;
    }
    if (State == 1)
        Glow += GlowStep;
    else
        Glow -= GlowStep;
    return true;
}

void TacThreadedTimer::MixPictures()
{
    if (BmpFrom.IsEmpty() || BmpTo.IsEmpty())
        return;
    if (BmpOut.Width() != BmpFrom.Width() || BmpOut.Height() != BmpFrom.Height())
        BmpOut = BmpFrom;
    else
        std::memcpy(BmpOut.Data(), BmpFrom.Data(), std::size_t(BmpFrom.Width()) * std::size_t(BmpFrom.Height()) * 4);
    SumBmpRect(BmpOut, BmpTo, FromWeight(), BmpTo.BoundsRect(), POINT{0, 0});
}

void TacThreadedTimer::Finish()
{
    StopTimer();
    FEnabled = false;
    State = -1;
}

void TacThreadedTimer::Tick()
{
    if (Destroyed || Executing || !FEnabled)
        return;
    Executing = true;
    InHandler = true;
    const int target = State;
    const bool more = Step();
    bool keep = more;
    if (more && ThreadType != TT_GLOWING)
        MixPictures();
    if (AnimProc && AnimData && !Destroyed) {
        const int iteration = more ? Iteration : -1;
        if (!AnimProc(*AnimData, iteration))
            keep = false;
    }
    InHandler = false;
    Executing = false;
    if (!keep && !Destroyed) {
        IntState = target;
        Finish();
    }
}

} // namespace skin
