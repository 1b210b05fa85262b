#include "toolkit/ControlLook.h"
#include "toolkit/FormTester.h"
#include "toolkit/TEdit.h"
#include "toolkit/TForm.h"

#include "platform/system/Clipboard.h"
#include "platform/window/Message.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace toolkit;
using namespace platform;

namespace {

class TEditForm : public TForm {
public:
    explicit TEditForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsSingle);
        SetClientWidth(300);
        SetClientHeight(100);
        SetColor(clBtnFace);
        edit = new TEdit(this);
        edit->SetName(u"Edit1");
        edit->SetParent(this);
        edit->SetBounds(10, 10, 150, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        other = new TEdit(this);
        other->SetName(u"Edit2");
        other->SetParent(this);
        other->SetBounds(10, 40, 150, 21);
    }
    TEdit* edit;
    TEdit* other;
    int changes = 0;
};

class TEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        form = tester.CreateForm<TEditForm>();
        form->Show();
        tester.Pump();
        edit = form->edit;
        edit->SetFocus();
        tester.Pump();
    }
    // The client point in the middle of the character gap before pos.
    POINT At(int pos)
    {
        TPoint p = edit->PosToClient(pos);
        return POINT{p.x, p.y + edit->LineHeight() / 2};
    }
    void SetTextQuietly(StringView text)
    {
        edit->SetText(text);
        form->changes = 0;
    }

    FormTester tester;
    TEditForm* form = nullptr;
    TEdit* edit = nullptr;
};

} // namespace

TEST_F(TEditTest, KeyboardMovesSelectsAndTypesOverTheSelection)
{
    SetTextQuietly(u"hello world");
    tester.Press(VK_HOME);
    EXPECT_EQ(edit->SelStart(), 0);
    for (int i = 0; i < 5; ++i)
        tester.Press(VK_RIGHT, {ssShift});
    EXPECT_EQ(edit->SelText(), u"hello");
    tester.Type(u"Hey");
    EXPECT_EQ(edit->Text(), u"Hey world");
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->SelStart(), 3);
    tester.Press(VK_END, {ssShift});
    EXPECT_EQ(edit->SelText(), u" world");
    // Left without Shift collapses to the selection's start; Ctrl+Left jumps by words.
    tester.Press(VK_LEFT);
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 0);
    tester.Press(VK_END);
    tester.Press(VK_LEFT, {ssCtrl, ssShift});
    EXPECT_EQ(edit->SelText(), u"world");
    tester.Press(VK_DELETE);
    EXPECT_EQ(edit->Text(), u"Hey ");
    tester.Press(VK_BACK);
    EXPECT_EQ(edit->Text(), u"Hey");
    tester.Press('A', {ssCtrl});
    EXPECT_EQ(edit->SelLength(), 3);
    tester.Type(u"Привет");
    EXPECT_EQ(edit->Text(), u"Привет");
    // Three letters, Delete, Backspace, then the letters of the second word, one change each.
    EXPECT_EQ(form->changes, 3 + 1 + 1 + 6);
}

TEST_F(TEditTest, MouseClickDragAndDoubleClickSelect)
{
    SetTextQuietly(u"alpha beta gamma");
    tester.Click(edit, At(6));
    EXPECT_EQ(edit->SelStart(), 6);
    EXPECT_EQ(edit->SelLength(), 0);

    tester.MouseDown(edit, At(0));
    tester.MouseMove(edit, At(3));
    tester.MouseMove(edit, At(5));
    tester.MouseUp(edit, At(5));
    EXPECT_EQ(edit->SelText(), u"alpha");
    EXPECT_EQ(edit->CaretIndex(), 5);

    // Shift+click extends from the anchor.
    headless::KeyDown(VK_SHIFT);
    tester.Click(edit, At(10));
    headless::KeyUp(VK_SHIFT);
    tester.Pump();
    EXPECT_EQ(edit->SelText(), u"alpha beta");

    tester.DoubleClick(edit, At(8));
    EXPECT_EQ(edit->SelText(), u"beta");
    EXPECT_EQ(form->changes, 0);
}

