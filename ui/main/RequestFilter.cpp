// The tokens are searched in one pass over the address instead of one search per token: the
// answer is only "some token occurs", which does not depend on the order the tokens are tried
// in, and one pass keeps the decision within the time a request can wait on the IO thread.
#include "ui/main/RequestFilter.h"

#include <cstdint>
#include <string>

namespace ui {

namespace {

static_assert(BlockedTokens.size() <= 16, "the candidate masks keep one bit per token");

// Every token is at least three characters long. So every occurrence covers a pair of characters
// starting at an even position, either its own first two or its second and third; a table
// indexed by such a pair names the tokens that may start there or one position before. The scan
// reads every other pair, and most pairs of an address name no token at all. Characters are
// first mapped to small classes (0 for every character that no token begins with), which keeps
// the pair table within a few kilobytes.
constexpr unsigned ClassCount = 32;
static_assert(ClassCount == 1u << 5, "the scan shifts by five bits");

constexpr std::array<std::uint8_t, 128> AsciiClasses = [] {
    std::array<std::uint8_t, 128> table{};
    unsigned next = 1;
    for (std::u16string_view token : BlockedTokens)
        for (std::size_t i = 0; i < 3 && i < token.size(); ++i)
            if (token[i] < 128 && table[token[i]] == 0)
                table[token[i]] = std::uint8_t(next++);
    if (next > ClassCount)
        throw "the tokens' first characters need more classes";
    return table;
}();

constexpr bool TokensBeginWithThreeAsciiCharacters()
{
    for (std::u16string_view token : BlockedTokens)
        if (token.size() < 3 || token[0] >= 128 || token[1] >= 128 || token[2] >= 128)
            return false;
    return true;
}
static_assert(TokensBeginWithThreeAsciiCharacters());

constexpr unsigned PairIndex(char16_t first, char16_t second)
{
    return AsciiClasses[first] * ClassCount + AsciiClasses[second];
}

// Low half: tokens starting at the pair; high half: tokens starting one position before it.
constexpr std::array<std::uint32_t, ClassCount * ClassCount> CandidatesByPair = [] {
    std::array<std::uint32_t, ClassCount * ClassCount> table{};
    for (std::size_t i = 0; i < BlockedTokens.size(); ++i) {
        std::u16string_view token = BlockedTokens[i];
        table[PairIndex(token[0], token[1])] |= 1u << i;
        table[PairIndex(token[1], token[2])] |= 1u << (i + 16);
    }
    return table;
}();

inline unsigned ClassOf(char16_t c)
{
    return c < 128 ? AsciiClasses[c] : 0;
}

inline bool TokenAt(const char16_t* text, std::size_t length, std::size_t at, unsigned index)
{
    std::u16string_view token = BlockedTokens[index];
    return token.size() <= length - at && std::char_traits<char16_t>::compare(text + at, token.data(), token.size()) == 0;
}

} // namespace

bool HoldsBlockedToken(std::u16string_view address) noexcept
{
    const char16_t* text = address.data();
    const std::size_t length = address.size();
    for (std::size_t at = 0; at + 1 < length; at += 2) {
        std::uint32_t candidates = CandidatesByPair[(ClassOf(text[at]) << 5) | ClassOf(text[at + 1])];
        if (!candidates)
            continue;
        for (unsigned here = candidates & 0xFFFF; here; here &= here - 1)
            if (TokenAt(text, length, at, unsigned(__builtin_ctz(here))))
                return true;
        if (at == 0)
            continue;
        for (unsigned before = candidates >> 16; before; before &= before - 1)
            if (TokenAt(text, length, at - 1, unsigned(__builtin_ctz(before))))
                return true;
    }
    return false;
}

bool PopupAllowed(std::u16string_view targetUrl) noexcept
{
    return targetUrl.find(PopupAllowanceToken) != std::u16string_view::npos;
}

} // namespace ui
