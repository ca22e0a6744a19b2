#include <map>
#include <set>

#include <gtest/gtest.h>

#include "core/Band.h"
#include "hardware/sim/LiveBand.h"

namespace orvex::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::seconds;

std::vector<Station> sampled(const LiveBand& band, seconds from, seconds to, seconds every) {
    std::vector<Station> heard;
    for (seconds at = from; at < to; at += every) {
        for (Station& station : band.onTheAir(at)) {
            heard.push_back(std::move(station));
        }
    }
    return heard;
}

TEST(LiveBand, IsTheSameForTheSameSeedAndAnotherForAnother) {
    const auto hour = [](std::uint64_t seed) {
        return sampled(LiveBand(seed), seconds{0}, seconds{3600}, seconds{5});
    };
    EXPECT_EQ(hour(42), hour(42));
    EXPECT_NE(hour(42), hour(43));
}

// Over an hour every transmitter is heard and falls silent again, each in its part of the band.
TEST(LiveBand, TransmissionsComeAndGoInTheirPartsOfTheBand) {
    const LiveBand band(5);
    std::map<double, std::set<bool>> onAndOff;  // transmitter: whether heard, sample by sample
    std::set<std::size_t> atOnce;
    for (seconds at{0}; at < seconds{3600}; ++at) {
        std::set<double> heard;
        for (const Station& station : band.onTheAir(at)) {
            if (station.name != "Weather satellite pass (LRPT)") {
                heard.insert(station.frequencyKHz);
            }
        }
        for (const double kHz : heard) {
            onAndOff[kHz].insert(true);
        }
        for (auto& [kHz, seen] : onAndOff) {
            seen.insert(heard.contains(kHz));
        }
        atOnce.insert(heard.size());
    }
    ASSERT_GE(onAndOff.size(), 15u);
    for (const auto& [kHz, seen] : onAndOff) {
        EXPECT_EQ(seen.size(), 2u) << kHz << " kHz is never both on and off";
        EXPECT_TRUE((kHz >= 138000 && kHz < BandTopKHz) || (kHz >= BandBottomKHz && kHz < 137000))
            << kHz;
    }
    EXPECT_GT(atOnce.size(), 3u) << "as many transmitters at once all the time";
}

TEST(LiveBand, ASatellitePassRisesAndFallsWithItsDopplerShift) {
    const LiveBand band(11);
    const auto satellite = [&](microseconds at) -> std::optional<Station> {
        for (Station& station : band.onTheAir(at)) {
            if (station.name == "Weather satellite pass (LRPT)") {
                return station;
            }
        }
        return std::nullopt;
    };
    const microseconds rise = band.firstPassRise();
    const microseconds length = LiveBand::PassLength;
    EXPECT_FALSE(satellite(rise - seconds{1}));
    EXPECT_FALSE(satellite(rise + length));
    const std::array<microseconds, 5> moments{rise + length / 100, rise + length / 4,
                                              rise + length / 2, rise + length * 3 / 4,
                                              rise + length * 99 / 100};
    std::vector<double> strength;
    std::vector<double> shift;
    for (const microseconds at : moments) {
        const std::optional<Station> heard = satellite(at);
        ASSERT_TRUE(heard) << at.count();
        strength.push_back(heard->strength);
        shift.push_back(heard->frequencyKHz - LiveBand::PassCentreKHz);
    }
    EXPECT_LT(strength[0], strength[1]);
    EXPECT_LT(strength[1], strength[2]);
    EXPECT_GT(strength[2], strength[3]);
    EXPECT_GT(strength[3], strength[4]);
    EXPECT_NEAR(shift.front(), LiveBand::DopplerKHz, 0.01);
    EXPECT_NEAR(shift[2], 0.0, 0.01);
    EXPECT_NEAR(shift.back(), -LiveBand::DopplerKHz, 0.01);
    EXPECT_TRUE(satellite(rise + LiveBand::PassPeriod + length / 2));  // and again an orbit later
}

}  // namespace
}  // namespace orvex::sim
