#include "ScrollTestSupport.h"

#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"

using namespace skin;
using namespace scrolltest;
using platform::POINT;

namespace {

using Requests = std::vector<std::pair<int, int>>;
constexpr int LineDown = 1, ThumbPosition = 4, ThumbTrack = 5, EndScroll = 8;

} // namespace

// The list of 95 skin names showing 16 at a time: its bar is read from the list and its thumb
// is 16 x track / 95 long, drawn from the slider section over the two track parts.
TEST_F(ScrollFixture, DropListOfNinetyFiveItemsShowsTheThumbOfItsPage)
{
    toolkit::TComboDropList* list = DropList();
    ASSERT_TRUE(listWrapper_->Active());
    const TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    ASSERT_TRUE(bar.Shown);
    EXPECT_EQ(bar.Info.nMax, 94);
    EXPECT_EQ(bar.Info.nPage, 16);
    EXPECT_EQ(bar.Length, 16 * form_->combo->ItemHeight());
    const int b = platform::GetSystemMetrics(platform::SM_CYVSCROLL);
    EXPECT_EQ(bar.ArrowLength, b);
    const int track = bar.Length - 2 * b;
    EXPECT_EQ(bar.Thumb.Length, std::max(16, (2 * 16 * track + 95) / (2 * 95)));
    EXPECT_EQ(bar.Thumb.Start, b);
    EXPECT_TRUE(bar.ThumbVisible);

    EXPECT_EQ(ColorAt(list, OnBar(bar, bar.Thumb.Start + bar.Thumb.Length / 2)), SliderColor);
    EXPECT_EQ(ColorAt(list, OnBar(bar, bar.Thumb.Start + bar.Thumb.Length + 5)), TrackAfter);
    EXPECT_EQ(ColorAt(list, POINT{bar.Bounds.left, bar.Bounds.top}), ButtonColor);
    EXPECT_EQ(ColorAt(list, OnBar(bar, bar.Length - 1)), ButtonColor);

    // Scrolled to the middle by the keyboard, the thumb follows the list's position.
    list->SetTopIndex(40);
    const TacScrollWnd::BarState middle = listWrapper_->Bar(true);
    EXPECT_EQ(middle.Thumb.Start, b + (40 * (track - middle.Thumb.Length) * 2 + 79) / (2 * 79));
    EXPECT_EQ(ColorAt(list, OnBar(middle, middle.Thumb.Start - 3)), TrackBefore);
    EXPECT_EQ(ColorAt(list, OnBar(middle, middle.Thumb.Start + 2)), SliderColor);
}

// Holding an arrow: one request at once, the next after 300 ms, then one every 55 ms; off the
// arrow the requests pause, back on it they resume; the release ends them.
TEST_F(ScrollFixture, HeldArrowRepeatsAfterTheFirstDelayAtTheRepeatInterval)
{
    toolkit::TComboDropList* list = DropList();
    const TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    const POINT arrow = OnBar(bar, bar.Length - 3);
    tester_->MouseDown(list, arrow);
    EXPECT_EQ(requests_, (Requests{{LineDown, 0}}));
    EXPECT_EQ(list->TopIndex(), 1);
    EXPECT_EQ(ColorAt(list, POINT{bar.Bounds.left, bar.Bounds.bottom - 1}), ButtonPressed);

    tester_->Advance(299);
    EXPECT_EQ(requests_.size(), 1u);
    tester_->Advance(1);
    EXPECT_EQ(requests_.size(), 2u);
    tester_->Advance(54);
    EXPECT_EQ(requests_.size(), 2u);
    tester_->Advance(1);
    EXPECT_EQ(requests_.size(), 3u);
    // One interval at a time: the test's clock runs in steps, and a timer is due again one
    // interval after it was handled.
    for (int i = 0; i < 4; ++i)
        tester_->Advance(55);
    EXPECT_EQ(requests_.size(), 7u);
    EXPECT_EQ(list->TopIndex(), 7);

    // Off the arrow (onto the track): shown released, no requests, the press goes on.
    tester_->MouseMove(list, OnBar(bar, bar.Length / 2));
    EXPECT_EQ(listWrapper_->TimerPortion(), spNone);
    EXPECT_EQ(listWrapper_->PressedPortion(), spArrowAfter);
    EXPECT_EQ(ColorAt(list, POINT{bar.Bounds.left, bar.Bounds.bottom - 1}), ButtonColor);
    for (int i = 0; i < 3; ++i)
        tester_->Advance(55);
    EXPECT_EQ(requests_.size(), 7u);
    // Back on it: the requests resume at the repeat interval.
    tester_->MouseMove(list, arrow);
    tester_->Advance(55);
    EXPECT_EQ(requests_.size(), 8u);
    EXPECT_EQ(list->TopIndex(), 8);

    tester_->MouseUp(list, arrow);
    EXPECT_EQ(requests_.back(), (std::pair<int, int>{EndScroll, 0}));
    const std::size_t atRelease = requests_.size();
    tester_->Advance(1000);
    EXPECT_EQ(requests_.size(), atRelease);
    EXPECT_EQ(listWrapper_->PressedBar(), -1);
}

