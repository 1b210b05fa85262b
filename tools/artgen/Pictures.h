// The program's pictures: each is a name, a size and a drawing on the unit square. Adding one is
// a line in the table of Pictures.cpp and, for a new motif, a small drawing function.
#pragma once

#include "tools/artgen/Canvas.h"

#include <functional>
#include <string>
#include <vector>

namespace artgen {

struct Picture {
    std::string name;
    int size = 0;
    std::function<void(Canvas&)> draw;
};

const std::vector<Picture>& Pictures();

} // namespace artgen
