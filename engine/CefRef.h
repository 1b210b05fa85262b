// Reference handling for the engine's C objects: a holder of one reference to an engine object,
// and the base of the binding's own objects that the engine holds references to.
#pragma once

#include "engine/capi/cef_objects.h"

#include <atomic>
#include <cstring>
#include <utility>

namespace engine {

inline cef_base_t* CefBase(void* object) { return static_cast<cef_base_t*>(object); }

// One reference to an engine object; adopts the reference it is given.
template <class T>
class CefRef {
public:
    CefRef() = default;
    explicit CefRef(T* adopted) : p_(adopted) {}
    CefRef(const CefRef& other) : p_(other.p_) { AddRef(); }
    CefRef(CefRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    CefRef& operator=(CefRef other) noexcept
    {
        std::swap(p_, other.p_);
        return *this;
    }
    ~CefRef() { Reset(); }

    // A new holder that takes a reference of its own.
    static CefRef Share(T* p)
    {
        CefRef r(p);
        r.AddRef();
        return r;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Gives the reference away to the caller.
    T* Detach() { return std::exchange(p_, nullptr); }
    void Reset()
    {
        if (T* p = std::exchange(p_, nullptr))
            CefBase(p)->release(CefBase(p));
    }

private:
    void AddRef()
    {
        if (p_)
            CefBase(p_)->add_ref(CefBase(p_));
    }
    T* p_ = nullptr;
};

// The base of the binding's objects that the engine sees as a CType: the C structure comes first
// in a pair with the object's address, so a callback finds its object from the pointer it gets.
// Made with one reference, for its creator.
template <class Self, class CType>
class CefOwnObject {
public:
    CefOwnObject(const CefOwnObject&) = delete;
    CefOwnObject& operator=(const CefOwnObject&) = delete;

    CType* Cef() { return &pair_.cef; }
    // A pointer carrying a new reference, for handing to the engine.
    CType* CefShared()
    {
        AddRef();
        return &pair_.cef;
    }
    static Self* From(void* cef) { return static_cast<Self*>(static_cast<Pair*>(cef)->owner); }
    void AddRef() { refs_.fetch_add(1); }
    int Release()
    {
        int left = refs_.fetch_sub(1) - 1;
        if (left == 0)
            delete this;
        return left;
    }
    int RefCount() const { return refs_.load(); }

protected:
    CefOwnObject()
    {
        std::memset(static_cast<void*>(&pair_.cef), 0, sizeof(CType));
        pair_.owner = this;
        cef_base_t* base = CefBase(&pair_.cef);
        base->size = sizeof(CType);
        base->add_ref = [](cef_base_t* b) {
            From(b)->AddRef();
            return From(b)->RefCount();
        };
        base->release = [](cef_base_t* b) { return From(b)->Release(); };
        base->get_refct = [](cef_base_t* b) { return From(b)->RefCount(); };
    }
    virtual ~CefOwnObject() = default;

private:
    // The owner is kept as this base: the object is not yet a Self while the base is built.
    struct Pair {
        CType cef;
        CefOwnObject* owner;
    };
    Pair pair_;
    std::atomic<int> refs_{1};
};

} // namespace engine
