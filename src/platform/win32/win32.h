// Shared by the Win32 backend's sources. Inside namespace platform, windows.h's names are reached
// with "::" where the platform has one of the same name (::ShowWindow, ::DestroyWindow).
#pragma once

#include "platform/display.h"
#include "platform/files.h"
#include "platform/geometry.h"
#include "platform/input.h"
#include "platform/loop.h"
#include "platform/process.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which lean-and-mean leaves without them.
#include <commdlg.h>
#include <mmsystem.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace platform::win32 {

inline HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }
inline WindowHandle FromHwnd(HWND h) { return reinterpret_cast<WindowHandle>(h); }

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// OLE for drops and the dialogs; once, on the UI thread.
void EnsureUiThreadInit();

// GDI font for a platform font, cached for the life of the process.
HFONT FontFor(const Font& f);

// Paints a window double-buffered: background first, then the listener.
void PaintWindow(HWND hwnd, WindowListener* listener, Color background);

// Registers hwnd as an OLE drop target that reports to listener; revoked with the window.
void RegisterDropTarget(HWND hwnd, WindowListener* listener);
void RevokeDropTarget(HWND hwnd);

// The first form window of those alive, the one an end request goes to; null while there is none.
HWND FirstFormWindow();

// The hand cursor made by SetHandCursor, or the system's hand before that.
HCURSOR HandCursor();

// Ticks go to this message-only window of the UI thread.
constexpr UINT kTickMessage = WM_APP + 1;
LRESULT HandleTick(WPARAM id);
// RunPendingEvents' end-of-batch markers: posted in increasing order, seen as they are dispatched.
WPARAM PostMarker();
WPARAM LastMarkerSeen();
// Runs fn on the UI thread from its message loop, from whichever thread calls; the UI thread must
// have made a timer or called this first.
void RunOnUiThread(std::function<void()> fn);

// The primary monitor's DPI is kept between readings; a change of the displays or of their scale
// calls this.
void ForgetDpi();
// The calling thread is the UI thread, whose windows a read of the screen leaves out from any
// thread (the hooks' reads the screen at each press).
void NoteUiThread();

}  // namespace platform::win32
