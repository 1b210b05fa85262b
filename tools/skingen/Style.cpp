#include "tools/skingen/Style.h"

#include <charconv>
#include <stdexcept>

namespace skingen {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\r'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Split(std::string_view s, std::string_view separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        std::size_t at = s.find(separator);
        parts.push_back(Trim(s.substr(0, at)));
        if (at == std::string_view::npos)
            return parts;
        s.remove_prefix(at + separator.size());
    }
}

int ParseInt(std::string_view s)
{
    int value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        throw std::invalid_argument("not a number: '" + std::string(s) + "'");
    return value;
}

// The glossy paint's lower piece starts 8 % darker than the highlight's end: the hard step.
Rgb GlossStep(Rgb c) { return Mix(c, Black, 0.08); }

TextLook ParseTextLook(std::string_view s)
{
    TextLook look;
    auto words = Split(s, " ");
    look.color = ParseHex(words.at(0));
    for (std::size_t i = 1; i < words.size(); ++i) {
        std::string_view w = words[i];
        if (w.starts_with("g")) {
            auto parts = Split(w.substr(1), ":");
            look.glow = ParseHex(parts.at(0));
            look.glowSize = ParseInt(parts.at(1));
        } else if (w.starts_with("o")) {
            look.outline = ParseHex(w.substr(1));
        } else {
            throw std::invalid_argument("unknown text look '" + std::string(w) + "'");
        }
    }
    return look;
}

} // namespace

Rgb ParseHex(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        throw std::invalid_argument("not a colour: '" + std::string(text) + "'");
    unsigned value = 0;
    auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, value, 16);
    if (ec != std::errc() || end != text.data() + 7)
        throw std::invalid_argument("not a colour: '" + std::string(text) + "'");
    return {double(value >> 16 & 255), double(value >> 8 & 255), double(value & 255)};
}

Paint ParsePaint(std::string_view text)
{
    Paint paint;
    text = Trim(text);
    if (text.size() > 2 && text[1] == ':') {
        switch (text[0]) {
        case 'S': paint.kind = Paint::Kind::Solid; break;
        case 'V': paint.kind = Paint::Kind::Vertical; break;
        case 'H': paint.kind = Paint::Kind::Horizontal; break;
        case 'G': paint.kind = Paint::Kind::Glossy; break;
        default: throw std::invalid_argument("unknown paint '" + std::string(text) + "'");
        }
        text.remove_prefix(2);
    }
    for (std::string_view stop : Split(text, ">"))
        paint.stops.push_back(ParseHex(stop));
    if (paint.kind == Paint::Kind::Solid && paint.stops.size() != 1)
        throw std::invalid_argument("a solid paint has one colour");
    if (paint.kind == Paint::Kind::Glossy && paint.stops.size() != 3)
        throw std::invalid_argument("a glossy paint has three colours");
    if (paint.kind != Paint::Kind::Solid && paint.stops.size() < 2)
        throw std::invalid_argument("a gradient has at least two colours");
    return paint;
}

Rgb Paint::At(double t) const
{
    t = std::clamp(t, 0.0, 1.0);
    if (kind == Kind::Solid)
        return stops[0];
    if (kind == Kind::Glossy) {
        if (t < 0.45)
            return Mix(stops[0], stops[1], t / 0.45);
        return Mix(GlossStep(stops[1]), stops[2], (t - 0.45) / 0.55);
    }
    double scaled = t * double(stops.size() - 1);
    std::size_t piece = std::min(std::size_t(scaled), stops.size() - 2);
    return Mix(stops[piece], stops[piece + 1], scaled - double(piece));
}

Paint Paint::Greyed() const
{
    Paint grey = *this;
    for (Rgb& stop : grey.stops)
        stop = GreyOf(stop);
    return grey;
}

