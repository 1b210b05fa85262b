// Drawing primitives on device contexts. Coordinates are logical; everything is clipped to the
// DC's clip region and target. Pixel arithmetic is exact and integer.
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/PixelAlpha.h"

namespace platform {

// Raster operations supported by BitBlt and StretchBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;

// Fills with an opaque colour (alpha 255).
void FillSolidRect(HDC dc, const RECT& r, COLORREF color);
// Writes a pixel value unchanged, alpha included (for building pictures with alpha).
void FillPixels(HDC dc, const RECT& r, PixelBGRA pixel);
// A one-pixel frame inside r.
void FrameRect(HDC dc, const RECT& r, COLORREF color);
// Lines with the Windows rule: the last point is not drawn. Pixels step along the longer axis;
// the other coordinate is rounded to nearest, halves away from the start.
void DrawLine(HDC dc, POINT from, POINT to, COLORREF color);

// Edges of DrawEdge.
constexpr UINT BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004,
               BDR_SUNKENINNER = 0x0008;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
constexpr UINT BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8, BF_RECT = 0xF, BF_ADJUST = 0x2000;
constexpr UINT BF_MIDDLE = 0x0800; // also fills the inside with COLOR_BTNFACE
// Draws the 3-D edge with the system colours; with BF_ADJUST shrinks *r by what was drawn.
// Outer raised: COLOR_3DLIGHT top-left, COLOR_3DDKSHADOW bottom-right; inner raised:
// COLOR_BTNHIGHLIGHT / COLOR_BTNSHADOW; sunken edges swap them (outer COLOR_BTNSHADOW /
// COLOR_BTNHIGHLIGHT, inner COLOR_3DDKSHADOW / COLOR_3DLIGHT). In the classic light scheme these
// are E3E3E3, 696969, FFFFFF and A0A0A0 around a F0F0F0 face. Each edge is one pixel; the
// bottom-right colour owns the top-right and bottom-left corner pixels.
bool DrawEdge(HDC dc, RECT* r, UINT edge, UINT flags);

// Copies pixels (alpha included) from src to dst. Only SRCCOPY. The source's clip is ignored and
// only pixels the source bitmap holds are copied; src and dst may share a bitmap and overlap.
bool BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);
// Scales colour onto colour by nearest neighbour (the platform's colour-on-colour mode): each
// destination pixel takes the source pixel under its centre. A negative width or height on one
// side only mirrors that axis; destination pixels whose source lies outside the source bitmap
// are left alone.
bool StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop);

// Per-pixel alpha blending with a constant alpha: the source is premultiplied when
// AC_SRC_ALPHA is set, as in the platform's AlphaBlend; without it the source counts as opaque.
// Sizes differing scale as StretchBlt does. Refused (false, nothing drawn) like the platform's:
// negative sizes, a source rectangle not inside the source bitmap, a BlendOp other than AC_SRC_OVER.
constexpr BYTE AC_SRC_OVER = 0x00;
constexpr BYTE AC_SRC_ALPHA = 0x01;
struct BLENDFUNCTION {
    BYTE BlendOp = AC_SRC_OVER;
    BYTE BlendFlags = 0;
    BYTE SourceConstantAlpha = 255;
    BYTE AlphaFormat = 0;
};
bool AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend);

// GradientFill. Colours are 16-bit per channel as in the platform; only the high byte is used, and
// alpha is written too.
// Rectangles: the two vertices are opposite corners (in either order), the rectangle is half-open,
// and the vertex nearer the start of the shaded axis gives the first colour. Column (or row) i of
// n is c1 + (c2 - c1) * i / n rounded half up: the first gets c1 exactly, the midpoint of an even
// run the rounded average, and c2 itself lies on the excluded edge.
// Triangles: a pixel is filled when its centre lies inside; centres exactly on an edge belong to
// left edges and horizontal top edges only, so triangles sharing an edge never overlap or leave a
// gap. The colour is the vertex colours weighted by the centre's barycentric coordinates, rounded
// to nearest.
struct TRIVERTEX {
    LONG x = 0, y = 0;
    WORD Red = 0, Green = 0, Blue = 0, Alpha = 0;
};
struct GRADIENT_RECT {
    UINT UpperLeft = 0, LowerRight = 0;
};
struct GRADIENT_TRIANGLE {
    UINT Vertex1 = 0, Vertex2 = 0, Vertex3 = 0;
};
constexpr UINT GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2;
bool GradientFill(HDC dc, const TRIVERTEX* vertices, UINT vertexCount, const void* mesh, UINT meshCount, UINT mode);
// One opaque rectangle shading from `from` to `to`, left to right (GRADIENT_FILL_RECT_H) or top
// to bottom (GRADIENT_FILL_RECT_V).
bool GradientFillRect(HDC dc, const RECT& r, COLORREF from, COLORREF to, UINT mode);

// Region painting in logical coordinates.
void FillRgn(HDC dc, const Region& rgn, COLORREF color);

} // namespace platform
