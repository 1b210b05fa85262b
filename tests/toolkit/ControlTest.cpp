#include "toolkit/FormTester.h"
#include "toolkit/TCustomControl.h"
#include "toolkit/TForm.h"
#include "toolkit/TGraphicControl.h"
#include "toolkit/THintWindow.h"

#include "platform/window/Cursor.h"
#include "platform/window/Window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;
using platform::POINT;

namespace {

// A focusable windowed control and a windowless one, as the standard controls are built.
class TBox : public TCustomControl {
public:
    explicit TBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<std::u16string>* log = nullptr;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == platform::WM_LBUTTONDOWN)
            FocusOnClick();
        if (log && (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && m.LParam == 0)
            log->push_back(Name() + (m.Msg == CM_MOUSEENTER ? u" enter" : u" leave"));
        TCustomControl::WndProc(m);
    }
};

class TMark : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::u16string>* log = nullptr;

protected:
    void WndProc(TMessage& m) override
    {
        if (log && (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) && m.LParam == 0)
            log->push_back(Name() + (m.Msg == CM_MOUSEENTER ? u" enter" : u" leave"));
        TGraphicControl::WndProc(m);
    }
};

class AlignForm : public TForm {
public:
    explicit AlignForm(TComponent* owner) : TForm(owner)
    {
        SetBorderStyle(bsSizeable);
        SetClientWidth(300);
        SetClientHeight(200);
        top = FormTester::Make<TBox>(this, this, u"top", 0, 0, 300, 40);
        top->SetAlign(alTop);
        bottom = FormTester::Make<TBox>(this, this, u"bottom", 0, 160, 300, 30);
        bottom->SetAlign(alBottom);
        client = FormTester::Make<TBox>(this, this, u"client", 0, 40, 300, 120);
        client->SetAlign(alClient);
        right = FormTester::Make<TMark>(this, top, u"right", 200, 2, 24, 24);
        right->SetAlign(alRight);
    }
    TBox *top, *bottom, *client;
    TMark* right;
};

} // namespace

TEST(TControlTest, AlignedControlsFollowTheirParentsSize)
{
    FormTester tester;
    auto* form = tester.CreateForm<AlignForm>();
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(form->top->BoundsRect(), (TRect{0, 0, 300, 40}));
    EXPECT_EQ(form->bottom->BoundsRect(), (TRect{0, 170, 300, 200}));
    EXPECT_EQ(form->client->BoundsRect(), (TRect{0, 40, 300, 170}));
    EXPECT_EQ(form->right->BoundsRect(), (TRect{276, 0, 300, 40}));

    form->Show();
    tester.Pump();
    form->SetClientWidth(420);
    form->SetClientHeight(260);
    tester.Pump();
    EXPECT_EQ(form->ClientWidth(), 420);
    EXPECT_EQ(form->top->BoundsRect(), (TRect{0, 0, 420, 40}));
    EXPECT_EQ(form->bottom->BoundsRect(), (TRect{0, 230, 420, 260}));
    EXPECT_EQ(form->client->BoundsRect(), (TRect{0, 40, 420, 230}));
    // A windowless control aligned right follows its windowed parent.
    EXPECT_EQ(form->right->BoundsRect(), (TRect{396, 0, 420, 40}));

    // Hiding an aligned control gives its room to the client control; changing its height too.
    form->bottom->Hide();
    EXPECT_EQ(form->client->BoundsRect(), (TRect{0, 40, 420, 260}));
    form->bottom->Show();
    form->top->SetHeight(60);
    EXPECT_EQ(form->client->BoundsRect(), (TRect{0, 60, 420, 230}));

    // The window agrees with the bounds.
    platform::RECT r{};
    platform::GetClientRect(form->client->Handle(), &r);
    EXPECT_EQ(r.Width(), 420);
    EXPECT_EQ(r.Height(), 170);
}

namespace {

class TabForm : public TForm {
public:
    explicit TabForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(400);
        SetClientHeight(200);
        panel = FormTester::Make<TBox>(this, this, u"panel", 0, 0, 400, 100);
        panel->SetTabStop(false);
        panel->ControlStyle.Include(csAcceptsControls);
        panel->SetTabOrder(1);
        // Tab order values as a stored form gives them, out of creation order.
        a = FormTester::Make<TBox>(this, panel, u"a", 10, 10, 50, 20);
        a->SetTabOrder(2);
        b = FormTester::Make<TBox>(this, panel, u"b", 70, 10, 50, 20);
        b->SetTabOrder(0);
        c = FormTester::Make<TBox>(this, panel, u"c", 130, 10, 50, 20);
        c->SetTabOrder(1);
        d = FormTester::Make<TBox>(this, this, u"d", 10, 120, 50, 20);
        d->SetTabOrder(0);
        hidden = FormTester::Make<TBox>(this, this, u"hidden", 70, 120, 50, 20);
        hidden->SetTabOrder(2);
        hidden->SetVisible(false);
        noStop = FormTester::Make<TBox>(this, this, u"noStop", 130, 120, 50, 20);
        noStop->SetTabStop(false);
    }
    TBox *panel, *a, *b, *c, *d, *hidden, *noStop;
};