std::string Paint::GradientData() const
{
    auto piece = [](Rgb a, Rgb b, int percent, int mode) {
        return std::to_string(ToColorRef(a)) + ";" + std::to_string(ToColorRef(b)) + ";" + std::to_string(percent) +
               ";" + std::to_string(mode) + ";0";
    };
    switch (kind) {
    case Kind::Solid:
        return {};
    case Kind::Glossy:
        return piece(stops[0], stops[1], 45, 0) + ";" + piece(GlossStep(stops[1]), stops[2], 55, 0);
    case Kind::Vertical:
    case Kind::Horizontal: {
        int mode = kind == Kind::Vertical ? 0 : 1;
        int pieces = int(stops.size()) - 1;
        std::string data;
        for (int i = 0; i < pieces; ++i) {
            int percent = i + 1 < pieces ? 100 / pieces : 100 - (100 / pieces) * (pieces - 1);
            if (!data.empty())
                data += ";";
            data += piece(stops[i], stops[i + 1], percent, mode);
        }
        return data;
    }
    }
    return {};
}

const Texture* Style::TextureFor(char target) const
{
    for (const Texture& texture : textures)
        if (texture.targets.find(target) != std::string::npos)
            return &texture;
    return nullptr;
}

std::vector<Style> ParseStyles(std::string_view table)
{
    std::vector<Style> styles;
    int lineNumber = 0;
    bool headerSeen = false;
    for (std::string_view line : Split(table, "\n")) {
        ++lineNumber;
        if (line.empty() || line.starts_with("#"))
            continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        try {
            auto f = Split(line, "\t");
            if (f.size() != 21)
                throw std::invalid_argument("expected 21 fields, found " + std::to_string(f.size()));
            Style s;
            s.name = std::string(f[0]);
            s.family = std::string(f[1]);
            s.dark = f[2] == "D";
            s.base = ParseHex(f[3]);
            s.surf = ParseHex(f[4]);
            s.alpha = ParseInt(f[5]);
            s.text = ParseHex(f[6]);
            s.accent = ParseHex(f[7]);
            s.title = ParsePaint(f[8]);
            s.titleText = ParseTextLook(f[9]);
            auto buttons = Split(f[10], "|");
            auto buttonTexts = Split(f[11], "|");
            if (buttons.size() != 3 || buttonTexts.size() != 3)
                throw std::invalid_argument("buttons need three states");
            for (int i = 0; i < 3; ++i) {
                s.button[i] = ParsePaint(buttons[i]);
                s.buttonText[i] = ParseHex(buttonTexts[i]);
            }
            auto edit = Split(f[12], "/");
            auto sel = Split(f[13], "/");
            s.editBg = ParseHex(edit.at(0));
            s.editText = ParseHex(edit.at(1));
            s.selBg = ParseHex(sel.at(0));
            s.selText = ParseHex(sel.at(1));
            s.border = ParseHex(f[14]);
            auto geom = Split(f[15], "/");
            if (geom.size() != 4)
                throw std::invalid_argument("geometry needs four numbers");
            s.windowRadius = ParseInt(geom[0]);
            s.buttonRadius = ParseInt(geom[1]);
            s.framePx = ParseInt(geom[2]);
            s.titlePx = ParseInt(geom[3]);
            if (f[16] != "-") {
                for (std::string_view t : Split(f[16], "+")) {
                    auto words = Split(t, " ");
                    if (words.size() != 3)
                        throw std::invalid_argument("texture needs kind, share and targets");
                    s.textures.push_back({std::string(words[0]), ParseInt(words[1]), std::string(words[2])});
                }
            }
            s.titleButtons = std::string(f[17]);
            if (f[18] != "-") {
                auto colour = Split(f[18], ":");
                auto numbers = Split(colour.at(1), "/");
                s.glow = Glow{ParseHex(colour[0]), ParseInt(numbers.at(0)), ParseInt(numbers.at(1))};
            }
            s.version = std::string(f[19]);
            s.mood = std::string(f[20]);
            styles.push_back(std::move(s));
        } catch (const std::exception& e) {
            throw std::runtime_error("styles line " + std::to_string(lineNumber) + ": " + e.what());
        }
    }
    return styles;
}

} // namespace skingen
