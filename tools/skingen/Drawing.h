// Pixel drawing of the skin generator: shapes by signed distance, strokes, glyphs and textures,
// straight into 32-bit bitmaps. Fuchsia marks what a skin image leaves transparent.
#pragma once

#include "tools/skingen/Style.h"

#include "platform/core/Bitmap.h"

#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace skingen {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
};

void Put(platform::Bitmap& bitmap, int x, int y, Rgb c, double alpha = 1.0);
Rgb Get(const platform::Bitmap& bitmap, int x, int y);
void FillBox(platform::Bitmap& bitmap, Box box, Rgb c);

// A framed surface: the picture of one state of a border mask or a control-like glyph.
struct Frame {
    std::array<int, 4> radius{}; // top left, top right, bottom right, bottom left
    Paint fill;
    bool horizontalFill = false;
    Rgb border;
    int borderPx = 1;
    bool highlight = false;  // a light line inside the border
    int bevel = 0;           // 1 raised, -1 sunken: 2-pixel light and dark edges
    bool doubleLine = false; // border, a gap, then a softer second line
    Rgb secondLine;
    bool openBottom = false; // no bottom edge: the shape continues below (titles, tabs)
    bool transparentFill = false; // only the border lines are drawn; the inside is fuchsia
};

// Draws the frame into box; pixels outside its rounded outline become fuchsia.
void DrawFrame(platform::Bitmap& bitmap, Box box, const Frame& frame);

// A set of strokes in a unit box (0..1 both ways) for glyphs: each stroke is a polyline.
struct Strokes {
    std::vector<std::vector<std::array<double, 2>>> lines;
    std::vector<std::vector<std::array<double, 2>>> filled; // closed polygons
};

enum class TitleGlyph { Close, Max, Min, Norm, Help };
Strokes TitleGlyphStrokes(TitleGlyph glyph);
Strokes TickStrokes();
Strokes TriangleStrokes(int direction); // 0 left, 1 up, 2 right, 3 down
Strokes ChevronStrokes();

// Coverage of the strokes at a pixel centre of a glyph drawn into an inner box.
double StrokeCoverage(const Strokes& strokes, double px, double py, Box inner, double width);

// Draws strokes over what is already in the bitmap; with `crisp` every pixel is all or nothing.
void DrawStrokes(platform::Bitmap& bitmap, Box inner, const Strokes& strokes, Rgb color, double width, bool crisp);

// A texture tile for a surface of the given middle colour: the colour moved toward white or black
// by at most the kind's amplitude.
platform::Bitmap MakeTextureTile(std::string_view kind, Rgb middle, std::uint32_t seed);
double TextureAmplitude(std::string_view kind);

} // namespace skingen
