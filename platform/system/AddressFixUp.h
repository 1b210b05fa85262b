// What the address field does with typed text before the browser is asked to open it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// UTF-8 in and out. extraSchemes are the custom schemes registered with the engine, which are
// kept as typed like the built-in ones.
std::string FixUpAddress(std::string_view text, const std::vector<std::string>& extraSchemes = {});

} // namespace platform
