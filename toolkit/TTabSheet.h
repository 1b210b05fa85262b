// A page of a page control: its caption is the tab's text; only the active page is shown.
#pragma once

#include "toolkit/TCustomControl.h"

namespace toolkit {

class TPageControl;

class TTabSheet : public TCustomControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Puts the page on a page control (as its parent), last in the tab order.
    void SetPageControl(TPageControl* pageControl);
    int PageIndex() const;
    void SetPageIndex(int value);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);

    void SetParent(TWinControl* parent) override;

protected:
    void WndProc(TMessage& message) override;

private:
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;

    friend class TPageControl;
};

} // namespace toolkit
