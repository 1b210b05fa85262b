// An object whose properties can be copied from another of its kind.
#pragma once

#include "toolkit/TObject.h"

namespace toolkit {

class TPersistent : public TObject {
public:
    // Copies the properties of source; the base refuses with EConvertError, as the library does.
    virtual void Assign(const TPersistent* source);
};

} // namespace toolkit
