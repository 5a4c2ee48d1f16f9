#pragma once
// What a screen reader learns of a control. The window answers WM_GETOBJECT for its client area
// with the system's standard object for the window, wrapped: the control's object overrides the
// answers it knows better (name, description, role, state, value, default action), and every
// other question, and every question about a part of the control, goes to the standard object.
#include <windows.h>

namespace pelorine {

// The reply to WM_GETOBJECT (wp, lp) for the window of a control of ours; 0 leaves the question
// to the system, as for objects other than the client area.
LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp);

// Tells screen readers that the client area's state, value or focus changed.
void NotifyAccessible(HWND wnd, DWORD event);

} // namespace pelorine
