// A test engine library: exports every entry point of the engine's C API, records the calls the
// binding makes, and lets tests drive the client's callbacks. Built in variants: complete,
// lacking one entry point, and one that takes "--type=" on the command line for a sub-process.
#include "engine/CefRef.h"
#include "engine/capi/cef_entry_points.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

using engine::CefOwnObject;
using engine::CefRef;

namespace {

std::mutex logMutex;
std::string callLog;
int workCount = 0;
void (*workHook)() = nullptr;

void Record(const std::string& line)
{
    std::lock_guard lock(logMutex);
    callLog += line + "\n";
    if (const char* file = std::getenv("LUMO_TEST_ENGINE_LOG")) {
        if (FILE* f = std::fopen(file, "a")) {
            std::fprintf(f, "%s\n", line.c_str());
            std::fclose(f);
        }
    }
}

std::string Utf8(const cef_string_t* s)
{
    std::string out;
    if (s && s->str)
        for (size_t i = 0; i < s->length; ++i)
            out += s->str[i] < 0x80 ? char(s->str[i]) : '?';
    return out;
}

cef_string_userfree_t UserFree(const std::string& text)
{
    auto* s = new cef_string_t{};
    s->str = new char16[text.size() + 1];
    for (size_t i = 0; i < text.size(); ++i)
        s->str[i] = char16(text[i]);
    s->str[text.size()] = 0;
    s->length = text.size();
    s->dtor = [](char16* p) { delete[] p; };
    return s;
}

template <class T>
void Release(T* p)
{
    if (p)
        engine::CefBase(p)->release(engine::CefBase(p));
}

class Registrar : public CefOwnObject<Registrar, cef_scheme_registrar_t> {
public:
    Registrar()
    {
        Cef()->add_custom_scheme = [](cef_scheme_registrar_t*, const cef_string_t* name, int standard, int local,
                                      int isolated) {
            Record("add_custom_scheme " + Utf8(name) + " " + std::to_string(standard) + " " + std::to_string(local) +
                   " " + std::to_string(isolated));
            return 1;
        };
    }
};

class CommandLine : public CefOwnObject<CommandLine, cef_command_line_t> {
public:
    CommandLine()
    {
        Cef()->append_switch = [](cef_command_line_t*, const cef_string_t* name) {
            Record("append_switch " + Utf8(name));
        };
    }
};

class Request : public CefOwnObject<Request, cef_request_t> {
public:
    explicit Request(std::string url) : url_(std::move(url))
    {
        Cef()->get_url = [](cef_request_t* self) { return UserFree(From(self)->url_); };
    }

private:
    std::string url_;
};

class Frame : public CefOwnObject<Frame, cef_frame_t> {
public:
    Frame()
    {
        Cef()->load_url = [](cef_frame_t* self, const cef_string_t* url) {
            From(self)->url_ = Utf8(url);
            Record("load_url " + Utf8(url));
        };
        Cef()->get_url = [](cef_frame_t* self) { return UserFree(From(self)->url_); };
        Cef()->is_main = [](cef_frame_t*) { return 1; };
    }

private:
    std::string url_;
};

class Browser;

class Host : public CefOwnObject<Host, cef_browser_host_t> {
public:
    explicit Host(cef_window_handle_t window) : window_(window)
    {
        Cef()->parent_window_will_close = [](cef_browser_host_t*) { Record("parent_window_will_close"); };
        Cef()->get_window_handle = [](cef_browser_host_t* self) { return From(self)->window_; };
    }

private:
    cef_window_handle_t window_;
};

class Browser : public CefOwnObject<Browser, cef_browser_t> {
public:
    Browser(int id, cef_window_handle_t window) : id_(id), frame_(new Frame), host_(new Host(window))
    {
        Cef()->get_identifier = [](cef_browser_t* self) { return From(self)->id_; };
        Cef()->get_main_frame = [](cef_browser_t* self) { return From(self)->frame_->CefShared(); };
        Cef()->get_host = [](cef_browser_t* self) { return From(self)->host_->CefShared(); };
        Cef()->stop_load = [](cef_browser_t*) { Record("stop_load"); };
    }
    ~Browser() override
    {
        frame_->Release();
        host_->Release();
    }
    Frame* MainFrame() { return frame_; }

private:
    int id_;
    Frame* frame_;
    Host* host_;
};

class ContextMenuParams : public CefOwnObject<ContextMenuParams, cef_context_menu_params_t> {
public:
    ContextMenuParams()
    {
        Cef()->get_xcoord = [](cef_context_menu_params_t*) { return 12; };
    }
};

cef_app_t* application = nullptr;
struct Created {
    Browser* browser;
    cef_client_t* client;
};
std::vector<Created> browsers;
int nextBrowserId = 1;

bool IsSubProcess(const cef_main_args_t* args)
{
#ifdef LUMO_TEST_ENGINE_SUBPROCESS_GATE
    for (int i = 1; args && i < args->argc; ++i)
        if (std::strncmp(args->argv[i], "--type=", 7) == 0)
            return true;
#else
    (void)args;
#endif
    return false;
}

void RegisterSchemes(cef_app_t* app)
{
    if (app && app->on_register_custom_schemes) {
        auto* registrar = new Registrar;
        app->on_register_custom_schemes(app, registrar->CefShared());
        registrar->Release();
    }
}

cef_client_t* LastClient()
{
    return browsers.empty() ? nullptr : browsers.back().client;
}

} // namespace

