// The clipboard through GTK's CLIPBOARD selection.
#include "platform/backend/gtk/GtkBackendInternal.h"

#include "platform/core/Types.h"

#include <string>

namespace platform::gtk {

String GtkBackend::ClipboardText()
{
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gchar* text = gtk_clipboard_wait_for_text(clipboard);
    if (!text)
        return {};
    String result = Utf8ToUtf16(text);
    g_free(text);
    return result;
}

void GtkBackend::SetClipboardText(StringView text)
{
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    std::string utf8 = Utf16ToUtf8(text);
    gtk_clipboard_set_text(clipboard, utf8.c_str(), int(utf8.size()));
    gtk_clipboard_store(clipboard);
}

} // namespace platform::gtk
