#include "webengine/EngineContextMenu.h"

#include "webengine/EngineBrowser.h"
#include "webengine/EngineObject.h"
#include "webengine/EngineText.h"

#include <string>

namespace webengine {

namespace {

// The engine's fixed numbers; every other WebKit action gets MENU_ID_ENGINE_FIRST + its own value.
struct KnownCommand {
    WebKitContextMenuAction action;
    int command;
};

const KnownCommand kKnownCommands[] = {
    {WEBKIT_CONTEXT_MENU_ACTION_GO_BACK, MENU_ID_BACK},
    {WEBKIT_CONTEXT_MENU_ACTION_GO_FORWARD, MENU_ID_FORWARD},
    {WEBKIT_CONTEXT_MENU_ACTION_RELOAD, MENU_ID_RELOAD},
    {WEBKIT_CONTEXT_MENU_ACTION_STOP, MENU_ID_STOPLOAD},
    {WEBKIT_CONTEXT_MENU_ACTION_CUT, MENU_ID_CUT},
    {WEBKIT_CONTEXT_MENU_ACTION_COPY, MENU_ID_COPY},
    {WEBKIT_CONTEXT_MENU_ACTION_PASTE, MENU_ID_PASTE},
    {WEBKIT_CONTEXT_MENU_ACTION_DELETE, MENU_ID_DELETE},
    {WEBKIT_CONTEXT_MENU_ACTION_SELECT_ALL, MENU_ID_SELECT_ALL},
};

// Context-menu parameters: what was under the pointer, copied when the menu opened.
enum { kTypePage = 1, kTypeFrame = 2, kTypeLink = 4, kTypeMedia = 8, kTypeSelection = 16, kTypeEditable = 32 };
enum { kMediaNone = 0, kMediaImage = 1, kMediaVideo = 2, kMediaAudio = 3 };

struct MenuParams {
    cef_context_menu_params_t api{};
    std::atomic<int> references{1};
    int x = 0;
    int y = 0;
    int typeFlags = kTypePage;
    int mediaType = kMediaNone;
    bool editable = false;
    std::string linkUrl;
    std::string sourceUrl;
    std::string pageUrl;

