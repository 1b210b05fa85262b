#include "skin/paint/DisabledLook.h"
namespace skin {
void BmpDisabledKind(platform::Bitmap&, TacDisabledKind, const TCacheInfo&, platform::RECT) {}
}
