// A multi-line edit field.
#pragma once

#include "toolkit/TCustomMemo.h"

namespace toolkit {

class TMemo : public TCustomMemo {
public:
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

} // namespace toolkit
