#include "skin/paint/WriteText.h"
namespace skin {
int WriteTextEx(platform::HDC, platform::StringView, platform::RECT, platform::UINT, const TsSkinModel*, const TextPaintArgs&) { return 0; }
}