TWinControl* Focused()
{
    return TWinControl::FindControl(platform::GetFocus());
}

} // namespace

TEST(TWinControlTest, TabAndShiftTabMoveFocusInTabOrder)
{
    FormTester tester;
    auto* form = tester.CreateForm<TabForm>();
    EXPECT_EQ(form->b->TabOrder(), 0);
    EXPECT_EQ(form->c->TabOrder(), 1);
    EXPECT_EQ(form->a->TabOrder(), 2);
    EXPECT_EQ(form->d->TabOrder(), 0);
    EXPECT_EQ(form->panel->TabOrder(), 1);

    form->Show();
    tester.Pump();
    // Activation focuses the first control of the tab order.
    EXPECT_EQ(Focused(), form->d);
    EXPECT_EQ(form->ActiveControl(), form->d);

    std::vector<TWinControl*> seen;
    for (int i = 0; i < 5; ++i) {
        tester.Press(platform::VK_TAB);
        seen.push_back(Focused());
    }
    // Hidden controls and those without a tab stop are skipped; the order wraps around.
    EXPECT_EQ(seen, (std::vector<TWinControl*>{form->b, form->c, form->a, form->d, form->b}));
    tester.Press(platform::VK_TAB, {ssShift});
    EXPECT_EQ(Focused(), form->d);
    tester.Press(platform::VK_TAB, {ssShift});
    EXPECT_EQ(Focused(), form->a);

    // Changing the tab order at run time.
    form->a->SetTabOrder(0);
    form->d->SetFocus();
    tester.Press(platform::VK_TAB);
    EXPECT_EQ(Focused(), form->a);
}

TEST(TWinControlTest, EnterAndExitFollowTheFocusAndClickFocuses)
{
    FormTester tester;
    auto* form = tester.CreateForm<TabForm>();
    std::vector<std::u16string> log;
    for (TBox* box : {form->a, form->b, form->d}) {
        box->OnEnter = [&log](TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + u" enter"); };
        box->OnExit = [&log](TObject* s) { log.push_back(static_cast<TComponent*>(s)->Name() + u" exit"); };
    }
    form->Show();
    tester.Pump();
    tester.Click(form->a);
    EXPECT_EQ(Focused(), form->a);
    EXPECT_EQ(log, (std::vector<std::u16string>{u"d enter", u"d exit", u"a enter"}));

    // Hiding the focused control hands the focus back to the form.
    form->a->Hide();
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_EQ(platform::GetFocus(), form->Handle());
    EXPECT_THROW(form->a->SetFocus(), EInvalidOperation);
    form->a->Show();

    // Disabled controls take no focus and are skipped by Tab.
    form->b->SetEnabled(false);
    form->d->SetFocus();
    tester.Press(platform::VK_TAB);
    EXPECT_EQ(Focused(), form->c);
}

namespace {

class HoverForm : public TForm {
public:
    explicit HoverForm(TComponent* owner) : TForm(owner)
    {
        SetClientWidth(300);
        SetClientHeight(120);
        box = FormTester::Make<TBox>(this, this, u"box", 10, 10, 100, 40);
        mark = FormTester::Make<TMark>(this, this, u"mark", 150, 10, 60, 40);
        mark->SetHint(u"Телепрограмма");
        mark->SetShowHint(true);
        mark->SetCursor(crHandPoint);
        plain = FormTester::Make<TMark>(this, this, u"plain", 220, 10, 60, 40);
        plain->SetHint(u"not shown");
    }
    TBox* box;
    TMark *mark, *plain;
};

} // namespace

TEST(TControlTest, MouseEnterAndLeaveFollowThePointerAcrossWindowsAndWindowlessControls)
{
    FormTester tester;
    auto* form = tester.CreateForm<HoverForm>();
    std::vector<std::u16string> log;
    form->box->log = &log;
    form->mark->log = &log;
    form->plain->log = &log;
    int clicks = 0;
    form->mark->OnClick = [&clicks](TObject*) { ++clicks; };
    form->Show();
    tester.Pump();

    tester.MouseMove(form->box, {5, 5});
    tester.MouseMove(form->box, {50, 20});
    tester.MouseMove(form->mark, {5, 5});
    tester.MouseMove(form->plain, {5, 5});
    tester.MouseMove(form, {5, 100});
    EXPECT_EQ(log, (std::vector<std::u16string>{u"box enter", u"box leave", u"mark enter", u"mark leave",
                                                u"plain enter", u"plain leave"}));
    EXPECT_EQ(tester.App().MouseControl(), form);

    tester.Click(form->mark);
    EXPECT_EQ(clicks, 1);
    // Pressed on the control and released elsewhere is no click.
    tester.MouseDown(form->mark, {5, 5});
    tester.MouseUp(form, {5, 100});
    EXPECT_EQ(clicks, 1);
}

