// The skinned tab sheet: the plain tab sheet with its skin data; without a skin it paints as the
// plain tab sheet does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TTabSheet.h"

#include <memory>

namespace skin {

class TsTabSheet : public toolkit::TTabSheet {
public:
    explicit TsTabSheet(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
};

} // namespace skin
