// The tokens are searched in one pass over the address instead of one search per token: the
// answer is only "some token occurs", which does not depend on the order the tokens are tried
// in, and one pass keeps the decision within the time a request can wait on the IO thread.
#include "ui/main/RequestFilter.h"

#include <cstdint>

namespace ui {

namespace {

static_assert(BlockedTokens.size() <= 16, "the first-letter table keeps one bit per token");

// For each ASCII letter, the tokens that begin with it.
constexpr std::array<std::uint16_t, 128> TokensByFirstLetter = [] {
    std::array<std::uint16_t, 128> table{};
    for (std::size_t i = 0; i < BlockedTokens.size(); ++i) {
        char16_t first = BlockedTokens[i].front();
        table[first] = std::uint16_t(table[first] | (1u << i));
    }
    return table;
}();

constexpr bool AllTokensAscii()
{
    for (std::u16string_view token : BlockedTokens) {
        if (token.empty())
            return false;
        for (char16_t c : token)
            if (c >= 128)
                return false;
    }
    return true;
}
static_assert(AllTokensAscii(), "the first-letter table indexes ASCII letters");

} // namespace

bool HoldsBlockedToken(std::u16string_view address) noexcept
{
    const char16_t* text = address.data();
    const std::size_t length = address.size();
    for (std::size_t at = 0; at < length; ++at) {
        char16_t c = text[at];
        if (c >= 128)
            continue;
        unsigned candidates = TokensByFirstLetter[c];
        while (candidates) {
            unsigned index = unsigned(__builtin_ctz(candidates));
            candidates &= candidates - 1;
            std::u16string_view token = BlockedTokens[index];
            if (token.size() <= length - at && address.compare(at, token.size(), token) == 0)
                return true;
        }
    }
    return false;
}

bool PopupAllowed(std::u16string_view targetUrl) noexcept
{
    return targetUrl.find(PopupAllowanceToken) != std::u16string_view::npos;
}

} // namespace ui
