// Typed text to an address. The rules, in order:
// - white space around the text goes; nothing left stays nothing;
// - text starting with "/" is a local path: "file://" in front, the path percent-encoded as
//   UTF-8, runs of leading slashes taken as one (they name the same folder here);
// - text starting with a known scheme ("HTTP:" too: schemes ignore case) is kept;
// - "name:digits" followed by "/", "?", "#" or the end is a host with a port, not a scheme;
// - any other "word:" is kept when "//" follows it (a stream address like "rtmp://...") or when
//   the word has no dot ("mailto:x@y", "magnet:?..."): putting "http://" in front of those would
//   send the user to a host named by the text after the colon. A word with a dot
//   ("example.com:abc") is a host name and gets "http://";
// - anything else is a host name or address and gets "http://".
// Tabs and line breaks inside an address are dropped (pasted text often carries them) and the
// other control characters are percent-encoded, so the result never carries one.
#include "platform/system/AddressFixUp.h"

#include "platform/core/AsciiCase.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

constexpr std::array knownSchemes{"http", "https", "file", "about", "data", "javascript", "blob",
                                  "ftp", "ws", "wss", "view-source"};

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}


std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

void AppendEncoded(std::string& out, unsigned char c)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(hex[c >> 4]);
    out.push_back(hex[c & 15]);
}

// Bytes a path may carry as they are: unreserved characters, sub-delimiters, ":", "@" and "/".
bool IsPathByte(unsigned char c)
{
    if (platform::IsAsciiLetter(char(c)) || IsDigit(char(c)))
        return true;
    return std::string_view("-._~!$&'()*+,;=:@/").find(char(c)) != std::string_view::npos;
}

std::string FileAddress(std::string_view path)
{
    while (path.size() > 1 && path[1] == '/')
        path.remove_prefix(1);
    std::string out = "file://";
    for (char c : path) {
        if (IsPathByte(static_cast<unsigned char>(c)))
            out.push_back(c);
        else
            AppendEncoded(out, static_cast<unsigned char>(c));
    }
    return out;
}

// The scheme-like word before the first ":", or empty: a letter, then letters, digits, "+", "-", ".".
std::string_view LeadingScheme(std::string_view text)
{
    if (text.empty() || !platform::IsAsciiLetter(text[0]))
        return {};
    for (size_t i = 1; i < text.size(); ++i) {
        char c = text[i];
        if (c == ':')
            return text.substr(0, i);
        if (!platform::IsAsciiLetter(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.')
            return {};
    }
    return {};
}

bool IsPort(std::string_view afterColon)
{
    size_t digits = 0;
    while (digits < afterColon.size() && IsDigit(afterColon[digits]))
        ++digits;
    if (digits == 0)
        return false;
    return digits == afterColon.size() || std::string_view("/?#").find(afterColon[digits]) != std::string_view::npos;
}

bool IsKnown(std::string_view scheme, const std::vector<std::string>& extraSchemes)
{
    auto same = [scheme](std::string_view known) { return platform::SameTextAscii(scheme, known); };
    return std::any_of(knownSchemes.begin(), knownSchemes.end(), same) ||
        std::any_of(extraSchemes.begin(), extraSchemes.end(), same);
}

bool KeepsAsTyped(std::string_view text, const std::vector<std::string>& extraSchemes)
{
    std::string_view scheme = LeadingScheme(text);
    if (scheme.empty())
        return false;
    std::string_view rest = text.substr(scheme.size() + 1);
    if (IsKnown(scheme, extraSchemes))
        return true;
    if (IsPort(rest))
        return false;
    return rest.starts_with("//") || scheme.find('.') == std::string_view::npos;
}

std::string WithoutControls(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r')
            continue;
        if (byte < 0x20 || byte == 0x7F)
            AppendEncoded(out, byte);
        else
            out.push_back(c);
    }
    return out;
}

} // namespace

std::string FixUpAddress(std::string_view text, const std::vector<std::string>& extraSchemes)
{
    text = Trim(text);
    if (text.empty())
        return {};
    if (text.front() == '/')
        return FileAddress(text);
    std::string address = WithoutControls(text);
    if (KeepsAsTyped(address, extraSchemes))
        return address;
    return "http://" + address;
}

} // namespace platform
