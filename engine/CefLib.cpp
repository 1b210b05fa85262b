#include "engine/CefLib.h"

#include "engine/TInternalApp.h"
#include "platform/system/LastError.h"

#include <cfenv>

namespace engine {

String CefLibrary = u"libcef.so";
String CefCache;
String CefUserAgent;
String CefProductVersion;
String CefLocale;
String CefLogFile;
TCefLogSeverity CefLogSeverity = LOGSEVERITY_DISABLE;
String CefJavaScriptFlags;
String CefResourcesDirPath;
String CefLocalesDirPath;
bool CefPackLoadingDisabled = false;
bool CefSingleProcess = true;
String CefBrowserSubprocessPath;
bool CefCommandLineArgsDisabled = false;
int CefRemoteDebuggingPort = 0;
bool CefReleaseDCheck = false;
int CefUncaughtExceptionStackSize = 0;
int CefContextSafetyImplementation = 0;
CefRef<cef_resource_bundle_handler_t> CefResourceBundleHandler;
CefRef<cef_browser_process_handler_t> CefBrowserProcessHandler;
CefRef<cef_render_process_handler_t> CefRenderProcessHandler;
TOnBeforeCommandLineProcessing CefOnBeforeCommandLineProcessing = nullptr;
TOnRegisterCustomSchemes CefOnRegisterCustomSchemes = nullptr;

platform::HMODULE LibHandle = nullptr;
bool CefIsMainProcess = false;

#define LUMO_CEF_SLOT(name) decltype(&::name) name = nullptr;
LUMO_CEF_ENTRY_POINTS(LUMO_CEF_SLOT)
#undef LUMO_CEF_SLOT

namespace {

cef_main_args_t mainArgs{0, nullptr};

// Runs the binding's end after main has returned and every window is gone, unless the entry
// ran it already.
struct Finalization {
    ~Finalization() { CefFinalize(); }
} finalization;

void ClearSlots()
{
#define LUMO_CEF_CLEAR(name) name = nullptr;
    LUMO_CEF_ENTRY_POINTS(LUMO_CEF_CLEAR)
#undef LUMO_CEF_CLEAR
}

} // namespace

void RaiseLastOSError()
{
    DWORD code = platform::GetLastError();
    String text = platform::GetErrorText(code);
    String detail = platform::GetLastErrorDetail();
    String message = u"System Error.  Code: ";
    for (char c : std::to_string(code))
        message += char16_t(c);
    message += u".\r\n" + text;
    if (!detail.empty())
        message += u"\r\n" + detail;
    throw EOSError(code, std::move(message));
}

void CefSetMainArgs(int argc, char** argv)
{
    mainArgs = cef_main_args_t{argc, argv};
}

bool CefLoadLibDefault()
{
    if (LibHandle)
        return true;
    return CefLoadLib(CefCache, CefUserAgent, CefProductVersion, CefLocale, CefLogFile, CefBrowserSubprocessPath,
                      CefLogSeverity, CefJavaScriptFlags, CefResourcesDirPath, CefLocalesDirPath, CefSingleProcess,
                      CefCommandLineArgsDisabled, CefPackLoadingDisabled, CefRemoteDebuggingPort, CefReleaseDCheck,
                      CefUncaughtExceptionStackSize, CefContextSafetyImplementation);
}

bool CefLoadLib(const String& Cache, const String& UserAgent, const String& ProductVersion, const String& Locale,
                const String& LogFile, const String& BrowserSubprocessPath, TCefLogSeverity LogSeverity,
                const String& JavaScriptFlags, const String& ResourcesDirPath, const String& LocalesDirPath,
                bool SingleProcess, bool CommandLineArgsDisabled, bool PackLoadingDisabled, int RemoteDebuggingPort,
                bool ReleaseDCheck, int UncaughtExceptionStackSize, int ContextSafetyImplementation)
{
    if (LibHandle)
        return true;

    // Floating-point exceptions are masked by default on this platform; a library loaded earlier
    // may have unmasked some, and the engine expects them all masked.
    fedisableexcept(FE_ALL_EXCEPT);

    platform::HMODULE handle = platform::LoadLibraryW(CefLibrary);
    if (!handle)
        RaiseLastOSError();
    LibHandle = handle;

#define LUMO_CEF_BIND(name) name = reinterpret_cast<decltype(&::name)>(platform::GetProcAddress(LibHandle, #name));
    LUMO_CEF_ENTRY_POINTS(LUMO_CEF_BIND)
#undef LUMO_CEF_BIND
    bool complete = true;
#define LUMO_CEF_CHECK(name) complete = complete && name != nullptr;
    LUMO_CEF_ENTRY_POINTS(LUMO_CEF_CHECK)
#undef LUMO_CEF_CHECK
    if (!complete)
        throw ECefException(u"Invalid CEF Library version");

    cef_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.size = sizeof settings;
    settings.single_process = SingleProcess;
    settings.browser_subprocess_path = CefStringView(BrowserSubprocessPath);
    settings.multi_threaded_message_loop = false;
    settings.command_line_args_disabled = CommandLineArgsDisabled;
    settings.cache_path = CefStringView(Cache);
    settings.user_agent = CefStringView(UserAgent);
    settings.product_version = CefStringView(ProductVersion);
    settings.locale = CefStringView(Locale);
    settings.log_file = CefStringView(LogFile);
    settings.log_severity = cef_log_severity_t(LogSeverity);
    settings.release_dcheck_enabled = ReleaseDCheck;
    settings.javascript_flags = CefStringView(JavaScriptFlags);
    settings.resources_dir_path = CefStringView(ResourcesDirPath);
    settings.locales_dir_path = CefStringView(LocalesDirPath);
    settings.pack_loading_disabled = PackLoadingDisabled;
    settings.remote_debugging_port = RemoteDebuggingPort;
    settings.uncaught_exception_stack_size = UncaughtExceptionStackSize;
    settings.context_safety_implementation = ContextSafetyImplementation;

    // Each engine call gets a reference of its own; ours goes when app does.
    CefRef<cef_app_t> app((new TInternalApp)->Cef());
    if (cef_execute_process(&mainArgs, CefRef<cef_app_t>::Share(app.Get()).Detach()) >= 0)
        return false;
    cef_initialize(&mainArgs, &settings, CefRef<cef_app_t>::Share(app.Get()).Detach());
    CefIsMainProcess = true;
    return true;
}

void CefDoMessageLoopWork()
{
    if (LibHandle)
        cef_do_message_loop_work();
}

void CefShutDown()
{
    if (!LibHandle)
        return;
    if (CefIsMainProcess && cef_shutdown)
        cef_shutdown();
    CefIsMainProcess = false;
    platform::FreeLibrary(LibHandle);
    LibHandle = nullptr;
    ClearSlots();
}

void CefFinalize()
{
    CefShutDown();
    for (String* text : {&CefLibrary, &CefCache, &CefUserAgent, &CefProductVersion, &CefLocale, &CefLogFile,
                         &CefJavaScriptFlags, &CefResourcesDirPath, &CefLocalesDirPath, &CefBrowserSubprocessPath})
        text->clear();
    CefResourceBundleHandler.Reset();
    CefBrowserProcessHandler.Reset();
    CefRenderProcessHandler.Reset();
}

} // namespace engine
