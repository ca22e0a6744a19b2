#include "hardware/trace/TraceWriter.h"

namespace orvex {

bool TraceWriter::fits(std::string_view record, std::uint64_t room) const {
    return output_.limit == 0 ||
           (output_.limit >= room && written_ + record.size() <= output_.limit - room);
}

void TraceWriter::writeRecord(std::string_view record) {
    if (full_ || !fits(record, keptBack_)) {
        full_ = true;
        return;
    }
    output_.stream->write(record.data(), static_cast<std::streamsize>(record.size()));
    written_ += record.size();
}

void TraceWriter::writeClosingRecord(std::string_view record) {
    if (fits(record, 0)) {
        output_.stream->write(record.data(), static_cast<std::streamsize>(record.size()));
        written_ += record.size();
    }
}

}  // namespace orvex
