#include "hardware/trace/TraceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/InPlaceFile.h"
#include "files/PlainReason.h"
#include "files/SaveTarget.h"
#include "files/WriteRights.h"
#include "hardware/trace/RecordFile.h"
#include "hardware/trace/TraceWriter.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

std::string settingsFile(const LogFileKind& kind) {
    return "is the settings file, which a " + std::string(kind.shortNoun) +
           " would empty: name another file";
}

std::string withoutIt(const LogFileKind& kind) {
    return std::string(kind.afterRefusal);
}

std::string refused(const LogFileKind& kind, const std::string& path, const std::string& why) {
    return "The " + std::string(kind.noun) + " " + path + " " + why + withoutIt(kind);
}

// The message for a file that could not be opened: what it is when that was the reason, the
// system's error when one stopped it, else the rule that refused it.
std::string refusal(const LogFileKind& kind, const std::string& path, const FileProblem& problem,
                    bool root) {
    switch (problem.error()) {
        case 0:
            return refused(kind, path, std::string("cannot be made: ") + problem.what());
        case ENXIO:
            return refused(kind, path, "is not a regular file: name a regular file, or /dev/null");
        case EISDIR:
            return refused(kind, path, "is a folder: name a file in it");
        case ELOOP:
            if (root) {
                return refused(kind, path,
                               "is a symbolic link, and a program run with root rights writes no " +
                                   std::string(kind.shortNoun) +
                                   " through a link: name the file itself");
            }
            break;
        default:
            break;
    }
    return "Cannot create the " + std::string(kind.noun) + " " + path + " (" +
           std::generic_category().message(problem.error()) +
           "): choose a folder you may write to" + withoutIt(kind);
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

// Whether the opened file begins as a file of this kind of ours does, read through a descriptor
// of its own that must lead to the very same file.
bool holdsOurs(const LogFileKind& kind, const SaveTarget& target, const struct stat& opened) {
    const FileDescriptor reading(
        ::openat(target.folder.get(), target.name.c_str(),
                 O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    struct stat info {};
    if (!reading.valid() || ::fstat(reading.get(), &info) != 0 || !sameFile(info, opened)) {
        return false;
    }
    std::array<char, 256> start{};
    const ssize_t got = ::pread(reading.get(), start.data(), start.size(), 0);
    const std::string_view read(start.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
    return std::any_of(kind.firstLines.begin(), kind.firstLines.end(),
                       [read](std::string_view first) { return read.starts_with(first); });
}

}  // namespace

const LogFileKind& traceFileKind() {
    static const LogFileKind kind{"port trace",
                                  "trace",
                                  "--trace",
                                  {TextTraceFirstLine, VcdTraceFirstLine},
                                  "; the receiver runs on without a trace"};
    return kind;
}

std::variant<std::unique_ptr<std::ostream>, std::string> openTraceFile(
    const std::string& path, const std::string& settingsPath) {
    return openLogFile(traceFileKind(), path, settingsPath);
}

std::variant<std::unique_ptr<std::ostream>, std::string> openLogFile(
    const LogFileKind& kind, const std::string& path, const std::string& settingsPath) {
    if (leadsToSettings(path, settingsPath)) {
        return refused(kind, path, settingsFile(kind));
    }
    const WriteRights rights = WriteRights::ofThisProcess();
    try {
        const SaveTarget target = openSaveTarget(
            path, rights,
            {.makeFolders = false, .followLastLink = !rights.root(), .option = kind.option});
        InPlaceFile file = openInPlace(target, rights);
        const auto forget = [&] {
            if (file.created) {
                ::unlinkat(target.folder.get(), target.name.c_str(), 0);
            }
        };
        struct stat settings {};
        if (!settingsPath.empty() && ::stat(settingsPath.c_str(), &settings) == 0 &&
            sameFile(file.info, settings)) {
            forget();
            return refused(kind, path, settingsFile(kind));
        }
        const bool regular = S_ISREG(file.info.st_mode);
        // A mistyped name in a root run must cost nobody a file; an ordinary run may only lose
        // files its user could have emptied anyway.
        if (rights.root() && regular && file.info.st_size > 0 &&
            !holdsOurs(kind, target, file.info)) {
            return refused(kind, path,
                           "holds something other than a " + std::string(kind.noun) +
                               ", and a program run with root rights replaces only an empty "
                               "file or an earlier " +
                               std::string(kind.shortNoun) + ": name a new file");
        }
        if (regular && ::ftruncate(file.fd.get(), 0) != 0) {
            return "Cannot empty the " + std::string(kind.noun) + " " + path + " (" +
                   std::generic_category().message(errno) + "): choose another file" +
                   withoutIt(kind);
        }
        return std::make_unique<RecordFileStream>(std::move(file.fd));
    } catch (const FileProblem& problem) {
        return refusal(kind, path, problem, rights.root());
    }
}

}  // namespace orvex
