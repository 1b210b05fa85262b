#include "tools/lumo-skin/ProgramWindows.h"

#include "app/WindowSet.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/frame/MessageBox.h"
#include "platform/graphics/Region.h"
#include "platform/window/Window.h"
#include "skin/manager/TsSkinManager.h"
#include "skin/package/AsciiText.h"
#include "toolkit/TApplication.h"
#include "toolkit/TControl.h"
#include "toolkit/TForm.h"
#include "toolkit/TMessageForm.h"
#include "toolkit/TWinControl.h"
#include "platform/window/Timer.h"
#include "ui/main/TForm1.h"
#include "ui/windows/TAboutForm.h"
#include "ui/windows/TAudioskazkiForm.h"
#include "ui/windows/TDonationForm.h"
#include "ui/windows/THelpForm.h"
#include "ui/windows/TSettingForm.h"
#include "ui/windows/TTVProgrammForm.h"

#include <cstdio>
#include <filesystem>
#include <exception>
#include <stdexcept>
#include <utility>

namespace fs = std::filesystem;

namespace lumoskin {

using platform::String;

namespace {

// A path under a file can neither exist nor be made: every setting reads as its default and the
// tool never writes a Config.ini anywhere.
constexpr platform::StringView NoSettingsFile = u"/dev/null/Config.ini";

// Long enough for the slowest fade (20 steps of 10 ms) and the hot-control check after it.
constexpr platform::DWORD SettleTime = 600;

struct NamedWindow {
    std::string_view name;
    toolkit::TForm* (*form)();
};

const NamedWindow namedWindows[] = {
    {"main", []() -> toolkit::TForm* { return ui::Form1; }},
    {"settings", []() -> toolkit::TForm* { return ui::SettingForm; }},
    {"tales", []() -> toolkit::TForm* { return ui::AudioskazkiForm; }},
    {"guide", []() -> toolkit::TForm* { return ui::TVProgrammForm; }},
    {"help", []() -> toolkit::TForm* { return ui::HelpForm; }},
    {"about", []() -> toolkit::TForm* { return ui::AboutForm; }},
    {"donation", []() -> toolkit::TForm* { return ui::DonationForm; }},
};

} // namespace

ProgramWindows::ProgramWindows()
{
    platform::headless::Reset();
    platform::AnswerMessageBoxesAtOnce(true);
    try {
        engine_ = std::make_unique<NoEngine>();
        application_ = app::CreateApplication();
        app::CreateWindows(application_, NoSettingsFile);
        platform::headless::ProcessMessages();
    } catch (...) {
        delete application_;
        app::ForgetWindowSet();
        engine_.reset();
        platform::headless::Reset();
        throw;
    }
}

ProgramWindows::~ProgramWindows()
{
    delete application_;
    app::ForgetWindowSet();
    engine_.reset();
    platform::headless::Reset();
}

const std::vector<std::string_view>& ProgramWindows::WindowNames()
{
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> n;
        for (const NamedWindow& w : namedWindows)
            n.push_back(w.name);
        n.push_back(MessageWindowName);
        return n;
    }();
    return names;
}

void ProgramWindows::UseSkin(const std::string& skinArgument)
{
    skin::TsSkinManager* manager = ui::Form1->sSkinManager1;
    std::error_code ec;
    const fs::path path(skinArgument);
    const bool isFile = fs::is_regular_file(path, ec);
    const bool isFolder = !isFile && fs::is_directory(path, ec);
    String name = platform::Utf8ToUtf16(skinArgument);
    if (isFile || isFolder) {
        // The program finds packed files and skin folders by name in its skin directory: the
        // file's or folder's own directory becomes that directory.
        fs::path absolute = fs::absolute(path, ec).lexically_normal();
        if (!absolute.has_filename())
            absolute = absolute.parent_path();
        const std::string fileName = absolute.filename().string();
        if (isFile && !(fileName.size() > 4 && skin::EndsWithIgnoringCase(fileName, ".vsz")))
            throw std::runtime_error("'" + skinArgument + "': the program takes packed skins only from files ending in .vsz");
        manager->SetSkinDirectory(platform::Utf8ToUtf16(absolute.parent_path().string() + "/"));
        name = platform::Utf8ToUtf16(fileName);
    }

    const skin::ResolvedSkin where = skin::ResolveSkinName(name, manager->SkinDirectory(), manager->GetFullSkinDirectory(),
                                                           manager->InternalSkins());
    if (where.Kind == skin::SkinSourceKind::None)
        throw std::runtime_error("the program carries no internal skins to load in place of '" + skinArgument + "'");
    if (isFile && where.Kind != skin::SkinSourceKind::PackedFile)
        throw std::runtime_error("'" + skinArgument + "' cannot be read");
    if (isFolder && where.Kind == skin::SkinSourceKind::PackedFile)
        std::fprintf(stderr, "lumo-skin render: the program takes the packed file '%s.vsz' beside the folder '%s' in its place\n",
                     platform::Utf16ToUtf8(where.Name).c_str(), skinArgument.c_str());
    if (isFolder && where.Kind != skin::SkinSourceKind::Folder && where.Kind != skin::SkinSourceKind::PackedFile)
        throw std::runtime_error("the folder '" + skinArgument + "' holds no Options.dat");
    if (where.FellBack)
        std::fprintf(stderr, "lumo-skin render: no skin is named '%s'; the program loads '%s' in its place\n",
                     skinArgument.c_str(), platform::Utf16ToUtf8(where.Name).c_str());

    bool loaded = false;
    manager->OnSkinLoading = [&loaded] { loaded = true; };
    manager->SetSkinName(name);
    manager->OnSkinLoading = nullptr;
    if (!loaded)
        throw std::runtime_error("the skin '" + skinArgument + "' cannot be loaded; the program's message says why");
    platform::headless::ProcessMessages();
}

