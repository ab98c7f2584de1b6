#pragma once
#include <windows.h>

#include <vector>

// A tick rewrites two or three cells of every running row, and the list view
// invalidates each one as it changes: under Wine a round trip to the display
// server every time, which cost most of the tick. While a ListRepaint lives
// it holds the list's drawing; when it ends, the list repaints once, and only
// the cells marked as changed that are in view (besides whatever was waiting
// to be painted anyway). It is meant for changes in place; rows added or
// removed meanwhile cost a whole repaint.
class ListRepaint {
public:
    explicit ListRepaint(HWND list);
    ~ListRepaint();
    ListRepaint(const ListRepaint&) = delete;
    ListRepaint& operator=(const ListRepaint&) = delete;

    void markCell(int row, int column);
    void markImage(int row);
    void markRow(int row);

private:
    // The changed parts of one row, from the leftmost to the rightmost: the
    // image is part 0, column c part c + 1. Column 0's text alone leaves
    // the image, which costs as much to draw again as a cell, as it was.
    struct Span {
        int first = -1;
        int last = -1;
        bool marked() const { return first >= 0; }
        bool operator==(const Span& other) const { return first == other.first && last == other.last; }
    };
    void mark(int row, int first, int last);
    void turnDrawingBackOn();
    void invalidateMarkedCellsInView();
    void invalidate(int firstRow, int lastRow, const Span& columns);
    int partLeft(int row, int part) const;
    int partRight(int row, int part) const;

    HWND list_;
    int rowsAtStart_;
    std::vector<Span> marked_;
};

// For tests under Wine: true has every ListRepaint turn the list's drawing
// back on the plain way, scroll bars and all, as it does on Windows.
void forcePlainListRedraw(bool plain);
