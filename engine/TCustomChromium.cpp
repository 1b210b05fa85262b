#include "engine/TCustomChromium.h"

#include "engine/CefLib.h"
#include "engine/TCustomClientHandler.h"
#include "platform/window/Message.h"
#include "platform/window/NativeChild.h"
#include "platform/window/Window.h"

namespace engine {

using namespace platform;
using toolkit::TMessage;

namespace {

constexpr DWORD BrowserWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP;
static_assert(BrowserWindowStyle == 0x56010000);

} // namespace

TCustomChromium::TCustomChromium(toolkit::TComponent* AOwner) : toolkit::TWinControl(AOwner)
{
    FDefaultUrl = u"about:blank";
    if (!Designing())
        FHandler = new TVCLClientHandler(this);
    FOptions = std::make_unique<TChromiumOptions>();
    FFontOptions = std::make_unique<TChromiumFontOptions>();
    FBrowserId = 0;
}

TCustomChromium::~TCustomChromium()
{
    LeaveEngine();
    FFontOptions.reset();
    FOptions.reset();
}

void TCustomChromium::BeforeDestruction()
{
    LeaveEngine();
    toolkit::TWinControl::BeforeDestruction();
}

void TCustomChromium::LeaveEngine()
{
    if (FBrowser) {
        FBrowser.StopLoad();
        FBrowser.GetHost().ParentWindowWillClose();
    }
    if (FHandler) {
        FHandler->Disconnect();
        FHandler->Release();
        FHandler = nullptr;
    }
    FBrowser = ICefBrowser();
    FBrowserId = 0;
}

cef_client_t* TCustomChromium::Client() const
{
    return FHandler ? FHandler->Cef() : nullptr;
}

void TCustomChromium::CreateWnd()
{
    toolkit::TWinControl::CreateWnd();
    if (!Designing())
        CreateBrowser();
}

void TCustomChromium::GetSettings(cef_browser_settings_t& s)
{
    const TChromiumFontOptions& f = *FFontOptions;
    s.standard_font_family = CefStringView(f.StandardFontFamily);
    s.fixed_font_family = CefStringView(f.FixedFontFamily);
    s.serif_font_family = CefStringView(f.SerifFontFamily);
    s.sans_serif_font_family = CefStringView(f.SansSerifFontFamily);
    s.cursive_font_family = CefStringView(f.CursiveFontFamily);
    s.fantasy_font_family = CefStringView(f.FantasyFontFamily);
    s.default_font_size = f.DefaultFontSize;
    s.default_fixed_font_size = f.DefaultFixedFontSize;
    s.minimum_font_size = f.MinimumFontSize;
    s.minimum_logical_font_size = f.MinimumLogicalFontSize;
    s.default_encoding = CefStringView(FDefaultEncoding);
    s.user_style_sheet_location = CefStringView(FUserStyleSheetLocation);
    s.remote_fonts = f.RemoteFonts;
    const TChromiumOptions& o = *FOptions;
    s.javascript = o.Javascript;
    s.javascript_open_windows = o.JavascriptOpenWindows;
    s.javascript_close_windows = o.JavascriptCloseWindows;
    s.javascript_access_clipboard = o.JavascriptAccessClipboard;
    s.javascript_dom_paste = o.JavascriptDomPaste;
    s.caret_browsing = o.CaretBrowsing;
    s.java = o.Java;
    s.plugins = o.Plugins;
    s.universal_access_from_file_urls = o.UniversalAccessFromFileUrls;
    s.file_access_from_file_urls = o.FileAccessFromFileUrls;
    s.web_security = o.WebSecurity;
    s.image_loading = o.ImageLoading;
    s.image_shrink_standalone_to_fit = o.ImageShrinkStandaloneToFit;
    s.text_area_resize = o.TextAreaResize;
    s.page_cache = o.PageCache;
    s.tab_to_links = o.TabToLinks;
    s.author_and_user_styles = o.AuthorAndUserStyles;
    s.local_storage = o.LocalStorage;
    s.databases = o.Databases;
    s.application_cache = o.ApplicationCache;
    s.webgl = o.Webgl;
    s.accelerated_compositing = o.AcceleratedCompositing;
    s.developer_tools = o.DeveloperTools;
}

void TCustomChromium::CreateBrowser()
{
    // A window made anew gets a new browser; the old one went with the old window.
    FBrowser = ICefBrowser();
    FBrowserId = 0;
    browserWindow_ = nullptr;

    RECT r = ClientRect();
    // The browser's widget lives in a native host, a child window covering the client area.
    InitNativeChildClasses();
    HWND host = CreateWindowEx(0, NATIVEHOST_CLASS, u"", BrowserWindowStyle, r.left, r.top, r.Width(), r.Height(),
                               Handle(), nullptr, nullptr, nullptr);

    cef_window_info_t info;
    std::memset(&info, 0, sizeof info);
    info.style = BrowserWindowStyle;
    info.parent_window = host ? GetNativeChildContainer(host) : nullptr;
    info.parent_host = host;
    info.x = r.left;
    info.y = r.top;
    info.width = r.Width();
    info.height = r.Height();

    cef_browser_settings_t settings;
    std::memset(&settings, 0, sizeof settings);
    settings.size = sizeof settings;
    GetSettings(settings);

    CefLoadLibDefault();
    String noUrl;
    cef_string_t url = CefStringView(noUrl);
    cef_browser_t* browser = nullptr;
    if (FHandler && cef_browser_host_create_browser_sync)
        browser = cef_browser_host_create_browser_sync(&info, FHandler->CefShared(), &url, &settings);
    if (!browser) {
        if (host)
            DestroyWindow(host);
        return;
    }
    FBrowser = ICefBrowser(CefRef<cef_browser_t>(browser));
    FBrowserId = FBrowser.GetIdentifier();
    browserWindow_ = host;
}

void TCustomChromium::Load(const String& url)
{
    HandleNeeded();
    if (!FBrowser)
        return;
    if (ICefFrame frame = FBrowser.GetMainFrame())
        frame.LoadUrl(url);
}

void TCustomChromium::ReCreateBrowser(const String& url)
{
    if (!FBrowser || FBrowserId == 0)
        return;
    FBrowser.GetHost().ParentWindowWillClose();
    if (browserWindow_ && IsWindow(browserWindow_)) {
        SendMessage(browserWindow_, WM_CLOSE, 0, 0);
        DestroyWindow(browserWindow_);
    }
    browserWindow_ = nullptr;
    FBrowser = ICefBrowser();
    FBrowserId = 0;
    if (HandleAllocated())
        CreateBrowser();
    Load(url);
}

void TCustomChromium::Loaded()
{
    toolkit::TWinControl::Loaded();
    Load(FDefaultUrl);
}

void TCustomChromium::Resize()
{
    toolkit::TWinControl::Resize();
    if (Designing() || !FBrowser || !browserWindow_ || !IsWindow(browserWindow_))
        return;
    RECT r = ClientRect();
    HDWP batch = BeginDeferWindowPos(1);
    try {
        batch = DeferWindowPos(batch, browserWindow_, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
    } catch (...) {
        EndDeferWindowPos(batch);
        throw;
    }
    EndDeferWindowPos(batch);
}

void TCustomChromium::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
        if (FBrowser && browserWindow_)
            PostMessage(browserWindow_, WM_SETFOCUS, m.WParam, 0);
        break;
    case WM_ERASEBKGND:
        if (!Designing() && FBrowser) {
            m.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case toolkit::CM_WANTSPECIALKEY:
        if (m.WParam < 0x25 || m.WParam > 0x28) {
            m.Result = 1;
            return;
        }
        break;
    }
    toolkit::TWinControl::WndProc(m);
}

void TCustomChromium::EraseBackground(HDC dc)
{
    // The browser covers the whole client area: painting under it only flickers.
    if (!Designing() && FBrowser)
        return;
    toolkit::TWinControl::EraseBackground(dc);
}

// The event path: the result starts false and goes back to the engine unchanged.

bool TCustomChromium::doOnProcessMessageReceived(const ICefBrowser& browser, cef_process_id_t sourceProcess,
                                                 cef_process_message_t* message)
{
    bool Result = false;
    if (OnProcessMessageReceived)
        OnProcessMessageReceived(this, browser, sourceProcess, message, Result);
    return Result;
}

void TCustomChromium::doOnLoadStart(const ICefBrowser& browser, const ICefFrame& frame)
{
    if (OnLoadStart)
        OnLoadStart(this, browser, frame);
}

void TCustomChromium::doOnLoadEnd(const ICefBrowser& browser, const ICefFrame& frame, int httpStatusCode)
{
    if (OnLoadEnd)
        OnLoadEnd(this, browser, frame, httpStatusCode);
}

void TCustomChromium::doOnLoadError(const ICefBrowser& browser, const ICefFrame& frame, int errorCode,
                                    const String& errorText, const String& failedUrl)
{
    if (OnLoadError)
        OnLoadError(this, browser, frame, errorCode, errorText, failedUrl);
}

void TCustomChromium::doOnRenderProcessTerminated(const ICefBrowser& browser, cef_termination_status_t status)
{
    if (OnRenderProcessTerminated)
        OnRenderProcessTerminated(this, browser, status);
}

void TCustomChromium::doOnPluginCrashed(const ICefBrowser& browser, const String& pluginPath)
{
    if (OnPluginCrashed)
        OnPluginCrashed(this, browser, pluginPath);
}

void TCustomChromium::doOnTakeFocus(const ICefBrowser& browser, bool next)
{
    if (OnTakeFocus)
        OnTakeFocus(this, browser, next);
}

bool TCustomChromium::doOnSetFocus(const ICefBrowser& browser, cef_focus_source_t source)
{
    bool Result = false;
    if (OnSetFocus)
        OnSetFocus(this, browser, source, Result);
    return Result;
}

void TCustomChromium::doOnGotFocus(const ICefBrowser& browser)
{
    if (OnGotFocus)
        OnGotFocus(this, browser);
}

void TCustomChromium::doOnBeforeContextMenu(const ICefBrowser& browser, const ICefFrame& frame,
                                            const ICefContextMenuParams& params, cef_menu_model_t* model)
{
    if (OnBeforeContextMenu)
        OnBeforeContextMenu(this, browser, frame, params, model);
}

bool TCustomChromium::doOnContextMenuCommand(const ICefBrowser& browser, const ICefFrame& frame,
                                             const ICefContextMenuParams& params, int commandId,
                                             TCefEventFlags eventFlags)
{
    bool Result = false;
    if (OnContextMenuCommand)
        OnContextMenuCommand(this, browser, frame, params, commandId, eventFlags, Result);
    return Result;
}

void TCustomChromium::doOnContextMenuDismissed(const ICefBrowser& browser, const ICefFrame& frame)
{
    if (OnContextMenuDismissed)
        OnContextMenuDismissed(this, browser, frame);
}

bool TCustomChromium::doOnPreKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event,
                                      cef_event_handle_t osEvent, bool& isKeyboardShortcut)
{
    bool Result = false;
    if (OnPreKeyEvent)
        OnPreKeyEvent(this, browser, event, osEvent, isKeyboardShortcut, Result);
    return Result;
}

