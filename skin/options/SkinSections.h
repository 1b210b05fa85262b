// The section names the reader knows: the 42 common sections, indexed by TacSection, and the
// names of the compound elements.
#pragma once

#include <array>
#include <string_view>

namespace skin {

enum class TacSection {
    ssMenuItem, ssCheckBox, ssSpeedButton, ssSpeedButton_Small, ssToolButton, ssTransparent, ssGroupBox,
    ssDivider, ssWebBtn, ssButton, ssButtonHuge, ssToolBar, ssEdit, ssGauge, ssSelection, ssStatusBar,
    ssPanel, ssPanelLow, ssTrackBar, ssColHeader, ssProgressV, ssDragBar, ssGripH, ssGripV, ssProgressH,
    ssTabSheet, ssMenuButton, ssUpDown, ssComboBox, ssCaption, ssMenuLine, ssMainMenu, ssSplitter,
    ssSlider_Off, ssSlider_On, ssThumb_Off, ssThumb_On, ssComboBtn, ssFormTitle, ssHint, ssMenuCaption,
    ssDividerV,
};
inline constexpr int TacSectionCount = int(TacSection::ssDividerV) + 1;

inline constexpr std::array<std::string_view, TacSectionCount> SectionNames = {
    "MENUITEM", "CHECKBOX", "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "TRANSPARENT", "GROUPBOX",
    "DIVIDER", "WEBBUTTON", "BUTTON", "BUTTON_HUGE", "TOOLBAR", "EDIT", "GAUGE", "SELECTION", "STATUSBAR",
    "PANEL", "PANEL_LOW", "TRACKBAR", "COLHEADER", "PROGRESSV", "DRAGBAR", "GRIPH", "GRIPV", "PROGRESSH",
    "TABSHEET", "MENUBTN", "UPDOWNBTN", "COMBOBOX", "CAPTION", "MENULINE", "MAINMENU", "SPLITTER",
    "SLIDER_OFF", "SLIDER_ON", "THUMB_OFF", "THUMB_ON", "COMBOBTN", "FORMTITLE", "HINT", "MENUCAPTION",
    "DIVIDERV",
};
static_assert(SectionNames.size() == 42);
static_assert(SectionNames[int(TacSection::ssTransparent)] == "TRANSPARENT");
static_assert(SectionNames[int(TacSection::ssButtonHuge)] == "BUTTON_HUGE");
static_assert(SectionNames[int(TacSection::ssUpDown)] == "UPDOWNBTN");
static_assert(SectionNames[int(TacSection::ssHint)] == "HINT");

inline constexpr std::string_view GlobalInfoSection = "GLOBALINFO";

enum class TacSide { asLeft, asTop, asRight, asBottom };
enum class TacTabLayout { tlFirst, tlLast, tlMiddle, tlSingle };

// [layout][side]
inline constexpr std::array<std::array<std::string_view, 4>, 4> TabSectionNames = {{
    {"TABLEFTFIRST", "TABTOPFIRST", "TABRIGHTFIRST", "TABBOTTOMFIRST"},
    {"TABLEFTLAST", "TABTOPLAST", "TABRIGHTLAST", "TABBOTTOMLAST"},
    {"TABLEFTMIDDLE", "TABTOPMIDDLE", "TABRIGHTMIDDLE", "TABBOTTOMMIDDLE"},
    {"TABLEFT", "TABTOP", "TABRIGHT", "TABBOTTOM"},
}};
inline constexpr std::array<std::string_view, 4> ScrollBarSectionNames = {"SCROLLBAR1H", "SCROLLBAR1V",
                                                                          "SCROLLBAR2H", "SCROLLBAR2V"};
inline constexpr std::array<std::string_view, 4> ScrollBtnSectionNames = {"SCROLLBTNLEFT", "SCROLLBTNTOP",
                                                                          "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM"};
inline constexpr std::array<std::string_view, 4> UpDownSectionNames = {"UPDOWNBTN_LEFT", "UPDOWNBTN_TOP",
                                                                       "UPDOWNBTNRIGHT", "UPDOWNBTN_BOTTOM"};
inline constexpr std::array<std::string_view, 2> ScrollSliderSectionNames = {"SCROLLSLIDERH", "SCROLLSLIDERV"};

} // namespace skin
