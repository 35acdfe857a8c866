#pragma once
// Reads a lesson or user text file the way the loaders need it: in pieces of at most
// 254 bytes that end at a line feed, from regular files only.

#include <cstddef>
#include <string>

class LineReader {
public:
    // One read takes at most this many bytes, the line feed included; the rest of a
    // longer line comes with the next read.
    static constexpr std::size_t kMaxRead = 254;

    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    // Opens a regular file for reading. Anything else (a directory, a FIFO, a device, a
    // path that cannot be opened) fails, without ever blocking.
    [[nodiscard]] bool Open(const std::string& path);
    void Close();

    // Replaces `line` with the next piece: its bytes up to and including the line feed.
    // CR LF counts as one line feed and comes back as "\n". Returns false when nothing
    // was left to read.
    bool Read(std::string& line);
    // Whether a read has run into the end of the file (also the read that delivered the
    // last line when it has no line feed).
    [[nodiscard]] bool AtEnd() const { return atEnd_; }

    // Removes the trailing bytes below 32 (line ends, tabs, other control characters).
    // A NUL byte left inside the line becomes a space: it cannot be typed or shown.
    static void Clean(std::string& line);

private:
    // The next byte, or -1 at the end of the file (a read error counts as the end).
    int Peek();

    int fd_ = -1;
    char buffer_[65536];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool exhausted_ = false; // the file has nothing more to give
};
