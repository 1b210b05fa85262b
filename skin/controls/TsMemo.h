// The skinned memo: the plain memo with its skin data and its bound label; without a skin it paints
// as the plain memo does. Its scroll bars are drawn from the skin by its TacScrollWnd once its
// skin data is skinned; its frame gets its skin with the painting work.
#pragma once

#include "skin/controls/TsBoundLabel.h"
#include "skin/controls/TsCommonData.h"
#include "skin/scroll/TacScrollWnd.h"
#include "toolkit/TMemo.h"

#include <memory>

namespace skin {

class TsMemo : public toolkit::TMemo {
public:
    explicit TsMemo(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    TsBoundLabel& BoundLabel() { return boundLabel_; }
    const TsBoundLabel& BoundLabel() const { return boundLabel_; }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
    std::unique_ptr<TacScrollWnd> scrollWnd_;
    TsBoundLabel boundLabel_;
};

} // namespace skin
