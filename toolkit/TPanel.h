// The panel the program's windows use.
#pragma once

#include "toolkit/TCustomPanel.h"

namespace toolkit {

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};

} // namespace toolkit
