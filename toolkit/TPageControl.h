// Pages with tabs along the top. A click on a tab, Left and Right while the control has the
// focus, and Ctrl+Tab anywhere inside it change the active page (OnChanging may refuse,
// OnChange follows).
#pragma once

#include "toolkit/TCustomControl.h"

#include <functional>
#include <vector>

namespace toolkit {

class TTabSheet;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The next or previous page with a visible tab, wrapping around.
    void SelectNextPage(bool goForward);
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward) const;

    // The tab's rectangle (empty for a hidden tab); the active tab is drawn 2 pixels larger.
    TRect TabRect(int index);
    int IndexOfTabAt(TPoint p);
    // The frame around the pages and the area the pages fill.
    TRect PageFrameRect();
    TRect DisplayRect();

    TNotifyEvent OnChange;
    std::function<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    void WndProc(TMessage& message) override;
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Paint() override;
    void Loaded() override;
    virtual bool CanChange();
    virtual void Change();

private:
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void ShowPages();
    int TabHeight();
    void ChangeActivePage(TTabSheet* page);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    int hotTab_ = -1;

    friend class TTabSheet;
};

} // namespace toolkit
