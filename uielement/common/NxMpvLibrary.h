#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

// libmpv and the codec libraries behind it (some 250 shared objects) are
// loaded when the first player is made, not when the program starts: the
// home page neither waits for them nor keeps their pages resident.
struct NxMpvLibrary {
    decltype(&mpv_create) create;
    decltype(&mpv_initialize) initialize;
    decltype(&mpv_set_option_string) set_option_string;
    decltype(&mpv_request_log_messages) request_log_messages;
    decltype(&mpv_set_wakeup_callback) set_wakeup_callback;
    decltype(&mpv_terminate_destroy) terminate_destroy;
    decltype(&mpv_set_property_async) set_property_async;
    decltype(&mpv_observe_property) observe_property;
    decltype(&mpv_command_async) command_async;
    decltype(&mpv_wait_event) wait_event;
    decltype(&mpv_error_string) error_string;
    decltype(&mpv_render_context_create) render_context_create;
    decltype(&mpv_render_context_free) render_context_free;
    decltype(&mpv_render_context_update) render_context_update;
    decltype(&mpv_render_context_render) render_context_render;
    decltype(&mpv_render_context_get_info) render_context_get_info;
    decltype(&mpv_render_context_set_update_callback) render_context_set_update_callback;

    // Loaded on the first call; null, logged once, when libmpv or one of its
    // functions cannot be found, so players report an error instead of crashing.
    static const NxMpvLibrary* instance();
};

// For code that holds a core, which exists only once the library is loaded.
inline const NxMpvLibrary* mpv()
{
    return NxMpvLibrary::instance();
}
