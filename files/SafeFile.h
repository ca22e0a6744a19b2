#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/FileDescriptor.h"
#include "files/SaveTarget.h"
#include "files/WriteRights.h"

// The file operations behind the settings store and the window's place, each throwing
// FileProblem (PlainReason.h) with the reason in plain words. Together they replace a file so that
// a crash, a full disk or a second copy of the program can never leave it half written or lose
// another copy's changes. Everything a save does happens in the folder its SaveTarget holds open,
// and no link is ever followed there.
namespace orvex {

// The whole file, or nothing when there is no file. A file that exists but cannot be read, is
// not a regular file, or is larger than maxBytes is a problem, never "no file"; `kind` names
// what the file should have been in that last message ("far too large for a settings file").
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes,
                                         std::string_view kind = "a settings file");
// The same for the save's file, which must not have turned into a link since the walk.
std::optional<std::string> readWholeFile(const SaveTarget& target, std::size_t maxBytes,
                                         std::string_view kind = "a settings file");

// An exclusive lock on the lock file beside the target (its name + ".lock", readable by its owner
// only), held from construction to destruction. Locks are per open file, so two stores in one
// process exclude each other as two processes do. Waits at most `wait` for another holder, and
// names the owner when the lock file is another user's.
class SaveLock {
public:
    SaveLock(const SaveTarget& target, std::chrono::milliseconds wait, const WriteRights& rights);

private:
    FileDescriptor fd_;  // closing it releases the lock
};

// Replaces the file with bytes in one step: a temporary beside it with a name nobody can guess,
// created exclusively, written and flushed to disk, renamed over the file. The file's permissions
// and owner are kept; a new file goes to the folder's owner (WriteRights). A file that is
// read-only is left alone. On any failure the file is as it was and the temporary is gone;
// temporaries that a killed copy left behind are removed. The caller holds the SaveLock.
void replaceFile(const SaveTarget& target, std::string_view bytes, const WriteRights& rights);

}  // namespace orvex
