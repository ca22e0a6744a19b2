#include "FakePpdevSystem.h"

#include <cerrno>

#include "hardware/ppdev/PpdevRequests.h"

namespace orvex {
namespace {

std::string requestName(unsigned long request) {
    // clang-format off
    const std::map<unsigned long, std::string> names{
        {ppdev::Exclusive, "EXCL"},        {ppdev::Claim, "CLAIM"},
        {ppdev::Release, "RELEASE"},       {ppdev::WriteData, "WDATA"},
        {ppdev::WriteControl, "WCONTROL"}, {ppdev::ReadData, "RDATA"},
        {ppdev::ReadStatus, "RSTATUS"},    {ppdev::ReadControl, "RCONTROL"},
    };
    // clang-format on
    const auto found = names.find(request);
    return found != names.end() ? found->second : "request " + std::to_string(request);
}

bool carriesWrittenByte(unsigned long request) {
    return request == ppdev::WriteData || request == ppdev::WriteControl;
}

}  // namespace

SysResult FakePpdevSystem::open(const std::string& path) {
    kernel_.calls.push_back("open " + path);
    if (const auto error = kernel_.openErrors.find(path); error != kernel_.openErrors.end()) {
        return {-1, error->second};
    }
    if (!kernel_.devices.contains(path)) {
        return {-1, ENOENT};
    }
    kernel_.openFds.insert(kernel_.nextFd);
    return {kernel_.nextFd++, 0};
}

SysResult FakePpdevSystem::ioctl(int fd, unsigned long request, unsigned char* byte) {
    std::string call = std::to_string(fd) + " " + requestName(request);
    if (carriesWrittenByte(request)) {
        call += " " + std::to_string(*byte);
    }
    kernel_.calls.push_back(call);
    if (!kernel_.openFds.contains(fd)) {
        return {-1, EBADF};
    }
    if (const auto error = kernel_.requestErrors.find(request);
        error != kernel_.requestErrors.end()) {
        return {-1, error->second};
    }
    if (request == ppdev::ReadStatus) {
        *byte = kernel_.status;
    }
    return {};
}

void FakePpdevSystem::close(int fd) {
    kernel_.calls.push_back("close " + std::to_string(fd));
    kernel_.openFds.erase(fd);
}

std::optional<std::string> FakePpdevSystem::readFile(const std::string& path) {
    const auto file = kernel_.files.find(path);
    return file != kernel_.files.end() ? std::optional(file->second) : std::nullopt;
}

std::vector<std::string> FakePpdevSystem::entries(const std::string& folder) {
    const auto found = kernel_.folders.find(folder);
    return found != kernel_.folders.end() ? found->second : std::vector<std::string>{};
}

}  // namespace orvex