// A page click repeats too, and stops once the thumb has come to the mouse.
TEST_F(ScrollFixture, HeldTrackPagesUntilTheThumbReachesTheMouse)
{
    toolkit::TComboDropList* list = DropList();
    const TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    const POINT nearEnd = OnBar(bar, bar.Length - bar.ArrowLength - 2);
    tester_->MouseDown(list, nearEnd);
    EXPECT_EQ(requests_, (Requests{{3, 0}}));
    EXPECT_EQ(ColorAt(list, OnBar(bar, bar.Length - bar.ArrowLength - 1)), TrackAfterPressed);
    tester_->Advance(300 + 55 * 20);
    tester_->MouseUp(list, nearEnd);
    // Paging ends at the last page; once the thumb covers the mouse no page request follows.
    EXPECT_EQ(list->TopIndex(), 79);
    int pages = 0;
    for (auto [code, pos] : requests_)
        pages += code == 3 ? 1 : 0;
    EXPECT_LT(pages, 10);
    EXPECT_EQ(requests_.back().first, EndScroll);
}

// Dragging the thumb past either end: track requests up to nMax - nPage + 1 (and down to 0),
// each only when the position changes, then the position request with the last value.
TEST_F(ScrollFixture, ThumbDraggedToEachEnd)
{
    toolkit::TComboDropList* list = DropList();
    TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    POINT grip = OnBar(bar, bar.Thumb.Start + bar.Thumb.Length / 2);
    tester_->MouseDown(list, grip);
    EXPECT_TRUE(listWrapper_->ThumbTracking());
    EXPECT_TRUE(requests_.empty());
    tester_->MouseMove(list, POINT{grip.x, grip.y + 60});
    tester_->MouseMove(list, POINT{grip.x, bar.Bounds.bottom + 300});
    EXPECT_EQ(ColorAt(list, OnBar(bar, bar.Length - bar.ArrowLength - 2)), SliderPressed);
    tester_->MouseMove(list, POINT{grip.x, bar.Bounds.bottom + 400});
    ASSERT_GE(requests_.size(), 2u);
    for (std::size_t i = 0; i < requests_.size(); ++i) {
        EXPECT_EQ(requests_[i].first, ThumbTrack);
        if (i > 0) {
            EXPECT_NE(requests_[i].second, requests_[i - 1].second);
        }
    }
    EXPECT_EQ(requests_.back().second, 79);
    EXPECT_EQ(list->TopIndex(), 79);
    tester_->MouseUp(list, POINT{grip.x, bar.Bounds.bottom + 400});
    EXPECT_EQ(requests_[requests_.size() - 2], (std::pair<int, int>{ThumbPosition, 79}));
    EXPECT_EQ(requests_.back(), (std::pair<int, int>{EndScroll, 79}));
    EXPECT_FALSE(listWrapper_->ThumbTracking());
    EXPECT_EQ(list->TopIndex(), 79);

    bar = listWrapper_->Bar(true);
    EXPECT_EQ(bar.Thumb.Start + bar.Thumb.Length, bar.Length - bar.ArrowLength);
    requests_.clear();
    grip = OnBar(bar, bar.Thumb.Start + 3);
    tester_->MouseDown(list, grip);
    tester_->MouseMove(list, POINT{grip.x, -300});
    tester_->MouseUp(list, POINT{grip.x, -300});
    EXPECT_EQ(requests_, (Requests{{ThumbTrack, 0}, {ThumbPosition, 0}, {EndScroll, 0}}));
    EXPECT_EQ(list->TopIndex(), 0);
}

