#include <sstream>

#include <gtest/gtest.h>

#include "hardware/PortTap.h"
#include "hardware/Recorder.h"
#include "hardware/trace/PortTrace.h"
#include "hardware/trace/TextTraceWriter.h"

namespace orvex {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class Messages : public MessageSink {
public:
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

// Answers every read with the same byte, even one it should not have been asked.
class FixedBoard : public PortIo {
public:
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override { return 64; }
    void selectBase(int base) override { selected = base; }
    std::string describe() const override { return "fixed board"; }
    void claim() { reportOwnWrite({890, Register::Control, 11, false}); }
    int selected = 0;
};

class TextTrace : public ::testing::Test {
protected:
    TextTrace() { tap.addListener(trace); }

    std::unique_ptr<TraceWriter> writer() {
        auto stream = std::make_unique<std::ostringstream>();
        text = stream.get();
        return std::make_unique<TextTraceWriter>(TraceOutput{std::move(stream), "memory.txt"});
    }

    Lines lines() const {
        Lines result;
        std::istringstream in(text->str());
        for (std::string line; std::getline(in, line);) {
            result.push_back(line);
        }
        return result;
    }

    FixedBoard board;
    Recorder recorder{&board};
    Messages messages;
    std::chrono::nanoseconds now{};
    std::ostringstream* text = nullptr;
    PortTrace trace{writer(), messages, [this] { return now; }};
    PortTap tap{recorder, recorder};
};

TEST_F(TextTrace, WritesOneLinePerAccessAndPauseAfterTheFormatLine) {
    now = 12'345ns;
    tap.write({888, Register::Data, 128, false});
    now = 50us;
    tap.read({889, Register::Status, 0, false});
    now = 1234us;
    tap.pause(1000us);
    now = 2s + 500ms;
    tap.write({890, Register::Control, 11, false});

    EXPECT_EQ(lines(), (Lines{"# orvex port trace 1", "0.000012 W 888 128", "0.000050 R 889 64",
                              "0.001234 P 1000", "2.500000 W 890 11"}));
}

TEST_F(TextTrace, MarksAccessesThatReachedNoPortAndReadsThemAsZero) {
    now = 1us;
    tap.write({0, Register::Data, 136, true});
    EXPECT_EQ(tap.read({1, Register::Status, 0, true}), 0);

    EXPECT_EQ(lines(), (Lines{"# orvex port trace 1", "0.000001 W 0 136 dropped",
                              "0.000001 R 1 0 dropped"}));
}

TEST_F(TextTrace, PassesEveryAccessAndPauseOnUnchanged) {
    tap.selectBase(632);
    tap.write({632, Register::Data, 8, false});
    EXPECT_EQ(tap.read({633, Register::Status, 0, false}), 64);
    tap.pause(100us);
    tap.write({0, Register::Data, 8, true});

    const std::vector<Recorder::Event> expected{
        {Recorder::Kind::Write, {632, Register::Data, 8, false}, {}},
        {Recorder::Kind::Read, {633, Register::Status, 64, false}, {}},
        {Recorder::Kind::Pause, {}, 100us},
        {Recorder::Kind::Write, {0, Register::Data, 8, true}, {}},
    };
    EXPECT_EQ(recorder.events(), expected);
    EXPECT_EQ(board.selected, 632);
    EXPECT_EQ(tap.describe(), "fixed board");
}

TEST_F(TextTrace, RecordsTheBackendsOwnWritesWithoutSendingThemAgain) {
    board.claim();
    EXPECT_EQ(lines(), (Lines{"# orvex port trace 1", "0.000000 W 890 11"}));
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(TextTrace, AFileThatStopsTakingTheTraceIsToldOnceAndTheReceiverWorksOn) {
    tap.write({888, Register::Data, 128, false});
    text->setstate(std::ios::badbit);
    tap.write({888, Register::Data, 136, false});
    tap.pause(100us);
    trace.flush();

    EXPECT_EQ(messages.posted,
              Lines{"The port trace memory.txt could not be written (is the disk full?): it stops "
                    "here, the receiver works on"});
    EXPECT_EQ(recorder.writes(Register::Data), (std::vector<int>{128, 136}));
    EXPECT_EQ(recorder.pauses(), std::vector{std::chrono::microseconds(100us)});
}

TEST(TextTraceLimit, EndsOnACompleteLineWithOneMessage) {
    std::stringbuf text;  // outlives the stream, which a full trace closes
    Messages messages;
    PortTrace trace(std::make_unique<TextTraceWriter>(
                        TraceOutput{std::make_unique<std::ostream>(&text), "t.txt", 200}),
                    messages, [] { return 1us; });
    for (int value = 0; value < 100; ++value) {
        trace.heard(AccessKind::Write,
                    {888, Register::Data, static_cast<std::uint8_t>(value), false});
    }
    trace.flush();

    // 21 bytes of header, then lines of 17 and 18 bytes.
    EXPECT_EQ(text.str().size(), 21 + 10 * 17);
    EXPECT_TRUE(text.str().ends_with("\n0.000001 W 888 9\n"));
    EXPECT_EQ(messages.posted,
              Lines{"The port trace t.txt reached its limit of 200 bytes and ends there on a "
                    "complete entry; the receiver works on (--trace-limit sets another limit)"});
}

}  // namespace
}  // namespace orvex
