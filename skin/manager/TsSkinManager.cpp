#include "skin/manager/TsSkinManager.h"

#include "skin/dialogs/TacDialogHook.h"
#include "skin/dialogs/sMessageDlg.h"
#include "skin/effects/TacGlowEffect.h"
#include "skin/manager/SkinMessages.h"
#include "skin/model/SkinColors.h"
#include "skin/package/AsciiText.h"
#include "skin/package/SkinPaths.h"

#include "platform/core/AsciiCase.h"
#include "platform/window/Cursor.h"
#include "platform/window/Message.h"
#include "platform/window/Paint.h"
#include "platform/frame/SystemMetrics.h"
#include "platform/window/Timer.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

using namespace platform;

namespace skin {

namespace {

TsSkinManager* defaultManager = nullptr;
bool skinChanging = false;
bool drawingRestricted = false;
bool useLatestCommonDialogs = true;

constexpr UINT HotControlInterval = 100;
constexpr UINT WM_THEMECHANGED = 0x031A;

std::map<UINT_PTR, TsSkinManager*>& HotTimers()
{
    static std::map<UINT_PTR, TsSkinManager*> timers;
    return timers;
}

void HotTimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = HotTimers().find(id);
    if (it != HotTimers().end())
        it->second->CheckHotControl();
}

// A zero-ended text inside a fixed field; a field without its zero ends at the field's end.
std::string FieldText(const std::vector<std::uint8_t>& block, std::size_t offset, std::size_t size)
{
    const char* begin = reinterpret_cast<const char*>(block.data() + offset);
    return std::string(begin, strnlen(begin, size));
}

// Default third-party lists: standard push buttons only.
platform::String DefaultThirdParty(int kind) { return kind == 1 ? u"TButton" : u" "; }

std::vector<platform::String> SplitLines(platform::StringView text)
{
    std::vector<platform::String> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(u"\r\n", start);
        if (end == platform::StringView::npos)
            end = text.size();
        platform::String line(text.substr(start, end - start));
        if (!line.empty() && line.find_first_not_of(u' ') != platform::String::npos)
            lines.push_back(line);
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

// The manager's boxes carry an icon and an OK button only.
toolkit::TMsgDlgType DlgTypeOf(UINT type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return toolkit::mtError;
    case MB_ICONWARNING: return toolkit::mtWarning;
    case MB_ICONINFORMATION: return toolkit::mtInformation;
    case MB_ICONQUESTION: return toolkit::mtConfirmation;
    default: return toolkit::mtCustom;
    }
}

} // namespace

TsSkinManager* TsSkinManager::DefaultManager() { return defaultManager; }
bool TsSkinManager::SkinChanging() { return skinChanging; }
bool TsSkinManager::DrawingRestricted() { return drawingRestricted; }
bool TsSkinManager::UseLatestCommonDialogs() { return useLatestCommonDialogs; }

TsSkinManager::TsSkinManager(SkinManagerHost host) : host_(std::move(host))
{
    if (!host_.System)
        host_.System = SystemValues::FromPlatform;
    if (!host_.ProgramDirectory)
        host_.ProgramDirectory = skin::ProgramDirectory;
    if (!host_.ShowMessage)
        host_.ShowMessage = [](const std::string& text, UINT type) {
            return sMessageDlg(Utf8ToUtf16(text), DlgTypeOf(type), {toolkit::mbOK}, 0);
        };
    internalSkins_.OnChange = [this] {
        if (OnSkinListChanged)
            OnSkinListChanged();
    };
    emptyData_.SysInactiveBorderColor = int(host_.System().InactiveBorder);
    broadcaster_.HookedDialogs = [this] { return formHook_ ? formHook_->VisibleWindows() : std::vector<HWND>(); };
    if (!defaultManager)
        defaultManager = this;
    hotTimer_ = SetTimer(nullptr, 0, HotControlInterval, HotTimerProc);
    if (hotTimer_)
        HotTimers()[hotTimer_] = this;
    skinDirectory_ = String(DefaultSkinDirectory);
    FillThirdLists();
}

TsSkinManager::~TsSkinManager()
{
    if (hotTimer_) {
        KillTimer(nullptr, hotTimer_);
        HotTimers().erase(hotTimer_);
    }
    RemoveSysColors();
    if (active_ && model_) {
        active_ = false;
        SendRemoveSkin();
    }
    formHook_.reset();
    if (defaultManager == this)
        defaultManager = nullptr;
}

