// The model as one JSON object, with the model's own field names: for the skin tool and for
// comparing models in tests.
#pragma once

#include "skin/model/TsSkinModel.h"

#include <string>

namespace skin {

std::string SkinModelToJson(const TsSkinModel& model);

} // namespace skin