// Released outside the list, a press ends as anywhere else: the end request, no more repeats,
// and the list keeps the capture it holds while it is dropped down.
TEST_F(ScrollFixture, ReleasedOutsideEndsThePressAndKeepsTheListsCapture)
{
    toolkit::TComboDropList* list = DropList();
    const TacScrollWnd::BarState bar = listWrapper_->Bar(true);
    tester_->MouseDown(list, OnBar(bar, bar.Length - 3));
    tester_->Advance(300);
    const POINT outside{bar.Bounds.right + 150, bar.Bounds.bottom + 80};
    tester_->MouseMove(list, outside);
    tester_->MouseUp(list, outside);
    EXPECT_EQ(requests_.back(), (std::pair<int, int>{EndScroll, 0}));
    EXPECT_EQ(listWrapper_->PressedBar(), -1);
    const std::size_t count = requests_.size();
    tester_->Advance(1000);
    EXPECT_EQ(requests_.size(), count);
    EXPECT_TRUE(form_->combo->DroppedDown());
    EXPECT_EQ(platform::GetCapture(), list->Handle());

    // A thumb released outside sends its position and the end, and the drag is over.
    requests_.clear();
    const TacScrollWnd::BarState now = listWrapper_->Bar(true);
    const POINT grip = OnBar(now, now.Thumb.Start + 2);
    tester_->MouseDown(list, grip);
    tester_->MouseMove(list, POINT{outside.x, grip.y + 40});
    tester_->MouseUp(list, POINT{outside.x, grip.y + 40});
    ASSERT_GE(requests_.size(), 3u);
    EXPECT_EQ(requests_[requests_.size() - 2].first, ThumbPosition);
    EXPECT_EQ(requests_.back().first, EndScroll);
    EXPECT_EQ(list->TopIndex(), requests_.back().second);
    EXPECT_FALSE(listWrapper_->ThumbTracking());

    // The list closing under a held arrow (it gives up its capture) ends the press too.
    requests_.clear();
    tester_->MouseDown(list, OnBar(now, 3));
    ASSERT_EQ(listWrapper_->PressedBar(), 1);
    form_->combo->CloseUp(false);
    tester_->Pump();
    EXPECT_EQ(listWrapper_->PressedBar(), -1);
    tester_->Advance(1000);
    EXPECT_EQ(requests_, (Requests{{0, 0}, {EndScroll, 0}}));
}

// The memo's bar: hover lights the thumb until the mouse leaves, a right click does nothing,
// and the memo gets the mouse capture only for the press.
TEST_F(ScrollFixture, MemoBarHoversAndIgnoresTheRightButton)
{
    form_->FillMemo(60);
    TacScrollWnd& wrapper = WrapMemo();
    toolkit::TMemo* memo = form_->memo;
    const TacScrollWnd::BarState bar = wrapper.Bar(true);
    ASSERT_TRUE(bar.Active);
    const POINT thumb = OnBar(bar, bar.Thumb.Start + bar.Thumb.Length / 2);
    EXPECT_EQ(ColorAt(memo, thumb), SliderColor);

    tester_->MouseMove(memo, thumb);
    EXPECT_EQ(wrapper.HoveredBar(), 1);
    EXPECT_EQ(wrapper.HoveredPortion(), spThumb);
    EXPECT_EQ(ColorAt(memo, thumb), SliderHot);
    tester_->MouseMove(form_, POINT{5, 300});
    tester_->Advance(20);
    EXPECT_EQ(wrapper.HoveredBar(), -1);
    EXPECT_EQ(ColorAt(memo, thumb), SliderColor);

    tester_->MouseDown(memo, OnBar(bar, bar.Length - 3));
    EXPECT_EQ(platform::GetCapture(), memo->Handle());
    tester_->MouseUp(memo, OnBar(bar, bar.Length - 3));
    EXPECT_EQ(platform::GetCapture(), nullptr);
    EXPECT_EQ(memo->TopLine(), 1);

    requests_.clear();
    const POINT track = OnBar(bar, bar.Length - bar.ArrowLength - 2);
    platform::headless::MouseDown(toolkit::FormTester::ScreenPoint(memo, track), platform::MouseButton::Right);
    tester_->Pump();
    EXPECT_TRUE(requests_.empty());
    EXPECT_EQ(memo->TopLine(), 1);
}

