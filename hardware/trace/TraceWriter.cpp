#include "hardware/trace/TraceWriter.h"

#include <locale>

namespace orvex {

TraceWriter::TraceWriter(TraceOutput output) : output_(std::move(output)) {
    // Numbers in a trace are plain digits whatever the desktop's language.
    output_.stream->imbue(std::locale::classic());
}

}  // namespace orvex
