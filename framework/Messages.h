#pragma once
// The framework's own messages: component messages (CM_*) between controls and their parents,
// and control notifications reflected from a parent back to the child that caused them (CN_*).
#include <windows.h>

namespace pelorine {

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 3;
// A control's colour or font was set; parts that follow it take it over.
constexpr UINT CM_COLORCHANGED = CM_BASE + 0x0D;
constexpr UINT CM_FONTCHANGED = CM_BASE + 0x0E;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;
// A button of a group went down: WPARAM the group index, LPARAM the sending control.
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 0x18;
// A screen reader asked for the control's default action (it runs after the reader's call).
constexpr UINT CM_ACCESSIBLEACTION = CM_BASE + 0x20;
// Reports an error that happened while painting, once the paint is over.
constexpr UINT CM_PAINTFAILED = CM_BASE + 0x40;

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;

constexpr bool IsReflected(UINT msg) { return msg >= CN_BASE && msg < CN_BASE + 0x400; }
// The framework's own messages, CM_ and CN_ together: the system has no default for them. The
// registered messages above them (0xC000 to 0xFFFF) are not ours.
constexpr bool IsFrameworkMessage(UINT msg) { return msg >= CM_BASE && msg < CN_BASE + 0x400; }

} // namespace pelorine
