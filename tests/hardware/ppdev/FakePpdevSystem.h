#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {

// What the fake kernel holds: device files, the /proc files that describe them, and a log of every
// call in a form tests compare as a whole ("open /dev/parport0", "3 WCONTROL 11", "close 3"). Calls
// fail with the errno a test chooses. The test keeps it, so it outlives the backend.
struct FakeKernel {
    std::set<std::string> devices;               // paths that open; any other gives ENOENT
    std::map<std::string, int> openErrors;       // path -> errno of its open
    std::map<unsigned long, int> requestErrors;  // request -> errno, every time it is made
    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<std::string>> folders;
    std::uint8_t status = 0;  // what a status read gives

    std::vector<std::string> calls;
    std::set<int> openFds;
    int nextFd = 3;
};

class FakePpdevSystem : public PpdevSystem {
public:
    explicit FakePpdevSystem(FakeKernel& kernel) : kernel_(kernel) {}

    SysResult open(const std::string& path) override;
    SysResult ioctl(int fd, unsigned long request, unsigned char* byte) override;
    void close(int fd) override;
    std::optional<std::string> readFile(const std::string& path) override;
    std::vector<std::string> entries(const std::string& folder) override;

private:
    FakeKernel& kernel_;
};

}  // namespace orvex
