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
    decoder_.reset();
    decoded_.clear();
    data_ = buffer_;
    begin_ = end_ = 0;
    atEnd_ = false;
    exhausted_ = false;
}

namespace {

// The next bytes of the file into `buffer`; 0 at its end (a read error counts as the end).
std::size_t ReadSome(int fd, char* buffer, std::size_t size) {
    ssize_t got = 0;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

} // namespace

TextEncoding LineReader::DetectEncoding() {
    TextEncodingDetector detector;
    if (fd_ < 0) {
        return detector.Result();
    }
    while (!detector.Decided()) {
        const std::size_t got = ReadSome(fd_, buffer_, sizeof buffer_);
        if (got == 0) {
            break;
        }
        detector.Feed(std::string_view(buffer_, got));
    }
    ::lseek(fd_, 0, SEEK_SET);
    begin_ = end_ = 0;
    exhausted_ = false;
    atEnd_ = false;
    return detector.Result();
}

void LineReader::DecodeFrom(TextEncoding encoding) {
    decoder_ = encoding == TextEncoding::Cp1250 ? nullptr : std::make_unique<TextDecoder>(encoding);
}

int LineReader::Peek() {
    while (begin_ == end_) {
        if (exhausted_ || fd_ < 0) {
            return -1;
        }
        const std::size_t got = ReadSome(fd_, buffer_, sizeof buffer_);
        begin_ = 0;
        if (!decoder_) {
            if (got == 0) {
                exhausted_ = true;
                return -1;
            }
            end_ = got;
            continue;
        }
        // A piece may decode to nothing (half a character, a dropped mark): read on.
        decoded_.clear();
        if (got == 0) {
            exhausted_ = true;
            decoder_->Finish(decoded_);
        } else {
            decoder_->Decode(std::string_view(buffer_, got), decoded_);
        }
        data_ = decoded_.data();
        end_ = decoded_.size();
    }
    return static_cast<unsigned char>(data_[begin_]);
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
        const char* start = data_ + begin_;
        std::size_t plain = 0;
        while (plain < available && start[plain] != '\n' && start[plain] != '\r') {
            ++plain;
        }
        line.append(start, plain);
        begin_ += plain;
        if (plain == available) {
            continue;
        }
        const char c = data_[begin_++];
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
    CleanInside(line);
}

void LineReader::CleanInside(std::string& text) {
    std::size_t kept = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            text[kept++] = ' ';
        } else if (byte >= 32 && byte != 0x7F) {
            text[kept++] = c;
        }
    }
    text.resize(kept);
}
