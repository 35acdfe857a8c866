#pragma once
// Reads a whole data file of the program into memory, safely whatever lies in its place: only a
// regular file is read, a FIFO or a device is never waited on, and nothing larger than the
// caller's limit is taken.

#include <cstddef>
#include <string>

class WholeFile {
public:
    enum class Status {
        Read,       // the whole file is in `bytes`
        Missing,    // nothing at the path (or a link to nothing)
        NotRegular, // a directory, FIFO, device or socket
        TooLarge,   // more than the limit
        Unreadable, // there, but it could not be opened or read
    };

    struct Content {
        Status status = Status::Missing;
        std::string bytes; // empty unless Read
    };

    [[nodiscard]] static Content Read(const std::string& path, std::size_t maxBytes);
};
