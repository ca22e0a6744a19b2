#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "hardware/sim/LiveBand.h"
#include "hardware/sim/Station.h"

namespace orvex::sim {

// What the receiver's level detector sees on each frequency of the band, and the byte the
// converter makes of it. The detector is calibrated to the panel's meter: a level L converts to
// the byte (L + 3.5) x 9.5, which the panel shows as L again, to within a hundredth.
//
// A steady band holds its stations and nothing else, the same at every moment; a live band adds
// the traffic of today's band (LiveBand.h) over them, which changes with the time.
class Band {
public:
    static constexpr double NoiseFloor = -2.5;  // level with nothing on the frequency
    static constexpr int DefaultJitter = 1;     // converter bytes either way, at every conversion

    // A few stations of the 2-m band as a receiver in the field hears them, steady all day.
    static std::vector<Station> defaultStations();

    explicit Band(std::vector<Station> stations = defaultStations())
        : stations_(std::move(stations)) {}

    void setStations(std::vector<Station> stations) { stations_ = std::move(stations); }
    const std::vector<Station>& stations() const { return stations_; }
    // How far each channel-0 conversion may stray from the exact byte; 0 makes it exact.
    void setJitter(int bytes) { jitter_ = std::clamp(bytes, 0, 255); }
    int jitter() const { return jitter_; }

    // The traffic of `seed` joins the stations; steady again without it.
    void goLive(std::uint64_t seed) { live_.emplace(seed); }
    void goSteady() { live_.reset(); }
    const std::optional<LiveBand>& live() const { return live_; }

    // The level heard tuned to `receiveKHz` at the moment `at`; with nothing tuned (synthesizer
    // unlocked) the noise floor. The strongest station wins where two overlap.
    double level(std::optional<double> receiveKHz, std::chrono::microseconds at = {}) const;
    // The station that sets that level: the strongest heard there; none on the noise floor.
    std::optional<Station> stationHeard(std::optional<double> receiveKHz,
                                        std::chrono::microseconds at = {}) const;
    // The detector's byte for a level, without jitter.
    static std::uint8_t levelByte(double level);
    // One conversion of the level heard on `receiveKHz`, or of a level the detector shows, with
    // the jitter in force. The jitter is pseudo-random but the same on every run.
    std::uint8_t convert(std::optional<double> receiveKHz) {
        return convertLevel(level(receiveKHz));
    }
    std::uint8_t convertLevel(double level);

private:
    // Hands `heard` the steady stations and, on a live band, the traffic at `at`.
    template <typename Heard>
    void listen(std::chrono::microseconds at, Heard&& heard) const;

    std::vector<Station> stations_;
    std::optional<LiveBand> live_;
    int jitter_ = DefaultJitter;
    std::uint32_t noise_ = 0x2545F491u;
};

}  // namespace orvex::sim
