// The skins carried inside the program: their names and order are fixed; their packages come from
// the skin generator's output, compiled into the program as a table of InternalSkinPackage.
#pragma once

#include "skin/package/TsStoredSkins.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace skin {

inline constexpr std::array<std::string_view, 97> InternalSkinNames = {
    "Acryl (internal)", "Afterburner (internal)", "Air (internal)", "AlterMetro (internal)",
    "Aluminium (internal)", "Android OS (internal)", "AutumnSky (internal)", "Beijing (internal)",
    "Beijing Ext (internal)", "Black Box (internal)", "BlueGauze (internal)", "BlueGlass (internal)",
    "BlueIce (internal)", "BluePlastic (internal)", "Calcium (internal)", "Cappuccino (internal)",
    "Cold (internal)", "DarkGlass (internal)", "DarkMetro (internal)", "Deep (internal)",
    "DeepPurple (internal)", "Desert (internal)", "Elegant (internal)", "FalloutStyle (internal)",
    "Flatline (internal)", "FM (internal)", "Garnet (internal)", "Golden (internal)", "GPlus (internal)",
    "GrayPlastic (internal)", "HeroesStyle (internal)", "iOS dark (internal)", "iOS4 (internal)",
    "KaraKum (internal)", "Ledenets (internal)", "Light Board (internal)", "LikeOperaStyle (internal)",
    "LongHorn (internal)", "Lucky (internal)", "Lunar Base (internal)", "MacMetal (internal)",
    "MacOS2 (internal)", "Matrix (internal)", "MetroUI (internal)", "Mint (internal)",
    "Moonlight (internal)", "Nautilus (internal)", "NeonNight (internal)", "Neutral (internal)",
    "Neutral2 (internal)", "Neutral3 (internal)", "Neutral4 (internal)", "NextAlpha (internal)",
    "NextAlpha2 (internal)", "Notes Wood (internal)", "Office12Style (internal)", "Office2003 (internal)",
    "Office2007 Black (internal)", "Office2007 Blue (internal)", "Office2010 Blue (internal)",
    "Opus (internal)", "Pulsar (internal)", "Retro (internal)", "Rhombus (internal)", "Sand (internal)",
    "Sapphire (internal)", "Shine (internal)", "Smoky (internal)", "Snow Leopard (internal)",
    "SoapSky - Blue (internal)", "SoapSky - Lime (internal)", "Steam (internal)", "Steam2 (internal)",
    "Subway (internal)", "Terminal4bit (internal)", "TheFrog (internal)", "Topaz (internal)",
    "Toxic (internal)", "TV-b (internal)", "Ubuntu (internal)", "UnderWater (internal)",
    "Vienna (internal)", "Vienna Ext (internal)", "Vista (internal)", "WEB (internal)", "WEB2 (internal)",
    "Windows 8 (internal)", "Winter2003 (internal)", "Winter2011 (internal)", "WLM (internal)",
    "WMP 2008 (internal)", "WMP11 (internal)", "Wood (internal)", "WOT (internal)", "XPLuna (internal)",
    "XPSilver (internal)", "Zest (internal)",
};

struct InternalSkinPackage {
    std::string_view Name;
    std::span<const std::uint8_t> Data;
};

// Replaces the catalogue's items with the given packages, with the stored items' property values.
void FillInternalSkins(TsStoredSkins& catalogue, std::span<const InternalSkinPackage> packages);

} // namespace skin
