#include "LineReader.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

LineReader::~LineReader() {
    Close();
}

bool LineReader::Open(const std::string& path) {
    Close();
    // A NUL would silently open a shorter path than the one asked for.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    // Non-blocking, so a FIFO without a writer cannot hang the program; the type is then
    // checked on what was actually opened, so nothing can be swapped in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void LineReader::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    begin_ = end_ = 0;
    atEnd_ = false;
    exhausted_ = false;
}

int LineReader::Peek() {
    if (begin_ == end_) {
        if (exhausted_ || fd_ < 0) {
            return -1;
        }
        ssize_t got = 0;
        do {
            got = ::read(fd_, buffer_, sizeof buffer_);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            exhausted_ = true;
            return -1;
        }
        begin_ = 0;
        end_ = static_cast<std::size_t>(got);
    }
    return static_cast<unsigned char>(buffer_[begin_]);
}

bool LineReader::Read(std::string& line) {
    line.clear();
    while (line.size() < kMaxRead) {
        if (Peek() < 0) {
            atEnd_ = true;
            break;
        }
        // Plain bytes are copied in one go, up to the next line end or the read limit.
        const std::size_t available = std::min(end_ - begin_, kMaxRead - line.size());
        const char* start = buffer_ + begin_;
        std::size_t plain = 0;
        while (plain < available && start[plain] != '\n' && start[plain] != '\r') {
            ++plain;
        }
        line.append(start, plain);
        begin_ += plain;
        if (plain == available) {
            continue;
        }
        const char c = buffer_[begin_++];
        // Text files from Windows end their lines in CR LF; counting it as one line feed
        // cuts long lines at the same place whichever line end the file uses.
        if (c == '\r' && Peek() == '\n') {
            ++begin_;
            line += '\n';
            return true;
        }
        line += c;
        if (c == '\n') {
            return true;
        }
    }
    return !line.empty();
}

void LineReader::Clean(std::string& line) {
    while (!line.empty() && static_cast<unsigned char>(line.back()) < 32) {
        line.pop_back();
    }
    for (char& c : line) {
        if (c == '\0') {
            c = ' ';
        }
    }
}
