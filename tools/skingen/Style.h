// One skin's style description: a line of assets/skins/styles.tsv.
#pragma once

#include "tools/skingen/Colour.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skingen {

// A background: a solid colour or a gradient of 2 or 3 stops.
struct Paint {
    enum class Kind { Solid, Vertical, Horizontal, Glossy };
    Kind kind = Kind::Solid;
    std::vector<Rgb> stops;

    // The colour at t in 0..1 across the gradient's direction.
    Rgb At(double t) const;
    Rgb Middle() const { return At(0.5); }
    Paint Greyed() const;
    // The value of a GRADIENTDATA key: pieces of five numbers; empty for a solid colour.
    std::string GradientData() const;
    bool IsGradient() const { return kind != Kind::Solid; }
};

struct Texture {
    std::string kind;
    int share = 0;       // percent of the background
    std::string targets; // F form, P panels, T title, B buttons
};

struct TextLook {
    Rgb color;
    std::optional<Rgb> glow;
    int glowSize = 0;
    std::optional<Rgb> outline;
};

struct Glow {
    Rgb color;
    int strength = 0; // peak alpha
    int size = 0;     // pixels
};

struct Style {
    std::string name; // without " (internal)"
    std::string family;
    bool dark = false;
    Rgb base, surf;
    int alpha = 0;
    Rgb text, accent;
    Paint title;
    TextLook titleText;
    std::array<Paint, 3> button;
    std::array<Rgb, 3> buttonText;
    Rgb editBg, editText, selBg, selText, border;
    int windowRadius = 0, buttonRadius = 0, framePx = 1, titlePx = 30;
    std::vector<Texture> textures;
    std::string titleButtons;
    std::optional<Glow> glow;
    std::string version;
    std::string mood;

    const Texture* TextureFor(char target) const;
};

// Parses the whole table; throws std::runtime_error naming the line of a malformed row.
std::vector<Style> ParseStyles(std::string_view table);

Paint ParsePaint(std::string_view text);

} // namespace skingen
