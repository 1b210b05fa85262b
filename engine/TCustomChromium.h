// The browser control: a windowed control hosting one engine browser in a native child window
// that covers its client area. The browser is made whenever the control's window is made; engine
// callbacks become the control's events, each handler's result preset to false.
#pragma once

#include "engine/IChromiumEvents.h"
#include "engine/TChromiumOptions.h"
#include "toolkit/TWinControl.h"

#include <functional>
#include <memory>

namespace engine {

class TVCLClientHandler;
using toolkit::TObject;

// clang-format off
using TOnProcessMessageReceived = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_process_id_t sourceProcess, cef_process_message_t* message, bool& Result)>;
using TOnLoadStart = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame)>;
using TOnLoadEnd = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, int httpStatusCode)>;
using TOnLoadError = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, int errorCode, const String& errorText, const String& failedUrl)>;
using TOnRenderProcessTerminated = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_termination_status_t status)>;
using TOnPluginCrashed = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& pluginPath)>;
using TOnTakeFocus = std::function<void(TObject* Sender, const ICefBrowser& browser, bool next)>;
using TOnSetFocus = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_focus_source_t source, bool& Result)>;
using TOnGotFocus = std::function<void(TObject* Sender, const ICefBrowser& browser)>;
using TOnBeforeContextMenu = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const ICefContextMenuParams& params, cef_menu_model_t* model)>;
using TOnContextMenuCommand = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const ICefContextMenuParams& params, int commandId, TCefEventFlags eventFlags, bool& Result)>;
using TOnContextMenuDismissed = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame)>;
using TOnPreKeyEvent = std::function<void(TObject* Sender, const ICefBrowser& browser, const cef_key_event_t* event, cef_event_handle_t osEvent, bool& isKeyboardShortcut, bool& Result)>;
using TOnKeyEvent = std::function<void(TObject* Sender, const ICefBrowser& browser, const cef_key_event_t* event, cef_event_handle_t osEvent, bool& Result)>;
using TOnLoadingStateChange = std::function<void(TObject* Sender, const ICefBrowser& browser, bool isLoading, bool canGoBack, bool canGoForward)>;
using TOnAddressChange = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const String& url)>;
using TOnTitleChange = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& title)>;
using TOnTooltip = std::function<void(TObject* Sender, const ICefBrowser& browser, String& text, bool& Result)>;
using TOnStatusMessage = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& value)>;
using TOnConsoleMessage = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& message, const String& source, int line, bool& Result)>;
using TOnBeforeDownload = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_download_item_t* downloadItem, const String& suggestedName, cef_before_download_callback_t* callback)>;
using TOnDownloadUpdated = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_download_item_t* downloadItem, cef_download_item_callback_t* callback)>;
using TOnRequestGeolocationPermission = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& requestingUrl, int requestId, cef_geolocation_callback_t* callback)>;
using TOnCancelGeolocationPermission = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& requestingUrl, int requestId)>;
using TOnJsdialog = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& originUrl, const String& acceptLang, cef_jsdialog_type_t dialogType, const String& messageText, const String& defaultPromptText, cef_jsdialog_callback_t* callback, bool& suppressMessage, bool& Result)>;
using TOnBeforeUnloadDialog = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& messageText, bool isReload, cef_jsdialog_callback_t* callback, bool& Result)>;
using TOnResetDialogState = std::function<void(TObject* Sender, const ICefBrowser& browser)>;
using TOnBeforePopup = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const String& targetUrl, const String& targetFrameName, const cef_popup_features_t& popupFeatures, cef_window_info_t& windowInfo, ICefClient& client, cef_browser_settings_t& settings, bool& noJavascriptAccess, bool& Result)>;
using TOnAfterCreated = std::function<void(TObject* Sender, const ICefBrowser& browser)>;
using TOnBeforeClose = std::function<void(TObject* Sender, const ICefBrowser& browser)>;
using TOnRunModal = std::function<void(TObject* Sender, const ICefBrowser& browser, bool& Result)>;
using TOnClose = std::function<void(TObject* Sender, const ICefBrowser& browser, bool& Result)>;
using TOnBeforeResourceLoad = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const ICefRequest& request, bool& Result)>;
using TOnGetResourceHandler = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const ICefRequest& request, CefRef<cef_resource_handler_t>& Result)>;
using TOnResourceRedirect = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, const String& oldUrl, String& newUrl)>;
using TOnGetAuthCredentials = std::function<void(TObject* Sender, const ICefBrowser& browser, const ICefFrame& frame, bool isProxy, const String& host, int port, const String& realm, const String& scheme, cef_auth_callback_t* callback, bool& Result)>;
using TOnGetCookieManager = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& mainUrl, CefRef<cef_cookie_manager_t>& Result)>;
using TOnProtocolExecution = std::function<void(TObject* Sender, const ICefBrowser& browser, const String& url, bool& allowOsExecution)>;
using TOnFileDialog = std::function<void(TObject* Sender, const ICefBrowser& browser, cef_file_dialog_mode_t mode, const String& title, const String& defaultFileName, cef_string_list_t acceptTypes, cef_file_dialog_callback_t* callback, bool& Result)>;
// clang-format on

