#include <gtest/gtest.h>

#include "hardware/PortTap.h"
#include "hardware/Recorder.h"

namespace orvex {
namespace {

using namespace std::chrono_literals;

// A board that answers every read with one byte and silences its volume lines when claimed.
class ClaimingBoard : public PortIo {
public:
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override { return 0x40; }
    void selectBase(int base) override {
        reportOwnWrite({base + 2, Register::Control, SilentVolumeCode, false});
    }
};

// Writes down what it hears, as text.
struct Heard : PortListener {
    void heard(AccessKind kind, const PortAccess& access) override {
        events.push_back((kind == AccessKind::Write ? "W " : "R ") +
                         std::to_string(access.address) + " " + std::to_string(access.value));
    }
    void paused(std::chrono::microseconds length) override {
        events.push_back("P " + std::to_string(length.count()));
    }
    std::vector<std::string> events;
};

class Tap : public ::testing::Test {
protected:
    ClaimingBoard board;
    Recorder delay;
    PortTap tap{board, delay};
    Heard first;
    Heard second;
};

TEST_F(Tap, EveryListenerHearsAccessesPausesAndTheBoardsOwnWritesInOrder) {
    tap.addListener(first);
    tap.addListener(second);
    tap.selectBase(888);
    tap.write({888, Register::Data, 128, false});
    EXPECT_EQ(tap.read({889, Register::Status, 0, false}), 0x40);
    EXPECT_EQ(tap.read({1, Register::Status, 0, true}), 0);  // dropped: reads as 0
    tap.pause(100us);

    const std::vector<std::string> expected{"W 890 11", "W 888 128", "R 889 64", "R 1 0", "P 100"};
    EXPECT_EQ(first.events, expected);
    EXPECT_EQ(second.events, expected);
    EXPECT_EQ(delay.pauses(), std::vector{100us});
}

TEST_F(Tap, AListenerHearsOnlyWhileItIsAdded) {
    tap.write({888, Register::Data, 1, false});
    tap.addListener(first);
    tap.addListener(first);  // once is enough
    tap.write({888, Register::Data, 2, false});
    tap.removeListener(first);
    tap.write({888, Register::Data, 3, false});

    EXPECT_EQ(first.events, std::vector<std::string>{"W 888 2"});
}

}  // namespace
}  // namespace orvex
