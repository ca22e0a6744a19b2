#pragma once

#include <unistd.h>

#include <utility>  // std::exchange

namespace orvex {

// Owns a POSIX file descriptor and closes it once. release() hands the closing over to the
// caller, for the one place where the result of close() matters (a file we have written).
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            closeIfOpen();
            fd_ = other.release();
        }
        return *this;
    }
    ~FileDescriptor() { closeIfOpen(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release() { return std::exchange(fd_, -1); }

private:
    void closeIfOpen() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }

    int fd_;
};

}  // namespace orvex
