// The skinned label: a transparent plain label that takes its text colour from the skin unless
// UseSkinColor is off. It has no skin data of its own; without a skin it paints as the plain label
// does.
#pragma once

#include "toolkit/TLabel.h"

namespace skin {

class TsSkinManager;

class TsLabel : public toolkit::TLabel {
public:
    explicit TsLabel(toolkit::TComponent* AOwner);

    // Off: the label keeps its own font colour under every skin.
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value) { useSkinColor_ = value; }
    // Null means the default manager.
    TsSkinManager* SkinManager() const { return skinManager_; }
    void SetSkinManager(TsSkinManager* value) { skinManager_ = value; }

private:
    bool useSkinColor_ = true;
    TsSkinManager* skinManager_ = nullptr;
};

} // namespace skin
