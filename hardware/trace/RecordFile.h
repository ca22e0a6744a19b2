#pragma once

#include <sys/types.h>

#include <cstddef>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "files/FileDescriptor.h"

namespace orvex {

// The stream buffer of a trace file, which keeps the file made of whole records however a write
// fails. The trace writers hand every record over in one write, so each write is one record;
// records wait here and go out together. When the disk takes only part of them (it is full, or
// the file reached the system's size limit), the file is cut back to the last record that
// reached it whole, and everything after that is refused, as a failed stream.
class RecordFileBuffer : public std::streambuf {
public:
    static constexpr std::size_t Capacity = std::size_t{1} << 16;

    explicit RecordFileBuffer(FileDescriptor fd);
    ~RecordFileBuffer() override;
    RecordFileBuffer(const RecordFileBuffer&) = delete;
    RecordFileBuffer& operator=(const RecordFileBuffer&) = delete;

protected:
    std::streamsize xsputn(const char* bytes, std::streamsize count) override;
    int_type overflow(int_type byte) override;
    int sync() override;

private:
    // Writes what waits; false when the file refused part of it.
    bool writeOut();

    FileDescriptor fd_;
    std::string waiting_;
    std::vector<std::size_t> recordEnds_;  // in waiting_
    off_t whole_ = 0;                      // bytes in the file, all of them whole records
    bool failed_ = false;
};

// A stream over a trace file that it owns.
class RecordFileStream : public std::ostream {
public:
    explicit RecordFileStream(FileDescriptor fd) : std::ostream(nullptr), buffer_(std::move(fd)) {
        rdbuf(&buffer_);
    }

private:
    RecordFileBuffer buffer_;
};

}  // namespace orvex