class TCustomChromium : public toolkit::TWinControl, public IChromiumEvents {
public:
    explicit TCustomChromium(toolkit::TComponent* AOwner);
    ~TCustomChromium() override;
    // Freed the library's way (owners free their components so), the control leaves the engine
    // here, while the whole object still exists: an event running on an engine thread finishes
    // before any destructor starts. A plain delete leaves it in the destructor instead.
    void BeforeDestruction() override;

    // Makes sure the window (and with it the browser) exists, then navigates the main frame.
    void Load(const String& url);
    void ReCreateBrowser(const String& url);

    const ICefBrowser& Browser() const { return FBrowser; }
    int BrowserId() const { return FBrowserId; }
    // The native host window the browser lives in; null without a browser.
    platform::HWND BrowserWindow() const { return browserWindow_; }
    // The client object the engine is given (null in design mode).
    cef_client_t* Client() const;

    const String& DefaultUrl() const { return FDefaultUrl; }
    void SetDefaultUrl(StringView value) { FDefaultUrl = String(value); }
    TChromiumOptions& Options() { return *FOptions; }
    TChromiumFontOptions& FontOptions() { return *FFontOptions; }
    const String& UserStyleSheetLocation() const { return FUserStyleSheetLocation; }
    void SetUserStyleSheetLocation(StringView value) { FUserStyleSheetLocation = String(value); }
    const String& DefaultEncoding() const { return FDefaultEncoding; }
    void SetDefaultEncoding(StringView value) { FDefaultEncoding = String(value); }

    TOnProcessMessageReceived OnProcessMessageReceived;
    TOnLoadStart OnLoadStart;
    TOnLoadEnd OnLoadEnd;
    TOnLoadError OnLoadError;
    TOnRenderProcessTerminated OnRenderProcessTerminated;
    TOnPluginCrashed OnPluginCrashed;
    TOnTakeFocus OnTakeFocus;
    TOnSetFocus OnSetFocus;
    TOnGotFocus OnGotFocus;
    TOnBeforeContextMenu OnBeforeContextMenu;
    TOnContextMenuCommand OnContextMenuCommand;
    TOnContextMenuDismissed OnContextMenuDismissed;
    TOnPreKeyEvent OnPreKeyEvent;
    TOnKeyEvent OnKeyEvent;
    TOnLoadingStateChange OnLoadingStateChange;
    TOnAddressChange OnAddressChange;
    TOnTitleChange OnTitleChange;
    TOnTooltip OnTooltip;
    TOnStatusMessage OnStatusMessage;
    TOnConsoleMessage OnConsoleMessage;
    TOnBeforeDownload OnBeforeDownload;
    TOnDownloadUpdated OnDownloadUpdated;
    TOnRequestGeolocationPermission OnRequestGeolocationPermission;
    TOnCancelGeolocationPermission OnCancelGeolocationPermission;
    TOnJsdialog OnJsdialog;
    TOnBeforeUnloadDialog OnBeforeUnloadDialog;
    TOnResetDialogState OnResetDialogState;
    TOnBeforePopup OnBeforePopup;
    TOnAfterCreated OnAfterCreated;
    TOnBeforeClose OnBeforeClose;
    TOnRunModal OnRunModal;
    TOnClose OnClose;
    TOnBeforeResourceLoad OnBeforeResourceLoad;
    TOnGetResourceHandler OnGetResourceHandler;
    TOnResourceRedirect OnResourceRedirect;
    TOnGetAuthCredentials OnGetAuthCredentials;
    TOnGetCookieManager OnGetCookieManager;
    TOnProtocolExecution OnProtocolExecution;
    TOnFileDialog OnFileDialog;

protected:
    void CreateWnd() override;
    void Loaded() override;
    void Resize() override;
    void WndProc(toolkit::TMessage& message) override;
    void EraseBackground(platform::HDC dc) override;

