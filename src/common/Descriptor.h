#pragma once
// An open file descriptor that is closed when it goes out of scope.

#include <unistd.h>

#include <utility>

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    [[nodiscard]] int Get() const { return fd_; }
    // Closes now, so a failure to flush can be seen.
    bool Close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }
    void Reset(int fd) {
        Close();
        fd_ = fd;
    }

private:
    int fd_;
};
