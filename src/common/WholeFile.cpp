#include "WholeFile.h"

#include "Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

WholeFile::Content WholeFile::Read(const std::string& path, std::size_t maxBytes) {
    Content content;
    // A NUL would silently open a shorter path than the one asked for.
    if (path.empty() || path.find('\0') != std::string::npos) {
        return content;
    }
    // Non-blocking, so that a FIFO without a writer cannot stop the window; the type is then
    // checked on what was opened, so nothing can be swapped in between.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        content.status = errno == ENOENT || errno == ENOTDIR ? Status::Missing : Status::Unreadable;
        return content;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        content.status = Status::Unreadable;
        return content;
    }
    if (!S_ISREG(info.st_mode)) {
        content.status = Status::NotRegular;
        return content;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        content.status = Status::TooLarge;
        return content;
    }
    content.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    // One byte past the limit tells a file that grew since fstat from one that ends there.
    while (content.bytes.size() <= maxBytes) {
        const std::size_t wanted = std::min(sizeof buffer, maxBytes + 1 - content.bytes.size());
        const ssize_t got = ::read(file.Get(), buffer, wanted);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            content.bytes.clear();
            content.status = Status::Unreadable;
            return content;
        }
        if (got == 0) {
            break;
        }
        content.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (content.bytes.size() > maxBytes) {
        content.bytes.clear();
        content.status = Status::TooLarge;
        return content;
    }
    content.status = Status::Read;
    return content;
}
