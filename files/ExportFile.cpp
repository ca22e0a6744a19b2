#include "files/ExportFile.h"

#include <sys/stat.h>

#include <chrono>

#include "files/PlainReason.h"
#include "files/SafeFile.h"
#include "files/SaveTarget.h"
#include "files/WriteRights.h"

namespace orvex {
namespace {

// The operator waits on the dialog's answer: never long for another copy's lock.
constexpr std::chrono::milliseconds LockWait{200};

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

void exportFile(const std::filesystem::path& path, std::string_view bytes,
                const std::filesystem::path& keepOff) {
    const WriteRights rights = WriteRights::ofThisProcess();
    const SaveTarget target = openSaveTarget(
        path, rights,
        {.makeFolders = false, .followLastLink = !rights.root(), .option = "the file dialog"});
    if (!keepOff.empty() && sameFile(target.path(), keepOff)) {
        throw FileProblem("it is the receiver's settings file: choose another name");
    }
    const SaveLock lock(target, LockWait, rights);
    replaceFile(target, bytes, rights);
}

}  // namespace orvex
