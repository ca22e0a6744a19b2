#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {
namespace {

class LinuxPpdevSystem : public PpdevSystem {
public:
    SysResult open(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        return fd < 0 ? SysResult{fd, errno} : SysResult{fd, 0};
    }

    // A claim may wait for the port and be interrupted by a signal; that is no failure.
    SysResult ioctl(int fd, unsigned long request, unsigned char* byte) override {
        int result = 0;
        do {
            result = ::ioctl(fd, request, byte);
        } while (result < 0 && errno == EINTR);
        return result < 0 ? SysResult{result, errno} : SysResult{result, 0};
    }

    void close(int fd) override { ::close(fd); }

    std::optional<std::string> readFile(const std::string& path) override {
        std::ifstream file(path);
        if (!file) {
            return std::nullopt;
        }
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::vector<std::string> entries(const std::string& folder) override {
        std::vector<std::string> names;
        std::error_code error;
        for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            names.push_back(it->path().filename().string());
        }
        return names;
    }
};

}  // namespace

std::unique_ptr<PpdevSystem> makeLinuxPpdevSystem() {
    return std::make_unique<LinuxPpdevSystem>();
}

}  // namespace orvex
