#include "controls/PassLog.h"

#include <array>
#include <ctime>

#include "core/Band.h"
#include "files/InPlaceFile.h"
#include "files/PlainReason.h"
#include "files/SaveTarget.h"
#include "hardware/trace/RecordFile.h"

namespace orvex {
namespace {

// Passes begin seconds apart at most twice on the same frequency; a few more names will do.
constexpr int NameTries = 20;

std::string numbered(const std::string& name, int n) {
    if (n == 1) {
        return name;
    }
    const std::size_t dot = name.rfind('.');
    return name.substr(0, dot) + "-" + std::to_string(n) + name.substr(dot);
}

}  // namespace

std::string utcClockText(std::chrono::system_clock::time_point at, const char* format) {
    const std::time_t seconds =
        std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(at));
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 64> text{};
    return {text.data(), std::strftime(text.data(), text.size(), format, &utc)};
}

// ISO 8601's basic form, without separators: a name every file system takes.
std::string passLogName(std::chrono::system_clock::time_point start, double kiloHertz) {
    return utcClockText(start, "%Y%m%dT%H%M%SZ-") + megahertzDigits(kiloHertz) + "MHz.csv";
}

std::variant<std::unique_ptr<PassLog>, std::string> PassLog::open(
    const std::filesystem::path& folder, const std::string& name) {
    const WriteRights rights = WriteRights::ofThisProcess();
    try {
        for (int n = 1; n <= NameTries; ++n) {
            const SaveTarget target = openSaveTarget(
                folder / numbered(name, n), rights,
                {.makeFolders = true, .followLastLink = false, .option = "--pass-folder"});
            InPlaceFile file = openInPlace(target, rights);
            if (!file.created) {
                continue;  // another pass's log: never written over
            }
            auto stream = std::make_unique<RecordFileStream>(std::move(file.fd));
            *stream << LevelLogHeader << std::flush;
            if (!*stream) {
                return "Cannot write the pass log " + target.path().string() +
                       ": the disk refused it";
            }
            return std::unique_ptr<PassLog>(new PassLog(std::move(stream), target.path()));
        }
        return "Cannot make a pass log in " + folder.string() + ": " + name +
               " and the names after it are taken";
    } catch (const FileProblem& problem) {
        return "Cannot make a pass log in " + folder.string() + ": " + problem.what();
    }
}

bool PassLog::write(const LevelSample& sample) {
    *file_ << levelLogLine(sample) << std::flush;
    if (!*file_) {
        return false;
    }
    ++lines_;
    return true;
}

}  // namespace orvex
