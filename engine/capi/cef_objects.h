/* The engine's C API, part 2: reference-counted objects and their function tables.
 *
 * Every object starts with cef_base_t. Whoever passes an object as an argument passes a reference
 * with it: the callee releases it when done (or keeps it). Answers returning an object also hand
 * a reference to the caller. A function-table member left null means "not offered"; a handler
 * getter returning null means "no handler: the engine applies its default". Arguments named
 * "out" are written by the callee. Functions marked (IO) are called on the engine's IO thread. */
#ifndef LUMO_ENGINE_CAPI_CEF_OBJECTS_H
#define LUMO_ENGINE_CAPI_CEF_OBJECTS_H

#include "engine/capi/cef_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _cef_base_t {
    size_t size; /* size of the whole object structure */
    int(CEF_CALLBACK* add_ref)(struct _cef_base_t* self);
    /* Answers the count left; the object is freed at 0. */
    int(CEF_CALLBACK* release)(struct _cef_base_t* self);
    int(CEF_CALLBACK* get_refct)(struct _cef_base_t* self);
} cef_base_t;

struct _cef_browser_t;
struct _cef_frame_t;
struct _cef_client_t;

/* Objects the program only passes along. */
typedef struct _cef_process_message_t { cef_base_t base; } cef_process_message_t;
typedef struct _cef_post_data_t { cef_base_t base; } cef_post_data_t;
typedef struct _cef_post_data_element_t { cef_base_t base; } cef_post_data_element_t;
typedef struct _cef_stream_reader_t { cef_base_t base; } cef_stream_reader_t;
typedef struct _cef_stream_writer_t { cef_base_t base; } cef_stream_writer_t;
typedef struct _cef_read_handler_t { cef_base_t base; } cef_read_handler_t;
typedef struct _cef_write_handler_t { cef_base_t base; } cef_write_handler_t;
typedef struct _cef_v8context_t { cef_base_t base; } cef_v8context_t;
typedef struct _cef_v8value_t { cef_base_t base; } cef_v8value_t;
typedef struct _cef_v8handler_t { cef_base_t base; } cef_v8handler_t;
typedef struct _cef_v8stack_trace_t { cef_base_t base; } cef_v8stack_trace_t;
typedef struct _cef_xml_reader_t { cef_base_t base; } cef_xml_reader_t;
typedef struct _cef_zip_reader_t { cef_base_t base; } cef_zip_reader_t;
typedef struct _cef_cookie_manager_t { cef_base_t base; } cef_cookie_manager_t;
typedef struct _cef_completion_callback_t { cef_base_t base; } cef_completion_callback_t;
typedef struct _cef_binary_value_t { cef_base_t base; } cef_binary_value_t;
typedef struct _cef_dictionary_value_t { cef_base_t base; } cef_dictionary_value_t;
typedef struct _cef_list_value_t { cef_base_t base; } cef_list_value_t;
typedef struct _cef_response_t { cef_base_t base; } cef_response_t;
typedef struct _cef_urlrequest_t { cef_base_t base; } cef_urlrequest_t;
typedef struct _cef_urlrequest_client_t { cef_base_t base; } cef_urlrequest_client_t;
typedef struct _cef_web_plugin_info_visitor_t { cef_base_t base; } cef_web_plugin_info_visitor_t;
typedef struct _cef_web_plugin_unstable_callback_t { cef_base_t base; } cef_web_plugin_unstable_callback_t;
typedef struct _cef_get_geolocation_callback_t { cef_base_t base; } cef_get_geolocation_callback_t;
typedef struct _cef_task_t { cef_base_t base; void(CEF_CALLBACK* execute)(struct _cef_task_t* self); } cef_task_t;
typedef struct _cef_task_runner_t { cef_base_t base; } cef_task_runner_t;
typedef struct _cef_end_tracing_callback_t { cef_base_t base; } cef_end_tracing_callback_t;
typedef struct _cef_get_trace_buffer_percent_full_callback_t { cef_base_t base; } cef_get_trace_buffer_percent_full_callback_t;
typedef struct _cef_scheme_handler_factory_t { cef_base_t base; } cef_scheme_handler_factory_t;
typedef struct _cef_resource_handler_t { cef_base_t base; } cef_resource_handler_t;
typedef struct _cef_auth_callback_t { cef_base_t base; } cef_auth_callback_t;
typedef struct _cef_download_item_t { cef_base_t base; } cef_download_item_t;
typedef struct _cef_before_download_callback_t { cef_base_t base; } cef_before_download_callback_t;
typedef struct _cef_download_item_callback_t { cef_base_t base; } cef_download_item_callback_t;
typedef struct _cef_geolocation_callback_t { cef_base_t base; } cef_geolocation_callback_t;
typedef struct _cef_jsdialog_callback_t { cef_base_t base; } cef_jsdialog_callback_t;
typedef struct _cef_file_dialog_callback_t { cef_base_t base; } cef_file_dialog_callback_t;
typedef struct _cef_menu_model_t { cef_base_t base; } cef_menu_model_t;
typedef struct _cef_resource_bundle_handler_t { cef_base_t base; } cef_resource_bundle_handler_t;
typedef struct _cef_browser_process_handler_t { cef_base_t base; } cef_browser_process_handler_t;
typedef struct _cef_render_process_handler_t { cef_base_t base; } cef_render_process_handler_t;

