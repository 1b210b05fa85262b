#include "toolkit/TPageControl.h"

#include "platform/text/Font.h"
#include "platform/window/Message.h"
#include "platform/text/Text.h"
#include "platform/window/Window.h"
#include "toolkit/ControlLook.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TCustomForm.h"
#include "toolkit/TTabSheet.h"

#include <algorithm>

namespace toolkit {

using namespace platform;

namespace {

constexpr int kTabPadding = 6;  // left and right of a tab's caption
constexpr int kStripInset = 2;  // the first tab's distance from the left edge and the top
constexpr int kPageMargin = 4;  // between the page frame and the pages

} // namespace

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    ControlStyle = {csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks};
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TPageControl::~TPageControl()
{
    Destroying();
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= int(pages_.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
    return pages_[std::size_t(index)];
}

void TPageControl::InsertPage(TTabSheet* page)
{
    if (std::find(pages_.begin(), pages_.end(), page) != pages_.end())
        return;
    pages_.push_back(page);
    page->pageControl_ = this;
    if (!activePage_)
        ChangeActivePage(page);
    else
        page->SetVisible(false);
    Invalidate();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    TTabSheet* next = activePage_ == page ? FindNextPage(page, true) : activePage_;
    pages_.erase(it);
    page->pageControl_ = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (next != page && !IsDestroying())
            ChangeActivePage(next);
    }
    if (!IsDestroying())
        Invalidate();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    pages_.erase(it);
    index = std::clamp(index, 0, int(pages_.size()));
    pages_.insert(pages_.begin() + index, page);
    Invalidate();
}

int TPageControl::ActivePageIndex() const
{
    for (int i = 0; i < int(pages_.size()); ++i)
        if (pages_[std::size_t(i)] == activePage_)
            return i;
    return -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < int(pages_.size()) ? pages_[std::size_t(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    ChangeActivePage(page);
}

void TPageControl::ChangeActivePage(TTabSheet* page)
{
    if (page == activePage_)
        return;
    TCustomForm* form = GetParentForm(this);
    // The focus must not stay on a page that goes out of sight.
    if (form && activePage_ && activePage_->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(CanFocus() ? this : nullptr);
    activePage_ = page;
    ShowPages();
    Realign();
    Invalidate();
}

void TPageControl::ShowPages()
{
    if (activePage_)
        activePage_->SetVisible(true);
    if (activePage_ && activePage_->HandleAllocated())
        BringWindowToTop(activePage_->Handle());
    for (TTabSheet* page : pages_)
        if (page != activePage_)
            page->SetVisible(false);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const
{
    const int count = int(pages_.size());
    if (count == 0)
        return nullptr;
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (pages_[std::size_t(i)] == current)
            start = i;
    if (start < 0)
        start = goForward ? count - 1 : 0;
    int i = start;
    for (int n = 0; n < count; ++n) {
        i = goForward ? (i + 1) % count : (i + count - 1) % count;
        if (pages_[std::size_t(i)]->TabVisible())
            return pages_[std::size_t(i)];
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward)
{
    TTabSheet* next = FindNextPage(activePage_, goForward);
    if (next && next != activePage_ && CanChange()) {
        SetActivePage(next);
        Change();
    }
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (OnChange)
        OnChange(this);
}

int TPageControl::TabHeight()
{
    return Font()->Handle()->Metrics().tmHeight + 7;
}

TRect TPageControl::TabRect(int index)
{
    if (index < 0 || index >= int(pages_.size()) || !pages_[std::size_t(index)]->TabVisible())
        return TRect{};
    int x = kStripInset;
    for (int i = 0; i < index; ++i)
        if (pages_[std::size_t(i)]->TabVisible())
            x += Font()->Handle()->TextWidth(pages_[std::size_t(i)]->Caption()) + 2 * kTabPadding;
    const int width = Font()->Handle()->TextWidth(pages_[std::size_t(index)]->Caption()) + 2 * kTabPadding;
    TRect r{x, kStripInset, x + width, kStripInset + TabHeight()};
    if (pages_[std::size_t(index)] == activePage_) {
        r.left -= 2;
        r.right += 2;
        r.top -= 2;
        r.bottom += 1;
    }
    return r;
}

int TPageControl::IndexOfTabAt(TPoint p)
{
    // The active tab lies over its neighbours.
    int active = ActivePageIndex();
    if (active >= 0 && TabRect(active).Contains(p))
        return active;
    for (int i = 0; i < int(pages_.size()); ++i)
        if (TabRect(i).Contains(p))
            return i;
    return -1;
}

TRect TPageControl::PageFrameRect()
{
    TRect r = ClientRect();
    r.top = pages_.empty() ? 0 : kStripInset + TabHeight();
    return r;
}

TRect TPageControl::DisplayRect()
{
    TRect r = PageFrameRect();
    InflateRect(&r, -kPageMargin, -kPageMargin);
    return r;
}

void TPageControl::AdjustClientRect(TRect& rect)
{
    rect = DisplayRect();
}

void TPageControl::AlignControls(TControl* control, TRect& rect)
{
    for (TTabSheet* page : pages_)
        page->SetBoundsRect(rect);
    TCustomControl::AlignControls(control, rect);
}

void TPageControl::Loaded()
{
    TCustomControl::Loaded();
    ShowPages();
}

void TPageControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN: {
        FocusOnClick();
        int index = IndexOfTabAt(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (index >= 0 && pages_[std::size_t(index)] != activePage_ && CanChange()) {
            SetActivePage(pages_[std::size_t(index)]);
            Change();
        }
        break;
    }
    case WM_MOUSEMOVE: {
        int index = IndexOfTabAt(TPoint{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        if (index != hotTab_) {
            hotTab_ = index;
            Invalidate();
        }
        break;
    }
    case CM_MOUSELEAVE:
        if (m.LParam == 0 && hotTab_ >= 0) {
            hotTab_ = -1;
            Invalidate();
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Invalidate();
        break;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN:
        if (m.WParam == VK_LEFT || m.WParam == VK_RIGHT) {
            SelectNextPage(m.WParam == VK_RIGHT);
            return;
        }
        break;
    case CM_DIALOGKEY:
        if (m.WParam == VK_TAB && GetKeyState(int(VK_CONTROL)) < 0) {
            TCustomForm* form = GetParentForm(this);
            if (form && ContainsControl(form->ActiveControl())) {
                SelectNextPage(GetKeyState(int(VK_SHIFT)) >= 0);
                m.Result = 1;
                return;
            }
        }
        break;
    case CM_FONTCHANGED:
        Realign();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TPageControl::Paint()
{
    TCanvas& canvas = *Canvas();
    ControlLook& look = CurrentControlLook();
    canvas.Brush()->Color = Color();
    canvas.FillRect(ClientRect());
    look.DrawPageFrame(canvas, PageFrameRect());
    canvas.Font()->Assign(Font());
    const int active = ActivePageIndex();
    auto drawTab = [&](int i) {
        TRect r = TabRect(i);
        if (r.IsEmpty())
            return;
        unsigned state = Enabled() ? 0 : LookState::Disabled;
        if (i == active)
            state |= LookState::Checked;
        else if (i == hotTab_)
            state |= LookState::Hot;
        look.DrawTab(canvas, r, state);
        TRect text = r;
        text.top += i == active ? 1 : 0;
        look.DrawText(canvas, text, pages_[std::size_t(i)]->Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                      Font()->Color(), state & LookState::Disabled);
        if (i == active && Focused()) {
            TRect focus = r;
            InflateRect(&focus, -3, -3);
            look.DrawFocusRect(canvas, focus);
        }
    };
    for (int i = 0; i < int(pages_.size()); ++i)
        if (i != active)
            drawTab(i);
    if (active >= 0)
        drawTab(active);
}

} // namespace toolkit
