#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <variant>

#include "controls/LevelLine.h"

namespace orvex {

// The level log of one satellite pass: a new file in the pass folder, written a line at a time
// and flushed at once, so that a program that ends at once (every way out does) loses no line.
// It is opened under the rules of every write of the program (files/): the folder is made when
// missing, no link is followed at the end, an existing file is never written over.
class PassLog {
public:
    // Opens `name` (or "name-2" … when that is taken) in `folder` and writes the header; the
    // reason in plain words when it cannot.
    static std::variant<std::unique_ptr<PassLog>, std::string> open(
        const std::filesystem::path& folder, const std::string& name);

    // Appends one line; false once the file has refused a write (disk full, removed medium).
    bool write(const LevelSample& sample);

    const std::filesystem::path& path() const { return path_; }
    std::size_t lines() const { return lines_; }

private:
    PassLog(std::unique_ptr<std::ostream> file, std::filesystem::path path)
        : file_(std::move(file)), path_(std::move(path)) {}

    std::unique_ptr<std::ostream> file_;
    std::filesystem::path path_;
    std::size_t lines_ = 0;
};

// The file a pass logs into: its UTC start and the frequency, "20261209T034107Z-137.900MHz.csv".
std::string passLogName(std::chrono::system_clock::time_point start, double kiloHertz);

// A time in UTC as `format` (strftime's) has it, in whole seconds: "03:41:07" for "%H:%M:%S".
std::string utcClockText(std::chrono::system_clock::time_point at, const char* format);

}  // namespace orvex
