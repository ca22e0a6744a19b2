#include <gtest/gtest.h>

#include "core/NumberText.h"
#include "hardware/Converter.h"
#include "hardware/Recorder.h"

namespace orvex {
namespace {

// Answers the status reads of successive transfers with the given bytes, most significant bit
// first, eight reads a transfer.
class ConverterBytes : public PortIo {
public:
    explicit ConverterBytes(std::vector<int> bytes) : bytes_(std::move(bytes)) {}
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override {
        const int byte = bytes_.at(reads_ / 8);
        const int bit = 7 - reads_ % 8;
        ++reads_;
        return ((byte >> bit) & 1) != 0 ? 0x40 : 0x00;
    }

private:
    std::vector<int> bytes_;
    int reads_ = 0;
};

class MeasurementTick : public ::testing::Test {
protected:
    MeasurementTick() {
        state.PortBase = Lpt1Base;
        state.PowerBits = 128;
        state.MuteBits = 8;
    }

    ReceiverState state;
    ConverterBytes board{{0x11, 200, 132, 0x5A}};
    Recorder recorder{&board};
    Port port{recorder, state};
    Converter converter{state, port, recorder};
};

TEST_F(MeasurementTick, WritesTheFourTransfersOnTheRestByte) {
    converter.measure();

    // clang-format off
    const std::vector<int> expected{
        136,
        // channel 0 address 0000, then four data clocks
        136, 140, 136,  136, 140, 136,  136, 140, 136,  136, 140, 136,
        140, 136,  140, 136,  140, 136,  140, 136,
        136,
        // address 0001
        136, 140, 136,  136, 140, 136,  136, 140, 136,  138, 142, 138,
        140, 136,  140, 136,  140, 136,  140, 136,
        136,
        // address 0010
        136, 140, 136,  136, 140, 136,  138, 142, 138,  136, 140, 136,
        140, 136,  140, 136,  140, 136,  140, 136,
        136,
        // address 0011
        136, 140, 136,  136, 140, 136,  138, 142, 138,  138, 142, 138,
        140, 136,  140, 136,  140, 136,  140, 136,
    };
    // clang-format on
    EXPECT_EQ(recorder.writes(Register::Data), expected);
    EXPECT_EQ(recorder.count(Recorder::Kind::Read), 32u);
    EXPECT_TRUE(recorder.writes(Register::Control).empty());
}

TEST_F(MeasurementTick, SamplesEachBitBeforeItsClockEdge) {
    converter.ConverterTransfer(1);
    const auto& events = recorder.events();
    // read, then the three writes of an address clock
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(events[0].kind, Recorder::Kind::Read);
    EXPECT_EQ(events[0].access.address, 889);
    EXPECT_EQ(events[1].kind, Recorder::Kind::Write);
    EXPECT_EQ(events[2].access.value, 140);
    EXPECT_EQ(state.MeterValue, 0x11);
}

TEST_F(MeasurementTick, PausesAfterTheFirstTransferAndAtTheEnd) {
    converter.measure();
    const auto& events = recorder.events();
    ASSERT_EQ(events.size(), 84u + 32u + 2u);
    EXPECT_EQ(events[1 + 28].kind, Recorder::Kind::Pause);
    EXPECT_EQ(events.back().kind, Recorder::Kind::Pause);
    EXPECT_EQ(recorder.pauses(),
              (std::vector<std::chrono::microseconds>{std::chrono::microseconds(100),
                                                      std::chrono::microseconds(100)}));
}

TEST_F(MeasurementTick, ReturnsTheBytesOfChannelsZeroAndOne) {
    const Converter::Reading reading = converter.measure();
    EXPECT_EQ(reading.signalByte, 200);
    EXPECT_EQ(reading.supplyByte, 132);
    EXPECT_EQ(state.MeterValue, 0x5A);  // channel 2 stays in the accumulator
}

TEST(ConverterScales, SignalLevelTexts) {
    EXPECT_EQ(numberText(signalLevel(0)), "-3.5");
    EXPECT_EQ(numberText(signalLevel(2)), "-3.28");
    EXPECT_EQ(numberText(signalLevel(19)), "-1.5");
    EXPECT_EQ(numberText(signalLevel(38)), "0.5");
    EXPECT_EQ(numberText(signalLevel(51)), "1.86");
    EXPECT_EQ(numberText(signalLevel(57)), "2.5");
    EXPECT_EQ(numberText(signalLevel(255)), "23.34");
}

TEST(ConverterScales, SupplyVolts) {
    EXPECT_EQ(numberText(supplyVolts(0)), "0");
    EXPECT_EQ(numberText(supplyVolts(6)), "0.55");
    EXPECT_EQ(numberText(supplyVolts(132)), "12");
    EXPECT_EQ(numberText(supplyVolts(255)), "23.18");
}

}  // namespace
}  // namespace orvex