    bool doOnProcessMessageReceived(const ICefBrowser& browser, cef_process_id_t sourceProcess,
                                    cef_process_message_t* message) override;
    void doOnLoadStart(const ICefBrowser& browser, const ICefFrame& frame) override;
    void doOnLoadEnd(const ICefBrowser& browser, const ICefFrame& frame, int httpStatusCode) override;
    void doOnLoadError(const ICefBrowser& browser, const ICefFrame& frame, int errorCode, const String& errorText,
                       const String& failedUrl) override;
    void doOnRenderProcessTerminated(const ICefBrowser& browser, cef_termination_status_t status) override;
    void doOnPluginCrashed(const ICefBrowser& browser, const String& pluginPath) override;
    void doOnTakeFocus(const ICefBrowser& browser, bool next) override;
    bool doOnSetFocus(const ICefBrowser& browser, cef_focus_source_t source) override;
    void doOnGotFocus(const ICefBrowser& browser) override;
    void doOnBeforeContextMenu(const ICefBrowser& browser, const ICefFrame& frame, const ICefContextMenuParams& params,
                               cef_menu_model_t* model) override;
    bool doOnContextMenuCommand(const ICefBrowser& browser, const ICefFrame& frame,
                                const ICefContextMenuParams& params, int commandId,
                                TCefEventFlags eventFlags) override;
    void doOnContextMenuDismissed(const ICefBrowser& browser, const ICefFrame& frame) override;
    bool doOnPreKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event, cef_event_handle_t osEvent,
                         bool& isKeyboardShortcut) override;
    bool doOnKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event, cef_event_handle_t osEvent) override;
    void doOnLoadingStateChange(const ICefBrowser& browser, bool isLoading, bool canGoBack,
                                bool canGoForward) override;
    void doOnAddressChange(const ICefBrowser& browser, const ICefFrame& frame, const String& url) override;
    void doOnTitleChange(const ICefBrowser& browser, const String& title) override;
    bool doOnTooltip(const ICefBrowser& browser, String& text) override;
    void doOnStatusMessage(const ICefBrowser& browser, const String& value) override;
    bool doOnConsoleMessage(const ICefBrowser& browser, const String& message, const String& source,
                            int line) override;
    void doOnBeforeDownload(const ICefBrowser& browser, cef_download_item_t* downloadItem, const String& suggestedName,
                            cef_before_download_callback_t* callback) override;
    void doOnDownloadUpdated(const ICefBrowser& browser, cef_download_item_t* downloadItem,
                             cef_download_item_callback_t* callback) override;
    void doOnRequestGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl, int requestId,
                                          cef_geolocation_callback_t* callback) override;
    void doOnCancelGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl,
                                         int requestId) override;
    bool doOnJsdialog(const ICefBrowser& browser, const String& originUrl, const String& acceptLang,
                      cef_jsdialog_type_t dialogType, const String& messageText, const String& defaultPromptText,
                      cef_jsdialog_callback_t* callback, bool& suppressMessage) override;
    bool doOnBeforeUnloadDialog(const ICefBrowser& browser, const String& messageText, bool isReload,
                                cef_jsdialog_callback_t* callback) override;
    void doOnResetDialogState(const ICefBrowser& browser) override;
    bool doOnBeforePopup(const ICefBrowser& browser, const ICefFrame& frame, const String& targetUrl,
                         const String& targetFrameName, const cef_popup_features_t& popupFeatures,
                         cef_window_info_t& windowInfo, ICefClient& client, cef_browser_settings_t& settings,
                         bool& noJavascriptAccess) override;
    void doOnAfterCreated(const ICefBrowser& browser) override;
    void doOnBeforeClose(const ICefBrowser& browser) override;
    bool doOnRunModal(const ICefBrowser& browser) override;
    bool doOnClose(const ICefBrowser& browser) override;
    bool doOnBeforeResourceLoad(const ICefBrowser& browser, const ICefFrame& frame,
                                const ICefRequest& request) override;
    CefRef<cef_resource_handler_t> doOnGetResourceHandler(const ICefBrowser& browser, const ICefFrame& frame,
                                                          const ICefRequest& request) override;
    void doOnResourceRedirect(const ICefBrowser& browser, const ICefFrame& frame, const String& oldUrl,
                              String& newUrl) override;
    bool doOnGetAuthCredentials(const ICefBrowser& browser, const ICefFrame& frame, bool isProxy, const String& host,
                                int port, const String& realm, const String& scheme,
                                cef_auth_callback_t* callback) override;
    CefRef<cef_cookie_manager_t> doOnGetCookieManager(const ICefBrowser& browser, const String& mainUrl) override;
    void doOnProtocolExecution(const ICefBrowser& browser, const String& url, bool& allowOsExecution) override;
    bool doOnFileDialog(const ICefBrowser& browser, cef_file_dialog_mode_t mode, const String& title,
                        const String& defaultFileName, cef_string_list_t acceptTypes,
                        cef_file_dialog_callback_t* callback) override;

private:
    bool Designing() const { return ComponentState().Contains(toolkit::csDesigning); }
    void CreateBrowser();
    void GetSettings(cef_browser_settings_t& settings);
    // Stops the browser and cuts the client off from this control, waiting for the events in
    // progress; then lets go of both. Does nothing the second time.
    void LeaveEngine();

    TVCLClientHandler* FHandler = nullptr;
    ICefBrowser FBrowser;
    int FBrowserId = 0;
    String FDefaultUrl;
    std::unique_ptr<TChromiumOptions> FOptions;
    String FUserStyleSheetLocation;
    String FDefaultEncoding;
    std::unique_ptr<TChromiumFontOptions> FFontOptions;
    platform::HWND browserWindow_ = nullptr;
};

} // namespace engine
