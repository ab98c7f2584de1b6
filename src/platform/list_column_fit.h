#pragma once
#include <windows.h>

// A report list's columns fitted to what they show: each shown column at
// least as wide as its header's text, and one column (the widest content)
// taking whatever width the others leave of the list.

// The room a column keeps on either side of its text: the header's margin.
// The list's cells keep as much or less beside theirs, so a cell's text is
// whole when it is narrower than the cell less this room on both sides.
int columnTextMargin(HWND listView);

// The width that shows a column's header text whole: the text in the
// header's font and the margin on either side of it.
int headerTextWidth(HWND listView, int column);

// Widens every shown column but `fillColumn` to its header's text (hidden
// columns, 0 wide, stay hidden), then lets `fillColumn` take the rest.
void fitColumnsToHeaders(HWND listView, int fillColumn);

// Gives `fillColumn` the list's client width less the other columns', and
// never less than its own header's text.
void fillWithColumn(HWND listView, int fillColumn);

// After the list's own handling of a message: `fillColumn` follows the
// list's client width, which a vertical scroll bar coming or going changes
// too, and the other columns' widths as the user drags them; a new font (a
// new display scale) widens the columns again to their headers.
void columnsFollowList(HWND listView, UINT message, LPARAM lParam, int fillColumn);
