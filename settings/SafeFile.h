#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/FileDescriptor.h"

// The file operations behind the settings store, each throwing FileProblem (PlainReason.h) with
// the reason in plain words. Together they replace a file so that a crash, a full disk or a second
// copy of the program can never leave it half written or lose another copy's changes.
namespace orvex {

// The whole file, or nothing when there is no file. A file that exists but cannot be read, is
// not a regular file, or is larger than maxBytes is a problem, never "no file".
std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Makes the folder and its missing parents, readable by the owner only, as configuration
// folders are made.
void createFolders(const std::filesystem::path& folder);

// An exclusive lock on a lock file, held from construction to destruction. Locks are per open
// file, so two stores in one process exclude each other as two processes do. Waits at most
// `wait` for another holder.
class SaveLock {
public:
    SaveLock(const std::filesystem::path& lockFile, std::chrono::milliseconds wait);

private:
    FileDescriptor fd_;  // closing it releases the lock
};

// Replaces the file with bytes in one step: a temporary beside it (path + ".tmp"), written and
// flushed to disk, renamed over the file. The file's permissions and owner are kept. A file that
// is read-only is left alone. On any failure the file is as it was and the temporary is gone.
// The caller holds the SaveLock, which is what makes the fixed temporary name safe.
void replaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace orvex
