// The engine library's own reference-counted objects: a struct whose first member is the C
// function table (`api`) and which has an atomic `references` count starting at 1. The count is
// atomic because the IO thread holds objects too; the object is deleted at 0.
#pragma once

#include "engine/capi/cef_objects.h"

namespace webengine {

template <typename Object, typename Api>
void InitCounting(Api& api)
{
    api.base.size = sizeof(Api);
    api.base.add_ref = [](cef_base_t* self) { return ++reinterpret_cast<Object*>(self)->references; };
    api.base.release = [](cef_base_t* self) {
        auto* object = reinterpret_cast<Object*>(self);
        int left = --object->references;
        if (left == 0)
            delete object;
        return left;
    };
    api.base.get_refct = [](cef_base_t* self) { return reinterpret_cast<Object*>(self)->references.load(); };
}

} // namespace webengine