    static MenuParams* Of(cef_context_menu_params_t* p) { return reinterpret_cast<MenuParams*>(p); }
    cef_context_menu_params_t* NewRef()
    {
        ++references;
        return &api;
    }
    void Release() { api.base.release(&api.base); }
    MenuParams();
};

MenuParams::MenuParams()
{
    InitCounting<MenuParams>(api);
    api.get_xcoord = [](cef_context_menu_params_t* self) { return Of(self)->x; };
    api.get_ycoord = [](cef_context_menu_params_t* self) { return Of(self)->y; };
    api.get_type_flags = [](cef_context_menu_params_t* self) { return Of(self)->typeFlags; };
    api.get_link_url = [](cef_context_menu_params_t* self) { return NewUserFreeString(Of(self)->linkUrl); };
    api.get_unfiltered_link_url = [](cef_context_menu_params_t* self) { return NewUserFreeString(Of(self)->linkUrl); };
    api.get_source_url = [](cef_context_menu_params_t* self) { return NewUserFreeString(Of(self)->sourceUrl); };
    api.is_image_blocked = [](cef_context_menu_params_t*) { return 0; };
    api.get_page_url = [](cef_context_menu_params_t* self) { return NewUserFreeString(Of(self)->pageUrl); };
    api.get_frame_url = [](cef_context_menu_params_t* self) { return NewUserFreeString(Of(self)->pageUrl); };
    api.get_frame_charset = [](cef_context_menu_params_t*) { return NewUserFreeString(""); };
    api.get_media_type = [](cef_context_menu_params_t* self) { return Of(self)->mediaType; };
    api.get_media_state_flags = [](cef_context_menu_params_t*) { return 0; };
    api.get_selection_text = [](cef_context_menu_params_t*) { return NewUserFreeString(""); };
    api.is_editable = [](cef_context_menu_params_t* self) { return Of(self)->editable ? 1 : 0; };
    api.get_edit_state_flags = [](cef_context_menu_params_t*) { return 0; };
}

MenuParams* NewParams(EngineBrowser& browser, GdkEvent* event, WebKitHitTestResult* hit)
{
    auto* params = new MenuParams;
    gdouble x = 0, y = 0;
    if (event && gdk_event_get_coords(event, &x, &y)) {
        params->x = int(x);
        params->y = int(y);
    }
    params->pageUrl = browser.Url();
    if (hit) {
        if (webkit_hit_test_result_context_is_link(hit)) {
            params->typeFlags |= kTypeLink;
            const char* link = webkit_hit_test_result_get_link_uri(hit);
            params->linkUrl = link ? link : "";
        }
        const char* source = nullptr;
        if (webkit_hit_test_result_context_is_image(hit)) {
            params->mediaType = kMediaImage;
            source = webkit_hit_test_result_get_image_uri(hit);
        } else if (webkit_hit_test_result_context_is_media(hit)) {
            params->mediaType = kMediaVideo;
            source = webkit_hit_test_result_get_media_uri(hit);
        }
        if (params->mediaType != kMediaNone)
            params->typeFlags |= kTypeMedia;
        params->sourceUrl = source ? source : "";
        if (webkit_hit_test_result_context_is_selection(hit))
            params->typeFlags |= kTypeSelection;
        if (webkit_hit_test_result_context_is_editable(hit)) {
            params->typeFlags |= kTypeEditable;
            params->editable = true;
        }
    }
    return params;
}

// One item of an open menu: asked when the item's action is activated.
struct MenuCommand {
    EngineBrowser* browser;
    MenuParams* params;
    int command;
};

void FreeCommand(gpointer data, GClosure*)
{
    auto* c = static_cast<MenuCommand*>(data);
    c->params->Release();
    c->browser->Release();
    delete c;
}

// Runs before WebKit's own handler of the item (connected when the menu is shown), so a command
// the program handles stops the emission there.
void OnItemActivated(GSimpleAction* action, GVariant*, MenuCommand* c)
{
    bool handled = false;
    c->browser->Notify([&](cef_client_t* client, EngineBrowser& browser) {
        ClientHandler<cef_context_menu_handler_t> h(client, &cef_client_t::get_context_menu_handler);
        handled = h && h->on_context_menu_command &&
                  h->on_context_menu_command(h.Get(), browser.NewBrowserRef(), browser.NewFrameRef(),
                                             c->params->NewRef(), c->command, EVENTFLAG_NONE) != 0;
    });
    if (handled)
        g_signal_stop_emission_by_name(action, "activate");
}

void Intercept(WebKitContextMenu* menu, EngineBrowser& browser, MenuParams* params)
{
    for (GList* i = webkit_context_menu_get_items(menu); i; i = i->next) {
        auto* item = WEBKIT_CONTEXT_MENU_ITEM(i->data);
        if (webkit_context_menu_item_is_separator(item))
            continue;
        if (WebKitContextMenu* submenu = webkit_context_menu_item_get_submenu(item)) {
            Intercept(submenu, browser, params);
            continue;
        }
        int command = EngineMenuCommand(webkit_context_menu_item_get_stock_action(item));
        GAction* action = webkit_context_menu_item_get_gaction(item);
        if (!command || !action)
            continue;
        browser.AddRef();
        ++params->references;
        g_signal_connect_data(action, "activate", G_CALLBACK(OnItemActivated), new MenuCommand{&browser, params, command},
                              FreeCommand, GConnectFlags(0));
    }
}

} // namespace

int EngineMenuCommand(WebKitContextMenuAction action)
{
    if (action == WEBKIT_CONTEXT_MENU_ACTION_NO_ACTION || action == WEBKIT_CONTEXT_MENU_ACTION_CUSTOM)
        return 0;
    for (const auto& known : kKnownCommands)
        if (known.action == action)
            return known.command;
    int command = MENU_ID_ENGINE_FIRST + int(action);
    return command <= MENU_ID_ENGINE_LAST ? command : 0;
}

gboolean OnContextMenu(WebKitWebView*, WebKitContextMenu* menu, GdkEvent* event, WebKitHitTestResult* hit,
                       EngineBrowser* self)
{
    MenuParams* params = NewParams(*self, event, hit);
    Intercept(menu, *self, params);
    params->Release();
    return FALSE; // the menu opens
}

} // namespace webengine
