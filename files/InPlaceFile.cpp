#include "files/InPlaceFile.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

#include "files/PlainReason.h"

namespace orvex {
namespace {

// What may be written in place; anything else is refused with the error that says what it is.
void checkKind(const struct stat& info) {
    if (S_ISLNK(info.st_mode)) {
        throw FileProblem("it is a symbolic link", ELOOP);
    }
    if (S_ISDIR(info.st_mode)) {
        throw FileProblem(IsAFolder, EISDIR);
    }
    if (!S_ISREG(info.st_mode) && !isDevNull(info)) {
        throw FileProblem("it is not a regular file", ENXIO);
    }
}

}  // namespace

bool isDevNull(const struct stat& info) {
    return S_ISCHR(info.st_mode) && info.st_rdev == makedev(1, 3);
}

InPlaceFile openInPlace(const SaveTarget& target, const WriteRights& rights) {
    const int folder = target.folder.get();
    const char* name = target.name.c_str();
    rights.checkFolder(folder, target.folderInfo, target.folderPath, target.userLink);
    struct stat existing {};
    const bool exists = ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists) {
        checkKind(existing);
    }
    // O_NONBLOCK: whatever took the place of the file meanwhile, opening it must not wait.
    constexpr int Flags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW;
    InPlaceFile opened{
        FileDescriptor(::openat(folder, name, Flags | (exists ? 0 : O_CREAT | O_EXCL), 0666)),
        {},
        !exists};
    if (!opened.fd.valid()) {
        const int error = errno;
        throw FileProblem(plainReason(error, "writing was refused"), error);
    }
    if (::fstat(opened.fd.get(), &opened.info) != 0) {
        throw FileProblem(plainReason(errno, ReadDenied), errno);
    }
    try {
        checkKind(opened.info);
        if (opened.created) {
            rights.giveToFolderOwner(opened.fd.get(), target.folderInfo);
        } else {
            rights.checkFile(opened.info, target.folderInfo, target.path(), target.userLink,
                             target.option);
        }
    } catch (const FileProblem&) {
        if (opened.created) {
            ::unlinkat(folder, name, 0);
        }
        throw;
    }
    ::fcntl(opened.fd.get(), F_SETFL, ::fcntl(opened.fd.get(), F_GETFL) & ~O_NONBLOCK);
    return opened;
}

}  // namespace orvex
