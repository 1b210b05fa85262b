// The outline of a canvas: colour, width and style.
#pragma once

#include "toolkit/Colors.h"
#include "toolkit/TPersistent.h"

namespace toolkit {

enum TPenStyle { psSolid, psDash, psDot, psClear };

class TPen : public TPersistent {
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;

    void Assign(const TPersistent* source) override
    {
        if (auto* other = dynamic_cast<const TPen*>(source)) {
            Color = other->Color;
            Width = other->Width;
            Style = other->Style;
            return;
        }
        TPersistent::Assign(source);
    }
};

} // namespace toolkit
