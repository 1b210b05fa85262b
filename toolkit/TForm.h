// The form class the program's windows derive from.
#pragma once

#include "toolkit/TCustomForm.h"

namespace toolkit {

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

} // namespace toolkit
