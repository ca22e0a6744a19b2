#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

// What one system call gave: its return value, or the errno it failed with (0 when it worked).
struct SysResult {
    int value = 0;
    int error = 0;

    bool failed() const { return error != 0; }
};

// The few operating-system calls the ppdev backend makes. The real one goes to the kernel; tests
// put in a fake that records the calls and fails them with chosen errno values, so every path of
// the backend runs without a parallel port.
class PpdevSystem {
public:
    virtual ~PpdevSystem() = default;
    // Opens a device for reading and writing; the value is the file descriptor.
    virtual SysResult open(const std::string& path) = 0;
    // One ppdev request; `byte` is the request's one-byte argument, null for requests without one.
    virtual SysResult ioctl(int fd, unsigned long request, unsigned char* byte) = 0;
    virtual void close(int fd) = 0;
    // A small text file of the kernel's (a parport's base address); nothing when it cannot be read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // The names in a folder; none when the folder is missing or unreadable.
    virtual std::vector<std::string> entries(const std::string& folder) = 0;
};

std::unique_ptr<PpdevSystem> makeLinuxPpdevSystem();

}  // namespace orvex