void TsSkinManager::FillThirdLists()
{
    for (int i = 0; i < ThirdPartyKindCount; ++i) {
        if (ThirdParty[std::size_t(i)].empty())
            ThirdParty[std::size_t(i)] = DefaultThirdParty(i);
        ThirdLists[std::size_t(i)] = SplitLines(ThirdParty[std::size_t(i)]);
    }
}

void TsSkinManager::Loaded()
{
    loading_ = false;
    if (skinDirectory_.empty())
        skinDirectory_ = String(DefaultSkinDirectory);
    FillThirdLists();
    if (active_ && !skinName_.empty())
        SendNewSkin(false);
    if (active_ && OnActivate)
        OnActivate();
}

int TsSkinManager::ScaleIndex() const
{
    switch (Options.ScaleMode) {
    case TacScaleMode::sm125: return 1;
    case TacScaleMode::sm150: return 2;
    default: return 0; // 100 %, the old mode, and the automatic mode on a 100 % system
    }
}

SkinLoadSettings TsSkinManager::LoadSettings() const
{
    SkinLoadSettings s;
    s.HueOffset = hueOffset_;
    s.Saturation = saturation_;
    s.Brightness = brightness_;
    s.ScaleIndex = ScaleIndex();
    s.ExtendedBorders = ExtendedBorders;
    s.DesktopComposition = host_.DesktopComposition;
    s.CommonSections = CommonSections;
    s.System = host_.System();
    return s;
}

void TsSkinManager::ShowError(const std::string& text)
{
    host_.ShowMessage(text, MB_OK | MB_ICONERROR);
}

// Shown as a plain system dialog: dialog skinning and the colour replacement are off meanwhile.
void TsSkinManager::ShowPlain(const std::string& text, UINT type)
{
    const bool stdDialogs = SkinningRules.srStdDialogs;
    const bool sysColors = Options.ChangeSysColors;
    SkinningRules.srStdDialogs = false;
    Options.ChangeSysColors = false;
    host_.ShowMessage(text, type);
    SkinningRules.srStdDialogs = stdDialogs;
    Options.ChangeSysColors = sysColors;
}

SkinLoadMessages TsSkinManager::LoadMessages()
{
    SkinLoadMessages m;
    m.ShowPlainError = [this](const std::string& text) { ShowPlain(text, MB_OK | MB_ICONERROR); };
    m.ShowPlainWarning = [this](const std::string& text) { ShowPlain(text, MB_OK | MB_ICONWARNING); };
    return m;
}

void TsSkinManager::SetCommonActive(bool active)
{
    if (model_)
        model_->CommonSkinData.Active = active;
}

void TsSkinManager::ApplyNewModel(std::unique_ptr<TsSkinModel> model)
{
    model->CommonSkinData.Active = false;
    model->CommonSkinData.SysInactiveBorderColor = emptyData_.SysInactiveBorderColor;
    model_ = std::move(model);
}

bool TsSkinManager::ReloadSkin(StringView oldName)
{
    const String full = GetFullSkinDirectory();
    const ResolvedSkin where = ResolveSkinName(skinName_, skinDirectory_, full, internalSkins_, previewMode_);
    skinName_ = where.Name;
    if (where.Kind == SkinSourceKind::None) {
        active_ = false;
        return false;
    }
    skinIsPacked_ = where.Kind != SkinSourceKind::Folder;
    // A skin's defaults are the system's own colours, not the ones the previous skin put there;
    // the announcement of the skin puts the replacement back.
    RemoveSysColors();
    try {
        auto model = LoadResolvedSkin(where, internalSkins_, full, LoadSettings(), LoadMessages());
        ApplyNewModel(std::move(model));
    } catch (const std::exception& e) {
        // The previous skin stays in use, under its own name.
        skinName_ = String(oldName);
        ShowError(e.what());
        return false;
    }
    if (OnSkinLoading)
        OnSkinLoading();
    return true;
}

void TsSkinManager::SetSkinName(StringView name)
{
    const String oldName = skinName_;
    skinName_ = String(name);
    if (!active_)
        return;
    if (OnBeforeChange)
        OnBeforeChange();
    skinChanging = true;
    SetCommonActive(false);
    ReloadSkin(oldName);
    if (!active_)
        SendRemoveSkin();
    else if (!noAutoUpdate_)
        SendNewSkin(true);
    SetCommonActive(true);
    if (!loading_ && OnActivate && active_)
        OnActivate();
    skinChanging = false;
    if (!noAutoUpdate_ && OnAfterChange)
        OnAfterChange();
    if (IsDefault())
        useLatestCommonDialogs = !(active_ && SkinningRules.srStdDialogs);
}

