#ifndef HEAPRELEASE_H
#define HEAPRELEASE_H

// Gives the memory the program has freed back to the system. Once a reply of
// megabytes has been replaced, the C library would otherwise keep the freed
// heap for later, and the program would stay as large as the largest reply
// it ever read.
class HeapRelease {
public:
    static void now();
};

#endif // HEAPRELEASE_H
