// The root of the toolkit's classes: a virtual destructor and the class's name, which also names
// the window classes of windowed controls ("TForm1", "TMessageForm", ...).
#pragma once

#include "toolkit/Types.h"

namespace toolkit {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The most derived class's name without its namespace.
    String ClassName() const;
    // Runs before the destructors (while the whole object still exists); Free calls it.
    virtual void BeforeDestruction() {}
    // Runs once the most derived constructor has finished; Create calls it.
    virtual void AfterConstruction() {}

    // Constructs an object and completes its construction, as the library's constructors do.
    template <class T, class... Args>
    static T* Create(Args&&... args)
    {
        T* object = new T(static_cast<Args&&>(args)...);
        object->AfterConstruction();
        return object;
    }
};

// Destroys an object the way the library does: BeforeDestruction first, then the destructors.
void Free(TObject* object);

template <class T>
void FreeAndNil(T*& object)
{
    T* o = object;
    object = nullptr;
    Free(o);
}

} // namespace toolkit
