/* The engine's C API, part 3: the entry points the engine library ("libcef.so") exports.
 *
 * A library that lacks any one of them is refused as a whole. The engine's string functions come
 * in wide, UTF-8 and UTF-16 forms; the program's string type is the UTF-16 one. */
#ifndef LUMO_ENGINE_CAPI_CEF_ENTRY_POINTS_H
#define LUMO_ENGINE_CAPI_CEF_ENTRY_POINTS_H

#include "engine/capi/cef_objects.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Strings. The *_set functions copy src when copy is non-zero, else borrow it. */
CEF_EXPORT int cef_string_wide_set(const wchar_t* src, size_t src_len, cef_string_wide_t* output, int copy);
CEF_EXPORT int cef_string_utf8_set(const char* src, size_t src_len, cef_string_utf8_t* output, int copy);
CEF_EXPORT int cef_string_utf16_set(const char16* src, size_t src_len, cef_string_utf16_t* output, int copy);
CEF_EXPORT void cef_string_wide_clear(cef_string_wide_t* str);
CEF_EXPORT void cef_string_utf8_clear(cef_string_utf8_t* str);
CEF_EXPORT void cef_string_utf16_clear(cef_string_utf16_t* str);
CEF_EXPORT int cef_string_wide_cmp(const cef_string_wide_t* str1, const cef_string_wide_t* str2);
CEF_EXPORT int cef_string_utf8_cmp(const cef_string_utf8_t* str1, const cef_string_utf8_t* str2);
CEF_EXPORT int cef_string_utf16_cmp(const cef_string_utf16_t* str1, const cef_string_utf16_t* str2);
CEF_EXPORT int cef_string_wide_to_utf8(const wchar_t* src, size_t src_len, cef_string_utf8_t* output);
CEF_EXPORT int cef_string_utf8_to_wide(const char* src, size_t src_len, cef_string_wide_t* output);
CEF_EXPORT int cef_string_wide_to_utf16(const wchar_t* src, size_t src_len, cef_string_utf16_t* output);
CEF_EXPORT int cef_string_utf16_to_wide(const char16* src, size_t src_len, cef_string_wide_t* output);
CEF_EXPORT int cef_string_utf8_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output);
CEF_EXPORT int cef_string_utf16_to_utf8(const char16* src, size_t src_len, cef_string_utf8_t* output);
CEF_EXPORT int cef_string_ascii_to_wide(const char* src, size_t src_len, cef_string_wide_t* output);
CEF_EXPORT int cef_string_ascii_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output);
CEF_EXPORT cef_string_userfree_wide_t cef_string_userfree_wide_alloc(void);
CEF_EXPORT cef_string_userfree_utf8_t cef_string_userfree_utf8_alloc(void);
CEF_EXPORT cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc(void);
CEF_EXPORT void cef_string_userfree_wide_free(cef_string_userfree_wide_t str);
CEF_EXPORT void cef_string_userfree_utf8_free(cef_string_userfree_utf8_t str);
CEF_EXPORT void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t str);

CEF_EXPORT cef_string_map_t cef_string_map_alloc(void);
CEF_EXPORT int cef_string_map_size(cef_string_map_t map);
CEF_EXPORT int cef_string_map_find(cef_string_map_t map, const cef_string_t* key, cef_string_t* value);
CEF_EXPORT int cef_string_map_key(cef_string_map_t map, int index, cef_string_t* key);
CEF_EXPORT int cef_string_map_value(cef_string_map_t map, int index, cef_string_t* value);
CEF_EXPORT int cef_string_map_append(cef_string_map_t map, const cef_string_t* key, const cef_string_t* value);
CEF_EXPORT void cef_string_map_clear(cef_string_map_t map);
CEF_EXPORT void cef_string_map_free(cef_string_map_t map);
CEF_EXPORT cef_string_list_t cef_string_list_alloc(void);
CEF_EXPORT int cef_string_list_size(cef_string_list_t list);
CEF_EXPORT int cef_string_list_value(cef_string_list_t list, int index, cef_string_t* value);
CEF_EXPORT void cef_string_list_append(cef_string_list_t list, const cef_string_t* value);
CEF_EXPORT void cef_string_list_clear(cef_string_list_t list);
CEF_EXPORT void cef_string_list_free(cef_string_list_t list);
CEF_EXPORT cef_string_list_t cef_string_list_copy(cef_string_list_t list);

/* Life of the engine. cef_execute_process answers -1 in the browser process; in a sub-process it
 * does the process's whole work and answers its exit code (0 or more). */
