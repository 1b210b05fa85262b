// lumo-skin render: one of the program's own windows in any skin, drawn by the program's own
// classes on a virtual screen, optionally with controls put in a state first.
#include "tools/lumo-skin/Command.h"
#include "tools/lumo-skin/ProgramWindows.h"

#include "platform/image/Image.h"

#include <algorithm>
#include <optional>

namespace lumoskin {

namespace {

struct RenderArguments {
    std::string skin;
    std::string window;
    std::optional<std::string> hot, pressed, focus, disabled;
    std::string out;
};

RenderArguments ParseRenderArguments(const std::vector<std::string>& arguments)
{
    RenderArguments r;
    std::optional<std::string> skin, window;
    std::vector<std::string> positionals;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            positionals.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        std::optional<std::string>* target = argument == "--skin"       ? &skin
                                             : argument == "--window"   ? &window
                                             : argument == "--hot"      ? &r.hot
                                             : argument == "--pressed"  ? &r.pressed
                                             : argument == "--focus"    ? &r.focus
                                             : argument == "--disabled" ? &r.disabled
                                                                        : nullptr;
        if (!target)
            throw UsageError("unknown option '" + argument + "'");
        if (i + 1 >= arguments.size())
            throw UsageError("the option " + argument + " needs a value");
        if (*target)
            throw UsageError("the option " + argument + " is given twice");
        *target = arguments[++i];
    }
    if (!skin)
        throw UsageError("--skin is missing");
    if (!window)
        throw UsageError("--window is missing");
    const auto& names = ProgramWindows::WindowNames();
    if (std::find(names.begin(), names.end(), *window) == names.end())
        throw UsageError("no window is called '" + *window + "'");
    // One mouse: the pressed control is the one under it.
    if (r.hot && r.pressed && *r.hot != *r.pressed)
        throw UsageError("the mouse cannot be over " + *r.hot + " while it presses " + *r.pressed);
    if (positionals.size() != 1)
        throw UsageError(positionals.empty() ? "OUT.png is missing" : "too many arguments");
    r.skin = *skin;
    r.window = *window;
    r.out = positionals[0];
    return r;
}

// The states asked for, then the finished picture.
void RenderWindow(ProgramWindows& windows, toolkit::TForm* form, const RenderArguments& a)
{
    // Disabled first: a disabled control takes neither the focus nor the mouse's states.
    if (a.disabled)
        windows.Disable(windows.Control(form, *a.disabled));
    if (a.focus)
        windows.Focus(windows.Control(form, *a.focus));
    if (a.pressed)
        windows.Press(windows.Control(form, *a.pressed));
    else if (a.hot)
        windows.MakeHot(windows.Control(form, *a.hot));
    windows.Settle();
    platform::SavePng(windows.Picture(form), a.out);
}

int RunRender(const std::vector<std::string>& arguments)
{
    const RenderArguments a = ParseRenderArguments(arguments);
    ProgramWindows windows;
    windows.UseSkin(a.skin);
    if (a.window == ProgramWindows::MessageWindowName) {
        windows.AskResetQuestion([&](toolkit::TForm* question) { RenderWindow(windows, question, a); });
        return 0;
    }
    toolkit::TForm* form = windows.Window(a.window);
    windows.Show(form);
    RenderWindow(windows, form, a);
    return 0;
}

} // namespace

const Command RenderCommand = {
    "render",
    "--skin SKIN --window WINDOW [--hot NAME] [--pressed NAME] [--focus NAME] [--disabled NAME] OUT.png",
    "draw one of the program's windows in a skin",
    "The window is built by the program's own code on a virtual screen, its page areas left empty,\n"
    "and drawn with its frame.\n"
    "\n"
    "  --skin SKIN       a packed skin file (.vsz), a skin folder, or a skin name as the settings\n"
    "                    window stores it (\"Windows 8 (internal)\"), found as the program finds it\n"
    "  --window WINDOW   main, settings, tales, guide, help, about, donation, or message (the\n"
    "                    settings window's reset question, as the program asks it)\n"
    "  --hot NAME        the mouse over the control of that component name (sBitBtn2, ...; the\n"
    "                    message's buttons are OK and Cancel)\n"
    "  --pressed NAME    the left mouse button held down on that control\n"
    "  --focus NAME      the keyboard focus on that control\n"
    "  --disabled NAME   that control disabled\n"
    "\n"
    "A skin the program cannot load gives the program's message on standard error. An unknown\n"
    "skin name is drawn in the first internal skin, as the program does, and said so.\n"
    "\n"
    "Exit status: 0 when the picture is written, 1 when the skin cannot be loaded, a control is\n"
    "missing or cannot be in the state asked for, or the file cannot be written, 2 on wrong\n"
    "arguments.\n",
    RunRender,
};

} // namespace lumoskin
