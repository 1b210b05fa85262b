// The engine binding: configuration globals, loading the engine library and binding its entry
// points, the process gate, initialisation, the single message-loop step and shutdown.
#pragma once

#include "engine/CefTypes.h"
#include "engine/capi/cef_entry_points.h"
#include "platform/system/DynamicLibrary.h"
#include "toolkit/Exception.h"

namespace engine {

class ICefSchemeRegistrar;
class ICefCommandLine;

using TCefLogSeverity = int;
using TOnRegisterCustomSchemes = void (*)(ICefSchemeRegistrar& registrar);
using TOnBeforeCommandLineProcessing = void (*)(const String& processType, ICefCommandLine& commandLine);

// The engine library refused (an entry point it lacks).
class ECefException : public toolkit::Exception {
public:
    using toolkit::Exception::Exception;
};

// An operating-system failure: the platform's last error code and its text.
class EOSError : public toolkit::Exception {
public:
    EOSError(DWORD code, String message) : toolkit::Exception(std::move(message)), ErrorCode(code) {}
    DWORD ErrorCode;
};
[[noreturn]] void RaiseLastOSError();

// Configuration, read once by CefLoadLibDefault.
extern String CefLibrary;
extern String CefCache;
extern String CefUserAgent;
extern String CefProductVersion;
extern String CefLocale;
extern String CefLogFile;
extern TCefLogSeverity CefLogSeverity;
extern String CefJavaScriptFlags;
extern String CefResourcesDirPath;
extern String CefLocalesDirPath;
extern bool CefPackLoadingDisabled;
extern bool CefSingleProcess;
extern String CefBrowserSubprocessPath;
extern bool CefCommandLineArgsDisabled;
extern int CefRemoteDebuggingPort;
extern bool CefReleaseDCheck;
extern int CefUncaughtExceptionStackSize;
extern int CefContextSafetyImplementation;
extern CefRef<cef_resource_bundle_handler_t> CefResourceBundleHandler;
extern CefRef<cef_browser_process_handler_t> CefBrowserProcessHandler;
extern CefRef<cef_render_process_handler_t> CefRenderProcessHandler;
extern TOnBeforeCommandLineProcessing CefOnBeforeCommandLineProcessing;
extern TOnRegisterCustomSchemes CefOnRegisterCustomSchemes;

// Binding state.
extern platform::HMODULE LibHandle;
extern bool CefIsMainProcess;

// The program's arguments, handed to the engine as its main arguments; set by the entry before
// loading (without them the engine sees an empty command line).
void CefSetMainArgs(int argc, char** argv);

bool CefLoadLibDefault();
bool CefLoadLib(const String& Cache, const String& UserAgent, const String& ProductVersion, const String& Locale,
                const String& LogFile, const String& BrowserSubprocessPath, TCefLogSeverity LogSeverity,
                const String& JavaScriptFlags, const String& ResourcesDirPath, const String& LocalesDirPath,
                bool SingleProcess, bool CommandLineArgsDisabled, bool PackLoadingDisabled, int RemoteDebuggingPort,
                bool ReleaseDCheck, int UncaughtExceptionStackSize, int ContextSafetyImplementation);
void CefDoMessageLoopWork();
void CefShutDown();
// The binding's end: CefShutDown, then the text globals cleared and the handler globals released.
// Runs by itself when the process ends; the entry calls it after its windows are destroyed.
void CefFinalize();

// The entry points, one slot each, null while nothing is loaded.
#define LUMO_CEF_SLOT(name) extern decltype(&::name) name;
LUMO_CEF_ENTRY_POINTS(LUMO_CEF_SLOT)
#undef LUMO_CEF_SLOT

} // namespace engine
