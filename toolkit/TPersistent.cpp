#include "toolkit/TPersistent.h"

#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"

namespace toolkit {

void TPersistent::Assign(const TPersistent* source)
{
    String from = source ? source->ClassName() : u"nil";
    throw EConvertError(Format(u"Cannot assign a %s to a %s", {from, ClassName()}));
}

} // namespace toolkit
