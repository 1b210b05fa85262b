#include "skin/controls/TsCommonData.h"

#include "skin/effects/TacGlowEffect.h"
#include "skin/effects/TacThreadedTimer.h"
#include "skin/manager/SkinMessages.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/model/TsSkinModel.h"

#include "platform/core/AsciiCase.h"
#include "platform/window/Paint.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TSpeedButton.h"
#include "toolkit/TWinControl.h"

#include <string>

using namespace platform;

namespace skin {

namespace {

constexpr int BDM_FILL = 4;

bool IsDestroying(const toolkit::TControl* c) { return c && c->ComponentState().Contains(toolkit::csDestroying); }
bool IsLoading(const toolkit::TControl* c) { return c && c->ComponentState().Contains(toolkit::csLoading); }

// The codes whose default section is the control's own answer to AC_GETDEFINDEX.
bool AsksForDefaultIndex(int coc)
{
    const std::pair<int, int> ranges[] = {{2, 10},   {12, 14},   {32, 34},  {51, 51},   {53, 54},   {57, 59},
                                          {74, 76},  {78, 78},   {81, 85},  {92, 94},   {132, 141}, {143, 143},
                                          {151, 151}, {161, 161}, {165, 165}, {226, 226}};
    for (auto [from, to] : ranges)
        if (coc >= from && coc <= to)
            return true;
    return false;
}

const char* FixedDefaultSection(int coc)
{
    switch (coc) {
    case COC_TsComboBoxEx: return "COMBOBOX";
    case COC_TsFrameBar: return "BAR";
    case COC_TsBarTitle: return "BARTITLE";
    case COC_TsImage: case COC_TsHeaderControl: return "CHECKBOX";
    case COC_TsDragBar: return "DRAGBAR";
    case COC_TsNavButton: return "TOOLBUTTON";
    case COC_TsAdapter: return "EDIT";
    default: return nullptr;
    }
}

// Texture fill modes that anchor the picture to each edge.
bool FillModeIn(int mode, std::initializer_list<int> modes)
{
    for (int m : modes)
        if (m == mode)
            return true;
    return false;
}

} // namespace

TsCommonData::TsCommonData(toolkit::TControl* owner, int coc, bool createCache)
    : FOwnerObject(owner), owner_(owner), coc_(coc)
{
    if (dynamic_cast<toolkit::TWinControl*>(owner))
        WndProc = owner->WindowProc;
    if (createCache)
        FCacheBmp = std::make_unique<Bitmap>();
}

TsCommonData::~TsCommonData()
{
    StopAnimation();
    if (AnimTimer)
        AnimTimer->Destroyed = true;
    AnimTimer.reset();
    HideGlow(GlowID);
}

toolkit::TWinControl* TsCommonData::OwnerWinControl() const { return dynamic_cast<toolkit::TWinControl*>(owner_); }

TsSkinManager* TsCommonData::Manager() const { return skinManager_ ? skinManager_ : TsSkinManager::DefaultManager(); }

const TsSkinModel* TsCommonData::Model() const
{
    const TsSkinManager* m = Manager();
    return m && m->Active() ? m->Model() : nullptr;
}

const TsGeneralData* TsCommonData::Section() const
{
    const TsSkinModel* model = Model();
    return model && model->IsValidSkinIndex(skinIndex_) ? &model->gd[std::size_t(skinIndex_)] : nullptr;
}

LRESULT TsCommonData::SendCommand(WORD command, LPARAM lParam, WORD argument) const
{
    if (!owner_)
        return 0;
    return owner_->Perform(SM_VELTACMD, AcCommand(command, argument), lParam);
}

void TsCommonData::SetSkinSection(StringView value)
{
    HideGlow(GlowID);
    skinSection_ = toolkit::UpperCase(value);
    if (Model())
        UpdateIndexes(true);
    else
        skinIndex_ = -1;
    if (!owner_ || !owner_->Parent() || loading_ || IsLoading(owner_))
        return;
    if (toolkit::TWinControl* win = OwnerWinControl()) {
        if (FCacheBmp)
            FCacheBmp->SetSize(0, 0);
        for (int i = 0; i < win->ControlCount(); ++i)
            win->Controls(i)->Perform(SM_VELTACMD, AcCommand(AC_SETBGCHANGED), 0);
    }
    if (!FUpdating)
        SendCommand(skinIndex_ >= 0 ? AC_REFRESH : AC_REMOVESKIN, reinterpret_cast<LPARAM>(Manager()));
}

int TsCommonData::UpdateData() const
{
    const TsSkinModel* model = Model();
    if (!model)
        return -1;
    if (AsksForDefaultIndex(coc_))
        return int(SendCommand(AC_GETDEFINDEX, reinterpret_cast<LPARAM>(Manager()))) - 1;
    if (const char* name = FixedDefaultSection(coc_))
        return model->GetSkinIndex(name);
    if (!owner_)
        return -1;
    return model->GetSkinIndex(Utf16ToUtf8(platform::UpperAscii(owner_->ClassName())));
}

void TsCommonData::UpdateIndexes(bool resolveIndex)
{
    const TsSkinModel* model = Model();
    if (resolveIndex) {
        if (!model)
            skinIndex_ = -1;
        else if (skinSection_.empty())
            skinIndex_ = UpdateData();
        else
            skinIndex_ = model->GetSkinIndex(Utf16ToUtf8(skinSection_));
    }
    ComputeBGType();
    CtrlSkinState = WORD((CtrlSkinState & ~ACS_FAST) | ACS_BGUNDEF);
    if (const TsGeneralData* section = Section()) {
        BorderIndex = model->IsValidImgIndex(section->BorderIndex) ? section->BorderIndex : -1;
        Texture = model->GetTextureIndex(skinIndex_, "PATTERN");
        HotTexture = model->GetTextureIndex(skinIndex_, "HOTPATTERN");
        UpdateSkinState(false);
    } else {
        BorderIndex = Texture = HotTexture = -1;
    }
}

void TsCommonData::ForgetIndexes()
{
    skinIndex_ = BorderIndex = Texture = HotTexture = -1;
    BGType = 0;
}

void TsCommonData::ComputeBGType()
{
    BGType = 0;
    const TsGeneralData* section = Section();
    if (!section)
        return;
    const TsSkinModel& model = *Model();
    const TsGenState& normal = section->Props[0];
    const int texture = model.GetTextureIndex(skinIndex_, "PATTERN") >= 0 ? model.GetTextureIndex(skinIndex_, "PATTERN")
                                                                           : normal.TextureIndex;
    if (normal.ImagePercent > 0 && model.IsValidImgIndex(texture)) {
        const int mode = model.ma[std::size_t(texture)].DrawMode;
        if (FillModeIn(mode, {1, 4, 5, 8, 9, 11, 12}))
            BGType |= BGT_STRETCH;
        if (FillModeIn(mode, {0, 1, 3, 5, 10, 12}))
            BGType |= BGT_TEXTURELEFT;
        if (FillModeIn(mode, {0, 1, 2, 4, 10, 11}))
            BGType |= BGT_TEXTURETOP;
        if (FillModeIn(mode, {0, 1, 7, 9, 10, 12}))
            BGType |= BGT_TEXTURERIGHT;
        if (FillModeIn(mode, {0, 1, 6, 8, 10, 11}))
            BGType |= BGT_TEXTUREBOTTOM;
    }
    if (normal.GradientPercent >= 1 && !normal.GradientArray.empty()) {
        const int mode = normal.GradientArray.front().Mode1;
        if (mode == 1 || mode == 2)
            BGType |= BGT_GRADIENTHORZ;
        if (mode == 0 || mode == 2)
            BGType |= BGT_GRADIENTVERT;
    }
}

bool TsCommonData::DecideFast() const
{
    const TsGeneralData* section = Section();
    if (!section || outerEffects_.Visibility() != ovNone)
        return false;
    const TsSkinModel& model = *Model();
    if (BorderIndex >= 0) {
        const TsMaskData& mask = model.ma[std::size_t(BorderIndex)];
        if ((mask.DrawMode & BDM_FILL) || mask.MaskType == 1)
            return false;
    }
    const TsGenState& normal = section->Props[0];
    return normal.Transparency == 0 && normal.ImagePercent == 0 && normal.GradientPercent == 0 &&
           section->ImgTL < 0 && section->ImgTR < 0 && section->ImgBL < 0 && section->ImgBR < 0;
}

void TsCommonData::UpdateSkinState(bool passToChildren)
{
    const bool decides = coc_ == COC_TsFrameAdapter || coc_ == COC_TsPanel || coc_ == COC_TsScrollBox ||
                         coc_ == COC_TsPageControl;
    const TsGeneralData* section = Section();
    if (decides && section && section->Props[0].Transparency == 100) {
        // A see-through section is as plain as whatever lies under it.
        const TsSkinModel& model = *Model();
        if (model.IsValidImgIndex(Texture) && model.ma[std::size_t(Texture)].DrawMode == 10) {
            CtrlSkinState = WORD(CtrlSkinState & ~(ACS_FAST | ACS_BGUNDEF));
        } else if (toolkit::TWinControl* parent = owner_ ? owner_->Parent() : nullptr) {
            const LRESULT parentState = parent->Perform(SM_VELTACMD, AcCommand(AC_GETSKINSTATE), 0);
            if (parentState & ACS_BGUNDEF)
                return; // the parent has not decided yet: keep what we have
            CtrlSkinState = WORD((CtrlSkinState & ~(ACS_FAST | ACS_BGUNDEF)) | (parentState & ACS_FAST));
        } else {
            CtrlSkinState = WORD(CtrlSkinState & ~(ACS_FAST | ACS_BGUNDEF));
        }
    } else {
        const bool fast = decides && Manager() && DecideFast();
        CtrlSkinState = WORD((CtrlSkinState & ~(ACS_FAST | ACS_BGUNDEF)) | (fast ? ACS_FAST : 0));
    }
    if (passToChildren)
        if (toolkit::TWinControl* win = OwnerWinControl())
            for (int i = 0; i < win->ControlCount(); ++i)
                win->Controls(i)->Perform(SM_VELTACMD, AcCommand(AC_GETSKINSTATE), 1);
}

void TsCommonData::Invalidate(bool immediately)
{
    if (loading_ || !owner_ || IsLoading(owner_) || IsDestroying(owner_))
        return;
    BGChanged = true;
    if (toolkit::TWinControl* win = OwnerWinControl()) {
        if (win->HandleAllocated())
            RedrawWindow(win->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | (immediately ? RDW_UPDATENOW : 0));
        return;
    }
    if (dynamic_cast<toolkit::TSpeedButton*>(owner_)) {
        SendCommand(AC_INVALIDATE);
        return;
    }
    if (immediately)
        owner_->Repaint();
    else
        owner_->Invalidate();
}

void TsCommonData::BeginUpdate()
{
    ++FUpdateCount;
    FUpdating = true;
    CtrlSkinState |= ACS_LOCKED;
    SendCommand(AC_BEGINUPDATE);
}

void TsCommonData::EndUpdate(bool repaint)
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    FUpdating = false;
    CtrlSkinState = WORD(CtrlSkinState & ~ACS_LOCKED);
    if (FUpdateCount == 0) {
        SendCommand(AC_ENDUPDATE);
        if (repaint)
            Invalidate();
    }
}

