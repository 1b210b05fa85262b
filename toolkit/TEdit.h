// A single-line edit field.
#pragma once

#include "toolkit/TCustomEdit.h"

namespace toolkit {

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

} // namespace toolkit
