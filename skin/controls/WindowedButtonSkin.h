// What the skinned push buttons with a window of their own (bit buttons and push buttons) share:
// their state, the cache build with the parent's background, the window region of a border with
// shaped corners, the screen paint from the cache, and the mouse, key and focus handling that
// turns into fades. The button supplies its picture and its inherited handling.
#pragma once

#include "skin/controls/ButtonPicture.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"

#include "platform/graphics/Region.h"
#include "toolkit/TButton.h"

#include <optional>

namespace skin {

class WindowedButtonOwner {
public:
    virtual ~WindowedButtonOwner() = default;
    // Paints the button's picture for the skin and state given into cache.
    virtual ButtonPictureResult PaintPicture(const ButtonSkin& skin, bool wantRegion, platform::Bitmap& cache) = 0;
    // The state by the button's own rule.
    virtual int StateFor(const WindowedButtonFacts& facts) const = 0;
    virtual bool ButtonDown() const = 0;
    virtual TacAnimatEvents ButtonAnimatEvents() const = 0;
    // A property that places the content changed since the last cache build.
    virtual bool LayoutChanged() const { return false; }
    virtual void InheritedWndProc(toolkit::TMessage& message) = 0;
    virtual void InheritedPaintWindow(platform::HDC dc) = 0;
};

class WindowedButtonSkin {
public:
    WindowedButtonSkin(toolkit::TButton& button, TsCtrlSkinData& data, WindowedButtonOwner& owner);

    int CurrentState();
    bool PrepareCache();
    // The button's whole window procedure while it has skin data.
    void WndProc(toolkit::TMessage& message);
    void PaintWindow(platform::HDC dc);
    bool Skinned() const { return data_.Skinned(); }

    // The last cache build's result.
    const ButtonPictureResult& LastPicture() const { return last_; }
    // Set when the window region must be made again (resize, press, release, key release).
    bool RegionChanged = true;
    bool FMouseClicked = false;
    std::optional<platform::Region> FRegion;
    toolkit::TRect LastRect{};

private:
    void MouseEntered(bool wasAbove);
    void MouseLeft(bool wasAbove);
    void LeftButtonDown();
    void ShowPressBeforeRelease();
    void FadeAfterRelease();
    bool RegionWanted() const;
    void ApplyRegion();
    const TsMaskData* BorderMask() const;
    void Change(int newState, TacAnimatEvent event, bool glow, bool fast);

    toolkit::TButton& button_;
    TsCtrlSkinData& data_;
    WindowedButtonOwner& owner_;
    // The press is painted although the window no longer reports it (a release shows it once).
    bool forcePressed_ = false;
    ButtonPictureResult last_;
};

} // namespace skin
