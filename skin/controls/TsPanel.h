// The skinned panel: a plain panel that carries its skin data; without a skin it paints as the
// plain panel does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TPanel.h"

#include <memory>

namespace skin {

class TsPanel : public toolkit::TPanel {
public:
    explicit TsPanel(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
};

} // namespace skin
