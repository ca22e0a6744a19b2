#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

#include "hardware/PortTap.h"
#include "hardware/Synthesizer.h"
#include "hardware/trace/OpenTrace.h"

namespace orvex {
namespace {

namespace fs = std::filesystem;

// A board that is not there, and a pause that does not wait: the trace alone sees the lines.
class NoBoard : public PortIo, public Delay {
public:
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override { return 0; }
    void pause(std::chrono::microseconds) override {}
};

class Messages : public MessageSink {
public:
    void post(std::string message) override { posted.push_back(std::move(message)); }
    std::vector<std::string> posted;
};

struct Command {
    int status = -1;
    std::string output;
};

Command run(const std::string& command) {
    Command result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    while (const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), pipe)) {
        result.output.append(buffer.data(), got);
    }
    result.status = pclose(pipe);
    return result;
}

// A decoded SPI transfer: how many one-bit words it had and their value, first bit highest.
struct Word {
    int bits = 0;
    int value = 0;

    friend bool operator==(const Word&, const Word&) = default;
};

void PrintTo(const Word& word, std::ostream* out) {
    *out << word.bits << " bits = " << word.value;
}

// sigrok-cli prints each transfer as "spi-1: 00 01 00 ...", one byte per one-bit word.
std::vector<Word> transfers(const std::string& output) {
    std::vector<Word> words;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string label;
        fields >> label;
        if (label != "spi-1:") {
            continue;
        }
        Word word;
        for (std::string bit; fields >> bit;) {
            word.value = word.value * 2 + std::stoi(bit, nullptr, 16);
            ++word.bits;
        }
        words.push_back(word);
    }
    return words;
}

TEST(SigrokDecode, ReadsTheThreeSynthesizerWordsFromAValueChangeDump) {
    ASSERT_EQ(run("command -v sigrok-cli").status, 0)
        << "sigrok-cli is not installed; ./test.sh installs it (apt-get install sigrok-cli)";

    const fs::path folder = fs::path(ORVEX_TEST_ARTIFACTS) / "trace";
    fs::create_directories(folder);
    const fs::path path = folder / "synthesizer.vcd";
    {
        NoBoard board;
        Messages messages;
        auto trace = openTrace({path.string()}, messages);
        ASSERT_NE(trace, nullptr) << ::testing::PrintToString(messages.posted);
        PortTap tap(board, board);
        tap.addListener(*trace);
        ReceiverState state;
        state.PortBase = Lpt1Base;
        state.PowerBits = 128;
        state.RefDivider = 800;
        Port port(tap, state);
        Synthesizer synthesizer(state, port, tap);
        synthesizer.INITIALIZE_PLL();
        synthesizer.LoadDivider(14270);
    }

    const Command decoded = run("sigrok-cli -I vcd -i '" + path.string() +
                                "' -P spi:clk=synth_clock:mosi=synth_data:cs=synth_enable:"
                                "cs_polarity=active-low:wordsize=1 -A spi=mosi-transfer");
    ASSERT_EQ(decoded.status, 0) << decoded.output;
    EXPECT_EQ(transfers(decoded.output), (std::vector<Word>{{8, 71}, {15, 800}, {16, 14270}}))
        << decoded.output;
}

}  // namespace
}  // namespace orvex
