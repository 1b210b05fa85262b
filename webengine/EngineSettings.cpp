#include "webengine/EngineSettings.h"

#include "webengine/EngineText.h"

#include <cstddef>

namespace webengine {

namespace {

// A field of the program's settings and the WebKit property it sets.
struct Setting {
    size_t offset;
    const char* property;
};

// cef_state_t fields; STATE_DEFAULT keeps WebKit's own default.
const Setting kStateSettings[] = {
    {offsetof(cef_browser_settings_t, javascript), "enable-javascript"},
    {offsetof(cef_browser_settings_t, javascript_access_clipboard), "javascript-can-access-clipboard"},
    {offsetof(cef_browser_settings_t, caret_browsing), "enable-caret-browsing"},
    {offsetof(cef_browser_settings_t, universal_access_from_file_urls), "allow-universal-access-from-file-urls"},
    {offsetof(cef_browser_settings_t, file_access_from_file_urls), "allow-file-access-from-file-urls"},
    {offsetof(cef_browser_settings_t, image_loading), "auto-load-images"},
    {offsetof(cef_browser_settings_t, page_cache), "enable-page-cache"},
    {offsetof(cef_browser_settings_t, tab_to_links), "enable-tabs-to-links"},
    {offsetof(cef_browser_settings_t, local_storage), "enable-html5-local-storage"},
    {offsetof(cef_browser_settings_t, databases), "enable-html5-database"},
    {offsetof(cef_browser_settings_t, webgl), "enable-webgl"},
    {offsetof(cef_browser_settings_t, developer_tools), "enable-developer-extras"},
};

// cef_string_t fields; empty keeps the default.
const Setting kTextSettings[] = {
    {offsetof(cef_browser_settings_t, standard_font_family), "default-font-family"},
    {offsetof(cef_browser_settings_t, fixed_font_family), "monospace-font-family"},
    {offsetof(cef_browser_settings_t, serif_font_family), "serif-font-family"},
    {offsetof(cef_browser_settings_t, sans_serif_font_family), "sans-serif-font-family"},
    {offsetof(cef_browser_settings_t, cursive_font_family), "cursive-font-family"},
    {offsetof(cef_browser_settings_t, fantasy_font_family), "fantasy-font-family"},
    {offsetof(cef_browser_settings_t, default_encoding), "default-charset"},
};

// int fields; 0 keeps the default.
const Setting kSizeSettings[] = {
    {offsetof(cef_browser_settings_t, default_font_size), "default-font-size"},
    {offsetof(cef_browser_settings_t, default_fixed_font_size), "default-monospace-font-size"},
    {offsetof(cef_browser_settings_t, minimum_font_size), "minimum-font-size"},
};

template <typename Field>
const Field* FieldAt(const cef_browser_settings_t* settings, size_t offset)
{
    // A record shorter than ours lacks the fields past its end.
    if (offset + sizeof(Field) > settings->size)
        return nullptr;
    return reinterpret_cast<const Field*>(reinterpret_cast<const char*>(settings) + offset);
}

} // namespace

WebKitSettings* NewEngineSettings(const cef_browser_settings_t* settings)
{
    WebKitSettings* s = webkit_settings_new();
    if (settings && settings->size >= sizeof(size_t)) {
        for (const auto& item : kStateSettings)
            if (const auto* state = FieldAt<cef_state_t>(settings, item.offset); state && *state != STATE_DEFAULT)
                g_object_set(s, item.property, *state == STATE_ENABLED ? TRUE : FALSE, nullptr);
        for (const auto& item : kTextSettings)
            if (const auto* text = FieldAt<cef_string_t>(settings, item.offset); text && text->length > 0)
                g_object_set(s, item.property, Utf8(text).c_str(), nullptr);
        for (const auto& item : kSizeSettings)
            if (const auto* size = FieldAt<int>(settings, item.offset); size && *size > 0 && *size < 1000)
                g_object_set(s, item.property, guint(*size), nullptr);
    }
    webkit_settings_set_hardware_acceleration_policy(s, WEBKIT_HARDWARE_ACCELERATION_POLICY_NEVER);
    webkit_settings_set_javascript_can_open_windows_automatically(s, TRUE);
    return s;
}

} // namespace webengine
