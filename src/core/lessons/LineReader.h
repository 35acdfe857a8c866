#pragma once
// Reads a lesson or user text file the way the loaders need it: in pieces of at most
// 254 bytes that end at a line feed, from regular files only.

#include "TextDecoder.h"

#include <cstddef>
#include <memory>
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

    // Reads the whole open file to tell its encoding, then starts again at its beginning.
    [[nodiscard]] TextEncoding DetectEncoding();
    // From now on the reads deliver the file converted from `encoding` to code page 1250
    // (a file in code page 1250 is read as it is).
    void DecodeFrom(TextEncoding encoding);
    // What the conversion replaced so far; null while nothing is converted.
    [[nodiscard]] const TextDecoder* Decoder() const { return decoder_.get(); }

    // Replaces `line` with the next piece: its bytes up to and including the line feed.
    // CR LF counts as one line feed and comes back as "\n". Returns false when nothing
    // was left to read.
    bool Read(std::string& line);
    // Whether a read has run into the end of the file (also the read that delivered the
    // last line when it has no line feed).
    [[nodiscard]] bool AtEnd() const { return atEnd_; }

    // Removes the trailing bytes below 32 (line ends, tabs, other control characters);
    // inside the line a tab becomes one space and any other control character goes:
    // neither could be typed or shown.
    static void Clean(std::string& line);
    // The inside part of Clean, for a piece of a line whose end is still to come.
    static void CleanInside(std::string& text);

private:
    // The next byte, or -1 at the end of the file (a read error counts as the end).
    int Peek();

    int fd_ = -1;
    char buffer_[65536];
    std::unique_ptr<TextDecoder> decoder_;
    std::string decoded_;
    const char* data_ = buffer_; // what the reads take from: the file's bytes or decoded_
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool exhausted_ = false; // the file has nothing more to give
};
