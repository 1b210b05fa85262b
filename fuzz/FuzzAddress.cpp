// The address fix-up on arbitrary typed text, the one rule of the system web view and the engine
// library.
#include "platform/system/AddressFixUp.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view typed(reinterpret_cast<const char*>(data), size);
    // The first line, when there are several, names registered schemes.
    std::vector<std::string> schemes;
    if (size_t newline = typed.find('\n'); newline != std::string_view::npos && size % 2) {
        schemes.emplace_back(typed.substr(0, newline));
        typed.remove_prefix(newline + 1);
    }
    std::string once = platform::FixUpAddress(typed, schemes);
    for (char c : once)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            std::abort(); // a control character got through
    // Nothing but white space is the only text that fixes up to nothing.
    if (once.empty() != (typed.find_first_not_of(" \t\n\r\f\v") == std::string_view::npos))
        std::abort();
    if (platform::FixUpAddress(once, schemes) != once)
        std::abort(); // fixing up an address must leave it alone
    return 0;
}
