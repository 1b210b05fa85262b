#include "skin/controls/TsCommonData.h"

#include "toolkit/SysUtils.h"

namespace skin {

TsCommonData::TsCommonData(toolkit::TControl* owner, int coc) : owner_(owner), coc_(coc) {}

void TsCommonData::SetSkinSection(platform::StringView value)
{
    skinSection_ = toolkit::UpperCase(value);
}

} // namespace skin