void TsSkinManager::SetActive(bool active)
{
    if (active) {
        active_ = true;
        SetSkinName(skinName_);
        return;
    }
    if (!active_)
        return;
    active_ = false;
    SendRemoveSkin();
    if (IsDefault())
        useLatestCommonDialogs = true;
    if (OnDeactivate)
        OnDeactivate();
}

void TsSkinManager::SetSkinDirectory(StringView directory)
{
    skinDirectory_ = String(directory);
    if (model_ && skinIsPacked_ && !model_->CommonSkinData.SkinPath.empty())
        model_->CommonSkinData.SkinPath = Utf16ToUtf8(GetFullSkinDirectory());
    if (OnSkinListChanged)
        OnSkinListChanged();
}

void TsSkinManager::SetHueOffset(int value)
{
    if (value == hueOffset_)
        return;
    hueOffset_ = value;
    UpdateCurrentSkin();
}

void TsSkinManager::SetSaturation(int value)
{
    if (value == saturation_)
        return;
    saturation_ = value;
    UpdateCurrentSkin();
}

void TsSkinManager::SetBrightness(int value)
{
    value = std::clamp(value, -100, 100);
    if (value == brightness_)
        return;
    brightness_ = value;
    UpdateCurrentSkin();
}

void TsSkinManager::UpdateCurrentSkin()
{
    if (!active_ || loading_ || skinChanging)
        return;
    skinChanging = true;
    SetCommonActive(false);
    ReloadSkin(skinName_);
    skinChanging = false;
    if (!active_) {
        SendRemoveSkin();
        return;
    }
    SendNewSkin(true);
    if (!noAutoUpdate_) {
        if (OnAfterChange)
            OnAfterChange();
        RepaintForms(true);
    }
}

String TsSkinManager::GetFullSkinDirectory() const
{
    return skin::GetFullSkinDirectory(skinDirectory_, host_.ProgramDirectory());
}

String TsSkinManager::GetSkinNames(std::vector<String>& names, TacSkinTypes types) const
{
    return skin::GetSkinNames(names, types, GetFullSkinDirectory(), &internalSkins_);
}

String TsSkinManager::GetExternalSkinNames(std::vector<String>& names, TacSkinTypes types) const
{
    return skin::GetSkinNames(names, types, GetFullSkinDirectory(), nullptr);
}

void TsSkinManager::ExtractInternalSkin(StringView name, StringView destinationFolder)
{
    skin::ExtractInternalSkin(internalSkins_, name, destinationFolder, [this](const std::string& t) { ShowError(t); });
}

void TsSkinManager::ExtractByIndex(int index, StringView destinationFolder)
{
    skin::ExtractByIndex(internalSkins_, index, destinationFolder, [this](const std::string& t) { ShowError(t); });
}

void TsSkinManager::SendNewSkin(bool allowAnimation)
{
    if (loading_)
        return;
    // A glow is a picture of the old skin in a window of its own: nothing else would take it away.
    if (IsDefault())
        ClearGlows();
    SetCommonActive(false);
    drawingRestricted = true;
    broadcaster_.Broadcast(SM_VELTACMD, AcCommand(AC_SETNEWSKIN), reinterpret_cast<LPARAM>(this));
    drawingRestricted = false;
    SetCommonActive(true);
    if (IsDefault() && Options.ChangeSysColors)
        InstallSysColors();
    if (IsDefault() && !formHook_)
        formHook_ = std::make_unique<TacDialogHook>(*this);
    if (allowAnimation)
        RepaintForms(false);
}

