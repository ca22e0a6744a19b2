#include "files/SafeFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <thread>
#include <utility>

#include "files/PlainReason.h"

namespace orvex {
namespace {

// Why a write was refused, in the operator's words.
constexpr const char* WriteDenied = "writing was refused";

// What to do about a lock file of another user's, which keeps every save out while it is held.
constexpr const char* OtherUsersLock =
    ", so the settings cannot be saved beside it; remove it (it only keeps saves apart and holds "
    "nothing)";

// Removes the temporary unless the rename has consumed it.
class TemporaryFile {
public:
    TemporaryFile(int folder, std::string name) : folder_(folder), name_(std::move(name)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!renamed_) {
            ::unlinkat(folder_, name_.c_str(), 0);
        }
    }

    const std::string& name() const { return name_; }
    void renamed() { renamed_ = true; }

private:
    int folder_;
    std::string name_;
    bool renamed_ = false;
};

// Hidden, beside the file, with a part nobody can predict: a name planted in advance (a folder,
// a link) can neither block a save nor redirect it.
constexpr std::size_t RandomLength = 10;

std::string temporaryPrefix(const std::string& name) {
    return "." + name + ".tmp-";
}

std::string temporaryName(const std::string& name) {
    static constexpr std::string_view Letters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, Letters.size() - 1);
    std::string result = temporaryPrefix(name);
    for (std::size_t i = 0; i < RandomLength; ++i) {
        result += Letters[pick(random)];
    }
    return result;
}

