#include <gtest/gtest.h>

#include "hardware/Port.h"
#include "hardware/Recorder.h"

namespace orvex {
namespace {

class PortLayer : public ::testing::Test {
protected:
    ReceiverState state;
    Recorder recorder;
    Port port{recorder, state};
};

TEST_F(PortLayer, DropsEveryAccessWhileNoPortIsChosen) {
    port.WritePort(0, 128);
    port.WritePort(2, 11);
    EXPECT_EQ(port.ReadPort(1), 0);

    const std::vector<Recorder::Event> expected{
        {Recorder::Kind::Write, {0, Register::Data, 128, true}, {}},
        {Recorder::Kind::Write, {2, Register::Control, 11, true}, {}},
        {Recorder::Kind::Read, {1, Register::Status, 0, true}, {}},
    };
    EXPECT_EQ(recorder.events(), expected);
}

TEST_F(PortLayer, PassesTheThreeRegistersOfTheChosenPort) {
    state.PortBase = Lpt1Base;
    port.WritePort(888, 136);
    port.ReadPort(889);
    port.WritePort(890, 10);

    const std::vector<Recorder::Event> expected{
        {Recorder::Kind::Write, {888, Register::Data, 136, false}, {}},
        {Recorder::Kind::Read, {889, Register::Status, 0, false}, {}},
        {Recorder::Kind::Write, {890, Register::Control, 10, false}, {}},
    };
    EXPECT_EQ(recorder.events(), expected);
}

TEST_F(PortLayer, DropsAddressesOutsideThePort) {
    state.PortBase = Lpt2Base;
    port.WritePort(631, 1);
    port.WritePort(635, 1);
    port.WritePort(888, 1);
    for (const Recorder::Event& event : recorder.events()) {
        EXPECT_TRUE(event.access.dropped) << event.access.address;
    }
}

TEST_F(PortLayer, WritesOnlyTheLowEightBits) {
    state.PortBase = Lpt1Base;
    port.WritePort(888, 0x1A0);
    port.WritePort(888, -1);
    EXPECT_EQ(recorder.writes(Register::Data), (std::vector<int>{0xA0, 0xFF}));
}

// A backend that answers every status read with the same byte.
class FixedStatus : public PortIo {
public:
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override { return 0x40; }
};

TEST(PortLayerReads, ReturnTheBackendsByteOnlyFromAChosenPort) {
    ReceiverState state;
    FixedStatus board;
    Recorder recorder(&board);
    Port port(recorder, state);
    EXPECT_EQ(port.ReadPort(1), 0);
    state.PortBase = Lpt1Base;
    EXPECT_EQ(port.ReadPort(889), 0x40);
}

}  // namespace
}  // namespace orvex