/* ---- start-up objects ------------------------------------------------------------------- */

typedef struct _cef_command_line_t {
    cef_base_t base;
    int(CEF_CALLBACK* is_valid)(struct _cef_command_line_t* self);
    int(CEF_CALLBACK* is_read_only)(struct _cef_command_line_t* self);
    struct _cef_command_line_t*(CEF_CALLBACK* copy)(struct _cef_command_line_t* self);
    void(CEF_CALLBACK* init_from_argv)(struct _cef_command_line_t* self, int argc, const char* const* argv);
    void(CEF_CALLBACK* init_from_string)(struct _cef_command_line_t* self, const cef_string_t* command_line);
    void(CEF_CALLBACK* reset)(struct _cef_command_line_t* self);
    void(CEF_CALLBACK* get_argv)(struct _cef_command_line_t* self, cef_string_list_t argv);
    cef_string_userfree_t(CEF_CALLBACK* get_command_line_string)(struct _cef_command_line_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_program)(struct _cef_command_line_t* self);
    void(CEF_CALLBACK* set_program)(struct _cef_command_line_t* self, const cef_string_t* program);
    int(CEF_CALLBACK* has_switches)(struct _cef_command_line_t* self);
    int(CEF_CALLBACK* has_switch)(struct _cef_command_line_t* self, const cef_string_t* name);
    cef_string_userfree_t(CEF_CALLBACK* get_switch_value)(struct _cef_command_line_t* self, const cef_string_t* name);
    void(CEF_CALLBACK* get_switches)(struct _cef_command_line_t* self, cef_string_map_t switches);
    void(CEF_CALLBACK* append_switch)(struct _cef_command_line_t* self, const cef_string_t* name);
    void(CEF_CALLBACK* append_switch_with_value)(struct _cef_command_line_t* self, const cef_string_t* name,
                                                  const cef_string_t* value);
    int(CEF_CALLBACK* has_arguments)(struct _cef_command_line_t* self);
    void(CEF_CALLBACK* get_arguments)(struct _cef_command_line_t* self, cef_string_list_t arguments);
    void(CEF_CALLBACK* append_argument)(struct _cef_command_line_t* self, const cef_string_t* argument);
    void(CEF_CALLBACK* prepend_wrapper)(struct _cef_command_line_t* self, const cef_string_t* wrapper);
} cef_command_line_t;

/* Valid only during on_register_custom_schemes. */
typedef struct _cef_scheme_registrar_t {
    cef_base_t base;
    int(CEF_CALLBACK* add_custom_scheme)(struct _cef_scheme_registrar_t* self, const cef_string_t* scheme_name,
                                         int is_standard, int is_local, int is_display_isolated);
} cef_scheme_registrar_t;

/* The program's application object: the engine asks it while it starts, in every process. */
typedef struct _cef_app_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_before_command_line_processing)(struct _cef_app_t* self, const cef_string_t* process_type,
                                                          cef_command_line_t* command_line);
    void(CEF_CALLBACK* on_register_custom_schemes)(struct _cef_app_t* self, cef_scheme_registrar_t* registrar);
    cef_resource_bundle_handler_t*(CEF_CALLBACK* get_resource_bundle_handler)(struct _cef_app_t* self);
    cef_browser_process_handler_t*(CEF_CALLBACK* get_browser_process_handler)(struct _cef_app_t* self);
    cef_render_process_handler_t*(CEF_CALLBACK* get_render_process_handler)(struct _cef_app_t* self);
} cef_app_t;

