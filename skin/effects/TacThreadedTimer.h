// The animation of one control: a cross-fade between two finished cache pictures (or the fade of a
// glow alone), stepped by a 10 ms user-interface timer between messages.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/core/Types.h"
#include "platform/core/WinUser.h"

#include <functional>
#include <memory>

namespace skin {

class TsCommonData;

inline constexpr int acMaxIterations = 10;
inline constexpr int acTimerInterval = 10;
inline constexpr int acAnimationTime = acMaxIterations * acTimerInterval;
// ThreadType of an animation that changes only a glow.
inline constexpr int TT_GLOWING = 1;

class TacThreadedTimer {
public:
    // Given the control's data and the step number; answers false when the animation is over.
    using TAnimProc = std::function<bool(TsCommonData& data, int iteration)>;

    explicit TacThreadedTimer(TsCommonData* owner);
    ~TacThreadedTimer();
    TacThreadedTimer(const TacThreadedTimer&) = delete;
    TacThreadedTimer& operator=(const TacThreadedTimer&) = delete;

    bool Enabled() const { return FEnabled; }
    // Starts (the first step runs at once) or stops the user-interface timer.
    void SetEnabled(bool value);
    int Interval() const { return FInterval; }

    // Sets the step count and size for a change to newState from where Glow stands.
    void InitData(int newState, bool fast);
    // One step: answers false when the animation has ended (the timer is stopped then).
    bool Step();
    // The strength of the step just made, 0..255.
    int CurrentValue() const;
    // The weight the start picture keeps in the step just made.
    int FromWeight() const { return State == 1 ? 255 - CurrentValue() : CurrentValue(); }
    // Mixes BmpFrom and BmpTo into BmpOut by the current strength.
    void MixPictures();
    // The step routine runs between these; a timer stopped inside its handler stays stopped.
    bool Running() const { return FEnabled && !Destroyed; }

    // Timers that are running now, in the whole process (none may outlive its control).
    static int RunningCount();

    // Fields, by their engine names.
    bool FEnabled = false;
    int FInterval = acTimerInterval;
    TAnimProc FOnTimer;
    platform::UINT_PTR FTimerThread = 0;
    int FThreadPriority = 0;
    bool InHandler = false;
    bool Executing = false;
    TsCommonData* FOwner;
    double Glow = 0;
    double Value = 0;
    double GlowStep = 0;
    double ValueStep = 0;
    int State = -1;
    int Iteration = 0;
    int IntState = 0;
    int OldState = -1;
    int Iterations = 0;
    // The step the animation started from: a change that resumes part of the way counts the steps
    // already done, and ends Iterations steps later.
    int FirstIteration = 0;
    int ThreadType = 0;
    platform::Bitmap BmpTo, BmpOut, BmpFrom;
    platform::RECT AnimRect{};
    TsCommonData* AnimData;
    bool Destroyed = false;
    void* AnimControl = nullptr;
    TAnimProc AnimProc;

private:
    static void TimerProc(platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD);
    void Tick();
    void StartTimer();
    void StopTimer();
    void Finish();
};

} // namespace skin