TEST_F(TEditTest, ClipboardCutCopyPasteRoundTrip)
{
    SetTextQuietly(u"one two");
    tester.Press(VK_END);
    tester.Press(VK_LEFT, {ssCtrl, ssShift});
    tester.Press('C', {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"two");
    tester.Press('X', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"one ");
    EXPECT_EQ(GetClipboardText(), u"two");
    tester.Press(VK_HOME);
    tester.Press('V', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"twoone ");
    EXPECT_EQ(edit->SelStart(), 3);

    // The older keys: Shift+Del cuts, Ctrl+Ins copies, Shift+Ins pastes.
    tester.Press(VK_HOME, {ssShift});
    tester.Press(VK_DELETE, {ssShift});
    EXPECT_EQ(edit->Text(), u"one ");
    EXPECT_EQ(GetClipboardText(), u"two");
    tester.Press(VK_END);
    tester.Press(VK_INSERT, {ssShift});
    EXPECT_EQ(edit->Text(), u"one two");
    tester.Press('A', {ssCtrl});
    tester.Press(VK_INSERT, {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"one two");

    // A single-line edit takes the first line of a pasted text only.
    SetClipboardText(u"first\r\nsecond");
    tester.Press('V', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"first");
    EXPECT_EQ(form->changes, 5);
}

TEST_F(TEditTest, ReadOnlyRefusesEditsButSelectsAndCopies)
{
    SetTextQuietly(u"fixed text");
    edit->SetReadOnly(true);
    SetClipboardText(u"other");
    tester.Press(VK_END);
    tester.Type(u"abc");
    tester.Press(VK_BACK);
    tester.Press(VK_DELETE, {ssShift});
    tester.Press('V', {ssCtrl});
    tester.Press('X', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"fixed text");
    EXPECT_EQ(form->changes, 0);

    tester.Press(VK_LEFT, {ssCtrl, ssShift});
    EXPECT_EQ(edit->SelText(), u"text");
    tester.Press('C', {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"text");
    EXPECT_EQ(edit->Text(), u"fixed text");
}

TEST_F(TEditTest, ChangeFollowsAssignmentsAndEditsAndMaxLengthCapsInput)
{
    edit->SetText(u"abc");
    EXPECT_EQ(form->changes, 1);
    edit->SetText(u"abc");
    EXPECT_EQ(form->changes, 1);
    EXPECT_EQ(GetWindowText(edit->Handle()), u"abc");
    SetWindowText(edit->Handle(), u"from outside");
    EXPECT_EQ(edit->Text(), u"from outside");
    EXPECT_EQ(form->changes, 2);

    SetTextQuietly(u"");
    edit->SetMaxLength(4);
    tester.Type(u"123456");
    EXPECT_EQ(edit->Text(), u"1234");
    EXPECT_EQ(form->changes, 4);
    SetClipboardText(u"zz");
    tester.Press(VK_HOME);
    tester.Press(VK_RIGHT, {ssShift});
    tester.Press('V', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"z234");
    EXPECT_EQ(GetWindowText(edit->Handle()), u"z234");
    EXPECT_TRUE(edit->Modified());
}

TEST_F(TEditTest, ScrollsSidewaysToKeepTheCaretVisible)
{
    SetTextQuietly(u"A rather long line of text that cannot fit into a hundred and fifty pixels");
    const TRect text = edit->TextRect();
    tester.Press(VK_END);
    EXPECT_GT(edit->ScrollX(), 0);
    TPoint caret = edit->PosToClient(edit->CaretIndex());
    EXPECT_GE(caret.x, text.left);
    EXPECT_LT(caret.x, text.right);
    tester.Press(VK_HOME);
    EXPECT_EQ(edit->ScrollX(), 0);
    for (int i = 0; i < 40; ++i)
        tester.Press(VK_RIGHT);
    caret = edit->PosToClient(edit->CaretIndex());
    EXPECT_GE(caret.x, text.left);
    EXPECT_LT(caret.x, text.right);
    // Deleting the far part leaves no blank scrolled-in space.
    tester.Press(VK_END, {ssShift});
    tester.Press(VK_DELETE);
    const int end = edit->PosToClient(edit->CaretIndex()).x;
    EXPECT_LE(end, text.right - 1);
    EXPECT_TRUE(edit->ScrollX() == 0 || end >= text.right - 2) << edit->ScrollX() << " " << end;
}

TEST_F(TEditTest, CaretBlinksOnlyWhileFocusedAndFocusSelectsAllFromTheKeyboard)
{
    SetTextQuietly(u"abc");
    EXPECT_TRUE(edit->CaretShown());
    bool seenOff = false, seenOn = false;
    for (int i = 0; i < 6; ++i) {
        tester.Advance(300);
        (edit->CaretShown() ? seenOn : seenOff) = true;
    }
    EXPECT_TRUE(seenOn);
    EXPECT_TRUE(seenOff);

    form->other->SetText(u"second");
    tester.Press(VK_TAB);
    EXPECT_TRUE(form->other->Focused());
    EXPECT_FALSE(edit->CaretShown());
    EXPECT_EQ(form->other->SelText(), u"second");
    EXPECT_EQ(SendMessage(edit->Handle(), WM_GETDLGCODE, 0, 0) & (DLGC_WANTCHARS | DLGC_WANTARROWS),
              DLGC_WANTCHARS | DLGC_WANTARROWS);
}

TEST_F(TEditTest, PasswordIsHiddenAndNeverCopied)
{
    SetTextQuietly(u"secret");
    edit->SetPasswordChar(u'*');
    SetClipboardText(u"before");
    tester.Press('A', {ssCtrl});
    tester.Press('C', {ssCtrl});
    tester.Press('X', {ssCtrl});
    EXPECT_EQ(GetClipboardText(), u"before");
    EXPECT_EQ(edit->Text(), u"secret");
    // Every character shows as the same mark, so the caret moves by equal steps.
    const int step = edit->PosToClient(1).x - edit->PosToClient(0).x;
    EXPECT_GT(step, 0);
    EXPECT_EQ(edit->PosToClient(6).x - edit->PosToClient(0).x, 6 * step);
}

TEST_F(TEditTest, PaintsSelectionInTheHighlightColourAndTheCaretInTheTextColour)
{
    SetTextQuietly(u"Selected text");
    form->other->SetText(u"Отключено");
    form->other->SetEnabled(false);
    tester.Press(VK_HOME);
    tester.Press(VK_RIGHT, {ssCtrl, ssShift});
    Bitmap shot = tester.WindowShot(form);
    if (const char* dir = std::getenv("LUMO_TOOLKIT_SHOTS"))
        FormTester::SavePng(shot, std::string(dir) + "/edit.png");
    RECT formWindow{}, client{};
    GetWindowRect(form->Handle(), &formWindow);
    POINT origin = edit->ClientToScreen(TPoint{0, 0});
    const int ox = origin.x - formWindow.left, oy = origin.y - formWindow.top;
    const TRect text = edit->TextRect();
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    // The selection's first column is the highlight colour, top to bottom of the line.
    const int selX = edit->PosToClient(0).x + 1, selY = text.top + 1;
    EXPECT_EQ(PixelToColor(shot.Pixel(ox + selX, oy + selY)), highlight);
    int highlighted = 0;
    for (int x = text.left; x < text.right; ++x)
        if (PixelToColor(shot.Pixel(ox + x, oy + text.top)) == highlight)
            ++highlighted;
    EXPECT_NEAR(highlighted, edit->PosToClient(edit->SelLength()).x - edit->PosToClient(0).x, 1);
    // The disabled edit lies on the button face, its text in the look's disabled colour.
    POINT otherOrigin = form->other->ClientToScreen(TPoint{0, 0});
    const int dx = otherOrigin.x - formWindow.left, dy = otherOrigin.y - formWindow.top;
    EXPECT_EQ(PixelToColor(shot.Pixel(dx + form->other->ClientWidth() - 3, dy + 3)), GetSysColor(COLOR_BTNFACE));
    const COLORREF disabled = ColorToRGB(CurrentControlLook().DisabledTextColor());
    int disabledInk = 0;
    for (int y = 0; y < form->other->ClientHeight(); ++y)
        for (int x = 0; x < form->other->ClientWidth(); ++x)
            disabledInk += PixelToColor(shot.Pixel(dx + x, dy + y)) == disabled;
    EXPECT_GT(disabledInk, 20);

    // The caret: a one-pixel column at the caret's place, present only while focused.
    tester.Press(VK_END);
    GetClientRect(edit->Handle(), &client);
    const int caretX = edit->PosToClient(edit->CaretIndex()).x;
    shot = tester.WindowShot(form);
    if (!edit->CaretShown()) {
        tester.Advance(600);
        shot = tester.WindowShot(form);
    }
    ASSERT_TRUE(edit->CaretShown());
    EXPECT_EQ(PixelToColor(shot.Pixel(ox + caretX, oy + text.top + 2)), RGB(0, 0, 0));
    EXPECT_NE(PixelToColor(shot.Pixel(ox + caretX + 2, oy + text.top + 2)), RGB(0, 0, 0));
}

TEST_F(TEditTest, CaretAndDeletionNeverSplitASurrogatePair)
{
    SetTextQuietly(u"a\U0001F600b");
    tester.Press(VK_END);
    tester.Press(VK_LEFT);
    tester.Press(VK_LEFT);
    EXPECT_EQ(edit->SelStart(), 1);
    tester.Press(VK_RIGHT, {ssShift});
    EXPECT_EQ(edit->SelText(), u"\U0001F600");
    tester.Press(VK_RIGHT);
    tester.Press(VK_BACK);
    EXPECT_EQ(edit->Text(), u"ab");
    // A selection start inside the pair moves to its beginning.
    edit->SetText(u"\U0001F600x");
    edit->SetSelStart(1);
    EXPECT_EQ(edit->SelStart(), 0);
    // MaxLength does not keep half of a pasted pair.
    SetTextQuietly(u"");
    edit->SetMaxLength(2);
    SetClipboardText(u"z\U0001F600");
    tester.Press('V', {ssCtrl});
    EXPECT_EQ(edit->Text(), u"z");
}

TEST_F(TEditTest, FrameShowsHoverAndFocus)
{
    auto frameColour = [&](TEdit* e) {
        Bitmap shot = tester.WindowShot(form);
        RECT formWindow{}, window{};
        GetWindowRect(form->Handle(), &formWindow);
        GetWindowRect(e->Handle(), &window);
        return PixelToColor(shot.Pixel(window.left - formWindow.left, window.top - formWindow.top + 10));
    };
    const COLORREF normal = frameColour(form->other);
    const COLORREF focused = frameColour(edit);
    EXPECT_NE(normal, focused);
    tester.MoveMouseTo(FormTester::ScreenPoint(form->other));
    const COLORREF hot = frameColour(form->other);
    EXPECT_NE(hot, normal);
    tester.MoveMouseTo(FormTester::ScreenPoint(form, POINT{250, 90}));
    EXPECT_EQ(frameColour(form->other), normal);
}
