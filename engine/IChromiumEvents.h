// What the engine-side objects call back into: one method per engine callback that the browser
// control publishes as an event. Each answers what goes back to the engine.
#pragma once

#include "engine/CefTypes.h"

namespace engine {

using TCefEventFlags = uint16_t;

class IChromiumEvents {
public:
    virtual bool doOnProcessMessageReceived(const ICefBrowser& browser, cef_process_id_t sourceProcess,
                                            cef_process_message_t* message) = 0;
    virtual void doOnLoadStart(const ICefBrowser& browser, const ICefFrame& frame) = 0;
    virtual void doOnLoadEnd(const ICefBrowser& browser, const ICefFrame& frame, int httpStatusCode) = 0;
    virtual void doOnLoadError(const ICefBrowser& browser, const ICefFrame& frame, int errorCode,
                               const String& errorText, const String& failedUrl) = 0;
    virtual void doOnRenderProcessTerminated(const ICefBrowser& browser, cef_termination_status_t status) = 0;
    virtual void doOnPluginCrashed(const ICefBrowser& browser, const String& pluginPath) = 0;
    virtual void doOnTakeFocus(const ICefBrowser& browser, bool next) = 0;
    virtual bool doOnSetFocus(const ICefBrowser& browser, cef_focus_source_t source) = 0;
    virtual void doOnGotFocus(const ICefBrowser& browser) = 0;
    virtual void doOnBeforeContextMenu(const ICefBrowser& browser, const ICefFrame& frame,
                                       const ICefContextMenuParams& params, cef_menu_model_t* model) = 0;
    virtual bool doOnContextMenuCommand(const ICefBrowser& browser, const ICefFrame& frame,
                                        const ICefContextMenuParams& params, int commandId,
                                        TCefEventFlags eventFlags) = 0;
    virtual void doOnContextMenuDismissed(const ICefBrowser& browser, const ICefFrame& frame) = 0;
    virtual bool doOnPreKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event,
                                 cef_event_handle_t osEvent, bool& isKeyboardShortcut) = 0;
    virtual bool doOnKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event,
                              cef_event_handle_t osEvent) = 0;
    virtual void doOnLoadingStateChange(const ICefBrowser& browser, bool isLoading, bool canGoBack,
                                        bool canGoForward) = 0;
    virtual void doOnAddressChange(const ICefBrowser& browser, const ICefFrame& frame, const String& url) = 0;
    virtual void doOnTitleChange(const ICefBrowser& browser, const String& title) = 0;
    virtual bool doOnTooltip(const ICefBrowser& browser, String& text) = 0;
    virtual void doOnStatusMessage(const ICefBrowser& browser, const String& value) = 0;
    virtual bool doOnConsoleMessage(const ICefBrowser& browser, const String& message, const String& source,
                                    int line) = 0;
    virtual void doOnBeforeDownload(const ICefBrowser& browser, cef_download_item_t* downloadItem,
                                    const String& suggestedName, cef_before_download_callback_t* callback) = 0;
    virtual void doOnDownloadUpdated(const ICefBrowser& browser, cef_download_item_t* downloadItem,
                                     cef_download_item_callback_t* callback) = 0;
    virtual void doOnRequestGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl,
                                                  int requestId, cef_geolocation_callback_t* callback) = 0;
    virtual void doOnCancelGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl,
                                                 int requestId) = 0;
    virtual bool doOnJsdialog(const ICefBrowser& browser, const String& originUrl, const String& acceptLang,
                              cef_jsdialog_type_t dialogType, const String& messageText,
                              const String& defaultPromptText, cef_jsdialog_callback_t* callback,
                              bool& suppressMessage) = 0;
    virtual bool doOnBeforeUnloadDialog(const ICefBrowser& browser, const String& messageText, bool isReload,
                                        cef_jsdialog_callback_t* callback) = 0;
    virtual void doOnResetDialogState(const ICefBrowser& browser) = 0;
    virtual bool doOnBeforePopup(const ICefBrowser& browser, const ICefFrame& frame, const String& targetUrl,
                                 const String& targetFrameName, const cef_popup_features_t& popupFeatures,
                                 cef_window_info_t& windowInfo, ICefClient& client, cef_browser_settings_t& settings,
                                 bool& noJavascriptAccess) = 0;
    virtual void doOnAfterCreated(const ICefBrowser& browser) = 0;
    virtual void doOnBeforeClose(const ICefBrowser& browser) = 0;
    virtual bool doOnRunModal(const ICefBrowser& browser) = 0;
    virtual bool doOnClose(const ICefBrowser& browser) = 0;
    virtual bool doOnBeforeResourceLoad(const ICefBrowser& browser, const ICefFrame& frame,
                                        const ICefRequest& request) = 0;
    virtual CefRef<cef_resource_handler_t> doOnGetResourceHandler(const ICefBrowser& browser, const ICefFrame& frame,
                                                                  const ICefRequest& request) = 0;
    virtual void doOnResourceRedirect(const ICefBrowser& browser, const ICefFrame& frame, const String& oldUrl,
                                      String& newUrl) = 0;
    virtual bool doOnGetAuthCredentials(const ICefBrowser& browser, const ICefFrame& frame, bool isProxy,
                                        const String& host, int port, const String& realm, const String& scheme,
                                        cef_auth_callback_t* callback) = 0;
    virtual CefRef<cef_cookie_manager_t> doOnGetCookieManager(const ICefBrowser& browser, const String& mainUrl) = 0;
    virtual void doOnProtocolExecution(const ICefBrowser& browser, const String& url, bool& allowOsExecution) = 0;
    virtual bool doOnFileDialog(const ICefBrowser& browser, cef_file_dialog_mode_t mode, const String& title,
                                const String& defaultFileName, cef_string_list_t acceptTypes,
                                cef_file_dialog_callback_t* callback) = 0;

protected:
    ~IChromiumEvents() = default;
};

} // namespace engine