bool TCustomChromium::doOnKeyEvent(const ICefBrowser& browser, const cef_key_event_t* event,
                                   cef_event_handle_t osEvent)
{
    bool Result = false;
    if (OnKeyEvent)
        OnKeyEvent(this, browser, event, osEvent, Result);
    return Result;
}

void TCustomChromium::doOnLoadingStateChange(const ICefBrowser& browser, bool isLoading, bool canGoBack,
                                             bool canGoForward)
{
    if (OnLoadingStateChange)
        OnLoadingStateChange(this, browser, isLoading, canGoBack, canGoForward);
}

void TCustomChromium::doOnAddressChange(const ICefBrowser& browser, const ICefFrame& frame, const String& url)
{
    if (OnAddressChange)
        OnAddressChange(this, browser, frame, url);
}

void TCustomChromium::doOnTitleChange(const ICefBrowser& browser, const String& title)
{
    if (OnTitleChange)
        OnTitleChange(this, browser, title);
}

bool TCustomChromium::doOnTooltip(const ICefBrowser& browser, String& text)
{
    bool Result = false;
    if (OnTooltip)
        OnTooltip(this, browser, text, Result);
    return Result;
}

void TCustomChromium::doOnStatusMessage(const ICefBrowser& browser, const String& value)
{
    if (OnStatusMessage)
        OnStatusMessage(this, browser, value);
}

