// Lookups of section values along the PARENTCLASS chain, and the scaled reader of GLOBALINFO.
#pragma once

#include "skin/options/SkinIniFile.h"

#include <climits>
#include <string>
#include <string_view>

namespace skin {

// A PARENTCLASS chain is followed through at most this many sections (stored skins use a handful);
// longer chains, and chains that return to a section already visited, end there.
inline constexpr int MaxParentChain = 64;

// The first non-negative integer found along the chain, else def; never above maximum.
int FindInteger(const SkinIniFile& ini, std::string_view section, std::string_view key, int def,
                int maximum = INT_MAX);
// The first value present along the chain: true for exactly "TRUE" or "1".
bool FindBoolean(const SkinIniFile& ini, std::string_view section, std::string_view key, bool def);
// The first value along the chain other than "?".
std::string FindString(const SkinIniFile& ini, std::string_view section, std::string_view key,
                       std::string_view def);

// Scale index 0 is 100 %, 1 is 125 %, 2 is 150 %.
int ScalePercent(int scaleIndex);
std::string_view ScaleSuffix(int scaleIndex);

// KEY plus the scale's suffix; at a scale above 100 % without it, KEY scaled; -1 when absent.
int ReadScaledInteger(const SkinIniFile& ini, std::string_view section, std::string_view key, int scaleIndex);

// Keys found in stored skins that this engine reads nowhere.
bool IsIgnoredKey(std::string_view key);

} // namespace skin
