// Cursors and the pointer position, as the backend shows them.
#include "platform/window/WindowInternal.h"

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
    HCURSOR old = s.input.cursorShape;
    if (old != cursor) {
        s.input.cursorShape = cursor;
        TheBackend().SetCursorShape(cursor);
    }
    return old;
}

HCURSOR GetCursor()
{
    return S().input.cursorShape;
}

bool GetCursorPos(POINT* p)
{
    if (!p)
        return false;
    *p = S().input.cursor;
    return true;
}

bool SetCursorPos(int x, int y)
{
    TheBackend().WarpCursor(POINT{x, y});
    InputEvent e;
    e.kind = InputEvent::Kind::MouseMove;
    e.pt = POINT{x, y};
    QueueInputEvent(e);
    S().input.cursor = e.pt;
    return true;
}

} // namespace platform
