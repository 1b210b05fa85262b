// A component: an owner that frees the components it owns (in the reverse order of their
// creation), a name unique among its owner's components, and the loading protocol of forms
// built in code (the constructor sets what a stored form would set, then Loaded runs).
#pragma once

#include "toolkit/TPersistent.h"
#include "toolkit/Types.h"

#include <cstdint>
#include <vector>

namespace toolkit {

enum TComponentStateValue { csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating,
                            csFixups, csFreeNotification, csInline, csDesignInstance };
using TComponentState = Set<TComponentStateValue>;
enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;

    const String& Name() const { return name_; }
    // Raises EComponentError-like EInvalidOperation for a name another component of the owner has.
    virtual void SetName(StringView name);
    // Among the owned components, by name without regard to case; null when absent.
    TComponent* FindComponent(StringView name) const;

    TComponentState ComponentState() const { return state_; }
    std::intptr_t Tag = 0;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, last created first.
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // Asks component to tell this one (Notification with opRemove) when it is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    void BeforeDestruction() override;

    // Ends loading: Loaded for this component, then for every owned component still loading, in
    // the order of their creation.
    void FinishLoading();

protected:
    // Called once the properties of a component built while its owner was loading are all set.
    virtual void Loaded();
    virtual void Notification(TComponent* component, TOperation operation);
    void SetComponentStateFlag(TComponentStateValue flag, bool on);

private:
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    String name_;
    TComponentState state_;
};

} // namespace toolkit
