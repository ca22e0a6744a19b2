#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "core/SettleTimes.h"
#include "support/ManualClock.h"

namespace orvex::sim {
namespace {

using std::chrono::microseconds;

const Station Before{"before", 137500.0, 12.0, 20.0};
const Station After{"after", 137700.0, 6.5, 20.0};

struct OnAClock {
    std::shared_ptr<test::ManualClock> boardClock = std::make_shared<test::ManualClock>();
};

// The board on a clock the test moves, tuned to one station long enough to have settled.
class Settling : protected OnAClock, public BoardFixture {
protected:
    Settling() : BoardFixture(boardClock) {
        board.setStations({Before, After});
        tuneTo(Before.frequencyKHz);
        boardClock->advance(settle::Channel);
    }

    int signalByte() { return converter.measure().signalByte; }
    void retuneTo(double kHz) {
        synthesizer.LoadDivider(dividerWord(powerOnDividerValue(kHz, state.DividerScale)));
    }
};

// Until the loop has locked the detector shows the old channel; then it moves to the new one.
TEST_F(Settling, AReadingBeforeTheBoardHasSettledIsPartlyTheOldChannels) {
    struct Moment {
        microseconds after;
        double level;
    };
    const double halfway = settle::SynthesizerLock.count() + settle::LevelDetector.count() / 2.0;
    const std::array<Moment, 5> moments{{
        {microseconds{0}, Before.strength},
        {settle::SynthesizerLock - microseconds{1}, Before.strength},
        {microseconds(static_cast<long>(halfway)), (Before.strength + After.strength) / 2},
        {settle::Channel, After.strength},
        {settle::Channel * 3, After.strength},
    }};
    microseconds elapsed{};
    retuneTo(After.frequencyKHz);
    for (const Moment& moment : moments) {
        boardClock->advance(moment.after - elapsed);
        elapsed = moment.after;
        EXPECT_EQ(signalByte(), Band::levelByte(moment.level)) << moment.after.count() << " us";
    }
}

TEST_F(Settling, ReadingsFasterThanTheLockTimeShowTheChannelBeforeEach) {
    const std::array<double, 3> channels{137400.0, Before.frequencyKHz, After.frequencyKHz};
    std::vector<int> read;
    for (const double kHz : channels) {
        retuneTo(kHz);
        boardClock->advance(settle::SynthesizerLock / 2);
        read.push_back(signalByte());
    }
    const std::vector<int> previous{Band::levelByte(Before.strength),
                                    Band::levelByte(Band::NoiseFloor),
                                    Band::levelByte(Before.strength)};
    EXPECT_EQ(read, previous);
}

TEST(LiveBoard, HearsTheSatelliteOnlyWhileItPasses) {
    auto clock = std::make_shared<test::ManualClock>();
    SimulatedBoard board(clock);
    board.band().goLive(7);
    const LiveBand& live = *board.band().live();
    const auto heardAt = [&](microseconds at) {
        return board.band().level(LiveBand::PassCentreKHz, at);
    };
    const microseconds overhead = live.firstPassRise() + LiveBand::PassLength / 2;
    const microseconds before = live.firstPassRise() - std::chrono::seconds{1};
    const microseconds after = live.firstPassRise() + LiveBand::PassLength;
    EXPECT_GT(heardAt(overhead), heardAt(before) + 3.0);
    EXPECT_GT(heardAt(overhead), heardAt(after) + 3.0);
    EXPECT_EQ(heardAt(overhead), heardAt(overhead + LiveBand::PassPeriod));
}

}  // namespace
}  // namespace orvex::sim
