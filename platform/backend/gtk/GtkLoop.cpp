// The message loop's clock and wait: the GLib main context, which GTK's widgets run on too.
#include "platform/backend/gtk/GtkBackendInternal.h"

#include "platform/window/Message.h"

namespace platform::gtk {

void GtkBackend::PollEvents()
{
    FollowCapture();
    gdk_display_flush(gdk_display_get_default());
    // Bounded, so that a source that is always ready cannot keep the messages waiting.
    for (int i = 0; i < 256 && g_main_context_iteration(nullptr, FALSE); ++i) {
    }
}

void GtkBackend::WaitForEvents(DWORD timeoutMs)
{
    FollowCapture();
    gdk_display_flush(gdk_display_get_default());
    if (timeoutMs == 0) {
        PollEvents();
        return;
    }
    guint timer = 0;
    if (timeoutMs != INFINITE)
        timer = g_timeout_add(timeoutMs, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr);
    // GTK's own sources wake the loop too; the message loop simply waits again then.
    g_main_context_iteration(nullptr, TRUE);
    if (timer) {
        if (GSource* source = g_main_context_find_source_by_id(nullptr, timer))
            g_source_destroy(source);
    }
    PollEvents();
}

} // namespace platform::gtk
