// A combo box: an edit field with a drop-down list of items.
#pragma once

#include "toolkit/TCustomComboBox.h"

namespace toolkit {

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

} // namespace toolkit