namespace {

// The skin's answers to the process's colour queries, by system colour index; -1 for a query the
// system answers.
struct SkinSysColors {
    std::array<int, SYSCOLOR_COUNT> Color;
    std::array<int, SYSCOLOR_COUNT> Brush;
    std::array<int, SYSCOLOR_COUNT> Pen;
    int GreyPen = -1; // pens asked in the two light greys of plain controls
};

bool IsColor(int c) { return c >= 0 && c <= 0xFFFFFF; }

SkinSysColors SkinColorTable(const TacPalette& pal, int inactiveBorder)
{
    using PC = TacPaletteColors;
    SkinSysColors t;
    t.Color.fill(-1);
    t.Brush.fill(-1);
    t.Pen.fill(-1);
    const int main = pal[int(PC::pcMainColor)];
    t.Color[COLOR_WINDOW] = pal[int(PC::pcEditBG)];
    t.Color[COLOR_WINDOWFRAME] = pal[int(PC::pcBorder)];
    t.Color[COLOR_WINDOWTEXT] = pal[int(PC::pcEditText)];
    t.Color[COLOR_INACTIVEBORDER] = inactiveBorder;
    t.Color[COLOR_HIGHLIGHT] = pal[int(PC::pcSelectionBG_Focused)];
    t.Color[COLOR_HIGHLIGHTTEXT] = pal[int(PC::pcSelectionText_Focused)];
    t.Color[COLOR_BTNSHADOW] = t.Color[COLOR_3DDKSHADOW] = BlendColors(main, 0, 205);
    t.Color[COLOR_3DLIGHT] = BlendColors(main, 0xFFFFFF, 205);
    // Brushes of the frame and shadow colours stay the system's.
    for (int index : {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT})
        t.Brush[std::size_t(index)] = t.Color[std::size_t(index)];
    for (int index : {COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_INACTIVEBORDER, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT,
                      COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT})
        t.Pen[std::size_t(index)] = t.Color[std::size_t(index)];
    t.Pen[COLOR_BTNFACE] = main;
    t.GreyPen = BlendColors(pal[int(PC::pcEditText)], pal[int(PC::pcEditBG)], 38);
    return t;
}

bool Answer(const std::array<int, SYSCOLOR_COUNT>& table, int index, COLORREF& color)
{
    if (index < 0 || index >= SYSCOLOR_COUNT || !IsColor(table[std::size_t(index)]))
        return false;
    color = COLORREF(table[std::size_t(index)]);
    return true;
}

} // namespace

// The process's colour queries, brushes and pens answered from the skin while it is loaded.
void TsSkinManager::InstallSysColors()
{
    if (!model_)
        return;
    RemoveSysColors();
    auto table = std::make_shared<const SkinSysColors>(SkinColorTable(model_->Palette, emptyData_.SysInactiveBorderColor));
    SysColorReplacement r;
    r.Color = [table](int index, COLORREF& color) { return Answer(table->Color, index, color); };
    r.Brush = [table](int index, COLORREF& color) { return Answer(table->Brush, index, color); };
    r.Pen = [table](COLORREF requested, int sysIndex, COLORREF& color) {
        if (sysIndex >= 0)
            return Answer(table->Pen, sysIndex, color);
        if ((requested == 0xC0C0C0 || requested == 0xF0F0F0) && IsColor(table->GreyPen)) {
            color = COLORREF(table->GreyPen);
            return true;
        }
        return false;
    };
    SetSysColorReplacement(std::move(r));
    sysColorsReplaced_ = true;
}

void TsSkinManager::RemoveSysColors()
{
    if (!sysColorsReplaced_)
        return;
    sysColorsReplaced_ = false;
    SetSysColorReplacement({});
}

void TsSkinManager::SetChangeSysColors(bool on)
{
    Options.ChangeSysColors = on;
    if (on && IsDefault() && active_ && model_)
        InstallSysColors();
    else if (!on)
        RemoveSysColors();
}

void TsSkinManager::SendRemoveSkin()
{
    skinRemoving_ = true;
    ClearGlows();
    RemoveSysColors();
    formHook_.reset();
    SetCommonActive(false);
    broadcaster_.Broadcast(SM_VELTACMD, AcCommand(AC_REMOVESKIN), reinterpret_cast<LPARAM>(this));
    model_.reset();
    skinRemoving_ = false;
}

