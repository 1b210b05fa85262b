// The skinned page control: the plain page control with its skin data; without a skin it paints as
// the plain page control does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TPageControl.h"

#include <memory>

namespace skin {

class TsPageControl : public toolkit::TPageControl {
public:
    explicit TsPageControl(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    // The section of the line under the tabs; empty: none.
    const platform::String& TabsLineSkin() const { return tabsLineSkin_; }
    void SetTabsLineSkin(platform::StringView value) { tabsLineSkin_ = platform::String(value); }

protected:
    void Loaded() override;

private:
    std::unique_ptr<TsCommonData> skinData_;
    platform::String tabsLineSkin_;
};

} // namespace skin
