#include "platform/system/ProfileDocument.h"

#include "platform/system/StringCompare.h"
#include "platform/text/Utf16.h"

namespace platform {

namespace {

// The upper half of Windows-1251; 0x98 has no character and maps through as the system does.
constexpr char16_t windows1251[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == 0x1A;
}

bool IsValidUtf8(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra;
        char32_t cp;
        if (c < 0x80) { ++i; continue; }
        if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
        else return false;
        if (i + extra >= s.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < minimum[extra] || cp > 0x10FFFF || IsSurrogate(cp))
            return false;
        i += extra + 1;
    }
    return true;
}

String DecodeWindows1251(std::string_view s)
{
    String out;
    out.reserve(s.size());
    for (char c : s) {
        unsigned char b = static_cast<unsigned char>(c);
        out.push_back(b < 0x80 ? char16_t(b) : windows1251[b - 0x80]);
    }
    return out;
}

String DecodeUtf16Le(std::string_view s)
{
    String out;
    out.reserve(s.size() / 2);
    for (std::size_t i = 0; i + 1 < s.size(); i += 2)
        out.push_back(char16_t(static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8)));
    return out;
}

String StripQuotes(StringView value)
{
    if (value.size() >= 2 && (value[0] == u'"' || value[0] == u'\'') && value.back() == value[0])
        return String(value.substr(1, value.size() - 2));
    return String(value);
}

bool HasLineBreakOrNull(StringView text)
{
    return text.find_first_of(StringView(u"\r\n\0", 3)) != StringView::npos;
}

} // namespace

String ProfileDocument::Trim(StringView text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return String(text.substr(begin, end - begin));
}

ProfileDocument ProfileDocument::Parse(std::string_view bytes)
{
    ProfileDocument document;
    String text;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        document.encoding_ = Encoding::Utf8WithBom;
        text = Utf8ToUtf16(bytes.substr(3));
    } else if (bytes.starts_with("\xFF\xFE")) {
        document.encoding_ = Encoding::Utf16Le;
        text = DecodeUtf16Le(bytes.substr(2));
    } else if (IsValidUtf8(bytes)) {
        document.encoding_ = Encoding::Utf8;
        text = Utf8ToUtf16(bytes);
    } else {
        document.encoding_ = Encoding::Windows1251;
        text = DecodeWindows1251(bytes);
    }

    // Lines end with CR LF, LF or a bare CR (as old editors wrote them); each keeps its own end,
    // so that an unchanged file serialises to its bytes.
    bool lineEndKnown = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t newline = text.find_first_of(u"\r\n", start);
        if (newline == String::npos) {
            document.lines_.push_back(Classify(text.substr(start), String()));
            break;
        }
        bool crlf = text[newline] == u'\r' && newline + 1 < text.size() && text[newline + 1] == u'\n';
        String end = crlf ? u"\r\n" : String(1, text[newline]);
        if (!lineEndKnown) {
            document.lineEnd_ = end;
            lineEndKnown = true;
        }
        document.lines_.push_back(Classify(text.substr(start, newline - start), std::move(end)));
        start = newline + (crlf ? 2 : 1);
    }
    return document;
}

std::string ProfileDocument::Serialize() const
{
    String text;
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    if (encoding_ == Encoding::Utf16Le) {
        std::string out = "\xFF\xFE";
        out.reserve(2 + text.size() * 2);
        for (char16_t c : text) {
            out.push_back(char(c & 0xFF));
            out.push_back(char(c >> 8));
        }
        return out;
    }
    std::string out = encoding_ == Encoding::Utf8WithBom ? "\xEF\xBB\xBF" : "";
    return out + Utf16ToUtf8(text);
}

ProfileDocument::Line ProfileDocument::Classify(String text, String end)
{
    Line line;
    line.text = std::move(text);
    line.end = std::move(end);
    const String& t = line.text;
    std::size_t first = 0;
    while (first < t.size() && IsBlank(t[first]))
        ++first;
    if (first == t.size() || t[first] == u';')
        return line;
    if (t[first] == u'[') {
        std::size_t close = t.rfind(u']');
        if (close != String::npos && close > first) {
            line.kind = LineKind::Section;
            line.name = Trim(StringView(t).substr(first + 1, close - first - 1));
            return line;
        }
    }
    std::size_t equals = t.find(u'=', first);
    if (equals == String::npos)
        return line;
    line.name = Trim(StringView(t).substr(first, equals - first));
    if (line.name.empty())
        return line;
    line.kind = LineKind::Key;
    std::size_t valueStart = equals + 1;
    while (valueStart < t.size() && IsBlank(t[valueStart]))
        ++valueStart;
    std::size_t valueEnd = t.size();
    while (valueEnd > valueStart && IsBlank(t[valueEnd - 1]))
        --valueEnd;
    line.valueStart = valueStart;
    line.valueEnd = valueEnd;
    return line;
}

