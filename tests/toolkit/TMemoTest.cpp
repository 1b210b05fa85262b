#include "toolkit/FormTester.h"
#include "toolkit/TForm.h"
#include "toolkit/TMemo.h"

#include "platform/system/Clipboard.h"
#include "platform/window/Message.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace toolkit;
using namespace platform;

namespace {

class TMemoForm : public TForm {
public:
    explicit TMemoForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsSingle);
        SetClientWidth(300);
        SetClientHeight(200);
        memo = new TMemo(this);
        memo->SetName(u"Memo1");
        memo->SetParent(this);
        memo->SetBounds(10, 10, 200, 120);
        memo->SetScrollBars(ssVertical);
        memo->OnChange = [this](TObject*) { ++changes; };
    }
    TMemo* memo;
    int changes = 0;
};

class TMemoTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = tester.CreateForm<TMemoForm>();
        form->Show();
        tester.Pump();
        memo = form->memo;
        memo->SetFocus();
        tester.Pump();
    }
    POINT At(int pos)
    {
        TPoint p = memo->PosToClient(pos);
        return POINT{p.x, p.y + memo->LineHeight() / 2};
    }
    String Numbered(int count)
    {
        String text;
        for (int i = 0; i < count; ++i)
            text += (i ? u"\r\nline " : u"line ") + IntToStr(i);
        return text;
    }

    FormTester tester;
    TMemoForm* form = nullptr;
    TMemo* memo = nullptr;
};

} // namespace