toolkit::TForm* ProgramWindows::Window(std::string_view name) const
{
    for (const NamedWindow& w : namedWindows)
        if (w.name == name)
            return w.form();
    throw std::invalid_argument("no window is called '" + std::string(name) + "'");
}

void ProgramWindows::Show(toolkit::TForm* form)
{
    ui::Form1->Show();
    if (form != ui::Form1)
        form->Show();
    platform::headless::ProcessMessages();
}

namespace {

// What runs once the reset question is up; a timer reaches it from inside the question's modal
// loop.
std::function<void(toolkit::TForm*)> whileAsked;
bool asked = false;
// A failure inside the question's loop would reach the program's error report, not the tool: it
// is kept and thrown again once the question is answered.
std::exception_ptr failure;

toolkit::TMessageForm* OpenMessageForm()
{
    for (int i = 0; toolkit::Application && i < toolkit::Application->ComponentCount(); ++i)
        if (auto* form = dynamic_cast<toolkit::TMessageForm*>(toolkit::Application->Components(i)))
            if (form->Visible())
                return form;
    return nullptr;
}

void QuestionShown(platform::HWND, platform::UINT, platform::UINT_PTR id, platform::DWORD)
{
    toolkit::TMessageForm* form = OpenMessageForm();
    if (!form)
        return; // not up yet: the timer comes again
    platform::KillTimer(nullptr, id);
    asked = true;
    try {
        whileAsked(form);
    } catch (...) {
        failure = std::current_exception();
    }
    form->SetModalResult(toolkit::mrCancel);
}

} // namespace

void ProgramWindows::AskResetQuestion(const std::function<void(toolkit::TForm*)>& whileShown)
{
    Show(ui::SettingForm);
    whileAsked = whileShown;
    asked = false;
    failure = nullptr;
    const platform::UINT_PTR timer = platform::SetTimer(nullptr, 0, 10, QuestionShown);
    const platform::POINT p = ScreenCentre(ui::SettingForm->sBitBtn2);
    platform::headless::Click(p);
    platform::headless::ProcessMessages();
    platform::KillTimer(nullptr, timer);
    whileAsked = nullptr;
    if (failure)
        std::rethrow_exception(std::exchange(failure, nullptr));
    if (!asked)
        throw std::runtime_error("the settings window did not ask its reset question");
}

toolkit::TControl* ProgramWindows::Control(toolkit::TForm* form, const std::string& name) const
{
    if (auto* control = dynamic_cast<toolkit::TControl*>(form->FindComponent(platform::Utf8ToUtf16(name))))
        return control;
    std::string known;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (dynamic_cast<toolkit::TControl*>(form->Components(i)))
            known += (known.empty() ? "" : ", ") + platform::Utf16ToUtf8(form->Components(i)->Name());
    // The question's form has no component name of its own: its class says what it is.
    const String windowName = form->Name().empty() ? form->ClassName() : form->Name();
    throw std::runtime_error("the window " + platform::Utf16ToUtf8(windowName) + " has no control named '" + name +
                             "'; its controls are " + known);
}

platform::POINT ProgramWindows::ScreenCentre(toolkit::TControl* control) const
{
    if (!control->Showing())
        throw std::runtime_error(platform::Utf16ToUtf8(control->Name()) + " is not shown, so the mouse cannot reach it");
    const toolkit::TRect r = control->ClientRect();
    return control->ClientToScreen(toolkit::TPoint{r.Width() / 2, r.Height() / 2});
}

void ProgramWindows::MakeHot(toolkit::TControl* control)
{
    platform::headless::MouseMove(ScreenCentre(control));
    platform::headless::ProcessMessages();
}

void ProgramWindows::Press(toolkit::TControl* control)
{
    const platform::POINT p = ScreenCentre(control);
    platform::headless::MouseMove(p);
    platform::headless::MouseDown(p);
    platform::headless::ProcessMessages();
}

void ProgramWindows::Focus(toolkit::TControl* control)
{
    auto* windowed = dynamic_cast<toolkit::TWinControl*>(control);
    if (!windowed || !windowed->CanFocus())
        throw std::runtime_error(platform::Utf16ToUtf8(control->Name()) + " cannot take the focus");
    windowed->SetFocus();
    platform::headless::ProcessMessages();
}

void ProgramWindows::Disable(toolkit::TControl* control)
{
    control->SetEnabled(false);
    platform::headless::ProcessMessages();
}

void ProgramWindows::Settle()
{
    platform::headless::RunFor(SettleTime);
}

platform::Bitmap ProgramWindows::Picture(toolkit::TForm* form) const
{
    platform::Bitmap picture = platform::headless::WindowShot(form->Handle());
    // What the window's outline cuts away is not part of the window: it is left transparent.
    platform::Region shape;
    if (platform::GetWindowRgn(form->Handle(), &shape) != platform::ERROR_REGION)
        for (int y = 0; y < picture.Height(); ++y)
            for (int x = 0; x < picture.Width(); ++x)
                if (!shape.Contains(platform::POINT{x, y}))
                    picture.SetPixel(x, y, 0);
    return picture;
}

} // namespace lumoskin