bool TCustomChromium::doOnConsoleMessage(const ICefBrowser& browser, const String& message, const String& source,
                                         int line)
{
    bool Result = false;
    if (OnConsoleMessage)
        OnConsoleMessage(this, browser, message, source, line, Result);
    return Result;
}

void TCustomChromium::doOnBeforeDownload(const ICefBrowser& browser, cef_download_item_t* downloadItem,
                                         const String& suggestedName, cef_before_download_callback_t* callback)
{
    if (OnBeforeDownload)
        OnBeforeDownload(this, browser, downloadItem, suggestedName, callback);
}

void TCustomChromium::doOnDownloadUpdated(const ICefBrowser& browser, cef_download_item_t* downloadItem,
                                          cef_download_item_callback_t* callback)
{
    if (OnDownloadUpdated)
        OnDownloadUpdated(this, browser, downloadItem, callback);
}

void TCustomChromium::doOnRequestGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl,
                                                       int requestId, cef_geolocation_callback_t* callback)
{
    if (OnRequestGeolocationPermission)
        OnRequestGeolocationPermission(this, browser, requestingUrl, requestId, callback);
}

void TCustomChromium::doOnCancelGeolocationPermission(const ICefBrowser& browser, const String& requestingUrl,
                                                      int requestId)
{
    if (OnCancelGeolocationPermission)
        OnCancelGeolocationPermission(this, browser, requestingUrl, requestId);
}

