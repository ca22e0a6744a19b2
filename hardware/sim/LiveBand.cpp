#include "hardware/sim/LiveBand.h"

#include <cmath>
#include <numbers>

#include "core/Band.h"

namespace orvex::sim {
namespace {

using std::chrono::microseconds;
using std::chrono::seconds;

// splitmix64: every decision of the band is a hash of the seed, the transmitter and the slot, so
// it needs no state and any moment can be looked at in any order.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15u;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9u;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBu;
    return x ^ (x >> 31);
}

std::uint64_t decide(std::uint64_t seed, std::uint64_t what, std::uint64_t when) {
    return mix(mix(seed ^ mix(what)) ^ when);
}

// A whole number in [low, high) from some bits of a decision.
std::int64_t within(std::uint64_t bits, std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(bits % static_cast<std::uint64_t>(high - low));
}

// A fraction in [0, 1) from the decision's top bits.
double fraction(std::uint64_t bits) {
    return static_cast<double>(bits >> 11) / static_cast<double>(std::uint64_t{1} << 53);
}

constexpr int FmTransmitters = 12;
constexpr int AirCarriers = 8;
constexpr std::uint64_t PassDecision = 0xFFFF;

}  // namespace

LiveBand::LiveBand(std::uint64_t seed) : seed_(seed) {
    // Mobiles and hand-helds on the 12.5 kHz raster, heard a few seconds at a time.
    addTransmitters(
        FmTransmitters,
        {{"FM transmission", 0.0, 16.0, 12.0}, seconds(40), seconds(4), seconds(25), 40}, 138000.0,
        12.5, 480);
    // Aircraft and towers keying up briefly on the 25 kHz raster of the air band (AM).
    addTransmitters(
        AirCarriers,
        {{"Air band carrier (AM)", 0.0, 12.0, 8.0}, seconds(20), seconds(2), seconds(10), 45},
        BandBottomKHz, 25.0, 200);
    const std::uint64_t pass = decide(seed_, PassDecision, 0);
    // The first pass rises within a few minutes, so a look at the live band soon sees one.
    firstRise_ = seconds(within(pass, 30, 360));
    passPeak_ = 12.0 + 6.0 * fraction(pass);
}

void LiveBand::addTransmitters(int count, const Transmitter& kind, double lowKHz, double rasterKHz,
                               int rasterSteps) {
    for (int i = 0; i < count; ++i) {
        Transmitter transmitter = kind;
        const std::uint64_t where = decide(seed_, transmitters_.size(), 0);
        transmitter.station.frequencyKHz =
            lowKHz + rasterKHz * static_cast<double>(within(where, 0, rasterSteps));
        transmitters_.push_back(transmitter);
    }
}

// At most one transmission a slot: whether there is one, where it starts and how long it lasts,
// and how strong this time (another mobile, another distance) all come from one decision.
bool LiveBand::transmitting(std::size_t index, microseconds at, double& strength) const {
    const Transmitter& t = transmitters_[index];
    const auto slot = static_cast<std::uint64_t>(at / t.slot);
    const std::uint64_t decision = decide(seed_, index + 1, slot);
    if (within(decision, 0, 100) >= t.percentOfSlots) {
        return false;
    }
    const seconds length(within(decision >> 8, t.shortest.count(), t.longest.count() + 1));
    const seconds start(within(decision >> 20, 0, (t.slot - length).count() + 1));
    const microseconds into = at - t.slot * static_cast<std::int64_t>(slot);
    if (into < start || into >= start + length) {
        return false;
    }
    strength = 1.0 + (t.station.strength - 1.0) * fraction(decision);
    return true;
}

// Low at rise and set, loudest overhead; the Doppler shift runs from +3 kHz at rise through zero
// overhead to -3 kHz at set.
bool LiveBand::passing(microseconds at, Station& satellite) const {
    if (at < firstRise_) {
        return false;
    }
    const microseconds into = (at - firstRise_) % PassPeriod;
    if (into >= PassLength) {
        return false;
    }
    const double progress =
        static_cast<double>(into.count()) / static_cast<double>(microseconds(PassLength).count());
    // Its picture signal is digital (LRPT), some 120 kHz wide: far wider than the receiver's
    // filter, so the level is flat across it.
    satellite = {"Weather satellite pass (LRPT)",
                 PassCentreKHz + DopplerKHz * std::cos(std::numbers::pi * progress),
                 passPeak_ * std::sin(std::numbers::pi * progress), 120.0};
    return true;
}

std::vector<Station> LiveBand::onTheAir(microseconds at) const {
    std::vector<Station> heard;
    for (std::size_t i = 0; i < transmitters_.size(); ++i) {
        double strength = 0.0;
        if (transmitting(i, at, strength)) {
            heard.push_back(transmitters_[i].station);
            heard.back().strength = strength;
        }
    }
    Station satellite;
    if (passing(at, satellite)) {
        heard.push_back(std::move(satellite));
    }
    return heard;
}

}  // namespace orvex::sim