extern "C" {

CEF_EXPORT int cef_execute_process(const cef_main_args_t* args, cef_app_t* app)
{
    bool sub = IsSubProcess(args);
    Record(std::string("execute_process ") + (sub ? "sub" : "browser"));
    if (sub)
        RegisterSchemes(app);
    Release(app);
    return sub ? 0 : -1;
}

CEF_EXPORT int cef_initialize(const cef_main_args_t*, const cef_settings_t* s, cef_app_t* app)
{
    Record("initialize size=" + std::to_string(s->size == sizeof(cef_settings_t)) +
           " single_process=" + std::to_string(s->single_process) +
           " multi_threaded=" + std::to_string(s->multi_threaded_message_loop) +
           " log_severity=" + std::to_string(s->log_severity) + " cache=" + Utf8(&s->cache_path) +
           " locale=" + Utf8(&s->locale) + " port=" + std::to_string(s->remote_debugging_port));
    if (app && app->on_before_command_line_processing) {
        auto* line = new CommandLine;
        cef_string_t browserProcess{};
        app->on_before_command_line_processing(app, &browserProcess, line->CefShared());
        line->Release();
    }
    RegisterSchemes(app);
    if (app && app->get_browser_process_handler)
        Record(std::string("browser_process_handler ") + (app->get_browser_process_handler(app) ? "some" : "none"));
    application = app;
    return 1;
}

CEF_EXPORT void cef_shutdown(void)
{
    Record("shutdown");
    for (Created& c : browsers) {
        c.browser->Release();
        Release(c.client);
    }
    browsers.clear();
    Release(application);
    application = nullptr;
}

CEF_EXPORT void cef_do_message_loop_work(void)
{
    ++workCount;
    if (workHook)
        workHook();
}

CEF_EXPORT cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* info, cef_client_t* client,
                                                               const cef_string_t* url,
                                                               const cef_browser_settings_t* settings)
{
    Record("create_browser " + std::to_string(info->x) + " " + std::to_string(info->y) + " " +
           std::to_string(info->width) + " " + std::to_string(info->height) + " style=" +
           std::to_string(info->style) + " host=" + (info->parent_host ? "yes" : "no") + " url=" + Utf8(url) +
           " settings=" + std::to_string(settings->size == sizeof(cef_browser_settings_t)));
    auto* browser = new Browser(nextBrowserId++, info->parent_window);
    browsers.push_back({browser, client});
    return browser->CefShared();
}

CEF_EXPORT cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc(void)
{
    return new cef_string_utf16_t{};
}

CEF_EXPORT void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t str)
{
    if (!str)
        return;
    if (str->dtor)
        str->dtor(str->str);
    delete str;
}

