// The skinned panel: a container painted from its section through its cache picture (or straight
// to the window when the section is plain), which answers its children's background requests;
// without a skin it paints as the plain panel does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TPanel.h"

#include <memory>

namespace skin {

class TsPanel : public toolkit::TPanel {
public:
    explicit TsPanel(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }

    // The panel's whole picture for its state into its cache; false when the parent is not ready.
    bool PrepareCache();

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void PaintWindow(platform::HDC dc) override;
    void EraseBackground(platform::HDC dc) override;

private:
    int DefaultSectionIndex() const;
    // Bevels and border width: where the caption may go.
    platform::RECT CaptionRect();
    void WriteCaption(platform::Bitmap& target);
    void PaintFast(platform::HDC dc);

    std::unique_ptr<TsCommonData> skinData_;
};

} // namespace skin
