// The engine's life: the process gate, initialisation, the single-step loop and shutdown.
//
// WebKit runs its own helper processes, so a process started with "--type=" only registers the
// program's custom schemes and ends; the browser process answers -1 and goes on to initialise.
#include "webengine/EngineState.h"

#include "webengine/EngineCommandLine.h"
#include "webengine/EngineContext.h"
#include "webengine/EngineText.h"

#include "platform/core/AsciiCase.h"

#include <glib.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace webengine {

namespace {

int CEF_CALLBACK AddCustomScheme(cef_scheme_registrar_t*, const cef_string_t* name, int isStandard, int isLocal,
                                 int isDisplayIsolated)
{
    if (!name || !name->str || name->length == 0)
        return 0;
    // Schemes are case-insensitive; WebKit knows them in lower case.
    const std::string scheme = platform::LowerAscii(Utf8(name));
    for (auto& known : State().schemes)
        if (known.name == scheme)
            return 0;
    State().schemes.push_back({scheme, isStandard != 0, isLocal != 0, isDisplayIsolated != 0});
    return 1;
}

// The registrar lives on the stack for the length of the callback only.
int CEF_CALLBACK RegistrarAddRef(cef_base_t*) { return 1; }
int CEF_CALLBACK RegistrarRelease(cef_base_t*) { return 1; }
int CEF_CALLBACK RegistrarRefCount(cef_base_t*) { return 1; }

void RegisterSchemes(cef_app_t* app)
{
    if (!app || !app->on_register_custom_schemes)
        return;
    cef_scheme_registrar_t registrar{};
    registrar.base.size = sizeof(registrar);
    registrar.base.add_ref = RegistrarAddRef;
    registrar.base.release = RegistrarRelease;
    registrar.base.get_refct = RegistrarRefCount;
    registrar.add_custom_scheme = AddCustomScheme;
    app->on_register_custom_schemes(app, &registrar);
}

// Lets the program see and change the switches of this process before the engine reads them.
// The answer carries one reference.
cef_command_line_t* ProcessCommandLine(cef_app_t* app, const cef_main_args_t* args, bool fromArguments,
                                       const std::string& processType)
{
    static const char* const kNoProgram[] = {""};
    bool usable = args && args->argv && args->argc > 0;
    int argc = usable ? (fromArguments ? args->argc : 1) : 1;
    const char* const* argv = usable ? args->argv : kNoProgram;
    cef_command_line_t* commandLine = NewCommandLine(argc, argv, false);
    if (app && app->on_before_command_line_processing && commandLine) {
        EngineString type(processType);
        commandLine->base.add_ref(&commandLine->base);
        app->on_before_command_line_processing(app, type.Get(), commandLine);
    }
    return commandLine;
}

void Release(cef_app_t* app)
{
    if (app && app->base.release)
        app->base.release(&app->base);
}

} // namespace

bool IsSubProcess(const cef_main_args_t* args)
{
    if (!args || !args->argv)
        return false;
    for (int i = 1; i < args->argc; ++i)
        if (args->argv[i] && std::strncmp(args->argv[i], "--type=", 7) == 0)
            return true;
    return false;
}

std::string SwitchValue(const cef_main_args_t* args, const char* name)
{
    if (!args || !args->argv)
        return {};
    std::string prefix = std::string("--") + name + "=";
    for (int i = 1; i < args->argc; ++i)
        if (args->argv[i] && std::strncmp(args->argv[i], prefix.c_str(), prefix.size()) == 0)
            return args->argv[i] + prefix.size();
    return {};
}

std::vector<std::string> CustomSchemeNames()
{
    std::vector<std::string> names;
    for (const auto& scheme : State().schemes)
        names.push_back(scheme.name);
    return names;
}

EngineState& State()
{
    static EngineState state;
    return state;
}

} // namespace webengine

using namespace webengine;

extern "C" {

int cef_execute_process(const cef_main_args_t* args, cef_app_t* application)
{
    if (!IsSubProcess(args)) {
        Release(application);
        return -1;
    }
    if (args && args->argv)
        SetGlobalCommandLine(args->argc, args->argv);
    cef_command_line_t* commandLine = ProcessCommandLine(application, args, true, SwitchValue(args, "type"));
    if (commandLine)
        commandLine->base.release(&commandLine->base);
    RegisterSchemes(application);
    Release(application);
    return 0;
}

int cef_initialize(const cef_main_args_t* args, const cef_settings_t* settings, cef_app_t* application)
{
    EngineState& state = State();
    if (state.initialized || !settings || settings->size < sizeof(size_t)) {
        Release(application);
        return 0;
    }
    if (args && args->argv)
        SetGlobalCommandLine(args->argc, args->argv);
    bool fromArguments = !(settings->size >= offsetof(cef_settings_t, command_line_args_disabled) + sizeof(int) &&
                           settings->command_line_args_disabled);
    if (cef_command_line_t* commandLine = ProcessCommandLine(application, args, fromArguments, "")) {
        state.proxyServer = CommandLineSwitchValue(commandLine, "proxy-server");
        commandLine->base.release(&commandLine->base);
    }
    // Older records may end before these fields.
    if (settings->size >= offsetof(cef_settings_t, user_agent) + sizeof(cef_string_t)) {
        state.cachePath = Utf8(&settings->cache_path);
        state.userAgent = Utf8(&settings->user_agent);
    }
    RegisterSchemes(application);
    state.application = application; // kept until shutdown
    state.initialized = true;
    return 1;
}

// A bounded, non-reentrant turn of the pending GLib work of the UI thread's main context.
void cef_do_message_loop_work(void)
{
    EngineState& state = State();
    if (!state.initialized || state.inLoopWork)
        return;
    state.inLoopWork = true;
    for (int i = 0; i < 64 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
    state.inLoopWork = false;
}

void cef_run_message_loop(void)
{
    EngineState& state = State();
    if (!state.initialized || state.loop)
        return;
    state.loop = g_main_loop_new(nullptr, FALSE);
    g_main_loop_run(state.loop);
    g_main_loop_unref(state.loop);
    state.loop = nullptr;
}

void cef_quit_message_loop(void)
{
    if (State().loop)
        g_main_loop_quit(State().loop);
}

void cef_shutdown(void)
{
    EngineState& state = State();
    if (!state.initialized)
        return;
    ShutDownEngineContext();
    Release(state.application);
    state = EngineState{};
}

} // extern "C"
