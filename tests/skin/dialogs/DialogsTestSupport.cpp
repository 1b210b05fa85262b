#include "DialogsTestSupport.h"

#include "platform/window/Message.h"
#include "platform/window/Window.h"

using namespace platform;

namespace dialogstest {

namespace {

struct Pending {
    std::function<void()> action;
    bool ran = false;
};
std::vector<Pending*> pending;

void Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (pending.empty())
        return;
    Pending* p = pending.back();
    p->ran = true;
    if (p->action)
        p->action();
}

// A box the action failed to close fails the test instead of holding it.
void Watchdog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (HWND box = toolkit::FormTester::ActiveModalWindow()) {
        ADD_FAILURE() << "a modal window was still open";
        PostMessage(box, WM_CLOSE, 0, 0);
    }
}

} // namespace

int WhileShown(const std::function<int()>& show, std::function<void()> action)
{
    Pending p{std::move(action)};
    pending.push_back(&p);
    const UINT_PTR tick = SetTimer(nullptr, 0, 30, Tick);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 30000, Watchdog);
    const int answer = show();
    KillTimer(nullptr, tick);
    KillTimer(nullptr, watchdog);
    pending.pop_back();
    EXPECT_TRUE(p.ran) << "the modal window never waited for input";
    return answer;
}

HWND TopBox()
{
    HWND top = nullptr;
    EnumThreadWindows(
        0,
        [](HWND hwnd, LPARAM param) -> BOOL {
            if (IsWindowVisible(hwnd) && GetClassName(hwnd) == kMessageBoxClass && IsWindowEnabled(hwnd))
                *reinterpret_cast<HWND*>(param) = hwnd;
            return 1;
        },
        reinterpret_cast<LPARAM>(&top));
    return top;
}

void DialogsFixture::SetUp()
{
    tester_ = std::make_unique<toolkit::FormTester>();
    main_ = tester_->CreateForm<formstest::FixedForm>();
    manager_ = std::make_unique<skin::TsSkinManager>(formstest::QuietHost());
    manager_->InternalSkins().Add(formstest::Item(u"Dialogs (internal)", DialogSkin()));
    manager_->InternalSkins().Add(formstest::Item(u"Square (internal)", formstest::MakeSkin(false)));
    manager_->SetSkinName(u"Dialogs (internal)");
    ASSERT_NE(manager_->Model(), nullptr);
    main_->Show();
    tester_->Pump();
}

void DialogsFixture::TearDown()
{
    skin::ac_DialogsLevel = 2;
    skin::ThirdPartySkipForms().clear();
    manager_.reset();
    tester_.reset();
}

} // namespace dialogstest
