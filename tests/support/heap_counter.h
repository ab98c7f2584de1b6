#pragma once

// The program that links heap_counter.cpp counts its own heap: it replaces
// the global operator new and delete with ones that keep a tally of the
// blocks alive. Only the soak tests link it.
struct HeapCount {
    long long blocks = 0;
    long long bytes = 0;
};

HeapCount liveHeap();
