#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "hardware/trace/PortTrace.h"
#include "hardware/trace/VcdTraceWriter.h"

namespace orvex {
namespace {

using namespace std::chrono_literals;

// One time step of a dump: its time and the lines that changed, as "name=level".
struct Step {
    long long time = 0;
    std::vector<std::string> changes;

    friend bool operator==(const Step&, const Step&) = default;
};

void PrintTo(const Step& step, std::ostream* out) {
    *out << '#' << step.time;
    for (const std::string& change : step.changes) {
        *out << ' ' << change;
    }
}

// Reads a dump back the way a viewer would, failing the test on anything malformed: declarations
// first, then time marks that only ever grow, each followed by changes of declared signals.
struct Dump {
    std::string timescale;
    std::vector<std::string> names;
    std::vector<std::string> initial;  // the levels at time 0, as "name=level"
    std::vector<Step> steps;           // after time 0

    explicit Dump(const std::string& text) {
        std::istringstream in(text);
        std::map<std::string, std::string> byCode;
        std::string word;
        while (in >> word && word != "$enddefinitions") {
            if (word == "$timescale") {
                in >> timescale;
            } else if (word == "$var") {
                std::string type, width, code, name, end;
                in >> type >> width >> code >> name >> end;
                EXPECT_EQ(type + width + end, "wire1$end") << name;
                EXPECT_FALSE(byCode.contains(code)) << code;
                byCode[code] = name;
                names.push_back(name);
            }
        }
        in >> word;  // $end of $enddefinitions
        long long time = -1;
        while (in >> word) {
            if (word == "$dumpvars" || word == "$end") {
                continue;
            }
            if (word.front() == '#') {
                const long long next = std::stoll(word.substr(1));
                EXPECT_GT(next, time) << "time marks must grow";
                time = next;
                if (time > 0) {
                    steps.push_back({time, {}});
                }
                continue;
            }
            const std::string code = word.substr(1);
            EXPECT_TRUE(byCode.contains(code)) << word;
            EXPECT_NE(std::string("01x").find(word.front()), std::string::npos) << word;
            const std::string change = byCode[code] + "=" + word.front();
            (time > 0 ? steps.back().changes : initial).push_back(change);
        }
    }
};

struct CollectedMessages : MessageSink {
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

class VcdTrace : public ::testing::Test {
protected:
    void write(int address, Register reg, std::uint8_t value, bool dropped = false) {
        vcd.access(now, AccessKind::Write, {address, reg, value, dropped});
    }
    Dump dump() {
        vcd.flush();
        return Dump(text->str());
    }