// ---- for the tests ----

CEF_EXPORT const char* lumo_test_engine_log(void)
{
    return callLog.c_str();
}

CEF_EXPORT void lumo_test_engine_reset(void)
{
    callLog.clear();
    workCount = 0;
    workHook = nullptr;
}

CEF_EXPORT int lumo_test_engine_work_count(void)
{
    return workCount;
}

CEF_EXPORT void lumo_test_engine_set_work_hook(void (*hook)())
{
    workHook = hook;
}

// How many of the last client's twelve handler getters answer a handler; -1 without a client.
CEF_EXPORT int lumo_test_engine_handler_count(void)
{
    cef_client_t* c = LastClient();
    if (!c)
        return -1;
    int count = 0;
    auto check = [&](void* handler) {
        if (handler) {
            ++count;
            Release(static_cast<cef_base_t*>(handler));
        }
    };
    check(c->get_context_menu_handler(c));
    check(c->get_dialog_handler(c));
    check(c->get_display_handler(c));
    check(c->get_download_handler(c));
    check(c->get_focus_handler(c));
    check(c->get_geolocation_handler(c));
    check(c->get_jsdialog_handler(c));
    check(c->get_keyboard_handler(c));
    check(c->get_life_span_handler(c));
    check(c->get_load_handler(c));
    check(c->get_render_handler(c));
    check(c->get_request_handler(c));
    return count;
}

// The engine's answer to a request: 1 cancel, 0 load; -1 without a handler.
CEF_EXPORT int lumo_test_engine_fire_before_resource_load(const char* url)
{
    cef_client_t* c = LastClient();
    cef_request_handler_t* h = c ? c->get_request_handler(c) : nullptr;
    if (!h)
        return -1;
    Browser* b = browsers.back().browser;
    auto* request = new Request(url);
    int result = h->on_before_resource_load(h, b->CefShared(), b->MainFrame()->CefShared(), request->CefShared());
    request->Release();
    Release(h);
    return result;
}

CEF_EXPORT int lumo_test_engine_fire_context_menu_command(int commandId, int flags)
{
    cef_client_t* c = LastClient();
    cef_context_menu_handler_t* h = c ? c->get_context_menu_handler(c) : nullptr;
    if (!h)
        return -1;
    Browser* b = browsers.back().browser;
    auto* params = new ContextMenuParams;
    int result = h->on_context_menu_command(h, b->CefShared(), b->MainFrame()->CefShared(), params->CefShared(),
                                            commandId, cef_event_flags_t(flags));
    params->Release();
    Release(h);
    return result;
}

// Answers the handler's result; *sameClient tells whether the client slot still holds the
// opener's client, *noScript the written-back flag.
CEF_EXPORT int lumo_test_engine_fire_before_popup(const char* url, int* sameClient, int* noScript)
{
    cef_client_t* c = LastClient();
    cef_life_span_handler_t* h = c ? c->get_life_span_handler(c) : nullptr;
    if (!h)
        return -1;
    Browser* b = browsers.back().browser;
    cef_popup_features_t features{};
    cef_window_info_t info{};
    cef_browser_settings_t settings{};
    settings.size = sizeof settings;
    engine::CefBase(c)->add_ref(engine::CefBase(c));
    cef_client_t* slot = c;
    cef_string_t target{};
    std::u16string wide(url, url + std::strlen(url));
    target.str = reinterpret_cast<char16*>(wide.data());
    target.length = wide.size();
    cef_string_t name{};
    int noJs = 0;
    int result = h->on_before_popup(h, b->CefShared(), b->MainFrame()->CefShared(), &target, &name, &features, &info,
                                    &slot, &settings, &noJs);
    *sameClient = slot == c;
    *noScript = noJs;
    Release(slot);
    Release(h);
    return result;
}

// Lets go of every browser and client, as the engine does once its browsers have closed.
CEF_EXPORT void lumo_test_engine_release_browsers(void)
{
    for (Created& created : browsers) {
        created.browser->Release();
        Release(created.client);
    }
    browsers.clear();
}

} // extern "C"
