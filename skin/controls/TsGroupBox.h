// The skinned group box: the plain group box with its skin data; without a skin it paints as the
// plain group box does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TGroupBox.h"

#include <memory>

namespace skin {

class TsGroupBox : public toolkit::TGroupBox {
public:
    explicit TsGroupBox(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    // Moves the caption plate down from the top border; 0 centres it on the border.
    int CaptionYOffset() const { return captionYOffset_; }
    void SetCaptionYOffset(int value) { captionYOffset_ = value; }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
    int captionYOffset_ = 0;
};

} // namespace skin
