#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where the program may write: the settings file, the window's place and traces alike.
// Permission bits guard an ordinary user's run; a run with root rights (users start it with sudo
// to reach the port) passes every permission check, so it keeps rules of its own: it writes only
// through links, into folders and over files that belong to root or to the user who invoked it,
// never into the kernel's own file systems (/proc, /sys), honours a file's read-only mode, and
// gives what it creates in a user's folder to that user. Every check throws FileProblem
// (PlainReason.h) with the owner named and the fix; `option` is the command-line option that
// names the file, for the fix.
namespace orvex {

class WriteRights {
public:
    // This process: root when the effective user is 0; the invoking user is SUDO_UID (with
    // SUDO_GID) when sudo set them, else the real user.
    static WriteRights ofThisProcess();
    // The same from the ids and the two variables' values (null when unset). Values that are
    // not plain decimal numbers are ignored.
    static WriteRights from(uid_t effective, uid_t real, const char* sudoUid, const char* sudoGid);

    bool root() const { return effective_ == 0; }
    uid_t invokingUser() const { return invoking_; }

    // Before following the link `link` found in `folder`. Nobody follows another user's link in
    // a shared sticky folder (as the kernel's protected_symlinks does for open()); a root run
    // follows only links of root's and the invoking user's.
    void checkLink(const struct stat& link, const struct stat& folder,
                   const std::filesystem::path& where, std::string_view option) const;

    // Before making an entry (a folder, the lock, the temporary) in the folder held open as
    // `folderFd`, or writing to a file in it. `userLink` is the owner of a user's link followed
    // on the way there, if any: a root run follows a user's link only into that user's own
    // folders, never into root's (/etc behind a link in a home).
    void checkFolder(int folderFd, const struct stat& folder, const std::filesystem::path& where,
                     std::optional<uid_t> userLink) const;

    // Before replacing or writing over the existing file `file` in `folder`.
    void checkFile(const struct stat& file, const struct stat& folder,
                   const std::filesystem::path& where, std::optional<uid_t> userLink,
                   std::string_view option) const;

    // Gives a new entry of a root run to the owner of the folder it was made in (the user, in a
    // user's home; SUDO_GID as its group when that owner is the invoking user). Nothing for other
    // runs: their entries are theirs already.
    void giveToFolderOwner(int fd, const struct stat& folder) const;

    // Why a folder (or, with isFile, a file) refused us while permission bits apply: its owner
    // and how to give it back when it is not ours, "read-only" when it is.
    std::string deniedReason(const struct stat& info, const std::filesystem::path& where,
                             bool isFile) const;

private:
    WriteRights(uid_t effective, uid_t invoking, std::optional<gid_t> invokingGroup)
        : effective_(effective), invoking_(invoking), invokingGroup_(invokingGroup) {}

    bool trusted(uid_t owner) const { return owner == 0 || owner == invoking_; }

    uid_t effective_;
    uid_t invoking_;
    std::optional<gid_t> invokingGroup_;
};

// The user's login name, or "user 1234" when the user database has none.
std::string userName(uid_t user);

}  // namespace orvex
