// The skinned memo: the plain memo paints its own text, on the colours of its section's state
// (hot while focused), set just before each paint; its frame comes from the section's border and
// its scroll bars are drawn from the skin by its TacScrollWnd. Without a skin it paints as the
// plain memo does.
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

    // The section state whose colours the memo shows now: 1 while focused, else 0.
    int ColorState() const;
    // The picture of the whole window for the state (the frame is taken from it); false when the
    // parent is not ready.
    bool PrepareCache();

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void Paint() override;
    void PaintFrame(platform::HDC windowDC) override;

private:
    std::unique_ptr<TsCommonData> skinData_;
    std::unique_ptr<TacScrollWnd> scrollWnd_;
    TsBoundLabel boundLabel_;
};

} // namespace skin