// A memo whose lines fit has a bar that cannot scroll: it is drawn blended, clicks on it do
// nothing; without the skin the memo's own bar scrolls again.
TEST_F(ScrollFixture, InactiveBarAndNoSkin)
{
    form_->FillMemo(3);
    TacScrollWnd& wrapper = WrapMemo();
    toolkit::TMemo* memo = form_->memo;
    const TacScrollWnd::BarState bar = wrapper.Bar(true);
    ASSERT_TRUE(bar.Shown);
    EXPECT_FALSE(bar.Active);
    const int corner = ColorAt(memo, POINT{bar.Bounds.left, bar.Bounds.top});
    EXPECT_NE(corner, ButtonColor);
    EXPECT_NE(corner, EditColor);
    tester_->Click(memo, OnBar(bar, bar.Length - 3));
    EXPECT_TRUE(requests_.empty());

    form_->FillMemo(60);
    manager_->SetActive(false);
    tester_->Pump();
    EXPECT_FALSE(wrapper.Active());
    tester_->Click(memo, OnBar(wrapper.Bar(true), wrapper.Bar(true).Length - 3));
    EXPECT_EQ(memo->TopLine(), 1);
    EXPECT_NE(ColorAt(memo, POINT{bar.Bounds.left, bar.Bounds.top}), ButtonColor);
}

// With both bars the horizontal one lies along the bottom up to the vertical one, the corner
// between them takes the track's colour, and its arrows send horizontal requests.
TEST_F(ScrollFixture, MemoWithBothBars)
{
    form_->memo->SetScrollBars(toolkit::ssBoth);
    form_->FillMemo(60);
    form_->memo->Lines()->Add(platform::String(120, u'w'));
    TacScrollWnd& wrapper = WrapMemo();
    toolkit::TMemo* memo = form_->memo;
    const TacScrollWnd::BarState vertical = wrapper.Bar(true), horizontal = wrapper.Bar(false);
    ASSERT_TRUE(vertical.Shown && horizontal.Shown);
    EXPECT_TRUE(horizontal.Active);
    EXPECT_EQ(horizontal.Bounds.right, vertical.Bounds.left);
    EXPECT_EQ(vertical.Bounds.bottom, horizontal.Bounds.top);
    EXPECT_EQ(ColorAt(memo, POINT{vertical.Bounds.left + 2, horizontal.Bounds.top + 2}), TrackBefore);
    EXPECT_EQ(ColorAt(memo, OnBar(horizontal, horizontal.Thumb.Start + 2)), SliderColor);

    const POINT right = OnBar(horizontal, horizontal.Length - 3);
    tester_->MouseDown(memo, right);
    EXPECT_EQ(wrapper.PressedBar(), 0);
    tester_->MouseUp(memo, right);
    EXPECT_EQ(requests_, (Requests{{LineDown, 0}, {EndScroll, 0}}));
    EXPECT_GT(memo->ScrollX(), 0);
    EXPECT_EQ(memo->TopLine(), 0);
}

// A press also ends when another window takes the mouse (with the end request, as a release) and
// when the skin changes under it (silently); no repeat outlives either.
TEST_F(ScrollFixture, PressEndsWhenTheCaptureOrTheSkinGoes)
{
    form_->FillMemo(60);
    TacScrollWnd& wrapper = WrapMemo();
    toolkit::TMemo* memo = form_->memo;
    const TacScrollWnd::BarState bar = wrapper.Bar(true);
    const POINT arrow = OnBar(bar, bar.Length - 3);

    tester_->MouseDown(memo, arrow);
    platform::SetCapture(form_->Handle());
    tester_->Pump();
    EXPECT_EQ(wrapper.PressedBar(), -1);
    EXPECT_EQ(requests_, (Requests{{LineDown, 0}, {EndScroll, 0}}));
    tester_->Advance(1000);
    EXPECT_EQ(requests_.size(), 2u);
    platform::ReleaseCapture();

    requests_.clear();
    manager_->InternalSkins().Add(controlstest::Item(u"Again (internal)", controlstest::MakeSkin(ScrollSections())));
    tester_->MouseDown(memo, arrow);
    ASSERT_EQ(wrapper.PressedBar(), 1);
    manager_->SetSkinName(u"Again (internal)");
    tester_->Pump();
    EXPECT_EQ(wrapper.PressedBar(), -1);
    EXPECT_NE(platform::GetCapture(), memo->Handle());
    tester_->Advance(1000);
    EXPECT_EQ(requests_, (Requests{{LineDown, 0}}));
}
