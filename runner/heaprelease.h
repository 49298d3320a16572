#ifndef HEAPRELEASE_H
#define HEAPRELEASE_H

// Gives the memory the program has freed back to the system. Once a reply of
// megabytes has been replaced, the C library would otherwise keep the freed
// heap for later, and the program would stay as large as the largest reply
// it ever read.
class HeapRelease {
public:
    // From now on, large blocks come straight from the system and go back to
    // it when freed, whichever thread made them (the C library would raise
    // that limit after each large block and keep the next ones in its heaps).
    static void returnLargeBlocks();
    // Gives back what the heaps hold free.
    static void now();
};

#endif // HEAPRELEASE_H
