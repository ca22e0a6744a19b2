#include "files/SaveTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <deque>
#include <vector>

#include "files/PlainReason.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

// As many links as the kernel follows in one path.
constexpr int MaxLinks = 40;

// Where the walk stands: a folder held open (O_PATH needs no read permission, only the search
// permission every path needs) and its status as it was when opened.
struct Position {
    FileDescriptor folder;
    struct stat info {};
    fs::path at;
};

// Opens a folder without following a link; the error is in errno when the folder is not valid.
Position tryOpen(int base, const char* name, int flags, const fs::path& at) {
    Position next{
        FileDescriptor(::openat(base, name, flags | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)), {}, at};
    if (next.folder.valid() && ::fstat(next.folder.get(), &next.info) != 0) {
        next.folder = FileDescriptor(-1);
    }
    return next;
}

FileProblem unreachable(const fs::path& at, int error) {
    return FileProblem("the folder " + at.lexically_normal().string() +
                           " cannot be reached: " + plainReason(error, OpenDenied),
                       error);
}

Position start(const fs::path& path) {
    const fs::path at = path.is_absolute() ? "/" : "";
    Position here = tryOpen(AT_FDCWD, path.is_absolute() ? "/" : ".", O_PATH, at);
    if (!here.folder.valid()) {
        throw unreachable(path.is_absolute() ? fs::path("/") : fs::current_path(), errno);
    }
    return here;
}

void appendParts(std::deque<std::string>& parts, const fs::path& path) {
    std::vector<std::string> own;
    for (const fs::path& part : path.relative_path()) {
        own.push_back(part.string());
    }
    parts.insert(parts.begin(), own.begin(), own.end());
}

class Walk {
public:
    Walk(const fs::path& path, const WriteRights& rights, const WalkRules& rules)
        : rights_(rights), rules_(rules), here_(start(path)) {
        appendParts(pending_, path);
    }

    SaveTarget run() {
        while (!pending_.empty()) {
            const std::string name = pending_.front();
            pending_.pop_front();
            const bool last = pending_.empty();
            if (name.empty() || name == ".") {
                if (last) {
                    return target(".");  // the path names a folder: reading the "file" says so
                }
                continue;
            }
            struct stat info {};
            if (::fstatat(here_.folder.get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT) {
                    throw unsearchable(errno);
                }
                if (last) {
                    return target(name);  // the save makes the file
                }
                if (!rules_.makeFolders) {
                    throw FileProblem("the folder " +
                                          (here_.at / name).lexically_normal().string() +
                                          " does not exist",
                                      ENOENT);
                }
                makeFolder(name);
            } else if (S_ISLNK(info.st_mode) && !(last && !rules_.followLastLink)) {
                follow(name, info);
            } else if (last) {
                return target(name);
            } else if (!S_ISDIR(info.st_mode)) {
                throw FileProblem("the folder cannot be created because " +
                                      (here_.at / name).lexically_normal().string() +
                                      " is a file, not a folder",
                                  ENOTDIR);
            } else {
                enter(name, info);
            }
        }
        return target(".");
    }

private:
    SaveTarget target(const std::string& name) {
        return {std::move(here_.folder),   here_.info, here_.at.lexically_normal(), name, userLink_,
                std::string(rules_.option)};
    }

    FileProblem unsearchable(int error) const {
        const fs::path at = here_.at.lexically_normal();
        if (error == EACCES && here_.info.st_uid != ::geteuid()) {
            return FileProblem(rights_.deniedReason(here_.info, at, false), error);
        }
        return FileProblem(
            "the folder " + at.string() + " cannot be read: " + plainReason(error, OpenDenied),
            error);
    }

    void enter(const std::string& name, const struct stat& info) {
        const fs::path at = here_.at / name;
        Position next = tryOpen(here_.folder.get(), name.c_str(), O_PATH, at);
        if (!next.folder.valid()) {
            if (errno == EACCES && info.st_uid != ::geteuid()) {
                throw FileProblem(rights_.deniedReason(info, at.lexically_normal(), false), EACCES);
            }
            throw unreachable(at, errno);
        }
        here_ = std::move(next);
    }

    void follow(const std::string& name, const struct stat& info) {
        const fs::path at = (here_.at / name).lexically_normal();
        rights_.checkLink(info, here_.info, at, rules_.option);
        if (++links_ > MaxLinks) {
            throw FileProblem(plainReason(ELOOP, ""), ELOOP);
        }
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1,
                           '\0');
        const ssize_t length =
            ::readlinkat(here_.folder.get(), name.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            const int error = length < 0 ? errno : EAGAIN;
            throw FileProblem("the link " + at.string() +
                                  " cannot be read: " + plainReason(error, PermissionDenied),
                              error);
        }
        target.resize(static_cast<std::size_t>(length));
        if (rights_.root() && info.st_uid != 0) {
            userLink_ = info.st_uid;
        }
        const fs::path to(target);
        if (to.is_absolute()) {
            here_ = start(to);
        }
        appendParts(pending_, to);
        if (pending_.empty()) {
            throw FileProblem("the link " + at.string() + " is empty");
        }
    }

    void makeFolder(const std::string& name) {
        rights_.checkFolder(here_.folder.get(), here_.info, here_.at.lexically_normal(), userLink_);
        const fs::path at = here_.at / name;
        // EEXIST: another copy made it in the meantime.
        const bool made = ::mkdirat(here_.folder.get(), name.c_str(), 0700) == 0;
        if (!made && errno != EEXIST) {
            const int error = errno;
            if ((error == EACCES || error == EPERM) && !rights_.root()) {
                throw FileProblem(
                    "the folder " + at.lexically_normal().string() + " could not be created: " +
                        rights_.deniedReason(here_.info, here_.at.lexically_normal(), false),
                    error);
            }
            throw FileProblem("the folder " + at.lexically_normal().string() +
                                  " could not be created: " +
                                  plainReason(error, "its parent folder is read-only"),
                              error);
        }
        // Read access, unlike O_PATH, lets the new folder be given away through its descriptor.
        Position next = tryOpen(here_.folder.get(), name.c_str(), O_RDONLY, at);
        if (!next.folder.valid()) {
            throw unreachable(at, errno);
        }
        if (made) {
            try {
                rights_.giveToFolderOwner(next.folder.get(), here_.info);
            } catch (const FileProblem&) {
                ::unlinkat(here_.folder.get(), name.c_str(), AT_REMOVEDIR);
                throw;
            }
            ::fstat(next.folder.get(), &next.info);
        }
        here_ = std::move(next);
    }

    const WriteRights& rights_;
    const WalkRules& rules_;
    Position here_;
    std::deque<std::string> pending_;
    std::optional<uid_t> userLink_;
    int links_ = 0;
};

}  // namespace

SaveTarget openSaveTarget(const fs::path& path, const WriteRights& rights, const WalkRules& rules) {
    if (path.empty()) {
        throw FileProblem("no file was named", ENOENT);
    }
    return Walk(path, rights, rules).run();
}

}  // namespace orvex
