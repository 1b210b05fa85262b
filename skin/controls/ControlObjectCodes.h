// Control object codes: what kind of control a skin data object belongs to, and the sets of codes
// that decide how the common handling treats it (hot tracking, hot colours, the mouse).
#pragma once

namespace skin {

inline constexpr int COC_TsCustom = 1, COC_TsSpinEdit = 2, COC_TsEdit = 3, COC_TsMemo = 7, COC_TsListBox = 8,
                     COC_TsComboBox = 13, COC_TsComboBoxEx = 18, COC_TsFrameBar = 19, COC_TsBarTitle = 20,
                     COC_TsCheckBox = 32, COC_TsRadioButton = 33, COC_TsImage = 50, COC_TsPanel = 51,
                     COC_TsToolBar = 54, COC_TsDragBar = 56, COC_TsTabSheet = 57, COC_TsScrollBox = 58,
                     COC_TsMonthCalendar = 59, COC_TsGroupBox = 74, COC_TsSpeedButton = 92, COC_TsButton = 93,
                     COC_TsBitBtn = 94, COC_TsNavButton = 98, COC_TsBevel = 110, COC_TsPageControl = 141,
                     COC_TsTabControl = 143, COC_TsStatusBar = 151, COC_TsHeaderControl = 152, COC_TsGauge = 161,
                     COC_TsSkinProvider = 224, COC_TsFrameAdapter = 226, COC_TsAdapter = 230,
                     COC_TsAdapterEdit = 231, COC_Unknown = 250;

// Controls that take the hot colours while focused or hovered.
constexpr bool InEditCtrls(int coc)
{
    return (coc >= 2 && coc <= 18) || (coc >= 76 && coc <= 84) || (coc >= 132 && coc <= 140) ||
           coc == COC_TsAdapterEdit;
}

// Controls that never show the hot state.
constexpr bool InCanNotBeHot(int coc)
{
    switch (coc) {
    case COC_TsPanel: case COC_TsToolBar: case COC_TsDragBar: case COC_TsTabSheet: case COC_TsScrollBox:
    case COC_TsMonthCalendar: case COC_TsGroupBox: case COC_TsBevel: case COC_TsPageControl:
    case COC_TsTabControl: case COC_TsStatusBar: case COC_TsGauge: case COC_TsFrameAdapter:
        return true;
    default:
        return false;
    }
}

// Edit-like controls that become hot by the mouse only while hot edits are allowed.
constexpr bool InNoHotEdits(int coc) { return InEditCtrls(coc) || coc == 85; }

// Controls that the mouse never makes active.
constexpr bool InForbidMouse(int coc)
{
    return coc == COC_TsFrameBar || (coc >= 51 && coc <= 74) || coc == COC_TsBevel || (coc >= 141 && coc <= 161);
}

// Buttons run their own fade and glow.
constexpr bool InButtons(int coc) { return coc == COC_TsSpeedButton || coc == COC_TsButton || coc == COC_TsBitBtn; }

// Whether hovering makes edit-like controls hot; the program never allows it.
inline constexpr bool ac_AllowHotEdits = false;

} // namespace skin