CEF_EXPORT int cef_initialize(const cef_main_args_t* args, const cef_settings_t* settings, cef_app_t* application);
CEF_EXPORT int cef_execute_process(const cef_main_args_t* args, cef_app_t* application);
CEF_EXPORT void cef_shutdown(void);
CEF_EXPORT void cef_do_message_loop_work(void);
CEF_EXPORT void cef_run_message_loop(void);
CEF_EXPORT void cef_quit_message_loop(void);
CEF_EXPORT int cef_register_extension(const cef_string_t* extension_name, const cef_string_t* javascript_code,
                                      cef_v8handler_t* handler);
CEF_EXPORT int cef_register_scheme_handler_factory(const cef_string_t* scheme_name, const cef_string_t* domain_name,
                                                   cef_scheme_handler_factory_t* factory);
CEF_EXPORT int cef_clear_scheme_handler_factories(void);
CEF_EXPORT int cef_add_cross_origin_whitelist_entry(const cef_string_t* source_origin,
                                                    const cef_string_t* target_protocol,
                                                    const cef_string_t* target_domain, int allow_target_subdomains);
CEF_EXPORT int cef_remove_cross_origin_whitelist_entry(const cef_string_t* source_origin,
                                                       const cef_string_t* target_protocol,
                                                       const cef_string_t* target_domain,
                                                       int allow_target_subdomains);
CEF_EXPORT int cef_clear_cross_origin_whitelist(void);
CEF_EXPORT int cef_currently_on(cef_thread_id_t threadId);
CEF_EXPORT int cef_post_task(cef_thread_id_t threadId, cef_task_t* task);
CEF_EXPORT int cef_post_delayed_task(cef_thread_id_t threadId, cef_task_t* task, int64_t delay_ms);
CEF_EXPORT int cef_parse_url(const cef_string_t* url, cef_urlparts_t* parts);
CEF_EXPORT int cef_create_url(const cef_urlparts_t* parts, cef_string_t* url);

/* Browsers. */
CEF_EXPORT int cef_browser_host_create_browser(const cef_window_info_t* windowInfo, cef_client_t* client,
                                               const cef_string_t* url, const cef_browser_settings_t* settings);
/* Answers the new browser with a reference for the caller, or null when none could be made. */
CEF_EXPORT cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* windowInfo,
                                                               cef_client_t* client, const cef_string_t* url,
                                                               const cef_browser_settings_t* settings);
CEF_EXPORT cef_request_t* cef_request_create(void);
CEF_EXPORT cef_post_data_t* cef_post_data_create(void);
CEF_EXPORT cef_post_data_element_t* cef_post_data_element_create(void);

/* Streams. */
CEF_EXPORT cef_stream_reader_t* cef_stream_reader_create_for_file(const cef_string_t* fileName);
CEF_EXPORT cef_stream_reader_t* cef_stream_reader_create_for_data(void* data, size_t size);
CEF_EXPORT cef_stream_reader_t* cef_stream_reader_create_for_handler(cef_read_handler_t* handler);
CEF_EXPORT cef_stream_writer_t* cef_stream_writer_create_for_file(const cef_string_t* fileName);
CEF_EXPORT cef_stream_writer_t* cef_stream_writer_create_for_handler(cef_write_handler_t* handler);

/* Scripts. */
CEF_EXPORT cef_v8context_t* cef_v8context_get_current_context(void);
CEF_EXPORT cef_v8context_t* cef_v8context_get_entered_context(void);
CEF_EXPORT int cef_v8context_in_context(void);
CEF_EXPORT cef_v8value_t* cef_v8value_create_undefined(void);
CEF_EXPORT cef_v8value_t* cef_v8value_create_null(void);
CEF_EXPORT cef_v8value_t* cef_v8value_create_bool(int value);
CEF_EXPORT cef_v8value_t* cef_v8value_create_int(int32_t value);
CEF_EXPORT cef_v8value_t* cef_v8value_create_uint(uint32_t value);
CEF_EXPORT cef_v8value_t* cef_v8value_create_double(double value);
CEF_EXPORT cef_v8value_t* cef_v8value_create_date(const cef_time_t* date);
CEF_EXPORT cef_v8value_t* cef_v8value_create_string(const cef_string_t* value);
CEF_EXPORT cef_v8value_t* cef_v8value_create_object(void* accessor);
CEF_EXPORT cef_v8value_t* cef_v8value_create_array(int length);
CEF_EXPORT cef_v8value_t* cef_v8value_create_function(const cef_string_t* name, cef_v8handler_t* handler);
CEF_EXPORT cef_v8stack_trace_t* cef_v8stack_trace_get_current(int frame_limit);

