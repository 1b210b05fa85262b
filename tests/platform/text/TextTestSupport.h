// Small bitmaps to draw text on, and what the tests read back from them.
#pragma once

#include "platform/core/Bitmap.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/text/Font.h"
#include "platform/text/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <string>

namespace textTest {

using namespace platform;

constexpr PixelBGRA White = MakePixel(255, 255, 255);

// A white bitmap with a DC drawing black text in the given font, background transparent.
struct Canvas {
    Bitmap bitmap;
    HDC dc;

    Canvas(int width, int height, HFONT font = nullptr) : bitmap(width, height)
    {
        bitmap.Fill(White);
        dc = CreateBitmapDC(&bitmap);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        if (font)
            SelectFont(dc, font);
    }
    ~Canvas() { DeleteDC(dc); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Clear() { bitmap.Fill(White); }
    bool Touched(int x, int y) const { return bitmap.Pixel(x, y) != White; }

    // The smallest rectangle holding every pixel that is no longer white; empty when none.
    RECT Ink() const
    {
        RECT box{bitmap.Width(), bitmap.Height(), 0, 0};
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                if (Touched(x, y)) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.IsEmpty() ? RECT{} : box;
    }

    int InkCount() const
    {
        int count = 0;
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                count += Touched(x, y);
        return count;
    }
};

inline HFONT Tahoma(LONG height, LONG weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    return CreateFontIndirect(lf);
}

inline int Extent(HFONT font, StringView text)
{
    Canvas canvas(1, 1, font);
    SIZE size;
    GetTextExtentPoint32(canvas.dc, text, &size);
    return size.cx;
}

inline String U(const char* utf8) { return Utf8ToUtf16(utf8); }

// The tests' own FreeType, to derive expected values from the font files.
class FreeTypeFace {
public:
    explicit FreeTypeFace(const std::string& file)
    {
        FT_Init_FreeType(&library_);
        if (FT_New_Face(library_, file.c_str(), 0, &face_) != 0)
            face_ = nullptr;
    }
    ~FreeTypeFace()
    {
        if (face_)
            FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    FreeTypeFace(const FreeTypeFace&) = delete;
    FreeTypeFace& operator=(const FreeTypeFace&) = delete;

    FT_Face operator->() const { return face_; }
    FT_Face Get() const { return face_; }

    std::string Family() const { return face_ && face_->family_name ? face_->family_name : ""; }

    // Advance of ch in whole pixels at an em size, as the face's own bitmaps or hinting give it.
    int Advance(char32_t ch, int ppem)
    {
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(ppem));
        if (FT_Load_Char(face_, FT_ULong(ch), FT_LOAD_TARGET_LIGHT) != 0)
            return -1;
        return int((face_->glyph->advance.x + 32) >> 6);
    }

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

} // namespace textTest
