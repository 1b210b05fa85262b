#include "toolkit/SysUtils.h"

#include "platform/core/AsciiCase.h"
#include "platform/system/StringCompare.h"
#include "toolkit/Exception.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace toolkit {

bool TryStrToInt(StringView s, int& value)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && s[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    std::uint64_t v = 0;
    const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < s.size(); ++i) {
        WCHAR c = s[i];
        unsigned digit;
        if (c >= u'0' && c <= u'9')
            digit = unsigned(c - u'0');
        else if (hex && c >= u'a' && c <= u'f')
            digit = unsigned(c - u'a' + 10);
        else if (hex && c >= u'A' && c <= u'F')
            digit = unsigned(c - u'A' + 10);
        else
            return false;
        v = v * (hex ? 16 : 10) + digit;
        if (v > limit)
            return false;
    }
    std::int64_t signedValue = hex ? std::int64_t(std::int32_t(std::uint32_t(v))) : std::int64_t(v);
    if (negative)
        signedValue = -signedValue;
    value = int(std::int32_t(std::uint32_t(std::uint64_t(signedValue))));
    return true;
}

int StrToInt(StringView s)
{
    int value = 0;
    if (!TryStrToInt(s, value))
        throw EConvertError(Format(u"'%s' is not a valid integer value", {s}));
    return value;
}

int StrToIntDef(StringView s, int defaultValue)
{
    int value = 0;
    return TryStrToInt(s, value) ? value : defaultValue;
}

String IntToStr(long long value)
{
    std::string digits = std::to_string(value);
    return String(digits.begin(), digits.end());
}

String Format(StringView format, std::initializer_list<StringView> args)
{
    String out;
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            WCHAR conversion = format[i + 1];
            if (conversion == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (conversion == u's' || conversion == u'd') {
                if (next != args.end())
                    out += *next++;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

String Trim(StringView s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] <= u' ')
        ++b;
    while (e > b && s[e - 1] <= u' ')
        --e;
    return String(s.substr(b, e - b));
}

String UpperCase(StringView s) { return platform::UpperAscii(s); }

String LowerCase(StringView s) { return platform::LowerAscii(s); }

int AnsiCompareText(StringView a, StringView b)
{
    int r = platform::CompareStringOrdinal(a, b, true);
    return r == platform::CSTR_LESS_THAN ? -1 : r == platform::CSTR_EQUAL ? 0 : 1;
}

bool SameText(StringView a, StringView b) { return platform::SameTextOrdinal(a, b); }

String ApplicationFileStem()
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return u"";
    return platform::Utf8ToUtf16(exe.stem().string());
}

} // namespace toolkit
