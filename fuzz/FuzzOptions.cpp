// The options text reader, its lookups and the value forms on arbitrary text.
#include "skin/options/SkinIniFile.h"
#include "skin/options/SkinLookups.h"
#include "skin/options/ValueForms.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    skin::SkinIniFile ini(std::string(reinterpret_cast<const char*>(data), size));
    long sink = 0;
    for (const skin::SkinIniFile::Section& section : ini.Sections()) {
        sink += skin::FindInteger(ini, section.Name, "COLOR", 16777215);
        sink += skin::FindInteger(ini, section.Name, "GLOW", 0, 255);
        sink += skin::FindBoolean(ini, section.Name, "GIVEOWNFONT", false);
        sink += long(skin::FindString(ini, section.Name, "GRADIENTDATA", " ").size());
        sink += skin::ReadScaledInteger(ini, section.Name, "TITLEHEIGHT", int(size % 3));
        for (const skin::SkinIniFile::Entry& entry : section.Entries) {
            sink += skin::FindInteger(ini, section.Name, entry.Key, -1);
            try {
                switch (entry.Value.empty() ? 0 : entry.Value.front()) {
                case '@': sink += skin::ParseGlyphValue(entry.Value).ImageCount; break;
                case '^': sink += skin::ParseBorderValue(entry.Value).WL; break;
                case '~': sink += long(skin::ParseTextureValue(entry.Value).File.size()); break;
                case '!': {
                    skin::ExternalValue e = skin::ParseExternalValue(entry.Value);
                    skin::WidthsFromImage(e, 100, 50);
                    sink += e.WL;
                    break;
                }
                default: sink += long(skin::ParseGradientData(entry.Value).size()); break;
                }
            } catch (const skin::ConversionError&) {
            }
        }
    }
    // Keeps the lookups from being optimised away.
    volatile long result = sink;
    (void)result;
    return 0;
}