std::size_t ProfileDocument::FindSection(StringView section, std::size_t from) const
{
    String wanted = Trim(section);
    if (wanted.empty())
        return lines_.size();
    for (std::size_t i = from; i < lines_.size(); ++i) {
        if (lines_[i].kind == LineKind::Section && SameTextOrdinal(lines_[i].name, wanted))
            return i;
    }
    return lines_.size();
}

std::size_t ProfileDocument::SectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < lines_.size() && lines_[i].kind != LineKind::Section)
        ++i;
    return i;
}

std::vector<String> ProfileDocument::SectionNames() const
{
    std::vector<String> names;
    for (const Line& line : lines_) {
        if (line.kind == LineKind::Section && !line.name.empty())
            names.push_back(line.name);
    }
    return names;
}

bool ProfileDocument::HasSection(StringView section) const { return FindSection(section) < lines_.size(); }

std::vector<String> ProfileDocument::KeyNames(StringView section) const
{
    std::vector<String> names;
    std::size_t header = FindSection(section);
    if (header == lines_.size())
        return names;
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
        if (lines_[i].kind == LineKind::Key)
            names.push_back(lines_[i].name);
    }
    return names;
}

std::optional<String> ProfileDocument::Value(StringView section, StringView key) const
{
    String wantedKey = Trim(key);
    std::size_t header = FindSection(section);
    if (wantedKey.empty() || header == lines_.size())
        return std::nullopt;
    for (std::size_t i = header + 1, end = SectionEnd(header); i < end; ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::Key && SameTextOrdinal(line.name, wantedKey))
            return StripQuotes(StringView(line.text).substr(line.valueStart, line.valueEnd - line.valueStart));
    }
    return std::nullopt;
}

bool ProfileDocument::IsStorableSectionName(StringView section)
{
    return !Trim(section).empty() && !HasLineBreakOrNull(section);
}

bool ProfileDocument::IsStorableKeyName(StringView key)
{
    String name = Trim(key);
    return !name.empty() && !HasLineBreakOrNull(key) && name.find(u'=') == String::npos && name[0] != u';' &&
           name[0] != u'[';
}

void ProfileDocument::EnsureLastLineEnds()
{
    if (!lines_.empty() && lines_.back().end.empty())
        lines_.back().end = lineEnd_;
}

bool ProfileDocument::SetValue(StringView section, StringView key, StringView value)
{
    if (!IsStorableSectionName(section) || !IsStorableKeyName(key))
        return false;
    String sectionName = Trim(section);
    String keyName = Trim(key);
    String newValue(value);
    for (char16_t& c : newValue) {
        if (c == u'\r' || c == u'\n' || c == 0)
            c = u' ';
    }

    std::size_t header = FindSection(sectionName);
    if (header == lines_.size()) {
        // The system appends a section right after the last line, without a blank line.
        EnsureLastLineEnds();
        lines_.push_back(Classify(u"[" + sectionName + u"]", lineEnd_));
        lines_.push_back(Classify(keyName + u"=" + newValue, lineEnd_));
        return true;
    }

    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        Line& line = lines_[i];
        if (line.kind != LineKind::Key || !SameTextOrdinal(line.name, keyName))
            continue;
        StringView current = StringView(line.text).substr(line.valueStart, line.valueEnd - line.valueStart);
        if (current == newValue)
            return false;
        String text = line.text;
        text.replace(line.valueStart, line.valueEnd - line.valueStart, newValue);
        line = Classify(std::move(text), std::move(line.end));
        return true;
    }

    // A new key goes after the section's last non-blank line, ahead of the blank lines that
    // separate it from the next section.
    std::size_t insertAt = header + 1;
    for (std::size_t i = header + 1; i < end; ++i) {
        if (!Trim(lines_[i].text).empty())
            insertAt = i + 1;
    }
    if (lines_[insertAt - 1].end.empty())
        lines_[insertAt - 1].end = lineEnd_;
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), Classify(keyName + u"=" + newValue, lineEnd_));
    return true;
}

bool ProfileDocument::DeleteKey(StringView section, StringView key)
{
    String keyName = Trim(key);
    if (keyName.empty())
        return false;
    bool changed = false;
    for (std::size_t header = FindSection(section); header < lines_.size();) {
        std::size_t end = SectionEnd(header);
        for (std::size_t i = end; i-- > header + 1;) {
            if (lines_[i].kind == LineKind::Key && SameTextOrdinal(lines_[i].name, keyName)) {
                lines_.erase(lines_.begin() + std::ptrdiff_t(i));
                --end;
                changed = true;
            }
        }
        header = FindSection(section, end);
    }
    return changed;
}

bool ProfileDocument::DeleteSection(StringView section)
{
    bool changed = false;
    for (std::size_t header = FindSection(section); header < lines_.size(); header = FindSection(section, header)) {
        lines_.erase(lines_.begin() + std::ptrdiff_t(header), lines_.begin() + std::ptrdiff_t(SectionEnd(header)));
        changed = true;
    }
    return changed;
}

} // namespace platform
