#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>

#include "files/FileDescriptor.h"

namespace orvex {

// A stretch of activity the activity scanner stayed on.
struct Hit {
    std::int32_t kHz = 0;
    std::string name;        // the channel's, in the bank; empty in a range
    double peakLevel = 0.0;  // the highest level read, in the meter's units
    std::chrono::system_clock::time_point start;
    std::chrono::system_clock::time_point end;  // when the signal was found gone
};

// The activity scanner's log of hits, a CSV file a spreadsheet or a script reads: a header
// line, then one line per hit as it ends, LF line ends. Each line is written whole at once, so
// a crash or a full disk never leaves half a line, and a log that is there already is added to:
// hits of earlier runs are never lost.
class HitLog {
public:
    static constexpr std::string_view Header =
        "Frequency_Hz,Signal_dB,Start_Timestamp,End_Timestamp,Duration_Seconds,Frequency_MHz,Name";

    // Opens the log at `path` under the rules of every write of the program (files/): a regular
    // file only, missing folders not made, no link followed at the end in a run with root
    // rights. A file that holds something other than a hit log is refused, never added to.
    // The log, or the message for the operator why not.
    static std::variant<std::unique_ptr<HitLog>, std::string> open(const std::string& path);

    // "137500000,-24,2026-12-09T03:41:07.123Z,2026-12-09T03:41:10.456Z,3.333,137.500,Beacon"
    static std::string line(const Hit& hit);

    // Adds the hit's line; false, with the file cut back to its last whole line, when it
    // could not be written (the log is then finished).
    bool write(const Hit& hit);
    const std::string& path() const { return path_; }

private:
    HitLog(FileDescriptor fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}
    bool append(std::string_view bytes);

    FileDescriptor fd_;
    std::string path_;
};

}  // namespace orvex
