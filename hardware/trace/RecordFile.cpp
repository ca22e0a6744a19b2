#include "hardware/trace/RecordFile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace orvex {

RecordFileBuffer::RecordFileBuffer(FileDescriptor fd) : fd_(std::move(fd)) {
    waiting_.reserve(Capacity);
}

RecordFileBuffer::~RecordFileBuffer() {
    writeOut();
}

std::streamsize RecordFileBuffer::xsputn(const char* bytes, std::streamsize count) {
    const auto size = static_cast<std::size_t>(count);
    if (failed_ || (waiting_.size() + size > Capacity && !writeOut())) {
        return 0;
    }
    waiting_.append(bytes, size);
    recordEnds_.push_back(waiting_.size());
    return count;
}

RecordFileBuffer::int_type RecordFileBuffer::overflow(int_type byte) {
    if (traits_type::eq_int_type(byte, traits_type::eof())) {
        return traits_type::not_eof(byte);
    }
    const char c = traits_type::to_char_type(byte);
    return xsputn(&c, 1) == 1 ? byte : traits_type::eof();
}

int RecordFileBuffer::sync() {
    return writeOut() ? 0 : -1;
}

bool RecordFileBuffer::writeOut() {
    if (failed_) {
        return false;
    }
    std::size_t written = 0;
    while (written < waiting_.size()) {
        const ssize_t now =
            ::write(fd_.get(), waiting_.data() + written, waiting_.size() - written);
        if (now < 0 && errno == EINTR) {
            continue;
        }
        if (now <= 0) {
            break;
        }
        written += static_cast<std::size_t>(now);
    }
    std::size_t whole = waiting_.size();
    if (written < waiting_.size()) {
        const auto after = std::upper_bound(recordEnds_.begin(), recordEnds_.end(), written);
        whole = after == recordEnds_.begin() ? 0 : *(after - 1);
        failed_ = true;
    }
    whole_ += static_cast<off_t>(whole);
    if (failed_ && written != whole) {
        // Cutting a file shorter needs no room, so this works on a full disk and at the limit.
        [[maybe_unused]] const int cut = ::ftruncate(fd_.get(), whole_);
    }
    waiting_.clear();
    recordEnds_.clear();
    return !failed_;
}

}  // namespace orvex