CEF_EXPORT cef_xml_reader_t* cef_xml_reader_create(cef_stream_reader_t* stream, int encodingType,
                                                   const cef_string_t* URI);
CEF_EXPORT cef_zip_reader_t* cef_zip_reader_create(cef_stream_reader_t* stream);

CEF_EXPORT cef_string_multimap_t cef_string_multimap_alloc(void);
CEF_EXPORT int cef_string_multimap_size(cef_string_multimap_t map);
CEF_EXPORT int cef_string_multimap_find_count(cef_string_multimap_t map, const cef_string_t* key);
CEF_EXPORT int cef_string_multimap_enumerate(cef_string_multimap_t map, const cef_string_t* key, int value_index,
                                             cef_string_t* value);
CEF_EXPORT int cef_string_multimap_key(cef_string_multimap_t map, int index, cef_string_t* key);
CEF_EXPORT int cef_string_multimap_value(cef_string_multimap_t map, int index, cef_string_t* value);
CEF_EXPORT int cef_string_multimap_append(cef_string_multimap_t map, const cef_string_t* key,
                                          const cef_string_t* value);
CEF_EXPORT void cef_string_multimap_clear(cef_string_multimap_t map);
CEF_EXPORT void cef_string_multimap_free(cef_string_multimap_t map);

CEF_EXPORT int cef_build_revision(void);
CEF_EXPORT cef_cookie_manager_t* cef_cookie_manager_get_global_manager(void);
CEF_EXPORT cef_cookie_manager_t* cef_cookie_manager_create_manager(const cef_string_t* path);
CEF_EXPORT cef_command_line_t* cef_command_line_create(void);
CEF_EXPORT cef_command_line_t* cef_command_line_get_global(void);
CEF_EXPORT cef_process_message_t* cef_process_message_create(const cef_string_t* name);
CEF_EXPORT cef_binary_value_t* cef_binary_value_create(const void* data, size_t data_size);
CEF_EXPORT cef_dictionary_value_t* cef_dictionary_value_create(void);
CEF_EXPORT cef_list_value_t* cef_list_value_create(void);
CEF_EXPORT int cef_get_path(cef_path_key_t key, cef_string_t* path);
CEF_EXPORT int cef_launch_process(cef_command_line_t* command_line);
CEF_EXPORT cef_response_t* cef_response_create(void);
CEF_EXPORT cef_urlrequest_t* cef_urlrequest_create(cef_request_t* request, cef_urlrequest_client_t* client);

/* Plug-ins. */
CEF_EXPORT void cef_visit_web_plugin_info(cef_web_plugin_info_visitor_t* visitor);
CEF_EXPORT void cef_refresh_web_plugins(void);
CEF_EXPORT void cef_add_web_plugin_path(const cef_string_t* path);
CEF_EXPORT void cef_add_web_plugin_directory(const cef_string_t* dir);
CEF_EXPORT void cef_remove_web_plugin_path(const cef_string_t* path);
CEF_EXPORT void cef_unregister_internal_web_plugin(const cef_string_t* path);
CEF_EXPORT void cef_force_web_plugin_shutdown(const cef_string_t* path);
CEF_EXPORT void cef_register_web_plugin_crash(const cef_string_t* path);
CEF_EXPORT void cef_is_web_plugin_unstable(const cef_string_t* path, cef_web_plugin_unstable_callback_t* callback);

CEF_EXPORT int cef_get_geolocation(cef_get_geolocation_callback_t* callback);
CEF_EXPORT cef_task_runner_t* cef_task_runner_get_for_current_thread(void);
CEF_EXPORT cef_task_runner_t* cef_task_runner_get_for_thread(cef_thread_id_t threadId);
CEF_EXPORT int cef_begin_tracing(const cef_string_t* categories);
CEF_EXPORT int cef_get_trace_buffer_percent_full_async(cef_get_trace_buffer_percent_full_callback_t* callback);
CEF_EXPORT int cef_end_tracing_async(const cef_string_t* tracing_file, cef_end_tracing_callback_t* callback);

