#include "controls/HitLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>

#include "controls/SignalScale.h"
#include "core/Band.h"
#include "core/UtcTime.h"
#include "files/InPlaceFile.h"
#include "files/PlainReason.h"
#include "files/SaveTarget.h"
#include "files/WriteRights.h"
#include "settings/CsvText.h"

namespace orvex {
namespace {

constexpr char LineEnd = '\n';

std::string refused(const std::string& path, const std::string& why) {
    return "The hit log " + path + " " + why + "; the scan runs on without a log";
}

// "3.333": seconds with milliseconds, no trailing zeros beyond them.
std::string secondsText(std::chrono::system_clock::duration duration) {
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(duration);
    std::array<char, 32> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(),
                      static_cast<double>(milliseconds.count()) / 1e3, std::chars_format::fixed, 3);
    return {text.data(), end.ptr};
}

// Whether the file begins with the header: empty files and our own logs may be added to.
bool holdsAHitLog(int fd, const struct stat& info) {
    if (info.st_size == 0) {
        return true;
    }
    std::string start(HitLog::Header.size() + 1, '\0');
    const ssize_t got = ::pread(fd, start.data(), start.size(), 0);
    return got == static_cast<ssize_t>(start.size()) && start.starts_with(HitLog::Header) &&
           start.back() == LineEnd;
}

}  // namespace

std::variant<std::unique_ptr<HitLog>, std::string> HitLog::open(const std::string& path) {
    const WriteRights rights = WriteRights::ofThisProcess();
    try {
        const SaveTarget target = openSaveTarget(
            path, rights,
            {.makeFolders = false, .followLastLink = !rights.root(), .option = "--hit-log"});
        InPlaceFile file = openInPlace(target, rights);
        if (!S_ISREG(file.info.st_mode) && !isDevNull(file.info)) {
            return refused(path, "is not a regular file: name a regular file");
        }
        if (S_ISREG(file.info.st_mode) && !holdsAHitLog(file.fd.get(), file.info)) {
            return refused(path, "holds something other than a hit log: name a new file");
        }
        std::unique_ptr<HitLog> log(new HitLog(std::move(file.fd), path));
        if (file.info.st_size == 0 && !log->append(std::string(Header) + LineEnd)) {
            return refused(path, "cannot be written");
        }
        return log;
    } catch (const FileProblem& problem) {
        return refused(path, std::string("cannot be opened: ") + problem.what());
    }
}

std::string HitLog::line(const Hit& hit) {
    return std::to_string(hertzFromKHz(hit.kHz)) + "," + std::to_string(dbOverS9(hit.peakLevel)) +
           "," + utcTimestamp(hit.start) + "," + utcTimestamp(hit.end) + "," +
           secondsText(hit.end - hit.start) + "," + megahertzDigits(hit.kHz) + "," +
           csvField(hit.name);
}

bool HitLog::write(const Hit& hit) {
    return fd_.valid() && append(line(hit) + LineEnd);
}

bool HitLog::append(std::string_view bytes) {
    const off_t whole = ::lseek(fd_.get(), 0, SEEK_END);
    std::string_view rest = bytes;
    while (whole >= 0 && !rest.empty()) {
        const ssize_t written = ::write(fd_.get(), rest.data(), rest.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // Half a line would spoil the log for every reader: back to the last whole line.
            [[maybe_unused]] const int ignored = ::ftruncate(fd_.get(), whole);
            fd_ = FileDescriptor(-1);
            return false;
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return whole >= 0;
}

}  // namespace orvex
