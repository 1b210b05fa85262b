#include "engine/CefTypes.h"

#include "engine/CefLib.h"

namespace engine {

cef_string_t CefStringView(const String& text)
{
    cef_string_t s{};
    s.str = reinterpret_cast<char16*>(const_cast<char16_t*>(text.data()));
    s.length = text.size();
    s.dtor = nullptr;
    return s;
}

String CefStringToString(const cef_string_t* text)
{
    if (!text || !text->str)
        return {};
    return String(reinterpret_cast<const char16_t*>(text->str), text->length);
}

String CefStringFreeAndGet(cef_string_userfree_t text)
{
    if (!text)
        return {};
    String result = CefStringToString(text);
    if (cef_string_userfree_utf16_free)
        cef_string_userfree_utf16_free(text);
    return result;
}

CefUserFreeString::~CefUserFreeString()
{
    if (text_ && cef_string_userfree_utf16_free)
        cef_string_userfree_utf16_free(text_);
}

namespace {

// Calls a table member when the object offers it.
template <class T, class F, class... A>
auto Call(T* p, F T::*member, A... args) -> decltype((p->*member)(p, args...))
{
    using R = decltype((p->*member)(p, args...));
    if (!p || !(p->*member))
        return R();
    return (p->*member)(p, args...);
}

} // namespace

String ICefRequest::GetUrl() const { return CefStringFreeAndGet(Call(Cef(), &cef_request_t::get_url)); }
CefUserFreeString ICefRequest::ReadUrl() const
{
    return CefUserFreeString(Call(Cef(), &cef_request_t::get_url));
}
String ICefRequest::GetMethod() const { return CefStringFreeAndGet(Call(Cef(), &cef_request_t::get_method)); }

void ICefBrowserHost::ParentWindowWillClose() const { Call(Cef(), &cef_browser_host_t::parent_window_will_close); }
void ICefBrowserHost::CloseBrowser() const { Call(Cef(), &cef_browser_host_t::close_browser); }
void ICefBrowserHost::SetFocus(bool enable) const { Call(Cef(), &cef_browser_host_t::set_focus, int(enable)); }
cef_window_handle_t ICefBrowserHost::GetWindowHandle() const
{
    return Call(Cef(), &cef_browser_host_t::get_window_handle);
}

ICefBrowserHost ICefBrowser::GetHost() const
{
    return ICefBrowserHost(CefRef<cef_browser_host_t>(Call(Cef(), &cef_browser_t::get_host)));
}
ICefFrame ICefBrowser::GetMainFrame() const
{
    return ICefFrame(CefRef<cef_frame_t>(Call(Cef(), &cef_browser_t::get_main_frame)));
}
int ICefBrowser::GetIdentifier() const { return Call(Cef(), &cef_browser_t::get_identifier); }
void ICefBrowser::StopLoad() const { Call(Cef(), &cef_browser_t::stop_load); }
bool ICefBrowser::IsPopup() const { return Call(Cef(), &cef_browser_t::is_popup) != 0; }

void ICefFrame::LoadUrl(const String& url) const
{
    cef_string_t s = CefStringView(url);
    Call(Cef(), &cef_frame_t::load_url, static_cast<const cef_string_t*>(&s));
}
String ICefFrame::GetUrl() const { return CefStringFreeAndGet(Call(Cef(), &cef_frame_t::get_url)); }
bool ICefFrame::IsMain() const { return Call(Cef(), &cef_frame_t::is_main) != 0; }

int ICefContextMenuParams::GetXCoord() const { return Call(Cef(), &cef_context_menu_params_t::get_xcoord); }
int ICefContextMenuParams::GetYCoord() const { return Call(Cef(), &cef_context_menu_params_t::get_ycoord); }
String ICefContextMenuParams::GetLinkUrl() const
{
    return CefStringFreeAndGet(Call(Cef(), &cef_context_menu_params_t::get_link_url));
}
String ICefContextMenuParams::GetPageUrl() const
{
    return CefStringFreeAndGet(Call(Cef(), &cef_context_menu_params_t::get_page_url));
}

bool ICefCommandLine::HasSwitch(const String& name) const
{
    cef_string_t s = CefStringView(name);
    return Call(p_, &cef_command_line_t::has_switch, static_cast<const cef_string_t*>(&s)) != 0;
}
String ICefCommandLine::GetSwitchValue(const String& name) const
{
    cef_string_t s = CefStringView(name);
    return CefStringFreeAndGet(Call(p_, &cef_command_line_t::get_switch_value, static_cast<const cef_string_t*>(&s)));
}
void ICefCommandLine::AppendSwitch(const String& name) const
{
    cef_string_t s = CefStringView(name);
    Call(p_, &cef_command_line_t::append_switch, static_cast<const cef_string_t*>(&s));
}
void ICefCommandLine::AppendSwitchWithValue(const String& name, const String& value) const
{
    cef_string_t n = CefStringView(name), v = CefStringView(value);
    Call(p_, &cef_command_line_t::append_switch_with_value, static_cast<const cef_string_t*>(&n),
         static_cast<const cef_string_t*>(&v));
}

bool ICefSchemeRegistrar::AddCustomScheme(const String& schemeName, bool IsStandard, bool IsLocal,
                                          bool IsDisplayIsolated)
{
    cef_string_t name = CefStringView(schemeName);
    return Call(p_, &cef_scheme_registrar_t::add_custom_scheme, static_cast<const cef_string_t*>(&name),
                int(IsStandard), int(IsLocal), int(IsDisplayIsolated)) != 0;
}

} // namespace engine
