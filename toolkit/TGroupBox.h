// The group box the program's windows use.
#pragma once

#include "toolkit/TCustomGroupBox.h"

namespace toolkit {

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace toolkit
