#include "toolkit/TComponent.h"

#include "toolkit/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace toolkit;

namespace {

std::vector<std::u16string>* destroyedLog = nullptr;

class LoggedComponent : public TComponent {
public:
    LoggedComponent(TComponent* owner, StringView name) : TComponent(owner) { SetName(name); }
    ~LoggedComponent() override
    {
        if (destroyedLog)
            destroyedLog->push_back(Name());
    }
};

class LoadRecorder : public TComponent {
public:
    using TComponent::TComponent;
    bool wasLoading = false;
    int loadedCalls = 0;

protected:
    void Loaded() override
    {
        wasLoading = ComponentState().Contains(csLoading);
        ++loadedCalls;
        TComponent::Loaded();
    }
};

} // namespace

TEST(TComponentTest, OwnerFreesOwnedComponentsLastCreatedFirst)
{
    std::vector<std::u16string> log;
    destroyedLog = &log;
    auto* owner = new LoggedComponent(nullptr, u"Owner");
    new LoggedComponent(owner, u"First");
    auto* second = new LoggedComponent(owner, u"Second");
    new LoggedComponent(second, u"Grandchild");
    new LoggedComponent(owner, u"Third");
    EXPECT_EQ(owner->ComponentCount(), 3);
    Free(owner);
    destroyedLog = nullptr;
    EXPECT_EQ(log, (std::vector<std::u16string>{u"Owner", u"Third", u"Second", u"Grandchild", u"First"}));
}

TEST(TComponentTest, FreeingAnOwnedComponentRemovesItFromItsOwner)
{
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName(u"a");
    b->SetName(u"b");
    Free(a);
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(owner.Components(0), b);
    EXPECT_EQ(b->ComponentIndex(), 0);
    EXPECT_THROW(owner.Components(1), EListError);
}

TEST(TComponentTest, FindComponentIgnoresCaseAndNamesAreUniquePerOwner)
{
    TComponent owner(nullptr);
    auto* button = new TComponent(&owner);
    button->SetName(u"sBitBtn1");
    EXPECT_EQ(owner.FindComponent(u"SBITBTN1"), button);
    EXPECT_EQ(owner.FindComponent(u"sBitBtn2"), nullptr);
    EXPECT_EQ(owner.FindComponent(u""), nullptr);
    auto* other = new TComponent(&owner);
    EXPECT_THROW(other->SetName(u"sbitbtn1"), EInvalidOperation);
    EXPECT_TRUE(other->Name().empty());
    // Another owner may use the name.
    TComponent elsewhere(nullptr);
    TComponent loose(&elsewhere);
    loose.SetName(u"sBitBtn1");
    EXPECT_EQ(elsewhere.FindComponent(u"sBitBtn1"), &loose);
}

TEST(TComponentTest, ComponentsBuiltWhileTheOwnerLoadsGetLoadedOnce)
{
    LoadRecorder owner(nullptr);
    // As a form does in its constructor.
    struct Access : TComponent {
        using TComponent::SetComponentStateFlag;
    };
    static_cast<Access&>(static_cast<TComponent&>(owner)).SetComponentStateFlag(csLoading, true);
    auto* child = new LoadRecorder(&owner);
    EXPECT_TRUE(child->ComponentState().Contains(csLoading));
    owner.FinishLoading();
    EXPECT_EQ(owner.loadedCalls, 1);
    EXPECT_EQ(child->loadedCalls, 1);
    EXPECT_TRUE(child->wasLoading);
    EXPECT_FALSE(child->ComponentState().Contains(csLoading));
    owner.FinishLoading();
    EXPECT_EQ(child->loadedCalls, 1);
    // A component made later is not loading at all.
    auto* late = new LoadRecorder(&owner);
    EXPECT_FALSE(late->ComponentState().Contains(csLoading));
}

TEST(TComponentTest, FreeNotificationTellsTheOtherSide)
{
    struct Watcher : TComponent {
        using TComponent::TComponent;
        TComponent* removed = nullptr;
        void Notification(TComponent* c, TOperation op) override
        {
            if (op == opRemove)
                removed = c;
            TComponent::Notification(c, op);
        }
    };
    Watcher watcher(nullptr);
    auto* watched = new TComponent(nullptr);
    watched->FreeNotification(&watcher);
    Free(watched);
    EXPECT_EQ(watcher.removed, watched);
}

TEST(TComponentTest, ClassNameIsTheMostDerivedNameWithoutNamespace)
{
    TComponent plain(nullptr);
    EXPECT_EQ(plain.ClassName(), u"TComponent");
    LoggedComponent logged(nullptr, u"x");
    EXPECT_EQ(logged.ClassName(), u"LoggedComponent");
}
