#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "hardware/sim/Station.h"

namespace orvex::sim {

// The traffic of the band as a receiver hears it today, beyond the steady stations: short FM
// transmissions that come and go between 138 and 144 MHz, AM carriers of the air band below
// 137 MHz that key up and drop, and a polar weather satellite passing near 137.9 MHz, its level
// rising and falling over the pass and its frequency drifting by the Doppler shift. Everything
// follows from the seed and the time: the same seed gives the same band at the same moment.
class LiveBand {
public:
    // A low orbit: about a pass every 100 minutes, some 14 minutes above the horizon.
    static constexpr std::chrono::minutes PassPeriod{100};
    static constexpr std::chrono::minutes PassLength{14};
    static constexpr double PassCentreKHz = 137900.0;
    static constexpr double DopplerKHz = 3.0;  // above the centre at rise, below it at set

    explicit LiveBand(std::uint64_t seed);

    // Every transmitter on the air at `at` (time since the board began), at its frequency and
    // strength then.
    std::vector<Station> onTheAir(std::chrono::microseconds at) const;

    // When the first pass rises; the others follow every PassPeriod.
    std::chrono::microseconds firstPassRise() const { return firstRise_; }

private:
    // A transmitter that is on now and then: its frequency, and how its transmissions fall in
    // slots of time (at most one a slot).
    struct Transmitter {
        Station station;  // strength: the loudest it is heard
        std::chrono::seconds slot;
        std::chrono::seconds shortest;
        std::chrono::seconds longest;
        int percentOfSlots;
    };

    void addTransmitters(int count, const Transmitter& kind, double lowKHz, double rasterKHz,
                         int rasterSteps);
    bool transmitting(std::size_t index, std::chrono::microseconds at, double& strength) const;
    bool passing(std::chrono::microseconds at, Station& satellite) const;

    std::uint64_t seed_;
    std::vector<Transmitter> transmitters_;
    std::chrono::microseconds firstRise_{};
    double passPeak_ = 0.0;
};

}  // namespace orvex::sim
