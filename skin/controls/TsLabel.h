// The skinned label: a transparent plain label that takes its text colour from the skin unless
// UseSkinColor is off. It has no skin data of its own: at every paint it asks its parent which
// section's font colours apply to the place it stands on (the font-index question), so text on a
// see-through container takes the colours of the surface really visible under it. Without a skin
// it paints as the plain label does.
#pragma once

#include "toolkit/TLabel.h"

namespace skin {

class TsSkinManager;

class TsLabel : public toolkit::TLabel {
public:
    explicit TsLabel(toolkit::TComponent* AOwner);

    // Off: the label keeps its own font colour under every skin.
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);
    // Null means the default manager.
    TsSkinManager* SkinManager() const { return skinManager_; }
    void SetSkinManager(TsSkinManager* value) { skinManager_ = value; }

    // The colour the text is drawn in now: from the section the parent names, the skin's label
    // colour when it names none, the label's own font colour without an active skin or with
    // UseSkinColor off; blended with the parent's colour while disabled.
    platform::COLORREF TextColor();

protected:
    void WndProc(toolkit::TMessage& message) override;
    void Paint() override;

private:
    // The manager whose skin is in force for this label; null when none is active.
    TsSkinManager* ActiveManager() const;

    bool useSkinColor_ = true;
    TsSkinManager* skinManager_ = nullptr;
    // Whether the label took its parent's font before a skin refresh, so that removing the skin
    // gives it back.
    bool savedParentFont_ = false;
};

} // namespace skin
