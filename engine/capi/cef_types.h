/* The engine's C API, part 1: strings, plain records and enumerations.
 *
 * Every text crossing the API is UTF-16 (cef_string_t). A string either owns its buffer (dtor
 * set: the holder calls dtor(str) when done) or borrows it (dtor null). Strings the engine hands
 * out as "userfree" are released with cef_string_userfree_free.
 *
 * Booleans are int: 0 is false, anything else true. Handles of the platform are void pointers. */
#ifndef LUMO_ENGINE_CAPI_CEF_TYPES_H
#define LUMO_ENGINE_CAPI_CEF_TYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CEF_CALLBACK
#define CEF_EXPORT __attribute__((visibility("default")))

/* ---- strings ---------------------------------------------------------------------------- */

typedef uint16_t char16;

typedef struct _cef_string_wide_t {
    wchar_t* str;
    size_t length;
    void (*dtor)(wchar_t* str);
} cef_string_wide_t;

typedef struct _cef_string_utf8_t {
    char* str;
    size_t length;
    void (*dtor)(char* str);
} cef_string_utf8_t;

typedef struct _cef_string_utf16_t {
    char16* str;
    size_t length;
    void (*dtor)(char16* str);
} cef_string_utf16_t;

typedef cef_string_wide_t* cef_string_userfree_wide_t;
typedef cef_string_utf8_t* cef_string_userfree_utf8_t;
typedef cef_string_utf16_t* cef_string_userfree_utf16_t;

/* The engine's own string type. */
typedef cef_string_utf16_t cef_string_t;
typedef cef_string_userfree_utf16_t cef_string_userfree_t;

/* Opaque string collections, owned by whoever allocated them. */
typedef struct _cef_string_map_t* cef_string_map_t;
typedef struct _cef_string_multimap_t* cef_string_multimap_t;
typedef struct _cef_string_list_t* cef_string_list_t;

/* ---- process start ---------------------------------------------------------------------- */

/* The program's own arguments, as main received them. */
typedef struct _cef_main_args_t {
    int argc;
    char** argv;
} cef_main_args_t;

typedef enum {
    LOGSEVERITY_DEFAULT = 0,
    LOGSEVERITY_VERBOSE = 1,
    LOGSEVERITY_INFO = 2,
    LOGSEVERITY_WARNING = 3,
    LOGSEVERITY_ERROR = 4,
    LOGSEVERITY_ERROR_REPORT = 5,
    LOGSEVERITY_DISABLE = 99
} cef_log_severity_t;

/* Engine-wide settings, given to cef_initialize. size is sizeof(cef_settings_t); text fields are
 * copied by the engine during the call. */
typedef struct _cef_settings_t {
    size_t size;
    int single_process;
    cef_string_t browser_subprocess_path;
    int multi_threaded_message_loop;
    int command_line_args_disabled;
    cef_string_t cache_path;
    cef_string_t user_agent;
    cef_string_t product_version;
    cef_string_t locale;
    cef_string_t log_file;
    cef_log_severity_t log_severity;
    int release_dcheck_enabled;
    cef_string_t javascript_flags;
    cef_string_t resources_dir_path;
    cef_string_t locales_dir_path;
    int pack_loading_disabled;
    int remote_debugging_port;
    int uncaught_exception_stack_size;
    int context_safety_implementation;
} cef_settings_t;

/* ---- browsers --------------------------------------------------------------------------- */

/* A native widget of the GTK backend (GtkWidget*), or null. */
typedef void* cef_window_handle_t;
typedef void* cef_cursor_handle_t;

/* Where a browser lives. parent_window is the native container the browser's widget goes into
 * (it covers the container); parent_host is the program's own window that owns the container,
 * for the engine's information only. x, y, width and height are the browser's area in the
 * container. window is set by the engine to the browser's own widget. */
typedef struct _cef_window_info_t {
    unsigned int ex_style;
    cef_string_t window_name;
    unsigned int style;
    int x;
    int y;
    int width;
    int height;
    cef_window_handle_t parent_window;
    void* parent_host;
    void* menu;
    int window_rendering_disabled;
    int transparent_painting;
    cef_window_handle_t window;
} cef_window_info_t;

typedef enum {
    STATE_DEFAULT = 0,
    STATE_ENABLED = 1,
    STATE_DISABLED = 2
} cef_state_t;

/* Per-browser settings. size is sizeof(cef_browser_settings_t); zero and empty mean "the
 * engine's default". */
typedef struct _cef_browser_settings_t {
    size_t size;
    cef_string_t standard_font_family;
    cef_string_t fixed_font_family;
    cef_string_t serif_font_family;
    cef_string_t sans_serif_font_family;
    cef_string_t cursive_font_family;
    cef_string_t fantasy_font_family;
    int default_font_size;
    int default_fixed_font_size;
    int minimum_font_size;
    int minimum_logical_font_size;
    cef_string_t default_encoding;
    cef_string_t user_style_sheet_location;
    cef_state_t remote_fonts;
    cef_state_t javascript;
    cef_state_t javascript_open_windows;
    cef_state_t javascript_close_windows;
    cef_state_t javascript_access_clipboard;
    cef_state_t javascript_dom_paste;
    cef_state_t caret_browsing;
    cef_state_t java;
    cef_state_t plugins;
    cef_state_t universal_access_from_file_urls;
    cef_state_t file_access_from_file_urls;
    cef_state_t web_security;
    cef_state_t image_loading;
    cef_state_t image_shrink_standalone_to_fit;
    cef_state_t text_area_resize;
    cef_state_t page_cache;
    cef_state_t tab_to_links;
    cef_state_t author_and_user_styles;
    cef_state_t local_storage;
    cef_state_t databases;
    cef_state_t application_cache;
    cef_state_t webgl;
    cef_state_t accelerated_compositing;
    cef_state_t developer_tools;
} cef_browser_settings_t;

