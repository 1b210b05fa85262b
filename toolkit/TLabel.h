// The label the program's windows use.
#pragma once

#include "toolkit/TCustomLabel.h"

namespace toolkit {

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

} // namespace toolkit
