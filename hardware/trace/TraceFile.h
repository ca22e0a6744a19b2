#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <variant>

namespace orvex {

// Opens the file a trace goes into, emptied, as a stream that owns it and keeps it made of whole
// records (RecordFile.h); or gives the message for the operator why not. The path is walked and
// the file opened under the rules of every write of the program (files/): only a regular file
// (or /dev/null) is taken, so a FIFO nobody reads is refused at once instead of blocking the
// start, and so is a device; missing folders are not made. The settings file is refused too,
// whether named by the same path or reached through another name, since a trace would empty it.
// A run with root rights follows no link at the end of the path, writes nothing into the
// kernel's file systems, replaces only an empty file or an earlier trace, and a file it creates
// belongs to the owner of the folder it is made in.
std::variant<std::unique_ptr<std::ostream>, std::string> openTraceFile(
    const std::string& path, const std::string& settingsPath);

}  // namespace orvex