/* The window a page asks for when it opens a pop-up. */
typedef struct _cef_popup_features_t {
    int x;
    int xSet;
    int y;
    int ySet;
    int width;
    int widthSet;
    int height;
    int heightSet;
    int menuBarVisible;
    int statusBarVisible;
    int toolBarVisible;
    int locationBarVisible;
    int scrollbarsVisible;
    int resizable;
    int fullscreen;
    int dialog;
    cef_string_list_t additionalFeatures;
} cef_popup_features_t;

typedef struct _cef_rect_t {
    int x;
    int y;
    int width;
    int height;
} cef_rect_t;

typedef struct _cef_time_t {
    int year;
    int month;
    int day_of_week;
    int day_of_month;
    int hour;
    int minute;
    int second;
    int millisecond;
} cef_time_t;

/* ---- enumerations ----------------------------------------------------------------------- */

typedef enum {
    EVENTFLAG_NONE = 0,
    EVENTFLAG_CAPS_LOCK_ON = 1 << 0,
    EVENTFLAG_SHIFT_DOWN = 1 << 1,
    EVENTFLAG_CONTROL_DOWN = 1 << 2,
    EVENTFLAG_ALT_DOWN = 1 << 3,
    EVENTFLAG_LEFT_MOUSE_BUTTON = 1 << 4,
    EVENTFLAG_MIDDLE_MOUSE_BUTTON = 1 << 5,
    EVENTFLAG_RIGHT_MOUSE_BUTTON = 1 << 6,
    EVENTFLAG_COMMAND_DOWN = 1 << 7,
    EVENTFLAG_NUM_LOCK_ON = 1 << 8,
    EVENTFLAG_IS_KEY_PAD = 1 << 9,
    EVENTFLAG_IS_LEFT = 1 << 10,
    EVENTFLAG_IS_RIGHT = 1 << 11
} cef_event_flags_t;

typedef enum { PID_BROWSER = 0, PID_RENDERER = 1 } cef_process_id_t;
typedef enum { TID_UI = 0, TID_DB, TID_FILE, TID_FILE_USER_BLOCKING, TID_PROCESS_LAUNCHER, TID_CACHE, TID_IO,
               TID_RENDERER } cef_thread_id_t;
typedef enum { PK_DIR_CURRENT = 0, PK_DIR_EXE, PK_DIR_MODULE, PK_DIR_TEMP, PK_FILE_EXE, PK_FILE_MODULE } cef_path_key_t;
typedef enum { TS_ABNORMAL_TERMINATION = 0, TS_PROCESS_WAS_KILLED, TS_PROCESS_CRASHED } cef_termination_status_t;
typedef enum { ERR_NONE = 0, ERR_FAILED = -2, ERR_ABORTED = -3 } cef_errorcode_t;
typedef enum { JSDIALOGTYPE_ALERT = 0, JSDIALOGTYPE_CONFIRM, JSDIALOGTYPE_PROMPT } cef_jsdialog_type_t;
typedef enum { FILE_DIALOG_OPEN = 0, FILE_DIALOG_OPEN_MULTIPLE, FILE_DIALOG_SAVE } cef_file_dialog_mode_t;
typedef enum { FOCUS_SOURCE_NAVIGATION = 0, FOCUS_SOURCE_SYSTEM } cef_focus_source_t;
typedef enum { KEYEVENT_RAWKEYDOWN = 0, KEYEVENT_KEYDOWN, KEYEVENT_KEYUP, KEYEVENT_CHAR } cef_key_event_type_t;
typedef enum { PET_VIEW = 0, PET_POPUP } cef_paint_element_type_t;

typedef struct _cef_key_event_t {
    cef_key_event_type_t type;
    uint32_t modifiers;
    int windows_key_code;
    int native_key_code;
    int is_system_key;
    char16 character;
    char16 unmodified_character;
    int focus_on_editable_field;
} cef_key_event_t;

/* The native event behind a key event (a GdkEvent* on this platform). */
typedef void* cef_event_handle_t;

typedef struct _cef_urlparts_t {
    cef_string_t full_url;
    cef_string_t scheme;
    cef_string_t username;
    cef_string_t password;
    cef_string_t host;
    cef_string_t port;
    cef_string_t path;
    cef_string_t query;
} cef_urlparts_t;

/* Context-menu command numbers. The engine's own commands have fixed numbers; commands of the
 * engine's menu without such a number come from the block starting at MENU_ID_ENGINE_FIRST (the
 * engine library's README lists them); the program's own items use the user block. */
typedef enum {
    MENU_ID_BACK = 100,
    MENU_ID_FORWARD = 101,
    MENU_ID_RELOAD = 102,
    MENU_ID_RELOAD_NOCACHE = 103,
    MENU_ID_STOPLOAD = 104,
    MENU_ID_UNDO = 110,
    MENU_ID_REDO = 111,
    MENU_ID_CUT = 112,
    MENU_ID_COPY = 113,
    MENU_ID_PASTE = 114,
    MENU_ID_DELETE = 115,
    MENU_ID_SELECT_ALL = 116,
    MENU_ID_FIND = 130,
    MENU_ID_PRINT = 131,
    MENU_ID_VIEW_SOURCE = 132,
    MENU_ID_ENGINE_FIRST = 200,
    MENU_ID_ENGINE_LAST = 299,
    MENU_ID_USER_FIRST = 26500,
    MENU_ID_USER_LAST = 28500
} cef_menu_id_t;

#ifdef __cplusplus
}
#endif

#endif
