// Every callback adopts the references the engine passes with its object arguments (the wrappers
// release them), converts texts, and answers the engine 1 or 0. Without a connected control the
// engine gets false or none and applies its default.
#include "engine/TCustomHandlers.h"

namespace engine {

namespace {

ICefBrowser Browser(cef_browser_t* p) { return ICefBrowser(CefRef<cef_browser_t>(p)); }
ICefFrame Frame(cef_frame_t* p) { return ICefFrame(CefRef<cef_frame_t>(p)); }
ICefRequest Request(cef_request_t* p) { return ICefRequest(CefRef<cef_request_t>(p)); }
template <class T>
CefRef<T> Adopt(T* p) { return CefRef<T>(p); }
String Text(const cef_string_t* s) { return CefStringToString(s); }

// Replaces an engine string the engine lets the program write.
void SetText(cef_string_t* target, const String& value)
{
    if (!target)
        return;
    if (target->dtor)
        target->dtor(target->str);
    auto* copy = new char16[value.size() + 1];
    std::memcpy(copy, value.data(), value.size() * sizeof(char16));
    copy[value.size()] = 0;
    target->str = copy;
    target->length = value.size();
    target->dtor = [](char16* str) { delete[] str; };
}

} // namespace

TCustomLoadHandler::TCustomLoadHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_load_handler_t* h = Cef();
    h->on_load_start = [](cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        if (auto e = Enter(self))
            e->doOnLoadStart(b, f);
    };
    h->on_load_end = [](cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame, int status) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        if (auto e = Enter(self))
            e->doOnLoadEnd(b, f, status);
    };
    h->on_load_error = [](cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                          cef_errorcode_t code, const cef_string_t* text, const cef_string_t* url) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        if (auto e = Enter(self))
            e->doOnLoadError(b, f, code, Text(text), Text(url));
    };
    h->on_render_process_terminated = [](cef_load_handler_t* self, cef_browser_t* browser,
                                         cef_termination_status_t status) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnRenderProcessTerminated(b, status);
    };
    h->on_plugin_crashed = [](cef_load_handler_t* self, cef_browser_t* browser, const cef_string_t* path) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnPluginCrashed(b, Text(path));
    };
}

TCustomFocusHandler::TCustomFocusHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_focus_handler_t* h = Cef();
    h->on_take_focus = [](cef_focus_handler_t* self, cef_browser_t* browser, int next) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnTakeFocus(b, next != 0);
    };
    h->on_set_focus = [](cef_focus_handler_t* self, cef_browser_t* browser, cef_focus_source_t source) {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e && e->doOnSetFocus(b, source) ? 1 : 0;
    };
    h->on_got_focus = [](cef_focus_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnGotFocus(b);
    };
}

TCustomContextMenuHandler::TCustomContextMenuHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_context_menu_handler_t* h = Cef();
    h->on_before_context_menu = [](cef_context_menu_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                   cef_context_menu_params_t* params, cef_menu_model_t* model) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        ICefContextMenuParams p(Adopt(params));
        auto m = Adopt(model);
        if (auto e = Enter(self))
            e->doOnBeforeContextMenu(b, f, p, m.Get());
    };
    h->on_context_menu_command = [](cef_context_menu_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                    cef_context_menu_params_t* params, int commandId, cef_event_flags_t flags) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        ICefContextMenuParams p(Adopt(params));
        auto e = Enter(self);
        return e && e->doOnContextMenuCommand(b, f, p, commandId, TCefEventFlags(flags)) ? 1 : 0;
    };
    h->on_context_menu_dismissed = [](cef_context_menu_handler_t* self, cef_browser_t* browser, cef_frame_t* frame) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        if (auto e = Enter(self))
            e->doOnContextMenuDismissed(b, f);
    };
}

TCustomDialogHandler::TCustomDialogHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    Cef()->on_file_dialog = [](cef_dialog_handler_t* self, cef_browser_t* browser, cef_file_dialog_mode_t mode,
                               const cef_string_t* title, const cef_string_t* defaultName,
                               cef_string_list_t acceptTypes, cef_file_dialog_callback_t* callback) {
        auto b = Browser(browser);
        auto c = Adopt(callback);
        auto e = Enter(self);
        return e && e->doOnFileDialog(b, mode, Text(title), Text(defaultName), acceptTypes, c.Get()) ? 1 : 0;
    };
}