TEST_F(TMemoTest, LinesAndTextStayOneAndEnterBreaksTheLine)
{
    memo->Lines()->Add(u"first");
    memo->Lines()->Add(u"second");
    EXPECT_EQ(memo->Text(), u"first\r\nsecond");
    EXPECT_EQ(memo->Lines()->Text(), u"first\r\nsecond\r\n");
    memo->SetText(u"a\nb\r\nc");
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(2), u"c");

    memo->Lines()->SetText(u"one two");
    form->changes = 0;
    tester.Press(VK_END, {ssCtrl});
    tester.Press(VK_LEFT, {ssCtrl});
    tester.Press(VK_RETURN);
    tester.Type(u"и");
    EXPECT_EQ(memo->Text(), u"one \r\nиtwo");
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Strings(1), u"иtwo");
    EXPECT_EQ(form->changes, 2);
    // Enter is the memo's, not the form's.
    EXPECT_NE(SendMessage(memo->Handle(), CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
}

TEST_F(TMemoTest, SelectsAcrossLinesWithKeysAndMouseAndCopiesWithLineBreaks)
{
    memo->SetText(u"alpha\r\nbeta\r\ngamma");
    tester.Press(VK_HOME, {ssCtrl});
    tester.Press(VK_RIGHT);
    tester.Press(VK_DOWN, {ssShift});
    tester.Press(VK_DOWN, {ssShift});
    EXPECT_EQ(memo->SelText(), u"lpha\r\nbeta\r\ng");
    tester.Press('C', {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"lpha\r\nbeta\r\ng");

    // Up and Down keep the column: from the end of "gamma" up lands at the end of "beta".
    tester.Press(VK_END, {ssCtrl});
    tester.Press(VK_UP);
    EXPECT_EQ(memo->CaretIndex(), 11);
    tester.Press(VK_UP);
    EXPECT_EQ(memo->CaretIndex(), 5);
    // A line break is one step for the caret.
    tester.Press(VK_RIGHT);
    EXPECT_EQ(memo->CaretIndex(), 7);
    tester.Press(VK_BACK);
    EXPECT_EQ(memo->Text(), u"alphabeta\r\ngamma");
    memo->SetText(u"alpha\r\nbeta\r\ngamma");

    tester.MouseDown(memo, At(9));
    tester.MouseMove(memo, At(15));
    tester.MouseUp(memo, At(15));
    EXPECT_EQ(memo->SelText(), u"ta\r\nga");
    tester.DoubleClick(memo, At(14));
    EXPECT_EQ(memo->SelText(), u"gamma");
}

TEST_F(TMemoTest, WrapsWordsToTheWidthAndKeepsHardLinesWithoutWrap)
{
    const String paragraph = u"The quick brown fox jumps over the lazy dog and keeps running far away";
    memo->SetText(paragraph + u"\r\nsecond");
    const TRect text = memo->TextRect();
    ASSERT_GT(memo->LineCount(), 3);
    // Every wrapped line but the last ends after a blank, and its last letter lies inside.
    for (int pos = 1; pos < int(paragraph.size()); ++pos) {
        TPoint p = memo->PosToClient(pos);
        if (paragraph[std::size_t(pos - 1)] != u' ') {
            EXPECT_LE(p.x, text.right) << pos;
        }
    }
    const int lines = memo->LineCount();
    EXPECT_EQ(memo->LineOf(int(paragraph.size()) + 2), lines - 1);
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->LineCount(), 2);
    // Without wrapping the caret scrolls sideways instead.
    tester.Press(VK_HOME, {ssCtrl});
    tester.Press(VK_END);
    EXPECT_GT(memo->ScrollX(), 0);
    EXPECT_LT(memo->PosToClient(memo->CaretIndex()).x, text.right);
}

TEST_F(TMemoTest, ScrollingKeepsTheCaretVisible)
{
    memo->SetText(Numbered(50));
    const int visible = memo->TextRect().Height() / memo->LineHeight();
    ASSERT_GT(visible, 3);
    auto caretVisible = [&] {
        int line = memo->LineOf(memo->CaretIndex());
        return line >= memo->TopLine() && line < memo->TopLine() + visible;
    };
    tester.Press(VK_END, {ssCtrl});
    EXPECT_EQ(memo->TopLine(), 50 - visible);
    EXPECT_TRUE(caretVisible());
    tester.Press(VK_HOME, {ssCtrl});
    EXPECT_EQ(memo->TopLine(), 0);
    for (int i = 0; i < visible + 2; ++i)
        tester.Press(VK_DOWN);
    EXPECT_EQ(memo->TopLine(), 3);
    EXPECT_TRUE(caretVisible());
    tester.Press(VK_NEXT);
    EXPECT_TRUE(caretVisible());
    EXPECT_EQ(memo->LineOf(memo->CaretIndex()), 2 * visible + 2);
    tester.Press(VK_PRIOR);
    tester.Press(VK_PRIOR);
    EXPECT_TRUE(caretVisible());

    // The wheel and the scroll bar move the view by themselves.
    tester.Press(VK_HOME, {ssCtrl});
    headless::Wheel(FormTester::ScreenPoint(memo), -WHEEL_DELTA);
    tester.Pump();
    EXPECT_EQ(memo->TopLine(), 3);
    DrawnScrollBar bar = memo->VerticalBar();
    ASSERT_TRUE(bar.Scrollable());
    TRect down = bar.LineDownRect();
    tester.Click(memo, POINT{(down.left + down.right) / 2, (down.top + down.bottom) / 2});
    EXPECT_EQ(memo->TopLine(), 4);
    TRect thumb = bar.ThumbRect();
    POINT grip{(thumb.left + thumb.right) / 2, thumb.top + 2};
    tester.MouseDown(memo, grip);
    tester.MouseMove(memo, POINT{grip.x, bar.TrackRect().bottom + 20});
    tester.MouseUp(memo, POINT{grip.x, bar.TrackRect().bottom + 20});
    EXPECT_EQ(memo->TopLine(), 50 - visible);
    // Typing brings the caret back into view.
    tester.Type(u"x");
    EXPECT_TRUE(caretVisible());
}

TEST_F(TMemoTest, ReadOnlyMemoCanBeSelectedAndCopied)
{
    memo->SetText(u"Donation text\r\nsecond line");
    memo->SetReadOnly(true);
    form->changes = 0;
    tester.Press('A', {ssCtrl});
    tester.Type(u"zz");
    tester.Press(VK_RETURN);
    tester.Press(VK_BACK);
    EXPECT_EQ(memo->Text(), u"Donation text\r\nsecond line");
    tester.Press('C', {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"Donation text\r\nsecond line");
    EXPECT_EQ(form->changes, 0);
    if (const char* dir = std::getenv("LUMO_TOOLKIT_SHOTS")) {
        memo->SetReadOnly(false);
        memo->SetText(Numbered(5) + u"\r\nА long line that wraps around inside the memo's width nicely");
        tester.Press(VK_HOME, {ssCtrl});
        tester.Press(VK_DOWN);
        tester.Press(VK_END, {ssShift});
        tester.Press(VK_DOWN, {ssShift});
        FormTester::SavePng(tester.WindowShot(form), std::string(dir) + "/memo.png");
    }
}
