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

constexpr const char* SettingsFile =
    "is the settings file, which a trace would empty: name another file";

std::string refused(const std::string& path, const std::string& why) {
    return "The port trace " + path + " " + why + "; the receiver runs on without a trace";
}

// The message for a trace file that could not be opened: what it is when that was the reason,
// the system's error when one stopped it, else the rule that refused it.
std::string refusal(const std::string& path, const FileProblem& problem, bool root) {
    switch (problem.error()) {
        case 0:
            return refused(path, std::string("cannot be made: ") + problem.what());
        case ENXIO:
            return refused(path, "is not a regular file: name a regular file, or /dev/null");
        case EISDIR:
            return refused(path, "is a folder: name a file in it");
        case ELOOP:
            if (root) {
                return refused(path,
                               "is a symbolic link, and a program run with root rights writes no "
                               "trace through a link: name the file itself");
            }
            break;
        default:
            break;
    }
    return "Cannot create the port trace " + path + " (" +
           std::generic_category().message(problem.error()) +
           "): choose a folder you may write to; the receiver runs on without a trace";
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

// Whether the opened file begins as a trace of ours does, read through a descriptor of its own
// that must lead to the very same file.
bool holdsATrace(const SaveTarget& target, const struct stat& opened) {
    const FileDescriptor reading(
        ::openat(target.folder.get(), target.name.c_str(),
                 O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW));
    struct stat info {};
    if (!reading.valid() || ::fstat(reading.get(), &info) != 0 || !sameFile(info, opened)) {
        return false;
    }
    std::array<char, std::max(TextTraceFirstLine.size(), VcdTraceFirstLine.size())> start{};
    const ssize_t got = ::pread(reading.get(), start.data(), start.size(), 0);
    const std::string_view read(start.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
    return read.starts_with(TextTraceFirstLine) || read.starts_with(VcdTraceFirstLine);
}

}  // namespace

std::variant<std::unique_ptr<std::ostream>, std::string> openTraceFile(
    const std::string& path, const std::string& settingsPath) {
    if (leadsToSettings(path, settingsPath)) {
        return refused(path, SettingsFile);
    }
    const WriteRights rights = WriteRights::ofThisProcess();
    try {
        const SaveTarget target = openSaveTarget(
            path, rights,
            {.makeFolders = false, .followLastLink = !rights.root(), .option = "--trace"});
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
            return refused(path, SettingsFile);
        }
        const bool regular = S_ISREG(file.info.st_mode);
        // A mistyped name in a root run must cost nobody a file; an ordinary run may only lose
        // files its user could have emptied anyway.
        if (rights.root() && regular && file.info.st_size > 0 && !holdsATrace(target, file.info)) {
            return refused(path,
                           "holds something other than a port trace, and a program run with root "
                           "rights replaces only an empty file or an earlier trace: name a new "
                           "file");
        }
        if (regular && ::ftruncate(file.fd.get(), 0) != 0) {
            return "Cannot empty the port trace " + path + " (" +
                   std::generic_category().message(errno) +
                   "): choose another file; the receiver runs on without a trace";
        }
        return std::make_unique<RecordFileStream>(std::move(file.fd));
    } catch (const FileProblem& problem) {
        return refusal(path, problem, rights.root());
    }
}

}  // namespace orvex