    std::ostringstream* text = nullptr;
    std::chrono::nanoseconds now{};
    VcdTraceWriter vcd{[this] {
        auto stream = std::make_unique<std::ostringstream>();
        text = stream.get();
        return TraceOutput{std::move(stream), "memory.vcd"};
    }()};
};

TEST_F(VcdTrace, DeclaresEveryLineInNanosecondsAsUnknownUntilFirstDriven) {
    const Dump parsed = dump();
    EXPECT_EQ(parsed.timescale, "1ns");
    std::vector<std::string> unknown;
    for (const std::string& name : parsed.names) {
        unknown.push_back(name + "=x");
    }
    EXPECT_EQ(parsed.initial, unknown);
    EXPECT_TRUE(parsed.steps.empty());
}

TEST_F(VcdTrace, GivesEveryAccessATimeOfItsOwnWhenTheClockStandsStill) {
    write(888, Register::Data, 128);  // power on, everything else low
    write(888, Register::Data, 192);  // data up
    write(888, Register::Data, 208);  // clock up
    write(888, Register::Data, 208);  // nothing changes, but the time still moves on
    write(888, Register::Data, 192);  // clock down

    const std::vector<Step> expected{
        {1,
         {"power=1", "synth_data=0", "synth_enable=0", "synth_clock=0", "mute=0", "adc_clock=0",
          "adc_data=0", "d0=0"}},
        {2, {"synth_data=1"}},
        {3, {"synth_clock=1"}},
        {5, {"synth_clock=0"}},
        {6, {}},  // the closing mark
    };
    EXPECT_EQ(dump().steps, expected);
}

TEST_F(VcdTrace, KeepsTheClocksTimesWhenTheyAreLater) {
    now = 40ns;
    write(888, Register::Data, 0);
    now = 90ns;
    write(888, Register::Data, 4);
    EXPECT_EQ(dump().steps.at(1), (Step{90, {"adc_clock=1"}}));
}

TEST_F(VcdTrace, APauseMovesTheNextAccessOnByItsLength) {
    write(888, Register::Data, 160);
    vcd.pause(now, 1000us);
    write(888, Register::Data, 128);
    // A clock that ran further than the pause wins.
    vcd.pause(now, 100us);
    now = 5ms;
    write(888, Register::Data, 160);

    const std::vector<Step> steps = dump().steps;
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[1], (Step{1 + 1'000'000, {"synth_enable=0"}}));
    EXPECT_EQ(steps[2], (Step{5'000'000, {"synth_enable=1"}}));
}

TEST_F(VcdTrace, EndsWithTheWholeOfATrailingPause) {
    write(888, Register::Data, 128);
    vcd.pause(now, 100ms);
    EXPECT_EQ(dump().steps.back(), (Step{1 + 100'000'000, {}}));
}

TEST_F(VcdTrace, LeavesOutAccessesThatReachedNoPort) {
    write(0, Register::Data, 128, true);
    vcd.access(now, AccessKind::Read, {1, Register::Status, 64, true});
    EXPECT_TRUE(dump().steps.empty());
}

TEST_F(VcdTrace, ShowsTheControlLinesAsTheBoardSeesThemAfterThePortsInversion) {
    write(890, Register::Control, 11);  // silent: every volume line low
    write(890, Register::Control, 0);   // position 7
    write(890, Register::Control, 10);  // position 4

    const std::vector<Step> expected{
        {1, {"volume_4=0", "volume_2=0", "ctl2=0", "volume_1=0"}},
        {2, {"volume_4=1", "volume_2=1", "volume_1=1"}},
        {3, {"volume_2=0", "volume_1=0"}},
        {4, {}},
    };
    EXPECT_EQ(dump().steps, expected);
}

TEST_F(VcdTrace, ShowsTheConverterOutputFromStatusReads) {
    vcd.access(now, AccessKind::Read, {889, Register::Status, 64 + 8, false});
    vcd.access(now, AccessKind::Read, {889, Register::Status, 8, false});

    const std::vector<Step> expected{{1, {"adc_out=1"}}, {2, {"adc_out=0"}}, {3, {}}};
    EXPECT_EQ(dump().steps, expected);
}

TEST_F(VcdTrace, FlushingTwiceWithNothingNewAddsNoMark) {
    write(888, Register::Data, 128);
    vcd.flush();
    const std::string once = text->str();
    vcd.flush();
    EXPECT_EQ(text->str(), once);
}

// Hears 500 writes through a trace with that limit and gives back the file.
std::string limitedDump(std::uint64_t limit, std::vector<std::string>& messages) {
    std::stringbuf text;  // outlives the stream, which a full trace closes
    CollectedMessages told;
    std::chrono::nanoseconds now{};
    {
        PortTrace trace(std::make_unique<VcdTraceWriter>(
                            TraceOutput{std::make_unique<std::ostream>(&text), "t.vcd", limit}),
                        told, [&now] { return now; });
        for (int i = 0; i < 500; ++i) {
            now += 1us;
            trace.heard(AccessKind::Write,
                        {888, Register::Data, static_cast<std::uint8_t>(i * 37), false});
        }
        trace.flush();
    }
    messages = told.posted;
    return text.str();
}

TEST(VcdTraceLimit, EndsOnACompleteTimeStepAndItsClosingMarkWithOneMessage) {
    constexpr std::uint64_t Limit = 2048;
    std::vector<std::string> unlimited;
    const Dump whole(limitedDump(0, unlimited));
    std::vector<std::string> messages;
    const std::string limited = limitedDump(Limit, messages);
    const Dump cut(limited);

    EXPECT_LE(limited.size(), Limit);
    EXPECT_GT(limited.size(), Limit - 100);
    ASSERT_GT(cut.steps.size(), 2u);
    EXPECT_TRUE(cut.steps.back().changes.empty()) << "the closing mark";
    const std::vector<Step> complete(cut.steps.begin(), cut.steps.end() - 1);
    EXPECT_EQ(complete,
              std::vector<Step>(whole.steps.begin(),
                                whole.steps.begin() + static_cast<long>(complete.size())));
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_TRUE(unlimited.empty());
}

}  // namespace
}  // namespace orvex
