#include "tools/artgen/Pictures.h"

#include <cmath>
#include <numbers>

namespace artgen {

namespace {

constexpr double Pi = std::numbers::pi;

// One colour per meaning, bright enough for a dark panel and deep enough for a white one.
constexpr Rgb Blue{40, 110, 220};
constexpr Rgb Green{40, 170, 70};
constexpr Rgb Orange{240, 140, 30};
constexpr Rgb Purple{140, 80, 200};
constexpr Rgb Teal{20, 160, 170};
constexpr Rgb Red{215, 45, 45};
constexpr Rgb Gold{245, 180, 20};
constexpr Rgb Sea{20, 115, 175};
constexpr Rgb Slate{90, 100, 120};
constexpr Rgb Screen{50, 80, 135};
constexpr Rgb Paper{245, 240, 225};
constexpr Rgb Glow{255, 240, 130};

// A highlight across the upper part of a shape: the gloss of a button-like surface.
void Gloss(Canvas& c, const Sdf& shape, double y0, double y1)
{
    c.Mark(Intersect(shape, RoundRect(0, y0, 1, y1, 0)), Paint{White, White, 0, 1}, 0.22);
}

void TvSet(Canvas& c, Rgb body, int digit)
{
    c.Shape(Stroke({{0.30, 0.05}, {0.5, 0.22}, {0.70, 0.05}}, 0.07), Lit(Slate, 0, 0.25));
    c.Shape(Polygon({{0.34, 0.80}, {0.66, 0.80}, {0.74, 0.95}, {0.26, 0.95}}), Lit(Slate, 0.8, 0.95));
    Sdf frame = RoundRect(0.04, 0.20, 0.96, 0.86, 0.11);
    c.Shape(frame, Lit(body, 0.2, 0.86));
    Sdf screen = RoundRect(0.14, 0.29, 0.86, 0.78, 0.06);
    c.Shape(screen, Paint{Mix(Screen, White, 0.2), Mix(Screen, Black, 0.1), 0.29, 0.78});
    if (digit > 0)
        c.Mark(Digit(digit, 0.40, 0.37, 0.60, 0.70, 0.085), Solid(Glow));
    Gloss(c, frame, 0.2, 0.36);
}

void Radio(Canvas& c)
{
    c.Shape(Stroke({{0.22, 0.34}, {0.78, 0.06}}, 0.06), Lit(Slate, 0, 0.3));
    Sdf box = RoundRect(0.04, 0.30, 0.96, 0.90, 0.1);
    c.Shape(box, Lit(Orange, 0.3, 0.9));
    c.Shape(Circle(0.33, 0.60, 0.19), Paint{Mix(Screen, White, 0.2), Screen, 0.41, 0.79});
    c.Mark(Ring(0.33, 0.60, 0.10, 0.045), Solid(Mix(Slate, White, 0.4)));
    c.Shape(RoundRect(0.60, 0.42, 0.86, 0.56, 0.03), Solid(Paper));
    c.Mark(Stroke({{0.70, 0.44}, {0.70, 0.54}}, 0.035), Solid(Red));
    c.Shape(Circle(0.66, 0.73, 0.065), Lit(Slate, 0.66, 0.8));
    c.Shape(Circle(0.81, 0.73, 0.065), Lit(Slate, 0.66, 0.8));
    Gloss(c, box, 0.3, 0.42);
}

void Schedule(Canvas& c)
{
    Sdf sheet = RoundRect(0.10, 0.10, 0.90, 0.92, 0.08);
    c.Shape(sheet, Lit(Paper, 0.1, 0.92));
    c.Shape(RoundRect(0.10, 0.10, 0.90, 0.32, 0.08), Lit(Blue, 0.1, 0.32));
    for (double y : {0.44, 0.59, 0.74}) {
        c.Mark(RoundRect(0.20, y - 0.035, 0.34, y + 0.035, 0.02), Solid(Red));
        c.Mark(RoundRect(0.42, y - 0.03, 0.80, y + 0.03, 0.02), Solid(Slate));
    }
    c.Shape(Circle(0.30, 0.10, 0.06), Lit(Slate, 0, 0.16));
    c.Shape(Circle(0.70, 0.10, 0.06), Lit(Slate, 0, 0.16));
}

void Star(Canvas& c)
{
    Sdf star = Polygon(StarPoints(0.5, 0.54, 0.46, 0.2, 5));
    c.Shape(star, Lit(Gold, 0.1, 0.95));
    Gloss(c, star, 0.05, 0.45);
}

void Tales(Canvas& c)
{
    // An open book with a note above it: stories to listen to.
    Sdf left = Polygon({{0.05, 0.50}, {0.48, 0.58}, {0.48, 0.94}, {0.05, 0.86}});
    Sdf right = Polygon({{0.52, 0.58}, {0.95, 0.50}, {0.95, 0.86}, {0.52, 0.94}});
    c.Shape(left, Lit(Paper, 0.5, 0.94));
    c.Shape(right, Lit(Paper, 0.5, 0.94));
    for (double dy : {0.12, 0.22}) {
        c.Mark(Stroke({{0.13, 0.56 + dy - 0.04}, {0.40, 0.61 + dy - 0.04}}, 0.035), Solid(Slate));
        c.Mark(Stroke({{0.60, 0.61 + dy - 0.04}, {0.87, 0.56 + dy - 0.04}}, 0.035), Solid(Slate));
    }
    Sdf note = Union(Union(Circle(0.38, 0.38, 0.1), Stroke({{0.46, 0.38}, {0.46, 0.06}, {0.66, 0.14}, {0.66, 0.24}}, 0.07)),
                     Circle(0.38, 0.38, 0.1));
    c.Shape(note, Lit(Purple, 0.05, 0.48));
}

void Globe(Canvas& c)
{
    Sdf ball = Circle(0.5, 0.5, 0.44);
    c.Shape(ball, Lit(Sea, 0.06, 0.94));
    Rgb line = Mix(Sea, White, 0.55);
    c.Mark(Intersect(Ring(0.5, 0.5, 0.37, 0.045), ball), Solid(line));
    c.Mark(Stroke({{0.10, 0.5}, {0.90, 0.5}}, 0.045), Solid(line));
    c.Mark(Stroke(Arc(0.5, 0.5, 0.19, 0.41, -Pi / 2, Pi / 2), 0.045), Solid(line));
    c.Mark(Stroke(Arc(0.5, 0.5, 0.19, 0.41, Pi / 2, Pi * 1.5), 0.045), Solid(line));
    c.Mark(Stroke(Arc(0.5, 0.06, 0.36, 0.22, Pi * 0.2, Pi * 0.8), 0.04), Solid(line));
    c.Mark(Stroke(Arc(0.5, 0.94, 0.36, 0.22, Pi * 1.2, Pi * 1.8), 0.04), Solid(line));
    Gloss(c, ball, 0.06, 0.4);
}

Sdf Gear(double cx, double cy, double r, int teeth)
{
    Sdf gear = Circle(cx, cy, r * 0.78);
    for (int i = 0; i < teeth; ++i)
        gear = Union(gear, Turned(RoundRect(cx - r * 0.17, cy - r, cx + r * 0.17, cy, r * 0.05), cx, cy, 2 * Pi * i / teeth));
    return Subtract(gear, Circle(cx, cy, r * 0.33));
}

void Settings(Canvas& c)
{
    Sdf gear = Gear(0.5, 0.5, 0.45, 8);
    c.Shape(gear, Lit(Slate, 0.05, 0.95));
    Gloss(c, gear, 0.05, 0.4);
}

void Badge(Canvas& c, Rgb colour, const Sdf& sign)
{
    Sdf ball = Circle(0.5, 0.5, 0.44);
    c.Shape(ball, Lit(colour, 0.06, 0.94));
    c.Mark(sign, Solid(White));
    Gloss(c, ball, 0.06, 0.38);
}

void Help(Canvas& c)
{
    Sdf mark = Union(Stroke(Joined(Arc(0.5, 0.36, 0.15, 0.14, Pi * 1.05, Pi * 2.35), {{0.5, 0.55}, {0.5, 0.60}}), 0.1),
                     Circle(0.5, 0.76, 0.06));
    Badge(c, Blue, mark);
}

void About(Canvas& c)
{
    Sdf mark = Union(Circle(0.5, 0.27, 0.065), Stroke({{0.44, 0.43}, {0.5, 0.43}, {0.5, 0.74}}, 0.11));
    Badge(c, Teal, mark);
}

void Heart(Canvas& c)
{
    std::vector<Point> outline;
    for (int i = 0; i < 64; ++i) {
        double t = 2 * Pi * i / 64;
        double x = 16 * std::pow(std::sin(t), 3);
        double y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        outline.push_back({0.5 + x * 0.027, 0.47 - y * 0.027});
    }
    Sdf heart = Polygon(outline);
    c.Shape(heart, Lit(Red, 0.1, 0.92));
    Gloss(c, heart, 0.1, 0.4);
}

void Clapper(Canvas& c)
{
    Sdf board = RoundRect(0.08, 0.38, 0.92, 0.90, 0.06);
    c.Shape(board, Lit(Slate, 0.38, 0.9));
    Sdf bar = Turned(RoundRect(0.08, 0.18, 0.92, 0.34, 0.03), 0.1, 0.34, -0.22);
    c.Shape(bar, Solid(Mix(Slate, Black, 0.3)));
    for (double x : {0.22, 0.45, 0.68})
        c.Mark(Intersect(Turned(Polygon({{x, 0.36}, {x + 0.1, 0.36}, {x + 0.2, 0.16}, {x + 0.1, 0.16}}), 0.1, 0.34, -0.22),
                         Turned(RoundRect(0.09, 0.19, 0.91, 0.33, 0.03), 0.1, 0.34, -0.22)),
               Solid(White));
    c.Mark(Polygon({{0.40, 0.50}, {0.66, 0.64}, {0.40, 0.78}}), Solid(Gold));
}

void Series(Canvas& c)
{
    c.Shape(RoundRect(0.30, 0.08, 0.94, 0.56, 0.07), Lit(Purple, 0.08, 0.56));
    c.Shape(RoundRect(0.18, 0.22, 0.82, 0.70, 0.07), Lit(Blue, 0.22, 0.7));
    Sdf front = RoundRect(0.06, 0.36, 0.70, 0.90, 0.07);
    c.Shape(front, Lit(Green, 0.36, 0.9));
    c.Mark(Polygon({{0.30, 0.50}, {0.52, 0.63}, {0.30, 0.76}}), Solid(White));
}

void Arrow(Canvas& c, bool up)
{
    std::vector<Point> points = {{0.5, 0.06}, {0.93, 0.50}, {0.68, 0.50}, {0.68, 0.94}, {0.32, 0.94}, {0.32, 0.50}, {0.07, 0.50}};
    if (!up)
        for (auto& p : points)
            p[1] = 1 - p[1];
    Sdf arrow = Polygon(points);
    c.Shape(arrow, up ? Lit(Green, 0.06, 0.94) : Lit(Orange, 0.06, 0.94));
}

void Power(Canvas& c)
{
    Sdf ball = Circle(0.5, 0.5, 0.44);
    c.Shape(ball, Lit(Red, 0.06, 0.94));
    c.Mark(Union(Stroke(Arc(0.5, 0.53, 0.24, 0.24, -Pi * 0.28, Pi * 1.28, 24), 0.09), Stroke({{0.5, 0.18}, {0.5, 0.5}}, 0.09)),
           Solid(White));
    Gloss(c, ball, 0.06, 0.38);
}

void ProgramIcon(Canvas& c)
{
    TvSet(c, Blue, 0);
    c.Mark(Polygon({{0.42, 0.40}, {0.62, 0.535}, {0.42, 0.67}}), Solid(Glow));
}

void Cross(Canvas& c)
{
    Sdf ball = Circle(0.5, 0.5, 0.44);
    c.Shape(ball, Lit(Red, 0.06, 0.94));
    c.Mark(Union(Stroke({{0.33, 0.33}, {0.67, 0.67}}, 0.12), Stroke({{0.67, 0.33}, {0.33, 0.67}}, 0.12)), Solid(White));
}

void Remote(Canvas& c)
{
    Sdf body = RoundRect(0.28, 0.04, 0.72, 0.96, 0.12);
    c.Shape(body, Lit(Slate, 0.04, 0.96));
    c.Mark(Circle(0.5, 0.22, 0.09), Solid(Red));
    for (double y : {0.46, 0.64, 0.82})
        c.Mark(Union(Circle(0.40, y, 0.055), Circle(0.60, y, 0.055)), Solid(White));
}

void OnTop(Canvas& c)
{
    // A window with an arrow lifting it: the window stays above the others.
    c.Shape(RoundRect(0.1, 0.40, 0.70, 0.9, 0.06), Lit(Paper, 0.4, 0.9));
    c.Shape(RoundRect(0.1, 0.40, 0.70, 0.55, 0.05), Lit(Blue, 0.4, 0.55));
    c.Shape(Polygon({{0.74, 0.04}, {0.98, 0.34}, {0.84, 0.34}, {0.84, 0.62}, {0.64, 0.62}, {0.64, 0.34}, {0.50, 0.34}}),
            Lit(Green, 0.04, 0.62));
}

void AboutPicture(Canvas& c)
{
    ProgramIcon(c);
    c.Shape(Circle(0.83, 0.79, 0.14), Lit(Orange, 0.65, 0.93));
    c.Mark(Stroke(Arc(0.83, 0.79, 0.07, 0.07, -Pi * 0.8, -Pi * 0.2), 0.025), Solid(White));
    c.Mark(Stroke(Arc(0.83, 0.79, 0.035, 0.035, -Pi * 0.8, -Pi * 0.2), 0.025), Solid(White));
    c.Mark(Circle(0.83, 0.80, 0.02), Solid(White));
}

} // namespace

const std::vector<Picture>& Pictures()
{
    static const std::vector<Picture> pictures = {
        {"Form1Icon", 64, ProgramIcon},
        {"sBitBtn1", 32, [](Canvas& c) { TvSet(c, Blue, 1); }},
        {"sBitBtn2", 32, [](Canvas& c) { TvSet(c, Green, 2); }},
        {"sBitBtn3", 32, [](Canvas& c) { TvSet(c, Orange, 3); }},
        {"sBitBtn4", 32, [](Canvas& c) { TvSet(c, Purple, 4); }},
        {"sBitBtn5", 32, [](Canvas& c) { TvSet(c, Teal, 5); }},
        {"sBitBtn6", 32, Radio},
        {"sSpeedButton1", 32, Schedule},
        {"sSpeedButton2", 32, Star},
        {"sSpeedButton3", 32, Tales},
        {"sSpeedButton4", 32, Settings},
        {"sSpeedButton5", 32, Help},
        {"sSpeedButton6", 32, About},
        {"sSpeedButton7", 32, Heart},
        {"sSpeedButton8", 32, Power},
        {"sSpeedButton9", 32, Globe},
        {"sSpeedButton10", 32, [](Canvas& c) { Arrow(c, false); }},
        {"sSpeedButton11", 32, [](Canvas& c) { Arrow(c, true); }},
        {"sSpeedButton12", 32, Clapper},
        {"sSpeedButton13", 32, Series},
        {"TalesClose24", 24, Cross},
        {"TalesRemote24", 24, Remote},
        {"TalesOnTop24", 24, OnTop},
        {"TalesClose16", 16, Cross},
        {"TalesRemote16", 16, Remote},
        {"TalesOnTop16", 16, OnTop},
        {"AboutPicture", 120, AboutPicture},
    };
    return pictures;
}

} // namespace artgen
