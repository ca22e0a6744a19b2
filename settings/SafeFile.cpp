#include "settings/SafeFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <thread>
#include <utility>

#include "settings/PlainReason.h"

namespace orvex {
namespace {

// Why an access was denied, in the operator's words.
constexpr const char* ReadDenied = "you do not have permission to read it";
constexpr const char* WriteDenied = "writing was refused";
constexpr const char* FolderReadOnly = "the folder is read-only";
constexpr const char* PermissionDenied = "permission denied";

// Removes the temporary unless the rename has consumed it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!renamed_) {
            ::unlink(path_.c_str());
        }
    }

    const std::filesystem::path& path() const { return path_; }
    void renamed() { renamed_ = true; }

private:
    std::filesystem::path path_;
    bool renamed_ = false;
};

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileProblem(plainReason(errno, WriteDenied));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void keepPermissionsAndOwner(int fd, const struct stat& old) {
    // Only root can give a file away; for anyone else the new file is theirs anyway. Without
    // this, a run under sudo would leave the operator a settings file owned by root.
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
        [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        throw FileProblem("its permissions could not be kept: " +
                          plainReason(errno, PermissionDenied));
    }
}

void flushFolder(const std::filesystem::path& folder) {
    // Makes the rename itself durable. The file is already replaced when this runs, so a
    // failure here (some file systems refuse to flush a folder) changes nothing we could report.
    const FileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());
    }
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    // O_NONBLOCK: a FIFO at the path must not hang the program before fstat can refuse it.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throw FileProblem(plainReason(errno, ReadDenied));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        throw FileProblem(plainReason(errno, ReadDenied));
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileProblem(IsAFolder);
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileProblem("it is not a regular file");
    }
    const auto tooLarge = [maxBytes] {
        return FileProblem("it is larger than " + std::to_string(maxBytes >> 20) +
                           " MB, far too large for a settings file");
    };
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        throw tooLarge();
    }
    std::string bytes;
    std::string chunk(64 * 1024, '\0');
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileProblem(plainReason(errno, ReadDenied));
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) {  // it grew while we read
            throw tooLarge();
        }
    }
}

void createFolders(const std::filesystem::path& folder) {
    if (folder.empty()) {
        return;  // the current folder
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode)) {
            throw FileProblem("the folder cannot be created because " + folder.string() +
                              " is a file, not a folder");
        }
        return;
    }
    if (errno != ENOENT && errno != ENOTDIR) {
        throw FileProblem("the folder " + folder.string() + " cannot be reached: " +
                          plainReason(errno, "you do not have permission to open it"));
    }
    if (folder.parent_path() != folder) {
        createFolders(folder.parent_path());
    }
    // EEXIST: another copy made it in the meantime.
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw FileProblem("the folder " + folder.string() + " could not be created: " +
                          plainReason(errno, "its parent folder is read-only"));
    }
}

SaveLock::SaveLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait)
    // Read-only is enough for flock, and lets a lock file made by another user serve as well.
    : fd_(::open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666)) {
    if (!fd_.valid()) {
        const int error = errno;
        const bool exists = ::access(lockFile.c_str(), F_OK) == 0;
        throw FileProblem(plainReason(
            error, exists ? "you do not have permission to open the lock file " + lockFile.string()
                          : std::string(FolderReadOnly)));
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            throw FileProblem("the lock file " + lockFile.string() +
                              " cannot be locked: " + plainReason(errno, PermissionDenied));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            throw FileProblem(
                "another copy of the program is saving the settings and did not "
                "finish in time");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void replaceFile(const std::filesystem::path& path, std::string_view bytes) {
    struct stat old {};
    const bool exists = ::stat(path.c_str(), &old) == 0;
    // A rename needs only the folder's permission, but a file its owner made read-only is meant
    // to stay as it is.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        throw FileProblem(plainReason(errno, "the file is read-only"));
    }

    std::filesystem::path temporaryPath = path;
    temporaryPath += ".tmp";
    ::unlink(temporaryPath.c_str());  // left over from a crash; we hold the lock
    FileDescriptor fd(
        ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (!fd.valid()) {
        throw FileProblem(plainReason(errno, FolderReadOnly));
    }
    TemporaryFile temporary(temporaryPath);

    if (exists) {
        keepPermissionsAndOwner(fd.get(), old);
    }
    writeAll(fd.get(), bytes);
    if (::fsync(fd.get()) != 0) {
        throw FileProblem(plainReason(errno, WriteDenied));
    }
    // Network file systems may report a failed write only when the file is closed.
    if (::close(fd.release()) != 0) {
        throw FileProblem(plainReason(errno, WriteDenied));
    }
    if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
        throw FileProblem(plainReason(errno, FolderReadOnly));
    }
    temporary.renamed();
    flushFolder(path.parent_path());
}

}  // namespace orvex