// A copy killed during a save leaves its temporary behind. Under the lock no other copy is
// writing one, so every file of that form is such a leftover; links and folders of the same
// name are not ours and stay.
void removeLeftoverTemporaries(const SaveTarget& target) {
    const int listed = ::openat(target.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listed < 0) {
        return;  // a folder we may not list; the leftovers only cost space
    }
    DIR* folder = ::fdopendir(listed);
    if (folder == nullptr) {
        ::close(listed);
        return;
    }
    const std::string prefix = temporaryPrefix(target.name);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name(entry->d_name);
        struct stat info {};
        if (name.starts_with(prefix) && name.size() == prefix.size() + RandomLength &&
            ::fstatat(target.folder.get(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode)) {
            ::unlinkat(target.folder.get(), entry->d_name, 0);
        }
    }
    ::closedir(folder);
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileProblem(plainReason(errno, WriteDenied), errno);
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

void flushFolder(const SaveTarget& target) {
    // Makes the rename itself durable. The file is already replaced when this runs, so a
    // failure here (some file systems refuse to flush a folder) changes nothing we could report.
    const FileDescriptor folder(
        ::openat(target.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) {
        ::fsync(folder.get());
    }
}

std::optional<std::string> readOpened(const FileDescriptor& fd, std::size_t maxBytes,
                                      std::string_view kind) {
    if (!fd.valid()) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        if (errno == ELOOP) {
            throw FileProblem("it is a symbolic link where the file was a moment before");
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
    const auto tooLarge = [maxBytes, kind] {
        return FileProblem("it is larger than " + std::to_string(maxBytes >> 20) +
                           " MB, far too large for " + std::string(kind));
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

// Why the folder refused an entry: its owner and the fix when permission bits stop us.
FileProblem folderRefused(const SaveTarget& target, const WriteRights& rights, int error) {
    if ((error == EACCES || error == EPERM) && !rights.root()) {
        return FileProblem(rights.deniedReason(target.folderInfo, target.folderPath, false));
    }
    return FileProblem(plainReason(error, FolderReadOnly));
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                                         std::string_view kind) {
    // O_NONBLOCK: a FIFO at the path must not hang the program before fstat can refuse it.
    return readOpened(
        FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)),
        maxBytes, kind);
}

std::optional<std::string> readWholeFile(const SaveTarget& target, std::size_t maxBytes,
                                         std::string_view kind) {
    return readOpened(
        FileDescriptor(::openat(target.folder.get(), target.name.c_str(),
                                O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW)),
        maxBytes, kind);
}

SaveLock::SaveLock(const SaveTarget& target, std::chrono::milliseconds wait,
                   const WriteRights& rights)
    : fd_(-1) {
    const int folder = target.folder.get();
    rights.checkFolder(folder, target.folderInfo, target.folderPath, target.userLink);
    const std::string name = target.name + ".lock";
    const std::filesystem::path shown = target.folderPath / name;
    // Read-only is enough for flock, so the lock file is its owner's alone: one that others may
    // read would let any user who reaches the folder hold every save off. Never through a link:
    // it would make the lock file wherever the link points.
    constexpr int Flags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW;
    constexpr mode_t OwnerOnly = 0600;
    fd_ = FileDescriptor(::openat(folder, name.c_str(), Flags | O_CREAT | O_EXCL, OwnerOnly));
    const bool made = fd_.valid();
    if (!made && errno == EEXIST) {
        fd_ = FileDescriptor(::openat(folder, name.c_str(), Flags));
    }
    if (!fd_.valid()) {
        const int error = errno;
        struct stat info {};
        if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            throw folderRefused(target, rights, error);
        }
        if (S_ISLNK(info.st_mode)) {
            throw FileProblem("the lock file " + shown.string() +
                              " is a symbolic link, which is never followed; remove it");
        }
        if (error == EACCES && info.st_uid != ::geteuid()) {
            throw FileProblem("the lock file " + shown.string() + " belongs to " +
                                  userName(info.st_uid) + ", who alone may open it" +
                                  OtherUsersLock,
                              error);
        }
        throw FileProblem(plainReason(error, "you do not have permission to open the lock file " +
                                                 shown.string()),
                          error);
    }
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) {
        throw FileProblem(plainReason(errno, ReadDenied), errno);
    }
    if (info.st_uid == ::geteuid() && (info.st_mode & 07777) != OwnerOnly) {
        ::fchmod(fd_.get(), OwnerOnly);  // made by an older version, readable by everyone
    }
    if (rights.root() && info.st_uid == 0) {
        try {
            rights.giveToFolderOwner(fd_.get(), target.folderInfo);
        } catch (const FileProblem&) {
            if (made) {
                ::unlinkat(folder, name.c_str(), 0);
            }
            throw;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        if (errno != EWOULDBLOCK) {
            throw FileProblem("the lock file " + shown.string() +
                              " cannot be locked: " + plainReason(errno, PermissionDenied));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            if (info.st_uid != ::geteuid() && info.st_uid != rights.invokingUser()) {
                throw FileProblem("the lock file " + shown.string() + " belongs to " +
                                      userName(info.st_uid) + " and is held" + OtherUsersLock,
                                  EWOULDBLOCK);
            }
            throw FileProblem(
                "another copy of the program is saving the settings and did not "
                "finish in time",
                EWOULDBLOCK);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void replaceFile(const SaveTarget& target, std::string_view bytes, const WriteRights& rights) {
    const int folder = target.folder.get();
    struct stat old {};
    const bool exists = ::fstatat(folder, target.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists) {
        rights.checkFile(old, target.folderInfo, target.path(), target.userLink, target.option);
        // A rename needs only the folder's permission, but a file its owner made read-only is
        // meant to stay as it is.
        if (!rights.root() &&
            ::faccessat(folder, target.name.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0) {
            throw FileProblem(rights.deniedReason(old, target.path(), true));
        }
    }
    rights.checkFolder(folder, target.folderInfo, target.folderPath, target.userLink);
    removeLeftoverTemporaries(target);

    FileDescriptor fd(-1);
    std::string name;
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        name = temporaryName(target.name);
        fd = FileDescriptor(::openat(folder, name.c_str(),
                                     O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!fd.valid() && errno != EEXIST) {
            throw folderRefused(target, rights, errno);
        }
    }
    if (!fd.valid()) {
        throw FileProblem(plainReason(EEXIST, FolderReadOnly));
    }
    TemporaryFile temporary(folder, name);

    if (exists) {
        keepPermissionsAndOwner(fd.get(), old);
    } else {
        rights.giveToFolderOwner(fd.get(), target.folderInfo);
    }
    writeAll(fd.get(), bytes);
    if (::fsync(fd.get()) != 0) {
        throw FileProblem(plainReason(errno, WriteDenied), errno);
    }
    // Network file systems may report a failed write only when the file is closed.
    if (::close(fd.release()) != 0) {
        throw FileProblem(plainReason(errno, WriteDenied), errno);
    }
    if (::renameat(folder, temporary.name().c_str(), folder, target.name.c_str()) != 0) {
        throw folderRefused(target, rights, errno);
    }
    temporary.renamed();
    flushFolder(target);
}

}  // namespace orvex
