#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "settings/FileDescriptor.h"
#include "settings/WriteRights.h"

namespace orvex {

// The folder a save writes into, held open, so that every later step (the lock, reading the old
// file, the temporary, the rename) happens in that very folder whatever is renamed around it.
struct SaveTarget {
    FileDescriptor folder;
    struct stat folderInfo {};
    std::filesystem::path folderPath;  // as reached, links resolved; for messages
    std::string name;                  // the file's name in the folder
    std::optional<uid_t> userLink;     // a root run came through a user's link (that user)

    std::filesystem::path path() const { return folderPath / name; }
};

// Walks the settings path one entry at a time and never lets the system follow a link: each
// link is checked (WriteRights::checkLink) and followed by hand, so a file kept elsewhere under
// a link stays a link, and a target that does not exist yet is created through it. Folders that
// are missing are made, readable by their owner only (WriteRights decides who that is). Throws
// FileProblem.
SaveTarget openSaveTarget(const std::filesystem::path& path, const WriteRights& rights);

}  // namespace orvex
