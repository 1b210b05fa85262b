// The binding's wrappers of engine objects and strings, as the program's handlers see them.
#pragma once

#include "engine/CefRef.h"
#include "engine/capi/cef_objects.h"
#include "platform/core/Types.h"

namespace engine {

using platform::DWORD;
using platform::String;
using platform::StringView;

// A borrowed view of a string for the engine (no destructor): valid while text lives.
cef_string_t CefStringView(const String& text);
// A copy of an engine string (empty for null).
String CefStringToString(const cef_string_t* text);
// The text of a string the engine handed over, which is then released.
String CefStringFreeAndGet(cef_string_userfree_t text);

class ICefFrame;

// A string the engine handed over, read in place and released when this goes: for callers on a
// hot path that need the text only for a moment and no copy of their own.
class CefUserFreeString {
public:
    explicit CefUserFreeString(cef_string_userfree_t text) : text_(text) {}
    ~CefUserFreeString();
    CefUserFreeString(CefUserFreeString&& other) noexcept : text_(other.text_) { other.text_ = nullptr; }
    CefUserFreeString(const CefUserFreeString&) = delete;
    CefUserFreeString& operator=(const CefUserFreeString&) = delete;
    CefUserFreeString& operator=(CefUserFreeString&&) = delete;

    StringView View() const
    {
        if (!text_ || !text_->str)
            return {};
        return StringView(reinterpret_cast<const char16_t*>(text_->str), text_->length);
    }

private:
    cef_string_userfree_t text_;
};

class ICefRequest {
public:
    ICefRequest() = default;
    explicit ICefRequest(CefRef<cef_request_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    String GetUrl() const;
    // The same address, read in the engine's own copy.
    CefUserFreeString ReadUrl() const;
    String GetMethod() const;
    cef_request_t* Cef() const { return ref_.Get(); }

private:
    CefRef<cef_request_t> ref_;
};

class ICefBrowserHost {
public:
    ICefBrowserHost() = default;
    explicit ICefBrowserHost(CefRef<cef_browser_host_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    void ParentWindowWillClose() const;
    void CloseBrowser() const;
    void SetFocus(bool enable) const;
    cef_window_handle_t GetWindowHandle() const;
    cef_browser_host_t* Cef() const { return ref_.Get(); }

private:
    CefRef<cef_browser_host_t> ref_;
};

class ICefBrowser {
public:
    ICefBrowser() = default;
    explicit ICefBrowser(CefRef<cef_browser_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    ICefBrowserHost GetHost() const;
    ICefFrame GetMainFrame() const;
    int GetIdentifier() const;
    void StopLoad() const;
    bool IsPopup() const;
    cef_browser_t* Cef() const { return ref_.Get(); }

private:
    CefRef<cef_browser_t> ref_;
};

class ICefFrame {
public:
    ICefFrame() = default;
    explicit ICefFrame(CefRef<cef_frame_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    void LoadUrl(const String& url) const;
    String GetUrl() const;
    bool IsMain() const;
    cef_frame_t* Cef() const { return ref_.Get(); }

private:
    CefRef<cef_frame_t> ref_;
};

class ICefContextMenuParams {
public:
    ICefContextMenuParams() = default;
    explicit ICefContextMenuParams(CefRef<cef_context_menu_params_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    int GetXCoord() const;
    int GetYCoord() const;
    String GetLinkUrl() const;
    String GetPageUrl() const;
    cef_context_menu_params_t* Cef() const { return ref_.Get(); }

private:
    CefRef<cef_context_menu_params_t> ref_;
};

// A client as the pop-up handler sees it: the opener's client, or a replacement.
class ICefClient {
public:
    ICefClient() = default;
    explicit ICefClient(CefRef<cef_client_t> ref) : ref_(std::move(ref)) {}
    explicit operator bool() const { return bool(ref_); }
    cef_client_t* Cef() const { return ref_.Get(); }
    CefRef<cef_client_t>& Ref() { return ref_; }

private:
    CefRef<cef_client_t> ref_;
};

class ICefCommandLine {
public:
    explicit ICefCommandLine(cef_command_line_t* borrowed) : p_(borrowed) {}
    explicit operator bool() const { return p_ != nullptr; }
    bool HasSwitch(const String& name) const;
    String GetSwitchValue(const String& name) const;
    void AppendSwitch(const String& name) const;
    void AppendSwitchWithValue(const String& name, const String& value) const;
    cef_command_line_t* Cef() const { return p_; }

private:
    cef_command_line_t* p_;
};

// The engine's scheme registrar, valid only during the custom-scheme callback.
class ICefSchemeRegistrar {
public:
    explicit ICefSchemeRegistrar(cef_scheme_registrar_t* borrowed) : p_(borrowed) {}
    bool AddCustomScheme(const String& schemeName, bool IsStandard, bool IsLocal, bool IsDisplayIsolated);

private:
    cef_scheme_registrar_t* p_;
};

} // namespace engine
