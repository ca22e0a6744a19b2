#include <set>

#include <gtest/gtest.h>

#include "BoardFixture.h"

namespace orvex::sim {
namespace {

// A station whose level the panel shows exactly: 6.5 converts to byte 95.
const Station Test137700{"test", 137700.0, 6.5, 20.0};
constexpr std::uint8_t Test137700Byte = 95;

class SimulatedConverter : public BoardFixture {
protected:
    SimulatedConverter() { board.setStations({Test137700}); }

    int transfer(int address) {
        converter.ConverterTransfer(address);
        return state.MeterValue;
    }

    // The signal byte the panel would get tuned to `receiveKHz`.
    int signalAt(double receiveKHz) {
        synthesizer.LoadDivider(dividerWord(powerOnDividerValue(receiveKHz, state.DividerScale)));
        return converter.measure().signalByte;
    }

    // The byte of a band with no station at all, read the same way.
    int emptyBandByte() {
        const std::vector<Station> stations = board.band().stations();
        board.setStations({});
        const int byte = converter.measure().signalByte;
        board.setStations(stations);
        return byte;
    }
};

TEST_F(SimulatedConverter, EachTransferShiftsOutTheChannelAddressedByTheTransferBefore) {
    tuneTo(137700.0);
    const std::vector<int> bytes{transfer(1), transfer(0), transfer(2), transfer(3),
                                 transfer(1), transfer(1), transfer(0)};
    const std::vector<int> expected{0,  // nothing converted since power came
                                    SimulatedBoard::SupplyByte,
                                    Test137700Byte,
                                    SimulatedBoard::SpareByte,
                                    SimulatedBoard::ReferenceByte,
                                    SimulatedBoard::SupplyByte,
                                    SimulatedBoard::SupplyByte};
    EXPECT_EQ(bytes, expected);
}

TEST_F(SimulatedConverter, MeasurementShowsTheStationLevelAndTwelveVolts) {
    tuneTo(137700.0);
    const Converter::Reading reading = converter.measure();
    EXPECT_EQ(signalLevel(reading.signalByte), 6.5);
    EXPECT_EQ(supplyVolts(reading.supplyByte), 12.0);
    EXPECT_EQ(state.MeterValue, SimulatedBoard::SpareByte);
}

TEST_F(SimulatedConverter, LevelRisesOnEachStationAndFallsBetweenThem) {
    board.setStations({{"low", 137500.0, 12.0, 20.0}, Test137700});
    useFiveKHzComparison();
    tuneTo(137400.0);
    const int floor = emptyBandByte();

    EXPECT_EQ(signalAt(137400.0), floor);
    EXPECT_NEAR(signalLevel(signalAt(137500.0)), 12.0, 0.06);
    EXPECT_EQ(signalAt(137510.0), signalAt(137500.0));  // the edge of its width
    const int skirt = signalAt(137515.0);
    EXPECT_LT(skirt, signalAt(137510.0));
    EXPECT_GT(skirt, floor);
    EXPECT_EQ(signalAt(137600.0), floor);
    EXPECT_EQ(signalAt(137700.0), Test137700Byte);
}

TEST_F(SimulatedConverter, NoiseFloorReadsAboutMinusTwoAndAHalf) {
    tuneTo(137700.0);
    EXPECT_NEAR(signalLevel(emptyBandByte()), Band::NoiseFloor, 0.1);
}

TEST_F(SimulatedConverter, AWrongDividerWordHearsNoSignal) {
    tuneTo(137700.0);
    const int floor = emptyBandByte();
    synthesizer.LoadDivider(14850);  // 137.800
    EXPECT_EQ(converter.measure().signalByte, floor);
}

TEST_F(SimulatedConverter, AnUnlockedBoardHearsOnlyNoise) {
    tuneTo(137700.0);
    const int floor = emptyBandByte();

    setPower(false);
    setPower(true);
    synthesizer.LoadDivider(14840);  // no reference word since power came
    EXPECT_EQ(converter.measure().signalByte, floor);

    useFiveKHzComparison();  // right divider word for a 10-kHz reference, wrong for this one
    synthesizer.INITIALIZE_PLL();
    EXPECT_EQ(converter.measure().signalByte, floor);
}

TEST_F(SimulatedConverter, OutputReadsZeroWhileUnpowered) {
    tuneTo(137700.0);
    converter.measure();
    setPower(false);
    EXPECT_EQ(converter.measure().supplyByte, 0);
    EXPECT_EQ(state.MeterValue, 0);
}

TEST_F(SimulatedConverter, PowerDropLosesTheTransferInProgressAndThePipelinedByte) {
    tuneTo(137700.0);
    transfer(1);
    // Three clocks of the next transfer, then power off and on.
    for (int i = 0; i < 3; ++i) {
        port.WritePort(state.PortBase, state.RestByte() + value(DataLine::ConverterClock));
        port.WritePort(state.PortBase, state.RestByte());
    }
    setPower(false);
    setPower(true);
    EXPECT_EQ(board.snapshot().converter, ConverterChip::State{});
    EXPECT_EQ(transfer(1), 0);
    EXPECT_EQ(transfer(0), SimulatedBoard::SupplyByte);
}

TEST(BandJitter, StaysWithinItsBytesAndRepeatsFromRunToRun) {
    Band band({Test137700});
    Band again({Test137700});
    band.setJitter(2);
    again.setJitter(2);
    std::set<int> seen;
    for (int i = 0; i < 50; ++i) {
        const int byte = band.convert(137700.0);
        EXPECT_LE(std::abs(byte - Test137700Byte), 2);
        EXPECT_EQ(again.convert(137700.0), byte);
        seen.insert(byte);
    }
    EXPECT_GT(seen.size(), 1u);
}

TEST_F(SimulatedConverter, BuiltInBandCarriesTheWeatherSatellitesAndABeaconOnTheStepGrid) {
    board.setStations(Band::defaultStations());
    useFiveKHzComparison();
    tuneTo(137400.0);
    const int floor = signalAt(137300.0);
    for (const double kHz : {137100.0, 137500.0, 137620.0, 137910.0}) {
        EXPECT_GT(signalLevel(signalAt(kHz)), signalLevel(floor) + 5.0) << kHz;
    }
}

TEST(BandLevels, ConvertToTheBytesThePanelShowsAsTheSameLevel) {
    for (const double level : {-3.5, -1.5, 0.5, 1.86, 6.5, 12.0, 23.34}) {
        EXPECT_NEAR(signalLevel(Band::levelByte(level)), level, 0.06) << level;
    }
    EXPECT_EQ(Band::levelByte(-10.0), 0);
    EXPECT_EQ(Band::levelByte(40.0), 255);
}

}  // namespace
}  // namespace orvex::sim
