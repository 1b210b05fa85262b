#include "toolkit/TComponent.h"

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

#include <algorithm>

namespace toolkit {

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) {
        if (AOwner->state_.Contains(csLoading))
            state_.Include(csLoading);
        AOwner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    Destroying();
    // Those who asked to hear of our end forget us before we go.
    auto notifies = std::move(freeNotifies_);
    freeNotifies_.clear();
    for (TComponent* c : notifies) {
        auto& theirs = c->freeNotifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= int(components_.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
    return components_[std::size_t(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TComponent::SetName(StringView name)
{
    if (name == name_)
        return;
    if (!name.empty() && owner_) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EInvalidOperation(Format(u"A component named %s already exists", {name}));
    }
    name_ = String(name);
}

TComponent* TComponent::FindComponent(StringView name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    Notification(component, opRemove);
    // Notification may have changed the list; look again.
    it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end())
        components_.erase(it);
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        components_.pop_back();
        last->owner_ = nullptr;
        Notification(last, opRemove);
        Free(last);
    }
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component)
        return;
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component), freeNotifies_.end());
    auto& theirs = component->freeNotifies_;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::BeforeDestruction()
{
    Destroying();
}

void TComponent::FinishLoading()
{
    if (state_.Contains(csLoading))
        Loaded();
    // Loaded may create components (which are then not loading); walk a copy.
    std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned)
        if (std::find(components_.begin(), components_.end(), c) != components_.end() &&
            c->state_.Contains(csLoading))
            c->FinishLoading();
}

void TComponent::Loaded()
{
    state_.Exclude(csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component) {
        freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                            freeNotifies_.end());
    }
    if (operation == opRemove)
        for (std::size_t i = 0; i < components_.size(); ++i)
            if (components_[i] != component)
                components_[i]->Notification(component, operation);
}

void TComponent::SetComponentStateFlag(TComponentStateValue flag, bool on)
{
    if (on)
        state_.Include(flag);
    else
        state_.Exclude(flag);
}

} // namespace toolkit
