// Short test streams made at run time with ffmpeg: a picture of four quadrants in known colours
// over a 440 Hz tone, as HLS (H.264 + AAC in MPEG-TS segments) and as MP4.
#pragma once

#include <map>
#include <string>

namespace e2e {

// Quadrant colours of the picture, as laid out: top left, top right, bottom left, bottom right.
struct QuadrantColour {
    int r, g, b;
};
inline constexpr QuadrantColour PatternColours[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};

struct TestMedia {
    // File name (for HLS the playlist "index.m3u8" and its segments) to contents.
    std::map<std::string, std::string> files;
    std::string problem; // empty when the media was made
};

TestMedia MakeHlsStream(double seconds);
TestMedia MakeMp4File(double seconds);

} // namespace e2e
