#include <sstream>

#include <gtest/gtest.h>

#include "FakePpdevSystem.h"
#include "hardware/PortTap.h"
#include "hardware/SleepingDelay.h"
#include "hardware/ppdev/PpdevPort.h"
#include "hardware/trace/PortTrace.h"
#include "hardware/trace/TextTraceWriter.h"

namespace orvex {
namespace {

class Messages : public MessageSink {
public:
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

// The program hangs a trace on the tap in front of the port this way, so that the volume the
// backend silences on its own when it claims a port shows in the trace before the access that
// opened it.
TEST(TracedPpdevPort, TheSilentVolumeWrittenOnClaimingShowsInTheTrace) {
    FakeKernel kernel;
    kernel.devices = {"/dev/parport0"};
    Messages messages;
    PpdevPort ppdev(messages, std::make_unique<FakePpdevSystem>(kernel));
    SleepingDelay delay;
    auto stream = std::make_unique<std::ostringstream>();
    const std::ostringstream& text = *stream;
    PortTrace trace(std::make_unique<TextTraceWriter>(TraceOutput{std::move(stream), "memory"}),
                    messages, [] { return std::chrono::nanoseconds(0); });
    PortTap tap(ppdev, delay);
    tap.addListener(trace);

    tap.write({888, Register::Data, 128, false});

    EXPECT_EQ(text.str(), "# orvex port trace 1\n0.000000 W 890 11\n0.000000 W 888 128\n");
    EXPECT_EQ(kernel.calls.back(), "3 WDATA 128");
}

}  // namespace
}  // namespace orvex
