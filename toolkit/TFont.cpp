#include "toolkit/TFont.h"

#include "platform/text/Font.h"

#include <cmath>

namespace toolkit {

namespace {

int MulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * double(b) / double(c)));
}

} // namespace

TFont::TFont() = default;

void TFont::SetName(StringView name)
{
    if (name == name_)
        return;
    name_ = String(name);
    Changed();
}

void TFont::SetHeight(int height)
{
    if (height == height_)
        return;
    height_ = height;
    Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, 96);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_)
        return;
    style_ = style;
    Changed();
}

platform::HFONT TFont::Handle() const
{
    if (!handle_) {
        platform::LOGFONT lf;
        lf.lfHeight = height_;
        lf.lfWeight = style_.Contains(fsBold) ? platform::FW_BOLD : platform::FW_NORMAL;
        lf.lfItalic = style_.Contains(fsItalic);
        lf.lfUnderline = style_.Contains(fsUnderline);
        lf.lfStrikeOut = style_.Contains(fsStrikeOut);
        lf.lfFaceName = name_;
        handle_ = platform::CreateFontIndirect(lf);
    }
    return handle_;
}

void TFont::Assign(const TPersistent* source)
{
    if (auto* other = dynamic_cast<const TFont*>(source)) {
        if (SameAs(*other))
            return;
        name_ = other->name_;
        height_ = other->height_;
        color_ = other->color_;
        style_ = other->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

bool TFont::SameAs(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && color_ == other.color_ && style_ == other.style_;
}

void TFont::Changed()
{
    handle_ = nullptr;
    if (OnChange)
        OnChange(this);
}

} // namespace toolkit
