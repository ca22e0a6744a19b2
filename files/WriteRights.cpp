#include "files/WriteRights.h"

#include <linux/magic.h>
#include <pwd.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <system_error>
#include <vector>

#include "files/PlainReason.h"

namespace orvex {
namespace {

template <typename Id>
std::optional<Id> decimalId(const char* text) {
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    const std::string_view digits(text);
    Id id{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
    if (error != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return id;
}

// The file systems whose files are the kernel's controls rather than anyone's data: writing one
// changes the running system (/proc/sys/kernel/core_pattern), making a folder there can make a
// control group.
constexpr std::array<long, 9> KernelFileSystems{
    PROC_SUPER_MAGIC, SYSFS_MAGIC,        DEBUGFS_MAGIC,       TRACEFS_MAGIC, SECURITYFS_MAGIC,
    BPF_FS_MAGIC,     CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, EFIVARFS_MAGIC};

bool onKernelFileSystem(int fd) {
    struct statfs info {};
    return ::fstatfs(fd, &info) == 0 &&
           std::find(KernelFileSystems.begin(), KernelFileSystems.end(),
                     static_cast<long>(info.f_type)) != KernelFileSystems.end();
}

bool sharedStickyFolder(const struct stat& folder) {
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

// "0444": the permission bits in octal, as chmod takes them.
std::string modeText(mode_t mode) {
    std::array<char, 8> digits{};
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), mode & 07777, 8);
    const std::string octal(digits.data(), end);
    return std::string(4 - std::min<std::size_t>(octal.size(), 4), '0') + octal;
}

// The end of every refusal of a root run: the rule, and the way out that needs no root rights.
std::string underRootRights(const std::string& what) {
    return what +
           ", and a program run with root rights writes through no link, into no folder and over "
           "no file of another user; run it as yourself instead (join the lp group to reach the "
           "port)";
}

std::string behindUserLink(const std::string& what, uid_t linkOwner) {
    return what + " but was reached through a link of " + userName(linkOwner) +
           "'s, and a program run with root rights follows a user's link only to that user's own "
           "folders and files; run it as yourself instead (join the lp group to reach the port)";
}

}  // namespace

std::string userName(uid_t user) {
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_name != nullptr) {
        return found->pw_name;
    }
    return "user " + std::to_string(user);
}

WriteRights WriteRights::ofThisProcess() {
    return from(::geteuid(), ::getuid(), std::getenv("SUDO_UID"), std::getenv("SUDO_GID"));
}

WriteRights WriteRights::from(uid_t effective, uid_t real, const char* sudoUid,
                              const char* sudoGid) {
    const std::optional<uid_t> invoking = decimalId<uid_t>(sudoUid);
    if (!invoking) {
        return WriteRights(effective, real, std::nullopt);
    }
    return WriteRights(effective, *invoking, decimalId<gid_t>(sudoGid));
}

void WriteRights::checkLink(const struct stat& link, const struct stat& folder,
                            const std::filesystem::path& where, std::string_view option) const {
    if (sharedStickyFolder(folder) && link.st_uid != effective_ && link.st_uid != folder.st_uid) {
        throw FileProblem("the link " + where.string() + " belongs to " + userName(link.st_uid) +
                          ", and in the shared folder " + where.parent_path().string() +
                          " a link is followed only when it is yours; name the file itself "
                          "with " +
                          std::string(option));
    }
    if (root() && !trusted(link.st_uid)) {
        throw FileProblem(
            underRootRights("the link " + where.string() + " belongs to " + userName(link.st_uid)));
    }
}

void WriteRights::checkFolder(int folderFd, const struct stat& folder,
                              const std::filesystem::path& where,
                              std::optional<uid_t> userLink) const {
    if (!root()) {
        return;  // the kernel decides, and deniedReason() explains
    }
    if (onKernelFileSystem(folderFd)) {
        throw FileProblem("the folder " + where.string() +
                          " is one of the kernel's own, where a write changes the running "
                          "system, and a program run with root rights writes nothing there; name "
                          "a file in an ordinary folder");
    }
    const std::string what =
        "the folder " + where.string() + " belongs to " + userName(folder.st_uid);
    if (!trusted(folder.st_uid)) {
        throw FileProblem(underRootRights(what));
    }
    if (userLink && folder.st_uid != *userLink) {
        throw FileProblem(behindUserLink(what, *userLink));
    }
}

void WriteRights::checkFile(const struct stat& file, const struct stat& folder,
                            const std::filesystem::path& where, std::optional<uid_t> userLink,
                            std::string_view option) const {
    const std::string what = "the file " + where.string() + " belongs to " + userName(file.st_uid);
    if (root()) {
        if (!trusted(file.st_uid)) {
            throw FileProblem(underRootRights(what));
        }
        if (userLink && file.st_uid != *userLink) {
            throw FileProblem(behindUserLink(what, *userLink));
        }
        // Root passes every permission check, but a file its owner made read-only is meant to
        // stay as it is.
        if ((file.st_mode & S_IWUSR) == 0) {
            throw FileProblem("the file is read-only (mode " + modeText(file.st_mode) + ")");
        }
        return;
    }
    // The rename would fail with "Operation not permitted", which says nothing of the cause.
    if ((folder.st_mode & S_ISVTX) != 0 && file.st_uid != effective_ &&
        folder.st_uid != effective_) {
        throw FileProblem(what + ", and in the shared folder " + where.parent_path().string() +
                          " only a file's owner may replace it; choose another file with " +
                          std::string(option));
    }
}

void WriteRights::giveToFolderOwner(int fd, const struct stat& folder) const {
    if (!root() || folder.st_uid == 0) {
        return;
    }
    const gid_t group =
        folder.st_uid == invoking_ && invokingGroup_ ? *invokingGroup_ : folder.st_gid;
    if (::fchown(fd, folder.st_uid, group) != 0) {
        throw FileProblem("what it made could not be given to " + userName(folder.st_uid) +
                          ", its folder's owner: " + plainReason(errno, PermissionDenied));
    }
}

std::string WriteRights::deniedReason(const struct stat& info, const std::filesystem::path& where,
                                      bool isFile) const {
    const char* kind = isFile ? "file" : "folder";
    if (info.st_uid != effective_) {
        return std::string("the ") + kind + " " + where.string() + " belongs to " +
               userName(info.st_uid) + ", not to you (" + std::generic_category().message(EACCES) +
               "); to give it back: sudo chown " + (isFile ? "" : "-R ") + userName(effective_) +
               ": " + where.string();
    }
    return plainReason(EACCES, std::string("the ") + kind + " is read-only");
}

}  // namespace orvex
