// Entry points of the engine that this engine library does not offer (yet): each answers the
// engine's "not available" value (0, a null object, nothing) and releases the objects it was
// handed, as the reference rule asks. README.md beside this file lists them.
#include "engine/capi/cef_entry_points.h"

namespace {

template <typename Object>
void ReleaseArgument(Object* object)
{
    if (object && object->base.release)
        object->base.release(&object->base);
}

} // namespace

extern "C" {

int cef_register_extension(const cef_string_t* extension_name, const cef_string_t* javascript_code, cef_v8handler_t* handler)
{
    (void)extension_name;
    (void)javascript_code;
    ReleaseArgument(handler);
    return 0;
}

int cef_register_scheme_handler_factory(const cef_string_t* scheme_name, const cef_string_t* domain_name, cef_scheme_handler_factory_t* factory)
{
    (void)scheme_name;
    (void)domain_name;
    ReleaseArgument(factory);
    return 0;
}

int cef_clear_scheme_handler_factories(void)
{
    return 0;
}

int cef_add_cross_origin_whitelist_entry(const cef_string_t* source_origin, const cef_string_t* target_protocol, const cef_string_t* target_domain, int allow_target_subdomains)
{
    (void)source_origin;
    (void)target_protocol;
    (void)target_domain;
    (void)allow_target_subdomains;
    return 0;
}

int cef_remove_cross_origin_whitelist_entry(const cef_string_t* source_origin, const cef_string_t* target_protocol, const cef_string_t* target_domain, int allow_target_subdomains)
{
    (void)source_origin;
    (void)target_protocol;
    (void)target_domain;
    (void)allow_target_subdomains;
    return 0;
}

int cef_clear_cross_origin_whitelist(void)
{
    return 0;
}

int cef_currently_on(cef_thread_id_t threadId)
{
    (void)threadId;
    return 0;
}

int cef_post_task(cef_thread_id_t threadId, cef_task_t* task)
{
    (void)threadId;
    ReleaseArgument(task);
    return 0;
}

int cef_post_delayed_task(cef_thread_id_t threadId, cef_task_t* task, int64_t delay_ms)
{
    (void)threadId;
    (void)delay_ms;
    ReleaseArgument(task);
    return 0;
}

int cef_parse_url(const cef_string_t* url, cef_urlparts_t* parts)
{
    (void)url;
    (void)parts;
    return 0;
}

int cef_create_url(const cef_urlparts_t* parts, cef_string_t* url)
{
    (void)parts;
    (void)url;
    return 0;
}

cef_post_data_t* cef_post_data_create(void)
{
    return nullptr;
}

cef_post_data_element_t* cef_post_data_element_create(void)
{
    return nullptr;
}

cef_stream_reader_t* cef_stream_reader_create_for_file(const cef_string_t* fileName)
{
    (void)fileName;
    return nullptr;
}

cef_stream_reader_t* cef_stream_reader_create_for_data(void* data, size_t size)
{
    (void)data;
    (void)size;
    return nullptr;
}

cef_stream_reader_t* cef_stream_reader_create_for_handler(cef_read_handler_t* handler)
{
    ReleaseArgument(handler);
    return nullptr;
}

cef_stream_writer_t* cef_stream_writer_create_for_file(const cef_string_t* fileName)
{
    (void)fileName;
    return nullptr;
}

cef_stream_writer_t* cef_stream_writer_create_for_handler(cef_write_handler_t* handler)
{
    ReleaseArgument(handler);
    return nullptr;
}

cef_v8context_t* cef_v8context_get_current_context(void)
{
    return nullptr;
}

cef_v8context_t* cef_v8context_get_entered_context(void)
{
    return nullptr;
}

int cef_v8context_in_context(void)
{
    return 0;
}

cef_v8value_t* cef_v8value_create_undefined(void)
{
    return nullptr;
}

cef_v8value_t* cef_v8value_create_null(void)
{
    return nullptr;
}

cef_v8value_t* cef_v8value_create_bool(int value)
{
    (void)value;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_int(int32_t value)
{
    (void)value;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_uint(uint32_t value)
{
    (void)value;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_double(double value)
{
    (void)value;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_date(const cef_time_t* date)
{
    (void)date;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_string(const cef_string_t* value)
{
    (void)value;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_object(void* accessor)
{
    (void)accessor;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_array(int length)
{
    (void)length;
    return nullptr;
}

cef_v8value_t* cef_v8value_create_function(const cef_string_t* name, cef_v8handler_t* handler)
{
    (void)name;
    ReleaseArgument(handler);
    return nullptr;
}

cef_v8stack_trace_t* cef_v8stack_trace_get_current(int frame_limit)
{
    (void)frame_limit;
    return nullptr;
}

cef_xml_reader_t* cef_xml_reader_create(cef_stream_reader_t* stream, int encodingType, const cef_string_t* URI)
{
    (void)encodingType;
    (void)URI;
    ReleaseArgument(stream);
    return nullptr;
}

cef_zip_reader_t* cef_zip_reader_create(cef_stream_reader_t* stream)
{
    ReleaseArgument(stream);
    return nullptr;
}

int cef_build_revision(void)
{
    return 0;
}

cef_cookie_manager_t* cef_cookie_manager_get_global_manager(void)
{
    return nullptr;
}

cef_cookie_manager_t* cef_cookie_manager_create_manager(const cef_string_t* path)
{
    (void)path;
    return nullptr;
}

cef_process_message_t* cef_process_message_create(const cef_string_t* name)
{
    (void)name;
    return nullptr;
}

cef_binary_value_t* cef_binary_value_create(const void* data, size_t data_size)
{
    (void)data;
    (void)data_size;
    return nullptr;
}

cef_dictionary_value_t* cef_dictionary_value_create(void)
{
    return nullptr;
}

cef_list_value_t* cef_list_value_create(void)
{
    return nullptr;
}

int cef_get_path(cef_path_key_t key, cef_string_t* path)
{
    (void)key;
    (void)path;
    return 0;
}

int cef_launch_process(cef_command_line_t* command_line)
{
    ReleaseArgument(command_line);
    return 0;
}

cef_response_t* cef_response_create(void)
{
    return nullptr;
}

cef_urlrequest_t* cef_urlrequest_create(cef_request_t* request, cef_urlrequest_client_t* client)
{
    ReleaseArgument(request);
    ReleaseArgument(client);
    return nullptr;
}

void cef_visit_web_plugin_info(cef_web_plugin_info_visitor_t* visitor)
{
    ReleaseArgument(visitor);
}

void cef_refresh_web_plugins(void)
{

}

void cef_add_web_plugin_path(const cef_string_t* path)
{
    (void)path;
}

void cef_add_web_plugin_directory(const cef_string_t* dir)
{
    (void)dir;
}

void cef_remove_web_plugin_path(const cef_string_t* path)
{
    (void)path;
}

void cef_unregister_internal_web_plugin(const cef_string_t* path)
{
    (void)path;
}

void cef_force_web_plugin_shutdown(const cef_string_t* path)
{
    (void)path;
}

void cef_register_web_plugin_crash(const cef_string_t* path)
{
    (void)path;
}

void cef_is_web_plugin_unstable(const cef_string_t* path, cef_web_plugin_unstable_callback_t* callback)
{
    (void)path;
    ReleaseArgument(callback);
}

int cef_get_geolocation(cef_get_geolocation_callback_t* callback)
{
    ReleaseArgument(callback);
    return 0;
}

cef_task_runner_t* cef_task_runner_get_for_current_thread(void)
{
    return nullptr;
}

cef_task_runner_t* cef_task_runner_get_for_thread(cef_thread_id_t threadId)
{
    (void)threadId;
    return nullptr;
}

int cef_begin_tracing(const cef_string_t* categories)
{
    (void)categories;
    return 0;
}

int cef_get_trace_buffer_percent_full_async(cef_get_trace_buffer_percent_full_callback_t* callback)
{
    ReleaseArgument(callback);
    return 0;
}

int cef_end_tracing_async(const cef_string_t* tracing_file, cef_end_tracing_callback_t* callback)
{
    (void)tracing_file;
    ReleaseArgument(callback);
    return 0;
}

} // extern "C"
