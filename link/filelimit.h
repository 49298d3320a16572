#ifndef FILELIMIT_H
#define FILELIMIT_H

// A program that talks to hundreds of devices at once needs as many sockets:
// it asks for what the system allows before the first.
class FileLimit {
public:
    static void raise();
};

#endif // FILELIMIT_H
