// What screen readers learn of ThVirtualListBox: a list (ROLE_SYSTEM_LIST)
// of items (ROLE_SYSTEM_LISTITEM) named by the list's owner, with their
// selection, focus and places on screen. The control has no system class
// behind it, so no proxy of the system's accessibility layer describes it.
#pragma once

#include <windows.h>

namespace typorama::ui {

// The answer to WM_GETOBJECT with OBJID_CLIENT for the list window `list`
// (wParam as the message gave it); 0 when no object could be made.
LRESULT AnswerAccessibleQuery(HWND list, WPARAM wParam);

}  // namespace typorama::ui