TEST(TControlTest, TheHandCursorShowsOverAControlThatAsksForIt)
{
    FormTester tester;
    auto* form = tester.CreateForm<HoverForm>();
    form->Show();
    tester.Pump();
    tester.MouseMove(form->mark, {5, 5});
    EXPECT_EQ(platform::GetCursor(), platform::LoadCursor(nullptr, platform::IDC_HAND));
    tester.MouseMove(form->box, {5, 5});
    EXPECT_EQ(platform::GetCursor(), platform::LoadCursor(nullptr, platform::IDC_ARROW));
}

TEST(TControlTest, HintAppearsAfterThePauseAndGoesOnClickOrLeave)
{
    FormTester tester;
    auto* form = tester.CreateForm<HoverForm>();
    form->Show();
    tester.Pump();
    auto hintShowing = [&] {
        THintWindow* hint = tester.App().HintWindow();
        return hint && hint->IsShowing();
    };

    tester.MouseMove(form->mark, {10, 10});
    tester.Advance(450);
    EXPECT_FALSE(hintShowing());
    tester.Advance(100);
    ASSERT_TRUE(hintShowing());
    THintWindow* hint = tester.App().HintWindow();
    EXPECT_EQ(hint->Caption(), u"Телепрограмма");
    // Below the pointer, on top of everything.
    POINT pointer = FormTester::ScreenPoint(form->mark, {10, 10});
    EXPECT_EQ(hint->Left(), pointer.x);
    EXPECT_GT(hint->Top(), pointer.y);
    EXPECT_TRUE(platform::GetWindowLongPtr(hint->Handle(), platform::GWL_EXSTYLE) & platform::WS_EX_TOPMOST);

    // It goes by itself after a while.
    tester.Advance(2600);
    EXPECT_FALSE(hintShowing());

    // A click takes it away, and it does not come back while the mouse stays.
    tester.MouseMove(form->box, {5, 5});
    tester.MouseMove(form->mark, {12, 12});
    tester.Advance(600);
    EXPECT_TRUE(hintShowing());
    tester.Click(form->mark, {12, 12});
    EXPECT_FALSE(hintShowing());
    tester.Advance(1000);
    EXPECT_FALSE(hintShowing());

    // Leaving the control hides it; a control that does not ask for hints shows none.
    tester.MouseMove(form->box, {5, 5});
    tester.MouseMove(form->mark, {10, 10});
    tester.Advance(600);
    EXPECT_TRUE(hintShowing());
    tester.MouseMove(form->plain, {10, 10});
    EXPECT_FALSE(hintShowing());
    tester.Advance(1000);
    EXPECT_FALSE(hintShowing());
}

namespace {

// Wants every key but the arrows, as the browser control does.
class TKeyHungry : public TBox {
public:
    using TBox::TBox;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_WANTSPECIALKEY) {
            m.Result = (m.WParam >= platform::VK_LEFT && m.WParam <= platform::VK_DOWN) ? 0 : 1;
            return;
        }
        if (m.Msg == platform::WM_GETDLGCODE) {
            m.Result = platform::DLGC_WANTARROWS | platform::DLGC_WANTCHARS;
            return;
        }
        TBox::WndProc(m);
    }
};

} // namespace

TEST(TWinControlTest, AControlThatWantsSpecialKeysKeepsTabAndEnter)
{
    FormTester tester;
    auto* form = tester.CreateForm<TabForm>();
    auto* hungry = FormTester::Make<TKeyHungry>(form, form, u"hungry", 200, 120, 50, 20);
    std::vector<platform::WORD> keys;
    hungry->OnKeyDown = [&](TObject*, platform::WORD& key, TShiftState) { keys.push_back(key); };
    form->Show();
    tester.Pump();
    hungry->SetFocus();
    tester.Press(platform::VK_TAB);
    tester.Press(platform::VK_RETURN);
    tester.Press(platform::VK_ESCAPE);
    EXPECT_EQ(Focused(), hungry);
    // Arrows it leaves to the form would move the focus, but it claims them with its dialog code.
    tester.Press(platform::VK_DOWN);
    EXPECT_EQ(Focused(), hungry);
    EXPECT_EQ(keys, (std::vector<platform::WORD>{platform::VK_TAB, platform::VK_RETURN, platform::VK_ESCAPE,
                                                  platform::VK_DOWN}));
    // A plain control leaves Tab to the form.
    form->d->SetFocus();
    tester.Press(platform::VK_TAB);
    EXPECT_NE(Focused(), form->d);
}