bool TsCommonData::Skinned(bool checkActive) const
{
    const TsSkinManager* m = Manager();
    if (!m || !m->Active() || !m->Model() || IsDestroying(owner_))
        return false;
    if (!m->Model()->IsValidSkinIndex(skinIndex_))
        return false;
    return !checkActive || m->Model()->CommonSkinData.Active;
}

bool TsCommonData::ControlIsActive() const
{
    if (!owner_ || !owner_->Enabled() || !owner_->Visible())
        return false;
    if (coc_ != COC_TsPanel) {
        const toolkit::TWinControl* win = OwnerWinControl();
        if (FFocused || (win && win->Focused()))
            return true;
    }
    return ActiveByMouse();
}

bool TsCommonData::ActiveByMouse() const
{
    if (!owner_ || !owner_->Enabled() || !owner_->Visible())
        return false;
    const TsSkinManager* m = Manager();
    if (m && m->Options.NoMouseHover)
        return false;
    if (InForbidMouse(coc_) || (InNoHotEdits(coc_) && !ac_AllowHotEdits))
        return false;
    return FMouseAbove;
}

bool TsCommonData::BgDependsOnPosition() const
{
    if (!owner_)
        return false;
    if (!owner_->Enabled() || coc_ == COC_TsTabSheet)
        return true;
    const TsGeneralData* section = Section();
    if (!section || section->Props[0].Transparency <= 0 || !owner_->Parent())
        return false;
    return owner_->Parent()->Perform(SM_VELTACMD, AcCommand(AC_CHILDCHANGED), reinterpret_cast<LPARAM>(owner_)) != 0;
}

void TsCommonData::StopAnimation()
{
    if (!AnimTimer)
        return;
    AnimTimer->SetEnabled(false);
    AnimTimer->State = -1;
}

} // namespace skin
