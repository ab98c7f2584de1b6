#pragma once
#include <windows.h>

// The display scale as the system reports it. The calls that know a DPI per
// monitor came with Windows 10 (1607 and 1703); before them every window has
// the system's DPI, and these fall back to that.

// The DPI a window is shown at.
int windowDpi(HWND window);

// A system metric (SM_CXSMICON, SM_CXICON, ...) as it is at `dpi`.
int systemMetricForDpi(int index, int dpi);

// An icon resource at `size` pixels square: the image drawn for that size, or
// the nearest one the system scales. The caller destroys it.
HICON loadIconOfSize(HINSTANCE resources, int id, int size);

// An icon resource at the notification area's size: the small icon of the
// system's DPI, which is the taskbar's, whatever monitor the window is on.
HICON loadNotificationAreaIcon(HINSTANCE resources, int id);

// Keeps the dialog manager from handing `control` the dialog's own font when
// the dialog moves to a monitor of another scale: the control's font is one
// the program makes itself and sets again for the new DPI.
void keepOwnFontOnDpiChange(HWND control);
