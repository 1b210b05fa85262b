#include "skin/paint/SectionColor.h"
namespace skin {
int SectionStateIndex(const TsGeneralData&, int) { return 0; }
int SectionColor(const TsSkinModel&, int, int, int, int) { return 0; }
}
