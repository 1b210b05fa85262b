// The check box the program's windows use.
#pragma once

#include "toolkit/TCustomCheckBox.h"

namespace toolkit {

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

} // namespace toolkit
