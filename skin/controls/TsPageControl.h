// The skinned page control: the page area in its section with the border around it, the tab strip
// over the parent's background (or a section of its own), and the tabs in the skin's tab sections
// by their place, the active one enlarged and drawn last so that it covers its neighbours. Without
// a skin it paints as the plain page control does.
#pragma once

#include "skin/controls/TsCommonData.h"
#include "toolkit/TPageControl.h"

#include <memory>

namespace skin {

class TsPageControl : public toolkit::TPageControl {
public:
    explicit TsPageControl(toolkit::TComponent* AOwner);

    TsCommonData* SkinData() { return skinData_.get(); }
    const TsCommonData* SkinData() const { return skinData_.get(); }
    // The section of the line under the tabs; empty: none.
    const platform::String& TabsLineSkin() const { return tabsLineSkin_; }
    void SetTabsLineSkin(platform::StringView value);
    bool ActiveTabEnlarged() const { return activeTabEnlarged_; }
    void SetActiveTabEnlarged(bool value);
    bool ActiveIsBold() const { return activeIsBold_; }
    void SetActiveIsBold(bool value);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value) { showFocus_ = value; }
    toolkit::TAlignment TabAlignment() const { return tabAlignment_; }
    void SetTabAlignment(toolkit::TAlignment value);
    int TabMargin() const { return tabMargin_; }
    void SetTabMargin(int value);
    int TabPadding() const { return tabPadding_; }
    void SetTabPadding(int value);

    // The tab under the mouse; -1 none.
    int CurItem() const { return curItem_; }
    // A tab's rectangle as the skin draws it: the plain tab's, the active one grown by 2 on each
    // side, tabs of type ttTab moved and widened by the skin's tab overlap.
    platform::RECT SkinTabRect(int index);
    // The section a tab is drawn in: its page's TabSkin, else the skin's tab section for its
    // place among the tabs (or the single tab's when the skin lacks that one); -1 none.
    int TabSection(int index);
    // Where a tab's caption goes.
    platform::RECT TabTextRect(int index);
    // The state a tab is drawn in: 2 active, 1 under the mouse, 0 otherwise.
    int TabState(int index);

    // The whole picture into the cache; false when the parent is not ready.
    bool PrepareCache();
    // The cache, rebuilt first when out of date; null when it cannot be built.
    const platform::Bitmap* UpToDatePicture();
    void Invalidate() override;

protected:
    void Loaded() override;
    void WndProc(toolkit::TMessage& message) override;
    void PaintWindow(platform::HDC dc) override;
    void EraseBackground(platform::HDC dc) override;

private:
    // The plain tab rectangle, without the plain control's own enlargement of the active tab.
    platform::RECT PlainTabRect(int index);
    int TabSectionState(int index, int state);
    void DrawSkinTabs(platform::Bitmap& target, const struct TCacheInfo& ci);
    void DrawSkinTab(int index, int state, platform::Bitmap& target);
    void Changed();

    std::unique_ptr<TsCommonData> skinData_;
    platform::String tabsLineSkin_;
    bool activeTabEnlarged_ = true;
    bool activeIsBold_ = false;
    bool showFocus_ = true;
    toolkit::TAlignment tabAlignment_ = toolkit::taCenter;
    int tabMargin_ = 3;
    int tabPadding_ = 0;
    // The tab strip's background, kept so that single tabs can be drawn again over it.
    platform::Bitmap tabsBG_;
    int curItem_ = -1;
};

} // namespace skin
