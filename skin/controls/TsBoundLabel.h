// The label an edit, memo or combo box can carry beside itself. Off by default; the program's
// windows leave it off, so only its settings exist for now.
#pragma once

#include "platform/core/Types.h"

namespace skin {

enum TacLabelPosition { sclLeft, sclTopLeft, sclTopCenter, sclTopRight, sclLeftTop, sclBottomLeft,
                        sclBottomCenter, sclBottomRight };

class TsBoundLabel {
public:
    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    const platform::String& Caption() const { return caption_; }
    void SetCaption(platform::StringView value) { caption_ = platform::String(value); }
    TacLabelPosition Layout() const { return layout_; }
    void SetLayout(TacLabelPosition value) { layout_ = value; }
    int Indent() const { return indent_; }
    void SetIndent(int value) { indent_ = value; }

private:
    bool active_ = false;
    platform::String caption_;
    TacLabelPosition layout_ = sclLeft;
    int indent_ = 0;
};

} // namespace skin
