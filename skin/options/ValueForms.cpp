#include "skin/options/ValueForms.h"

#include "skin/options/SkinIniFile.h"

#include <algorithm>

namespace skin {

namespace {

// The characters at 1-based position `pos`, `count` of them (fewer at the end of the value), as a
// decimal number made of digits only.
int DigitsAt(std::string_view value, std::size_t pos, std::size_t count)
{
    std::string_view part = pos - 1 < value.size() ? value.substr(pos - 1, count) : std::string_view();
    if (part.empty() || !std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw ConversionError("'" + std::string(part) + "' is not a valid integer value");
    int v = 0;
    for (char c : part)
        v = v * 10 + (c - '0');
    return v;
}

platform::RECT RectAt(std::string_view value)
{
    return platform::RECT{DigitsAt(value, 2, 4), DigitsAt(value, 7, 4), DigitsAt(value, 12, 4), DigitsAt(value, 17, 4)};
}

// Words between the separators; the empty text before a leading separator is not a word.
std::vector<std::string_view> Words(std::string_view value, char separator)
{
    std::vector<std::string_view> words;
    if (!value.empty() && value.front() == separator)
        value.remove_prefix(1);
    for (;;) {
        const std::size_t p = value.find(separator);
        words.push_back(value.substr(0, p));
        if (p == std::string_view::npos)
            break;
        value.remove_prefix(p + 1);
    }
    return words;
}

int NumberOrZero(std::string_view word)
{
    int v = 0;
    return TryParseInteger(word, v) ? v : 0;
}

} // namespace

GlyphValue ParseGlyphValue(std::string_view value)
{
    GlyphValue g;
    g.R = RectAt(value);
    g.ImageCount = DigitsAt(value, 22, 1);
    g.MaskType = DigitsAt(value, 24, 1);
    return g;
}

BorderValue ParseBorderValue(std::string_view value)
{
    BorderValue b;
    b.R = RectAt(value);
    b.WL = DigitsAt(value, 22, 4);
    b.WT = DigitsAt(value, 27, 4);
    b.WR = DigitsAt(value, 32, 4);
    b.WB = DigitsAt(value, 37, 4);
    b.ImageCount = DigitsAt(value, 42, 1);
    b.MaskType = DigitsAt(value, 44, 1);
    b.DrawMode = DigitsAt(value, 46, 1);
    b.BorderWidth = DigitsAt(value, 48, 1);
    if (b.WL + b.WT + b.WR + b.WB == 0) {
        if (b.BorderWidth != 0) {
            b.WL = b.WT = b.WR = b.WB = b.BorderWidth;
        } else {
            b.WL = b.WR = SafeDiv(b.R.Width(), b.ImageCount * 3);
            b.WT = b.WB = SafeDiv(b.R.Height(), (b.MaskType + 1) * 3);
        }
    }
    return b;
}

TextureValue ParseTextureValue(std::string_view value)
{
    TextureValue t;
    t.R = RectAt(value);
    t.DrawMode = DigitsAt(value, 22, 2);
    t.MaskType = value.size() >= 25 ? DigitsAt(value, 25, 1) : 0;
    if (value.size() > 26) {
        const auto words = Words(value, '~');
        if (words.size() >= 7)
            t.File = std::string(words[6]);
    }
    return t;
}

ExternalValue ParseExternalValue(std::string_view value)
{
    ExternalValue e;
    const auto words = Words(value, '!');
    auto word = [&](std::size_t n) { return n <= words.size() ? words[n - 1] : std::string_view(); };
    e.File = std::string(word(1));
    e.ImageCount = NumberOrZero(word(2));
    e.MaskType = NumberOrZero(word(3));
    // Kinds beyond the last count as the last; a negative kind counts as the first.
    const int kind = std::clamp(NumberOrZero(word(4)), 0, int(TacImgType::itisaPngGlyph));
    e.Kind = TacImgType(kind);
    e.HasWidths = words.size() >= 5;
    if (e.HasWidths) {
        e.WL = NumberOrZero(word(5));
        e.WT = NumberOrZero(word(6));
        e.WR = NumberOrZero(word(7));
        e.WB = NumberOrZero(word(8));
    }
    e.DrawMode = NumberOrZero(word(9));
    return e;
}

void WidthsFromImage(ExternalValue& value, int imageWidth, int imageHeight)
{
    // The counts come from the text unchecked: the divisors are formed in 64 bits.
    auto divide = [](int size, std::int64_t divisor) { return divisor == 0 ? 0 : int(size / divisor); };
    value.WL = value.WR = divide(imageWidth, std::int64_t(value.ImageCount) * 3);
    value.WT = value.WB = divide(imageHeight, (std::int64_t(value.MaskType) + 1) * 3);
}

std::vector<TsGradPie> ParseGradientData(std::string_view value)
{
    std::vector<TsGradPie> result;
    std::vector<int> numbers;
    for (std::string_view w : Words(value, ';'))
        numbers.push_back(NumberOrZero(w));
    // A leading ";" is not a separator here: every piece counts.
    if (!value.empty() && value.front() == ';')
        numbers.insert(numbers.begin(), 0);
    for (std::size_t i = 0; i + 5 <= numbers.size(); i += 5) {
        TsGradPie pie;
        pie.Color1 = numbers[i];
        pie.Color2 = numbers[i + 1];
        pie.Percent = std::uint8_t(std::clamp(numbers[i + 2], 0, 100));
        pie.Mode1 = numbers[i + 3];
        result.push_back(pie);
    }
    return result;
}

} // namespace skin
