#include "skin/controls/TsLabel.h"

namespace skin {

TsLabel::TsLabel(toolkit::TComponent* AOwner) : toolkit::TLabel(AOwner)
{
    SetTransparent(true);
}

} // namespace skin
