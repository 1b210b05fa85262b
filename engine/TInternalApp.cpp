#include "engine/TInternalApp.h"

#include "engine/CefLib.h"

namespace engine {

namespace {

template <class T>
T* Shared(const CefRef<T>& ref)
{
    return CefRef<T>::Share(ref.Get()).Detach();
}

} // namespace

TInternalApp::TInternalApp()
{
    cef_app_t* app = Cef();
    app->on_before_command_line_processing = [](cef_app_t*, const cef_string_t* processType,
                                                cef_command_line_t* commandLine) {
        if (CefOnBeforeCommandLineProcessing) {
            ICefCommandLine line(commandLine);
            CefOnBeforeCommandLineProcessing(CefStringToString(processType), line);
        }
        if (commandLine)
            CefBase(commandLine)->release(CefBase(commandLine));
    };
    app->on_register_custom_schemes = [](cef_app_t*, cef_scheme_registrar_t* registrar) {
        if (CefOnRegisterCustomSchemes) {
            ICefSchemeRegistrar wrapped(registrar);
            CefOnRegisterCustomSchemes(wrapped);
        }
        if (registrar)
            CefBase(registrar)->release(CefBase(registrar));
    };
    app->get_resource_bundle_handler = [](cef_app_t*) { return Shared(CefResourceBundleHandler); };
    app->get_browser_process_handler = [](cef_app_t*) { return Shared(CefBrowserProcessHandler); };
    app->get_render_process_handler = [](cef_app_t*) { return Shared(CefRenderProcessHandler); };
}

} // namespace engine