/* ---- pages ------------------------------------------------------------------------------ */

typedef struct _cef_request_t {
    cef_base_t base;
    int(CEF_CALLBACK* is_read_only)(struct _cef_request_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_url)(struct _cef_request_t* self);
    void(CEF_CALLBACK* set_url)(struct _cef_request_t* self, const cef_string_t* url);
    cef_string_userfree_t(CEF_CALLBACK* get_method)(struct _cef_request_t* self);
    void(CEF_CALLBACK* set_method)(struct _cef_request_t* self, const cef_string_t* method);
    cef_post_data_t*(CEF_CALLBACK* get_post_data)(struct _cef_request_t* self);
    void(CEF_CALLBACK* set_post_data)(struct _cef_request_t* self, cef_post_data_t* postData);
    void(CEF_CALLBACK* get_header_map)(struct _cef_request_t* self, cef_string_multimap_t headerMap);
    void(CEF_CALLBACK* set_header_map)(struct _cef_request_t* self, cef_string_multimap_t headerMap);
    int(CEF_CALLBACK* get_flags)(struct _cef_request_t* self);
    void(CEF_CALLBACK* set_flags)(struct _cef_request_t* self, int flags);
    cef_string_userfree_t(CEF_CALLBACK* get_first_party_for_cookies)(struct _cef_request_t* self);
    void(CEF_CALLBACK* set_first_party_for_cookies)(struct _cef_request_t* self, const cef_string_t* url);
} cef_request_t;

typedef struct _cef_frame_t {
    cef_base_t base;
    int(CEF_CALLBACK* is_valid)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* undo)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* redo)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* cut)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* copy)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* paste)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* del)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* select_all)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* view_source)(struct _cef_frame_t* self);
    void(CEF_CALLBACK* load_request)(struct _cef_frame_t* self, cef_request_t* request);
    void(CEF_CALLBACK* load_url)(struct _cef_frame_t* self, const cef_string_t* url);
    void(CEF_CALLBACK* load_string)(struct _cef_frame_t* self, const cef_string_t* string_val, const cef_string_t* url);
    void(CEF_CALLBACK* execute_java_script)(struct _cef_frame_t* self, const cef_string_t* code,
                                            const cef_string_t* script_url, int start_line);
    int(CEF_CALLBACK* is_main)(struct _cef_frame_t* self);
    int(CEF_CALLBACK* is_focused)(struct _cef_frame_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_name)(struct _cef_frame_t* self);
    int64_t(CEF_CALLBACK* get_identifier)(struct _cef_frame_t* self);
    struct _cef_frame_t*(CEF_CALLBACK* get_parent)(struct _cef_frame_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_url)(struct _cef_frame_t* self);
    struct _cef_browser_t*(CEF_CALLBACK* get_browser)(struct _cef_frame_t* self);
} cef_frame_t;

typedef struct _cef_browser_host_t {
    cef_base_t base;
    struct _cef_browser_t*(CEF_CALLBACK* get_browser)(struct _cef_browser_host_t* self);
    /* The program's window that held the browser is about to go. */
    void(CEF_CALLBACK* parent_window_will_close)(struct _cef_browser_host_t* self);
    void(CEF_CALLBACK* close_browser)(struct _cef_browser_host_t* self);
    void(CEF_CALLBACK* set_focus)(struct _cef_browser_host_t* self, int enable);
    /* The browser's own widget; null for none. */
    cef_window_handle_t(CEF_CALLBACK* get_window_handle)(struct _cef_browser_host_t* self);
    cef_window_handle_t(CEF_CALLBACK* get_opener_window_handle)(struct _cef_browser_host_t* self);
    struct _cef_client_t*(CEF_CALLBACK* get_client)(struct _cef_browser_host_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_dev_tools_url)(struct _cef_browser_host_t* self, int http_scheme);
    double(CEF_CALLBACK* get_zoom_level)(struct _cef_browser_host_t* self);
    void(CEF_CALLBACK* set_zoom_level)(struct _cef_browser_host_t* self, double zoomLevel);
    void(CEF_CALLBACK* was_resized)(struct _cef_browser_host_t* self);
} cef_browser_host_t;

