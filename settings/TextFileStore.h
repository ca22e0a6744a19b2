#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "files/WriteRights.h"

namespace orvex {

// A whole text file of the program's own (the channel bank, an export of it) kept with the
// settings file's care: read in one piece, replaced in one atomic step under the lock beside it,
// with every link walked and checked as files/ does for all writes. Every failure throws
// FileProblem (files/PlainReason.h) with the reason in plain words.
class TextFileStore {
public:
    struct Rules {
        std::size_t maxBytes = 0;
        std::string_view kind;    // "a channel list": what a file too large is far too large for
        std::string_view option;  // the command-line option that names the file
        std::chrono::milliseconds lockWait{500};
    };

    TextFileStore(std::filesystem::path path, Rules rules,
                  WriteRights rights = WriteRights::ofThisProcess());

    const std::filesystem::path& path() const { return path_; }

    // The file's bytes, or nothing when there is no file.
    std::optional<std::string> read() const;

    // Replaces the file with `bytes`. With `expected`, the file must still hold exactly what was
    // read before (nothing: still be absent); when another program changed it meanwhile, nothing
    // is written and the problem says so.
    void write(std::string_view bytes) const;
    void writeOver(std::string_view bytes, const std::optional<std::string>& expected) const;

private:
    void replace(std::string_view bytes, const std::optional<std::string>* expected) const;

    std::filesystem::path path_;
    Rules rules_;
    WriteRights rights_;
};

}  // namespace orvex