TCustomKeyboardHandler::TCustomKeyboardHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_keyboard_handler_t* h = Cef();
    h->on_pre_key_event = [](cef_keyboard_handler_t* self, cef_browser_t* browser, const cef_key_event_t* event,
                             cef_event_handle_t osEvent, int* isShortcut) {
        auto b = Browser(browser);
        auto e = Enter(self);
        if (!e)
            return 0;
        bool shortcut = isShortcut && *isShortcut != 0;
        bool result = e->doOnPreKeyEvent(b, event, osEvent, shortcut);
        if (isShortcut)
            *isShortcut = shortcut ? 1 : 0;
        return result ? 1 : 0;
    };
    h->on_key_event = [](cef_keyboard_handler_t* self, cef_browser_t* browser, const cef_key_event_t* event,
                         cef_event_handle_t osEvent) {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e && e->doOnKeyEvent(b, event, osEvent) ? 1 : 0;
    };
}

TCustomDisplayHandler::TCustomDisplayHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_display_handler_t* h = Cef();
    h->on_loading_state_change = [](cef_display_handler_t* self, cef_browser_t* browser, int loading, int back,
                                    int forward) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnLoadingStateChange(b, loading != 0, back != 0, forward != 0);
    };
    h->on_address_change = [](cef_display_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                              const cef_string_t* url) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        if (auto e = Enter(self))
            e->doOnAddressChange(b, f, Text(url));
    };
    h->on_title_change = [](cef_display_handler_t* self, cef_browser_t* browser, const cef_string_t* title) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnTitleChange(b, Text(title));
    };
    h->on_tooltip = [](cef_display_handler_t* self, cef_browser_t* browser, cef_string_t* text) {
        auto b = Browser(browser);
        auto e = Enter(self);
        if (!e)
            return 0;
        String value = Text(text);
        String before = value;
        bool result = e->doOnTooltip(b, value);
        if (value != before)
            SetText(text, value);
        return result ? 1 : 0;
    };
    h->on_status_message = [](cef_display_handler_t* self, cef_browser_t* browser, const cef_string_t* value) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnStatusMessage(b, Text(value));
    };
    h->on_console_message = [](cef_display_handler_t* self, cef_browser_t* browser, const cef_string_t* message,
                               const cef_string_t* source, int line) {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e && e->doOnConsoleMessage(b, Text(message), Text(source), line) ? 1 : 0;
    };
}

TCustomDownloadHandler::TCustomDownloadHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_download_handler_t* h = Cef();
    h->on_before_download = [](cef_download_handler_t* self, cef_browser_t* browser, cef_download_item_t* item,
                               const cef_string_t* name, cef_before_download_callback_t* callback) {
        auto b = Browser(browser);
        auto i = Adopt(item);
        auto c = Adopt(callback);
        if (auto e = Enter(self))
            e->doOnBeforeDownload(b, i.Get(), Text(name), c.Get());
    };
    h->on_download_updated = [](cef_download_handler_t* self, cef_browser_t* browser, cef_download_item_t* item,
                                cef_download_item_callback_t* callback) {
        auto b = Browser(browser);
        auto i = Adopt(item);
        auto c = Adopt(callback);
        if (auto e = Enter(self))
            e->doOnDownloadUpdated(b, i.Get(), c.Get());
    };
}

TCustomGeolocationHandler::TCustomGeolocationHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_geolocation_handler_t* h = Cef();
    h->on_request_geolocation_permission = [](cef_geolocation_handler_t* self, cef_browser_t* browser,
                                              const cef_string_t* url, int id, cef_geolocation_callback_t* callback) {
        auto b = Browser(browser);
        auto c = Adopt(callback);
        if (auto e = Enter(self))
            e->doOnRequestGeolocationPermission(b, Text(url), id, c.Get());
    };
    h->on_cancel_geolocation_permission = [](cef_geolocation_handler_t* self, cef_browser_t* browser,
                                             const cef_string_t* url, int id) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnCancelGeolocationPermission(b, Text(url), id);
    };
}

TCustomJsDialogHandler::TCustomJsDialogHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_jsdialog_handler_t* h = Cef();
    h->on_jsdialog = [](cef_jsdialog_handler_t* self, cef_browser_t* browser, const cef_string_t* originUrl,
                        const cef_string_t* acceptLang, cef_jsdialog_type_t type, const cef_string_t* message,
                        const cef_string_t* prompt, cef_jsdialog_callback_t* callback, int* suppress) {
        auto b = Browser(browser);
        auto c = Adopt(callback);
        auto e = Enter(self);
        if (!e)
            return 0;
        bool suppressMessage = suppress && *suppress != 0;
        bool result = e->doOnJsdialog(b, Text(originUrl), Text(acceptLang), type, Text(message), Text(prompt), c.Get(),
                                      suppressMessage);
        if (suppress)
            *suppress = suppressMessage ? 1 : 0;
        return result ? 1 : 0;
    };
    h->on_before_unload_dialog = [](cef_jsdialog_handler_t* self, cef_browser_t* browser,
                                    const cef_string_t* message, int isReload, cef_jsdialog_callback_t* callback) {
        auto b = Browser(browser);
        auto c = Adopt(callback);
        auto e = Enter(self);
        return e && e->doOnBeforeUnloadDialog(b, Text(message), isReload != 0, c.Get()) ? 1 : 0;
    };
    h->on_reset_dialog_state = [](cef_jsdialog_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnResetDialogState(b);
    };
}