typedef struct _cef_browser_t {
    cef_base_t base;
    cef_browser_host_t*(CEF_CALLBACK* get_host)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* can_go_back)(struct _cef_browser_t* self);
    void(CEF_CALLBACK* go_back)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* can_go_forward)(struct _cef_browser_t* self);
    void(CEF_CALLBACK* go_forward)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* is_loading)(struct _cef_browser_t* self);
    void(CEF_CALLBACK* reload)(struct _cef_browser_t* self);
    void(CEF_CALLBACK* reload_ignore_cache)(struct _cef_browser_t* self);
    void(CEF_CALLBACK* stop_load)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* get_identifier)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* is_same)(struct _cef_browser_t* self, struct _cef_browser_t* that);
    int(CEF_CALLBACK* is_popup)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* has_document)(struct _cef_browser_t* self);
    cef_frame_t*(CEF_CALLBACK* get_main_frame)(struct _cef_browser_t* self);
    cef_frame_t*(CEF_CALLBACK* get_focused_frame)(struct _cef_browser_t* self);
    cef_frame_t*(CEF_CALLBACK* get_frame_byident)(struct _cef_browser_t* self, int64_t identifier);
    cef_frame_t*(CEF_CALLBACK* get_frame)(struct _cef_browser_t* self, const cef_string_t* name);
    size_t(CEF_CALLBACK* get_frame_count)(struct _cef_browser_t* self);
    int(CEF_CALLBACK* send_process_message)(struct _cef_browser_t* self, cef_process_id_t target_process,
                                            cef_process_message_t* message);
} cef_browser_t;

typedef struct _cef_context_menu_params_t {
    cef_base_t base;
    int(CEF_CALLBACK* get_xcoord)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* get_ycoord)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* get_type_flags)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_link_url)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_unfiltered_link_url)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_source_url)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* is_image_blocked)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_page_url)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_frame_url)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_frame_charset)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* get_media_type)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* get_media_state_flags)(struct _cef_context_menu_params_t* self);
    cef_string_userfree_t(CEF_CALLBACK* get_selection_text)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* is_editable)(struct _cef_context_menu_params_t* self);
    int(CEF_CALLBACK* get_edit_state_flags)(struct _cef_context_menu_params_t* self);
} cef_context_menu_params_t;

/* ---- the program's handlers ------------------------------------------------------------- */

typedef struct _cef_load_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_load_start)(struct _cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame);
    void(CEF_CALLBACK* on_load_end)(struct _cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                    int httpStatusCode);
    void(CEF_CALLBACK* on_load_error)(struct _cef_load_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
                                      cef_errorcode_t errorCode, const cef_string_t* errorText,
                                      const cef_string_t* failedUrl);
    void(CEF_CALLBACK* on_render_process_terminated)(struct _cef_load_handler_t* self, cef_browser_t* browser,
                                                     cef_termination_status_t status);
    void(CEF_CALLBACK* on_plugin_crashed)(struct _cef_load_handler_t* self, cef_browser_t* browser,
                                          const cef_string_t* plugin_path);
} cef_load_handler_t;

typedef struct _cef_focus_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_take_focus)(struct _cef_focus_handler_t* self, cef_browser_t* browser, int next);
    int(CEF_CALLBACK* on_set_focus)(struct _cef_focus_handler_t* self, cef_browser_t* browser,
                                    cef_focus_source_t source);
    void(CEF_CALLBACK* on_got_focus)(struct _cef_focus_handler_t* self, cef_browser_t* browser);
} cef_focus_handler_t;

typedef struct _cef_context_menu_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_before_context_menu)(struct _cef_context_menu_handler_t* self, cef_browser_t* browser,
                                               cef_frame_t* frame, cef_context_menu_params_t* params,
                                               cef_menu_model_t* model);
    /* Non-zero: handled, the engine does not carry the command out. */
    int(CEF_CALLBACK* on_context_menu_command)(struct _cef_context_menu_handler_t* self, cef_browser_t* browser,
                                               cef_frame_t* frame, cef_context_menu_params_t* params,
                                               int command_id, cef_event_flags_t event_flags);
    void(CEF_CALLBACK* on_context_menu_dismissed)(struct _cef_context_menu_handler_t* self, cef_browser_t* browser,
                                                  cef_frame_t* frame);
} cef_context_menu_handler_t;

