#include "hardware/trace/OpenTrace.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "hardware/trace/TextTraceWriter.h"
#include "hardware/trace/VcdTraceWriter.h"

namespace orvex {

std::unique_ptr<PortTrace> openTrace(const std::string& path, MessageSink& messages,
                                     TraceClock clock) {
    errno = 0;
    auto file = std::make_unique<std::ofstream>(path, std::ios::out | std::ios::trunc);
    if (!file->is_open()) {
        const int error = errno;
        const std::string reason =
            error != 0 ? std::generic_category().message(error) : "it cannot be created";
        messages.post("Cannot create the port trace " + path + " (" + reason +
                      "): choose a folder you may write to; the receiver runs on without a trace");
        return nullptr;
    }
    TraceOutput output{std::move(file), path};
    std::unique_ptr<TraceWriter> writer;
    if (path.ends_with(".vcd")) {
        writer = std::make_unique<VcdTraceWriter>(std::move(output));
    } else {
        writer = std::make_unique<TextTraceWriter>(std::move(output));
    }
    return std::make_unique<PortTrace>(std::move(writer), messages, std::move(clock));
}

}  // namespace orvex
