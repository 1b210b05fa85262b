#include "toolkit/TTabSheet.h"

#include "toolkit/TPageControl.h"

namespace toolkit {

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    Destroying();
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pageControl)
{
    SetParent(pageControl);
}

void TTabSheet::SetParent(TWinControl* parent)
{
    if (pageControl_ && pageControl_ != parent)
        pageControl_->RemovePage(this);
    TCustomControl::SetParent(parent);
    if (auto* pages = dynamic_cast<TPageControl*>(parent); pages && pages != pageControl_)
        pages->InsertPage(this);
}

int TTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    for (int i = 0; i < pageControl_->PageCount(); ++i)
        if (pageControl_->Pages(i) == this)
            return i;
    return -1;
}

void TTabSheet::SetPageIndex(int value)
{
    if (pageControl_)
        pageControl_->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value)
{
    if (value == tabVisible_)
        return;
    tabVisible_ = value;
    if (pageControl_) {
        if (!value && pageControl_->ActivePage() == this)
            pageControl_->SetActivePage(pageControl_->FindNextPage(this, true));
        pageControl_->Invalidate();
    }
}

void TTabSheet::WndProc(TMessage& m)
{
    if (m.Msg == CM_TEXTCHANGED && pageControl_) {
        pageControl_->Invalidate();
        return;
    }
    TCustomControl::WndProc(m);
}

} // namespace toolkit
