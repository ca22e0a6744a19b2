#include "hardware/trace/TraceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include <ext/stdio_filebuf.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;

// A stream writing to a file descriptor, which it closes at the end.
class DescriptorStream : public std::ostream {
public:
    explicit DescriptorStream(int fd) : std::ostream(nullptr), buffer_(fd, std::ios::out, 1 << 16) {
        rdbuf(&buffer_);
    }

private:
    __gnu_cxx::stdio_filebuf<char> buffer_;
};

// Closes the descriptor unless it was handed on.
class Opened {
public:
    explicit Opened(int fd) : fd_(fd) {}
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;
    ~Opened() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string refused(const std::string& path, const std::string& why) {
    return "The port trace " + path + " " + why + "; the receiver runs on without a trace";
}

bool isDevNull(const struct stat& info) {
    return S_ISCHR(info.st_mode) && info.st_rdev == makedev(1, 3);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The file a path leads to, through links even when their target is not there yet.
fs::path resolved(fs::path path) {
    std::error_code error;
    for (int links = 0; links < 40 && fs::is_symlink(path, error); ++links) {
        const fs::path target = fs::read_symlink(path, error);
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return fs::weakly_canonical(path, error);
}

// Whether the trace would write into the settings file: the same file when both are there, or
// the same path, links followed, when neither is yet.
bool leadsToSettings(const std::string& path, const std::string& settingsPath) {
    if (settingsPath.empty()) {
        return false;
    }
    struct stat trace {};
    struct stat settings {};
    const bool traceThere = ::stat(path.c_str(), &trace) == 0;
    const bool settingsThere = ::stat(settingsPath.c_str(), &settings) == 0;
    if (traceThere && settingsThere) {
        return sameFile(trace, settings);
    }
    return !traceThere && !settingsThere && resolved(path) == resolved(settingsPath);
}

// A root run (sudo) making a trace in a user's folder gives it to that user.
void giveToFolderOwner(int fd, const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    struct stat info {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) == 0 && info.st_uid != 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, info.st_uid, info.st_gid);
    }
}

}  // namespace

std::variant<std::unique_ptr<std::ostream>, std::string> openTraceFile(
    const std::string& path, const std::string& settingsPath) {
    constexpr const char* SettingsFile =
        "is the settings file, which a trace would empty: name another file";
    if (leadsToSettings(path, settingsPath)) {
        return refused(path, SettingsFile);
    }
    const bool root = ::geteuid() == 0;
    // Checked again on the open file below, for a file that changed in between.
    // O_NONBLOCK: opening a FIFO that nobody reads fails at once instead of waiting for a reader.
    const int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (root ? O_NOFOLLOW : 0);
    int opened = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
    const bool created = opened >= 0;
    if (!created && errno == EEXIST) {
        // There already, or a link (which O_EXCL never follows) that may lead to a new file.
        opened = ::open(path.c_str(), flags | (root ? 0 : O_CREAT), 0666);
    }
    if (opened < 0) {
        switch (errno) {
            case ENXIO:
                return refused(path, "is not a regular file: name a regular file, or /dev/null");
            case ELOOP:
                return refused(path,
                               "is a symbolic link, and a program run with root rights writes no "
                               "trace through a link: name the file itself");
            case EISDIR:
                return refused(path, "is a folder: name a file in it");
            default:
                return "Cannot create the port trace " + path + " (" +
                       std::generic_category().message(errno) +
                       "): choose a folder you may write to; the receiver runs on without a trace";
        }
    }
    Opened fd(opened);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !(S_ISREG(info.st_mode) || isDevNull(info))) {
        return refused(path, "is not a regular file: name a regular file, or /dev/null");
    }
    struct stat settings {};
    if (!settingsPath.empty() && ::stat(settingsPath.c_str(), &settings) == 0 &&
        sameFile(info, settings)) {
        if (created) {
            ::unlink(path.c_str());
        }
        return refused(path, SettingsFile);
    }
    if (S_ISREG(info.st_mode)) {
        if (::ftruncate(fd.get(), 0) != 0) {
            return "Cannot empty the port trace " + path + " (" +
                   std::generic_category().message(errno) +
                   "): choose another file; the receiver runs on without a trace";
        }
        ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    }
    if (root && created) {
        giveToFolderOwner(fd.get(), path);
    }
    return std::make_unique<DescriptorStream>(fd.release());
}

}  // namespace orvex
