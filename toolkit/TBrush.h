// The fill of a canvas: a colour, or nothing (bsClear: text and shapes leave the background).
#pragma once

#include "toolkit/Colors.h"
#include "toolkit/TPersistent.h"

namespace toolkit {

enum TBrushStyle { bsSolid, bsClear };

class TBrush : public TPersistent {
public:
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;

    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TBrush*>(source)) {
            Color = other->Color;
            Style = other->Style;
            return;
        }
        TPersistent::Assign(source);
    }
};

} // namespace toolkit
