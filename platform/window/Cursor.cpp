// Cursors, the pointer position and the clipboard, all kept by the backend.
#include "platform/window/WindowInternal.h"

#include "platform/system/Clipboard.h"
#include "platform/window/Cursor.h"

namespace platform {

using namespace detail;

HCURSOR LoadCursor(HINSTANCE, CursorId id)
{
    static const CursorId cursors[] = {CursorId::Arrow,    CursorId::IBeam,    CursorId::Wait,   CursorId::Cross,
                                       CursorId::SizeNWSE, CursorId::SizeNESW, CursorId::SizeWE, CursorId::SizeNS,
                                       CursorId::SizeAll,  CursorId::No,       CursorId::Hand,   CursorId::AppStarting};
    auto index = std::size_t(id);
    return index < std::size(cursors) ? &cursors[index] : &cursors[0];
}

HCURSOR SetCursor(HCURSOR cursor)
{
    auto& s = S();
    HCURSOR old = s.cursorShape;
    if (old != cursor) {
        s.cursorShape = cursor;
        TheBackend().SetCursorShape(cursor);
    }
    return old;
}

HCURSOR GetCursor()
{
    return S().cursorShape;
}

bool GetCursorPos(POINT* p)
{
    if (!p)
        return false;
    *p = S().cursor;
    return true;
}

bool SetCursorPos(int x, int y)
{
    TheBackend().WarpCursor(POINT{x, y});
    InputEvent e;
    e.kind = InputEvent::Kind::MouseMove;
    e.pt = POINT{x, y};
    QueueInputEvent(e);
    S().cursor = e.pt;
    return true;
}

String GetClipboardText()
{
    return TheBackend().ClipboardText();
}

void SetClipboardText(StringView text)
{
    TheBackend().SetClipboardText(text);
}

} // namespace platform