bool TCustomChromium::doOnJsdialog(const ICefBrowser& browser, const String& originUrl, const String& acceptLang,
                                   cef_jsdialog_type_t dialogType, const String& messageText,
                                   const String& defaultPromptText, cef_jsdialog_callback_t* callback,
                                   bool& suppressMessage)
{
    bool Result = false;
    if (OnJsdialog)
        OnJsdialog(this, browser, originUrl, acceptLang, dialogType, messageText, defaultPromptText, callback,
                   suppressMessage, Result);
    return Result;
}

bool TCustomChromium::doOnBeforeUnloadDialog(const ICefBrowser& browser, const String& messageText, bool isReload,
                                             cef_jsdialog_callback_t* callback)
{
    bool Result = false;
    if (OnBeforeUnloadDialog)
        OnBeforeUnloadDialog(this, browser, messageText, isReload, callback, Result);
    return Result;
}

void TCustomChromium::doOnResetDialogState(const ICefBrowser& browser)
{
    if (OnResetDialogState)
        OnResetDialogState(this, browser);
}

bool TCustomChromium::doOnBeforePopup(const ICefBrowser& browser, const ICefFrame& frame, const String& targetUrl,
                                      const String& targetFrameName, const cef_popup_features_t& popupFeatures,
                                      cef_window_info_t& windowInfo, ICefClient& client,
                                      cef_browser_settings_t& settings, bool& noJavascriptAccess)
{
    bool Result = false;
    if (OnBeforePopup)
        OnBeforePopup(this, browser, frame, targetUrl, targetFrameName, popupFeatures, windowInfo, client, settings,
                      noJavascriptAccess, Result);
    return Result;
}

void TCustomChromium::doOnAfterCreated(const ICefBrowser& browser)
{
    if (OnAfterCreated)
        OnAfterCreated(this, browser);
}

void TCustomChromium::doOnBeforeClose(const ICefBrowser& browser)
{
    if (OnBeforeClose)
        OnBeforeClose(this, browser);
}

bool TCustomChromium::doOnRunModal(const ICefBrowser& browser)
{
    bool Result = false;
    if (OnRunModal)
        OnRunModal(this, browser, Result);
    return Result;
}

bool TCustomChromium::doOnClose(const ICefBrowser& browser)
{
    bool Result = false;
    if (OnClose)
        OnClose(this, browser, Result);
    return Result;
}

bool TCustomChromium::doOnBeforeResourceLoad(const ICefBrowser& browser, const ICefFrame& frame,
                                             const ICefRequest& request)
{
    bool Result = false;
    if (OnBeforeResourceLoad)
        OnBeforeResourceLoad(this, browser, frame, request, Result);
    return Result;
}

CefRef<cef_resource_handler_t> TCustomChromium::doOnGetResourceHandler(const ICefBrowser& browser,
                                                                       const ICefFrame& frame,
                                                                       const ICefRequest& request)
{
    CefRef<cef_resource_handler_t> Result;
    if (OnGetResourceHandler)
        OnGetResourceHandler(this, browser, frame, request, Result);
    return Result;
}

void TCustomChromium::doOnResourceRedirect(const ICefBrowser& browser, const ICefFrame& frame, const String& oldUrl,
                                           String& newUrl)
{
    if (OnResourceRedirect)
        OnResourceRedirect(this, browser, frame, oldUrl, newUrl);
}

bool TCustomChromium::doOnGetAuthCredentials(const ICefBrowser& browser, const ICefFrame& frame, bool isProxy,
                                             const String& host, int port, const String& realm, const String& scheme,
                                             cef_auth_callback_t* callback)
{
    bool Result = false;
    if (OnGetAuthCredentials)
        OnGetAuthCredentials(this, browser, frame, isProxy, host, port, realm, scheme, callback, Result);
    return Result;
}

CefRef<cef_cookie_manager_t> TCustomChromium::doOnGetCookieManager(const ICefBrowser& browser,
                                                                   const String& mainUrl)
{
    CefRef<cef_cookie_manager_t> Result;
    if (OnGetCookieManager)
        OnGetCookieManager(this, browser, mainUrl, Result);
    return Result;
}

void TCustomChromium::doOnProtocolExecution(const ICefBrowser& browser, const String& url, bool& allowOsExecution)
{
    if (OnProtocolExecution)
        OnProtocolExecution(this, browser, url, allowOsExecution);
}

bool TCustomChromium::doOnFileDialog(const ICefBrowser& browser, cef_file_dialog_mode_t mode, const String& title,
                                     const String& defaultFileName, cef_string_list_t acceptTypes,
                                     cef_file_dialog_callback_t* callback)
{
    bool Result = false;
    if (OnFileDialog)
        OnFileDialog(this, browser, mode, title, defaultFileName, acceptTypes, callback, Result);
    return Result;
}

} // namespace engine
