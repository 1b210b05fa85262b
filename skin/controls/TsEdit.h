// The skinned edit: its section (normal, or hot while it has the focus) with the border from the
// skin and its text in the state's colours, copied from its cache; while it is enabled and focused
// the plain edit paints its own text, caret and selection on the colour the skin gave it. Without
// a skin it paints as the plain edit does.
#pragma once

#include "skin/controls/TsBoundLabel.h"
#include "skin/controls/TsButtonSkinProperties.h"
#include "skin/controls/TsCtrlSkinData.h"
#include "toolkit/TEdit.h"

#include <memory>

namespace skin {

class TsEdit : public toolkit::TEdit {
public:
    explicit TsEdit(toolkit::TComponent* AOwner);

    TsCtrlSkinData* SkinData() { return skinData_.get(); }
    const TsCtrlSkinData* SkinData() const { return skinData_.get(); }
    TsBoundLabel& BoundLabel() { return boundLabel_; }
    const TsBoundLabel& BoundLabel() const { return boundLabel_; }
    TacDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TacDisabledKind value) { disabledKind_ = value; }
    toolkit::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(toolkit::TAlignment value);

    // The text as the cache shows it: one U+25CF per character for "*", the password character
    // for any other.
    platform::String ShownText() const;
    // The whole window's picture (frame included) into the cache; false when the parent is not
    // ready.
    bool PrepareCache();

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void Paint() override;
    void PaintFrame(platform::HDC windowDC) override;

private:

    std::unique_ptr<TsCtrlSkinData> skinData_;
    TsBoundLabel boundLabel_;
    TacDisabledKind disabledKind_{dkBlended};
    toolkit::TAlignment alignment_ = toolkit::taLeftJustify;
};

} // namespace skin