void TsSkinManager::RepaintForms(bool lockForms)
{
    broadcaster_.Broadcast(SM_VELTACMD, AcCommand(AC_STOPFADING), reinterpret_cast<LPARAM>(this));
    if (loading_)
        return;
    std::vector<HWND> frozen;
    if (lockForms)
        for (HWND form : broadcaster_.ApplicationForms ? broadcaster_.ApplicationForms() : std::vector<HWND>())
            if (IsWindow(form) && IsWindowVisible(form)) {
                SendMessage(form, WM_SETREDRAW, FALSE, 0);
                frozen.push_back(form);
            }
    broadcaster_.Broadcast(SM_VELTACMD, AcCommand(AC_REFRESH), reinterpret_cast<LPARAM>(this));
    for (HWND form : frozen) {
        if (!IsWindow(form))
            continue;
        SendMessage(form, WM_SETREDRAW, TRUE, 0);
        if (!noAutoUpdate_)
            RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (formHook_)
        for (HWND taken : formHook_->VisibleWindows())
            RedrawWindow(taken, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinManager::UpdateSkin(bool repaint)
{
    if (active_)
        SendNewSkin(repaint);
}

void TsSkinManager::UpdateSkinSection(StringView sectionName)
{
    const String upper = platform::UpperAscii(sectionName);
    broadcaster_.Broadcast(SM_VELTACMD, AcCommand(AC_UPDATESECTION), reinterpret_cast<LPARAM>(upper.c_str()));
}

void TsSkinManager::BeginUpdate() { noAutoUpdate_ = true; }

void TsSkinManager::EndUpdate(bool repaint, bool allowAnimation)
{
    noAutoUpdate_ = false;
    // Without the cross-fade of forms there is no animation to suppress.
    (void)allowAnimation;
    UpdateSkin(repaint);
    if (OnAfterChange)
        OnAfterChange();
}

bool TsSkinManager::HandleApplicationMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_THEMECHANGED) {
        // The skin, not the system theme, decides the look.
        if (result)
            *result = 0;
        return true;
    }
    if (msg == WM_ENGINE_INVALIDATE) {
        for (HWND form : broadcaster_.ApplicationForms ? broadcaster_.ApplicationForms() : std::vector<HWND>())
            if (IsWindow(form))
                SendMessage(form, SM_VELTACMD, AcCommand(AC_INVALIDATE), reinterpret_cast<LPARAM>(this));
        if (result)
            *result = 0;
        return true;
    }
    if (msg == WM_COPYDATA && wParam == PreviewCopyDataKind) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || !data->lpData || data->cbData < TacSkinData::Size || previewPending_)
            return false;
        std::uint32_t magic = 0;
        std::memcpy(&magic, data->lpData, sizeof magic);
        if (magic != TacSkinData::MagicValue)
            return false;
        const auto* bytes = static_cast<const std::uint8_t*>(data->lpData);
        previewBuffer_.assign(bytes, bytes + TacSkinData::Size);
        previewPending_ = true;
        PostMessage(host_.ApplicationWindow, SM_VELTACMD, AcCommand(AC_COPYDATA), reinterpret_cast<LPARAM>(this));
        if (result)
            *result = 1;
        return true;
    }
    if (msg == SM_VELTACMD && AcCommandOf(wParam) == AC_COPYDATA && lParam == reinterpret_cast<LPARAM>(this)) {
        LoadPreviewBlock();
        if (result)
            *result = 1;
        return true;
    }
    return false;
}

void TsSkinManager::LoadPreviewBlock()
{
    if (!previewPending_)
        return;
    const std::vector<std::uint8_t> block = std::move(previewBuffer_);
    previewBuffer_.clear();
    previewPending_ = false;
    const std::string name = FieldText(block, TacSkinData::NameOffset, TacSkinData::NameSize);
    const std::string dir = FieldText(block, TacSkinData::DirOffset, TacSkinData::DirSize);
    std::string text = FieldText(block, TacSkinData::DataOffset, TacSkinData::DataSize);

    BeginUpdate();
    skinDirectory_ = Utf8ToUtf16(dir);
    const String oldName = skinName_;
    skinName_ = Utf8ToUtf16(name);
    previewMode_ = true;
    // The pictures lie in the skin's folder inside the skin directory, or in the directory itself.
    String folder = GetFullSkinDirectory() + skinName_;
    if (!DirectoryExists(NativePath(StringView(folder))))
        folder = GetFullSkinDirectory();
    RemoveSysColors();
    try {
        ApplyNewModel(LoadSkinFromText(std::move(text), folder, LoadSettings(), LoadMessages()));
        skinIsPacked_ = false;
    } catch (const std::exception& e) {
        skinName_ = oldName;
        ShowError(e.what());
    }
    EndUpdate(true, false);
}

void TsSkinManager::SetActiveControl(HWND activeControl, HWND activeGraphControl)
{
    activeControl_ = activeControl;
    activeGraphControl_ = activeGraphControl;
}

void TsSkinManager::CheckHotControl()
{
    if (!activeControl_)
        return;
    POINT p{};
    GetCursorPos(&p);
    const HWND under = WindowFromPoint(p);
    if (IsWindow(activeControl_) && (under == activeControl_ || IsChild(activeControl_, under)))
        return;
    activeControl_ = nullptr;
    const HWND graph = activeGraphControl_;
    activeGraphControl_ = nullptr;
    if (graph && IsWindow(graph))
        SendMessage(graph, SM_VELTACMD, AcCommand(AC_MOUSELEAVE), reinterpret_cast<LPARAM>(this));
}

} // namespace skin
