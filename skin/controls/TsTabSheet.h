// The skinned tab sheet: it has no look of its own; it shows the part of its page control's
// picture that lies under it, and passes its children's background and font questions on to the
// page control. Without a skin it paints as the plain tab sheet does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TTabSheet.h"

#include <memory>

namespace skin {

enum TacTabType { ttTab, ttButton, ttMenu };

class TsTabSheet : public toolkit::TTabSheet {
public:
    explicit TsTabSheet(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    TacTabType TabType() const { return tabType_; }
    void SetTabType(TacTabType value) { tabType_ = value; }
    // A section for this page's tab instead of the skin's tab sections; empty: none.
    const platform::String& TabSkin() const { return tabSkin_; }
    void SetTabSkin(platform::StringView value) { tabSkin_ = platform::String(value); }

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void EraseBackground(platform::HDC dc) override;
    void PaintWindow(platform::HDC dc) override;

private:
    // The page control's finished picture, when it is skinned; null otherwise.
    const platform::Bitmap* PageControlPicture();

    std::unique_ptr<TsCommonData> skinData_;
    TacTabType tabType_ = ttTab;
    platform::String tabSkin_;
};

} // namespace skin
