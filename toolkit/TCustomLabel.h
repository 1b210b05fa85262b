// A line (or a wrapped block) of text without a window. AutoSize fits the label to its text;
// a transparent label paints only its text over its parent.
#pragma once

#include "toolkit/TGraphicControl.h"

namespace toolkit {

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    // "&" marks the next character (drawn underlined) unless switched off.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);

protected:
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Paint() override;
    // The format flags of the text as the label draws it.
    virtual UINT TextFormat() const;
    void AdjustBounds();

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool showAccelChar_ = true;
};

} // namespace toolkit