typedef struct _cef_dialog_handler_t {
    cef_base_t base;
    int(CEF_CALLBACK* on_file_dialog)(struct _cef_dialog_handler_t* self, cef_browser_t* browser,
                                      cef_file_dialog_mode_t mode, const cef_string_t* title,
                                      const cef_string_t* default_file_name, cef_string_list_t accept_types,
                                      cef_file_dialog_callback_t* callback);
} cef_dialog_handler_t;

typedef struct _cef_keyboard_handler_t {
    cef_base_t base;
    int(CEF_CALLBACK* on_pre_key_event)(struct _cef_keyboard_handler_t* self, cef_browser_t* browser,
                                        const cef_key_event_t* event, cef_event_handle_t os_event,
                                        int* is_keyboard_shortcut);
    int(CEF_CALLBACK* on_key_event)(struct _cef_keyboard_handler_t* self, cef_browser_t* browser,
                                    const cef_key_event_t* event, cef_event_handle_t os_event);
} cef_keyboard_handler_t;

typedef struct _cef_display_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_loading_state_change)(struct _cef_display_handler_t* self, cef_browser_t* browser,
                                                int isLoading, int canGoBack, int canGoForward);
    void(CEF_CALLBACK* on_address_change)(struct _cef_display_handler_t* self, cef_browser_t* browser,
                                          cef_frame_t* frame, const cef_string_t* url);
    void(CEF_CALLBACK* on_title_change)(struct _cef_display_handler_t* self, cef_browser_t* browser,
                                        const cef_string_t* title);
    /* text may be replaced by the program. */
    int(CEF_CALLBACK* on_tooltip)(struct _cef_display_handler_t* self, cef_browser_t* browser, cef_string_t* text);
    void(CEF_CALLBACK* on_status_message)(struct _cef_display_handler_t* self, cef_browser_t* browser,
                                          const cef_string_t* value);
    int(CEF_CALLBACK* on_console_message)(struct _cef_display_handler_t* self, cef_browser_t* browser,
                                          const cef_string_t* message, const cef_string_t* source, int line);
} cef_display_handler_t;

typedef struct _cef_download_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_before_download)(struct _cef_download_handler_t* self, cef_browser_t* browser,
                                           cef_download_item_t* download_item, const cef_string_t* suggested_name,
                                           cef_before_download_callback_t* callback);
    void(CEF_CALLBACK* on_download_updated)(struct _cef_download_handler_t* self, cef_browser_t* browser,
                                            cef_download_item_t* download_item,
                                            cef_download_item_callback_t* callback);
} cef_download_handler_t;

typedef struct _cef_geolocation_handler_t {
    cef_base_t base;
    void(CEF_CALLBACK* on_request_geolocation_permission)(struct _cef_geolocation_handler_t* self,
                                                          cef_browser_t* browser, const cef_string_t* requesting_url,
                                                          int request_id, cef_geolocation_callback_t* callback);
    void(CEF_CALLBACK* on_cancel_geolocation_permission)(struct _cef_geolocation_handler_t* self,
                                                         cef_browser_t* browser, const cef_string_t* requesting_url,
                                                         int request_id);
} cef_geolocation_handler_t;

typedef struct _cef_jsdialog_handler_t {
    cef_base_t base;
    int(CEF_CALLBACK* on_jsdialog)(struct _cef_jsdialog_handler_t* self, cef_browser_t* browser,
                                   const cef_string_t* origin_url, const cef_string_t* accept_lang,
                                   cef_jsdialog_type_t dialog_type, const cef_string_t* message_text,
                                   const cef_string_t* default_prompt_text, cef_jsdialog_callback_t* callback,
                                   int* suppress_message);
    int(CEF_CALLBACK* on_before_unload_dialog)(struct _cef_jsdialog_handler_t* self, cef_browser_t* browser,
                                               const cef_string_t* message_text, int is_reload,
                                               cef_jsdialog_callback_t* callback);
    void(CEF_CALLBACK* on_reset_dialog_state)(struct _cef_jsdialog_handler_t* self, cef_browser_t* browser);
} cef_jsdialog_handler_t;

