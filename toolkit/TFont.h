// A font description (name, height in pixels, colour, style) and the platform font it resolves to.
// The default is black Tahoma with a character height of 11 pixels (8 points at 96 dots per inch).
#pragma once

#include "platform/graphics/DeviceContext.h"
#include "toolkit/Colors.h"
#include "toolkit/TPersistent.h"

namespace toolkit {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;

class TFont : public TPersistent {
public:
    TFont();

    const String& Name() const { return name_; }
    void SetName(StringView name);
    // Negative: character height in pixels; positive: cell height.
    int Height() const { return height_; }
    void SetHeight(int height);
    // Points at 96 dots per inch.
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);

    // The platform font; fonts live as long as the process, so the handle never dangles.
    platform::HFONT Handle() const;

    void Assign(const TPersistent* source) override;
    bool SameAs(const TFont& other) const;

    TNotifyEvent OnChange;

private:
    void Changed();

    String name_ = u"Tahoma";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    mutable platform::HFONT handle_ = nullptr;
};

} // namespace toolkit
