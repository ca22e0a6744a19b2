#include "hardware/trace/OpenTrace.h"

#include <variant>

#include "hardware/trace/TextTraceWriter.h"
#include "hardware/trace/TraceFile.h"
#include "hardware/trace/VcdTraceWriter.h"

namespace orvex {

std::unique_ptr<PortTrace> openTrace(const TraceRequest& request, MessageSink& messages,
                                     TraceClock clock) {
    auto opened = openTraceFile(request.path, request.settingsPath);
    if (const auto* refusal = std::get_if<std::string>(&opened)) {
        messages.post(*refusal);
        return nullptr;
    }
    TraceOutput output{std::move(std::get<std::unique_ptr<std::ostream>>(opened)), request.path,
                       request.limit};
    std::unique_ptr<TraceWriter> writer;
    if (request.path.ends_with(".vcd")) {
        writer = std::make_unique<VcdTraceWriter>(std::move(output));
    } else {
        writer = std::make_unique<TextTraceWriter>(std::move(output));
    }
    return std::make_unique<PortTrace>(std::move(writer), messages, std::move(clock));
}

}  // namespace orvex