/* Every entry point, in binding order, for tables built by the preprocessor. */
#define LUMO_CEF_ENTRY_POINTS(X)                                                                              \
    X(cef_string_wide_set) X(cef_string_utf8_set) X(cef_string_utf16_set) X(cef_string_wide_clear)            \
    X(cef_string_utf8_clear) X(cef_string_utf16_clear) X(cef_string_wide_cmp) X(cef_string_utf8_cmp)          \
    X(cef_string_utf16_cmp) X(cef_string_wide_to_utf8) X(cef_string_utf8_to_wide) X(cef_string_wide_to_utf16) \
    X(cef_string_utf16_to_wide) X(cef_string_utf8_to_utf16) X(cef_string_utf16_to_utf8)                       \
    X(cef_string_ascii_to_wide) X(cef_string_ascii_to_utf16) X(cef_string_userfree_wide_alloc)                \
    X(cef_string_userfree_utf8_alloc) X(cef_string_userfree_utf16_alloc) X(cef_string_userfree_wide_free)     \
    X(cef_string_userfree_utf8_free) X(cef_string_userfree_utf16_free) X(cef_string_map_alloc)                \
    X(cef_string_map_size) X(cef_string_map_find) X(cef_string_map_key) X(cef_string_map_value)               \
    X(cef_string_map_append) X(cef_string_map_clear) X(cef_string_map_free) X(cef_string_list_alloc)          \
    X(cef_string_list_size) X(cef_string_list_value) X(cef_string_list_append) X(cef_string_list_clear)       \
    X(cef_string_list_free) X(cef_string_list_copy) X(cef_initialize) X(cef_execute_process) X(cef_shutdown)  \
    X(cef_do_message_loop_work) X(cef_run_message_loop) X(cef_quit_message_loop) X(cef_register_extension)    \
    X(cef_register_scheme_handler_factory) X(cef_clear_scheme_handler_factories)                              \
    X(cef_add_cross_origin_whitelist_entry) X(cef_remove_cross_origin_whitelist_entry)                        \
    X(cef_clear_cross_origin_whitelist) X(cef_currently_on) X(cef_post_task) X(cef_post_delayed_task)         \
    X(cef_parse_url) X(cef_create_url) X(cef_browser_host_create_browser)                                     \
    X(cef_browser_host_create_browser_sync) X(cef_request_create) X(cef_post_data_create)                     \
    X(cef_post_data_element_create) X(cef_stream_reader_create_for_file) X(cef_stream_reader_create_for_data) \
    X(cef_stream_reader_create_for_handler) X(cef_stream_writer_create_for_file)                              \
    X(cef_stream_writer_create_for_handler) X(cef_v8context_get_current_context)                              \
    X(cef_v8context_get_entered_context) X(cef_v8context_in_context) X(cef_v8value_create_undefined)          \
    X(cef_v8value_create_null) X(cef_v8value_create_bool) X(cef_v8value_create_int) X(cef_v8value_create_uint) \
    X(cef_v8value_create_double) X(cef_v8value_create_date) X(cef_v8value_create_string)                      \
    X(cef_v8value_create_object) X(cef_v8value_create_array) X(cef_v8value_create_function)                   \
    X(cef_v8stack_trace_get_current) X(cef_xml_reader_create) X(cef_zip_reader_create)                        \
    X(cef_string_multimap_alloc) X(cef_string_multimap_size) X(cef_string_multimap_find_count)                \
    X(cef_string_multimap_enumerate) X(cef_string_multimap_key) X(cef_string_multimap_value)                  \
    X(cef_string_multimap_append) X(cef_string_multimap_clear) X(cef_string_multimap_free)                    \
    X(cef_build_revision) X(cef_cookie_manager_get_global_manager) X(cef_cookie_manager_create_manager)       \
    X(cef_command_line_create) X(cef_command_line_get_global) X(cef_process_message_create)                   \
    X(cef_binary_value_create) X(cef_dictionary_value_create) X(cef_list_value_create) X(cef_get_path)        \
    X(cef_launch_process) X(cef_response_create) X(cef_urlrequest_create) X(cef_visit_web_plugin_info)        \
    X(cef_refresh_web_plugins) X(cef_add_web_plugin_path) X(cef_add_web_plugin_directory)                     \
    X(cef_remove_web_plugin_path) X(cef_unregister_internal_web_plugin) X(cef_force_web_plugin_shutdown)      \
    X(cef_register_web_plugin_crash) X(cef_is_web_plugin_unstable) X(cef_get_geolocation)                     \
    X(cef_task_runner_get_for_current_thread) X(cef_task_runner_get_for_thread) X(cef_begin_tracing)          \
    X(cef_get_trace_buffer_percent_full_async) X(cef_end_tracing_async)

#ifdef __cplusplus
}
#endif

#endif