TCustomLifeSpanHandler::TCustomLifeSpanHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_life_span_handler_t* h = Cef();
    h->on_before_popup = [](cef_life_span_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                            const cef_string_t* targetUrl, const cef_string_t* targetFrameName,
                            const cef_popup_features_t* features, cef_window_info_t* windowInfo,
                            cef_client_t** client, cef_browser_settings_t* settings, int* noJavascriptAccess) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        auto e = Enter(self);
        if (!e || !features || !windowInfo || !settings)
            return 0;
        // The engine's client slot keeps its own reference; the handler sees a shared one.
        ICefClient c(CefRef<cef_client_t>::Share(client ? *client : nullptr));
        bool noAccess = noJavascriptAccess && *noJavascriptAccess != 0;
        bool result = e->doOnBeforePopup(b, f, Text(targetUrl), Text(targetFrameName), *features, *windowInfo, c,
                                         *settings, noAccess);
        if (client && c.Cef() != *client) {
            cef_client_t* old = *client;
            *client = c.Ref().Detach();
            if (old)
                CefBase(old)->release(CefBase(old));
        }
        if (noJavascriptAccess)
            *noJavascriptAccess = noAccess ? 1 : 0;
        return result ? 1 : 0;
    };
    h->on_after_created = [](cef_life_span_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnAfterCreated(b);
    };
    h->run_modal = [](cef_life_span_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e && e->doOnRunModal(b) ? 1 : 0;
    };
    h->do_close = [](cef_life_span_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e && e->doOnClose(b) ? 1 : 0;
    };
    h->on_before_close = [](cef_life_span_handler_t* self, cef_browser_t* browser) {
        auto b = Browser(browser);
        if (auto e = Enter(self))
            e->doOnBeforeClose(b);
    };
}

TCustomRequestHandler::TCustomRequestHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link))
{
    cef_request_handler_t* h = Cef();
    h->on_before_resource_load = [](cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                    cef_request_t* request) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        auto r = Request(request);
        auto e = Enter(self);
        return e && e->doOnBeforeResourceLoad(b, f, r) ? 1 : 0;
    };
    h->get_resource_handler = [](cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                 cef_request_t* request) -> cef_resource_handler_t* {
        auto b = Browser(browser);
        auto f = Frame(frame);
        auto r = Request(request);
        auto e = Enter(self);
        return e ? e->doOnGetResourceHandler(b, f, r).Detach() : nullptr;
    };
    h->on_resource_redirect = [](cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                 const cef_string_t* oldUrl, cef_string_t* newUrl) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        auto e = Enter(self);
        if (!e)
            return;
        String value = Text(newUrl);
        String before = value;
        e->doOnResourceRedirect(b, f, Text(oldUrl), value);
        if (value != before)
            SetText(newUrl, value);
    };
    h->get_auth_credentials = [](cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                 int isProxy, const cef_string_t* host, int port, const cef_string_t* realm,
                                 const cef_string_t* scheme, cef_auth_callback_t* callback) {
        auto b = Browser(browser);
        auto f = Frame(frame);
        auto c = Adopt(callback);
        auto e = Enter(self);
        return e && e->doOnGetAuthCredentials(b, f, isProxy != 0, Text(host), port, Text(realm), Text(scheme),
                                              c.Get())
                   ? 1
                   : 0;
    };
    h->get_cookie_manager = [](cef_request_handler_t* self, cef_browser_t* browser,
                               const cef_string_t* mainUrl) -> cef_cookie_manager_t* {
        auto b = Browser(browser);
        auto e = Enter(self);
        return e ? e->doOnGetCookieManager(b, Text(mainUrl)).Detach() : nullptr;
    };
    h->on_protocol_execution = [](cef_request_handler_t* self, cef_browser_t* browser, const cef_string_t* url,
                                  int* allow) {
        auto b = Browser(browser);
        auto e = Enter(self);
        if (!e)
            return;
        bool allowOs = allow && *allow != 0;
        e->doOnProtocolExecution(b, Text(url), allowOs);
        if (allow)
            *allow = allowOs ? 1 : 0;
    };
}

// The engine's defaults for windowed browsers: nothing of the program's own.
TCustomRenderHandler::TCustomRenderHandler(std::shared_ptr<TChromiumLink> link) : TCustomHandler(std::move(link)) {}

} // namespace engine