typedef struct _cef_life_span_handler_t {
    cef_base_t base;
    /* (IO) Non-zero: the pop-up is not created. windowInfo, client, settings and
     * no_javascript_access may be changed by the program. */
    int(CEF_CALLBACK* on_before_popup)(struct _cef_life_span_handler_t* self, cef_browser_t* browser,
                                       cef_frame_t* frame, const cef_string_t* target_url,
                                       const cef_string_t* target_frame_name,
                                       const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
                                       struct _cef_client_t** client, cef_browser_settings_t* settings,
                                       int* no_javascript_access);
    void(CEF_CALLBACK* on_after_created)(struct _cef_life_span_handler_t* self, cef_browser_t* browser);
    int(CEF_CALLBACK* run_modal)(struct _cef_life_span_handler_t* self, cef_browser_t* browser);
    int(CEF_CALLBACK* do_close)(struct _cef_life_span_handler_t* self, cef_browser_t* browser);
    void(CEF_CALLBACK* on_before_close)(struct _cef_life_span_handler_t* self, cef_browser_t* browser);
} cef_life_span_handler_t;

typedef struct _cef_request_handler_t {
    cef_base_t base;
    /* (IO) Non-zero: the request is cancelled. */
    int(CEF_CALLBACK* on_before_resource_load)(struct _cef_request_handler_t* self, cef_browser_t* browser,
                                               cef_frame_t* frame, cef_request_t* request);
    cef_resource_handler_t*(CEF_CALLBACK* get_resource_handler)(struct _cef_request_handler_t* self,
                                                                cef_browser_t* browser, cef_frame_t* frame,
                                                                cef_request_t* request);
    void(CEF_CALLBACK* on_resource_redirect)(struct _cef_request_handler_t* self, cef_browser_t* browser,
                                             cef_frame_t* frame, const cef_string_t* old_url, cef_string_t* new_url);
    int(CEF_CALLBACK* get_auth_credentials)(struct _cef_request_handler_t* self, cef_browser_t* browser,
                                            cef_frame_t* frame, int isProxy, const cef_string_t* host, int port,
                                            const cef_string_t* realm, const cef_string_t* scheme,
                                            cef_auth_callback_t* callback);
    cef_cookie_manager_t*(CEF_CALLBACK* get_cookie_manager)(struct _cef_request_handler_t* self,
                                                            cef_browser_t* browser, const cef_string_t* main_url);
    void(CEF_CALLBACK* on_protocol_execution)(struct _cef_request_handler_t* self, cef_browser_t* browser,
                                              const cef_string_t* url, int* allow_os_execution);
} cef_request_handler_t;

typedef struct _cef_render_handler_t {
    cef_base_t base;
    int(CEF_CALLBACK* get_view_rect)(struct _cef_render_handler_t* self, cef_browser_t* browser, cef_rect_t* rect);
} cef_render_handler_t;

/* The program's client: its twelve handler getters, asked whenever the engine needs them. */
typedef struct _cef_client_t {
    cef_base_t base;
    cef_context_menu_handler_t*(CEF_CALLBACK* get_context_menu_handler)(struct _cef_client_t* self);
    cef_dialog_handler_t*(CEF_CALLBACK* get_dialog_handler)(struct _cef_client_t* self);
    cef_display_handler_t*(CEF_CALLBACK* get_display_handler)(struct _cef_client_t* self);
    cef_download_handler_t*(CEF_CALLBACK* get_download_handler)(struct _cef_client_t* self);
    cef_focus_handler_t*(CEF_CALLBACK* get_focus_handler)(struct _cef_client_t* self);
    cef_geolocation_handler_t*(CEF_CALLBACK* get_geolocation_handler)(struct _cef_client_t* self);
    cef_jsdialog_handler_t*(CEF_CALLBACK* get_jsdialog_handler)(struct _cef_client_t* self);
    cef_keyboard_handler_t*(CEF_CALLBACK* get_keyboard_handler)(struct _cef_client_t* self);
    cef_life_span_handler_t*(CEF_CALLBACK* get_life_span_handler)(struct _cef_client_t* self);
    cef_load_handler_t*(CEF_CALLBACK* get_load_handler)(struct _cef_client_t* self);
    cef_render_handler_t*(CEF_CALLBACK* get_render_handler)(struct _cef_client_t* self);
    cef_request_handler_t*(CEF_CALLBACK* get_request_handler)(struct _cef_client_t* self);
    int(CEF_CALLBACK* on_process_message_received)(struct _cef_client_t* self, cef_browser_t* browser,
                                                   cef_process_id_t source_process, cef_process_message_t* message);
} cef_client_t;

#ifdef __cplusplus
}
#endif

#endif
