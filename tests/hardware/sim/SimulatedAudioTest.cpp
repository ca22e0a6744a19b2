#include <gtest/gtest.h>

#include "BoardFixture.h"

namespace orvex::sim {
namespace {

using SimulatedAudio = BoardFixture;

TEST_F(SimulatedAudio, DecodesTheEightVolumeCodesFromTheInvertedControlLines) {
    const std::array<int, 8> codes{11, 3, 9, 1, 10, 2, 8, 0};
    std::vector<int> volumes;
    for (const int code : codes) {
        port.WritePort(state.PortBase + 2, code);
        volumes.push_back(board.volume());
    }
    EXPECT_EQ(volumes, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(SimulatedAudio, ComesUpSilent) {
    EXPECT_EQ(board.volume(), 0);
    EXPECT_FALSE(board.powered());
    EXPECT_FALSE(board.audible());
}

TEST_F(SimulatedAudio, DecodesTheMuteLineFromEveryDataWrite) {
    setPower(true);
    port.WritePort(state.PortBase + 2, 0);
    EXPECT_FALSE(board.muted());
    EXPECT_TRUE(board.audible());

    state.MuteBits = 8;
    synthesizer.LoadDivider(14840);  // any data write carries the line
    EXPECT_TRUE(board.muted());
    EXPECT_FALSE(board.audible());

    state.MuteBits = 0;
    converter.measure();
    EXPECT_FALSE(board.muted());
    EXPECT_TRUE(board.audible());
}

TEST_F(SimulatedAudio, IsHeardOnlyPoweredUnmutedAndWithSomeVolume) {
    port.WritePort(state.PortBase + 2, 3);  // volume 1
    EXPECT_FALSE(board.audible());          // unpowered
    setPower(true);
    EXPECT_TRUE(board.audible());
    port.WritePort(state.PortBase + 2, SilentVolumeCode);
    EXPECT_FALSE(board.audible());

    port.WritePort(state.PortBase + 2, 0);
    state.MuteBits = 8;
    setPower(false);  // power-off writes 8: unpowered and muted
    const BoardSnapshot snapshot = board.snapshot();
    EXPECT_FALSE(snapshot.powered);
    EXPECT_TRUE(snapshot.muted);
    EXPECT_EQ(snapshot.volume, 7);
    EXPECT_FALSE(snapshot.audible);
}

}  // namespace
}  // namespace orvex::sim
