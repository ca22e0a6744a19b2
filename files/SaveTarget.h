#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/FileDescriptor.h"
#include "files/WriteRights.h"

namespace orvex {

// The folder a write goes into, held open, so that every later step (the lock, reading the old
// file, the temporary, the rename, opening the file in place) happens in that very folder
// whatever is renamed around it.
struct SaveTarget {
    FileDescriptor folder;
    struct stat folderInfo {};
    std::filesystem::path folderPath;  // as reached, links resolved; for messages
    std::string name;                  // the file's name in the folder
    std::optional<uid_t> userLink;     // a root run came through a user's link (that user)
    std::string option;                // the command-line option that names the file

    std::filesystem::path path() const { return folderPath / name; }
};

// What the walk does with what it meets on the way.
struct WalkRules {
    // Folders that are missing are made (a save); else the walk stops there (a trace).
    bool makeFolders = true;
    // A link at the end is followed (a settings file kept elsewhere); else it is the target's
    // name itself, which nothing that opens it follows.
    bool followLastLink = true;
    // The command-line option that names the file, for the fix in a message.
    std::string_view option = "--settings";
};

// Walks the path one entry at a time and never lets the system follow a link: each link is
// checked (WriteRights::checkLink) and followed by hand, so a file kept elsewhere under a link
// stays a link, and a target that does not exist yet is created through it. Folders that are
// missing are made, readable by their owner only (WriteRights decides who that is), when the
// rules say so. Throws FileProblem, with the system's error where one stopped the walk.
SaveTarget openSaveTarget(const std::filesystem::path& path, const WriteRights& rights,
                          const WalkRules& rules = {});

}  // namespace orvex
