// The value syntaxes of the options text that describe image elements and gradients. Values of
// image forms arrive upper-cased.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

// A number that is no number where digits must stand; what() reads like "'0A01' is not a valid
// integer value".
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class TacImgType { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };

// Form 5: @LLLL@TTTT@RRRR@BBBB@N@M
struct GlyphValue {
    platform::RECT R;
    int ImageCount = 0;
    int MaskType = 0;
};
GlyphValue ParseGlyphValue(std::string_view value);

// Form 6: ^LLLL^TTTT^RRRR^BBBB^WLLL^WTTT^WRRR^WBBB^N^M^D^W, widths already replaced when they
// add up to 0.
struct BorderValue {
    platform::RECT R;
    int WL = 0, WT = 0, WR = 0, WB = 0;
    int ImageCount = 0;
    int MaskType = 0;
    int DrawMode = 0;
    int BorderWidth = 0;
};
BorderValue ParseBorderValue(std::string_view value);

// Form 7: ~LLLL~TTTT~RRRR~BBBB~DD~M[~...~FILE]
struct TextureValue {
    platform::RECT R;
    int DrawMode = 0;
    int MaskType = 0;
    std::string File; // empty: the rectangle lies in the master bitmap
};
TextureValue ParseTextureValue(std::string_view value);

// Form 8: !FILE!N!M!T!WLLL!WTTT!WRRR!WBBB!D; words that are no number count as 0.
struct ExternalValue {
    std::string File;
    int ImageCount = 0;
    int MaskType = 0;
    TacImgType Kind = TacImgType::itisaBorder;
    bool HasWidths = false; // false: the widths come from the image's size
    int WL = 0, WT = 0, WR = 0, WB = 0;
    int DrawMode = 0;
};
ExternalValue ParseExternalValue(std::string_view value);

// Border widths of a form 8 value without its own: a third of a state image each way.
void WidthsFromImage(ExternalValue& value, int imageWidth, int imageHeight);

// Form 10, one segment of a gradient.
struct TsGradPie {
    int Color1 = 0;
    int Color2 = 0;
    std::uint8_t Percent = 0;
    int Mode1 = 0;
    int Mode2 = 0;
};
std::vector<TsGradPie> ParseGradientData(std::string_view value);

// Integer division that answers 0 for a zero divisor, for sizes taken from damaged values.
inline int SafeDiv(int a, int b) { return b == 0 ? 0 : a / b; }

} // namespace skin
