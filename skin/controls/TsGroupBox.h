// The skinned group box: a container whose section starts half a caption below its top, so the
// top border runs through the middle of a caption plate set on the surface behind the box;
// without a skin it paints as the plain group box does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TGroupBox.h"

#include <memory>

namespace skin {

enum TacCaptionLayout { clTopLeft, clTopCenter, clTopRight };

class TsGroupBox : public toolkit::TGroupBox {
public:
    explicit TsGroupBox(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    TacCaptionLayout CaptionLayout() const { return captionLayout_; }
    void SetCaptionLayout(TacCaptionLayout value);
    // Space around the caption text inside its plate (left, top, right, bottom).
    const platform::RECT& CaptionMargin() const { return captionMargin_; }
    void SetCaptionMargin(const platform::RECT& value);
    // Moves the caption plate down from the top border; 0 centres it on the border.
    int CaptionYOffset() const { return captionYOffset_; }
    void SetCaptionYOffset(int value);
    // A section of its own for the plate; empty: the surface behind the box shows there.
    const platform::String& CaptionSkin() const { return captionSkin_; }
    void SetCaptionSkin(platform::StringView value);
    // A fixed plate width instead of the text's; 0: the text decides.
    int CaptionWidth() const { return captionWidth_; }
    void SetCaptionWidth(int value);

    // The band the caption takes at the top; the section starts half of it lower.
    int SkinCaptionHeight();
    // Where the caption plate lies in the box.
    platform::RECT SkinCaptionRect();
    // The box's whole picture into its cache; false when the parent is not ready.
    bool PrepareCache();

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void PaintWindow(platform::HDC dc) override;
    void EraseBackground(platform::HDC dc) override;

private:
    void PaintCaption(platform::Bitmap& target, const struct TCacheInfo& ci);
    void Changed();

    std::unique_ptr<TsCommonData> skinData_;
    TacCaptionLayout captionLayout_ = clTopLeft;
    platform::RECT captionMargin_{};
    int captionYOffset_ = 0;
    platform::String captionSkin_;
    int captionWidth_ = 0;
};

} // namespace skin
