#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvex::sim {

// A transmitter the simulated antenna hears.
struct Station {
    std::string name;
    double frequencyKHz = 0.0;
    double strength = 0.0;  // signal level at the centre, in the meter's units (-3.5 .. 23.34)
    double widthKHz = 0.0;  // heard at full strength across this width, fading over as much again

    friend bool operator==(const Station&, const Station&) = default;
};

// What the receiver's level detector sees on each frequency of the band, and the byte the
// converter makes of it. The detector is calibrated to the panel's meter: a level L converts to
// the byte (L + 3.5) x 9.5, which the panel shows as L again, to within a hundredth.
class Band {
public:
    static constexpr double NoiseFloor = -2.5;  // level with nothing on the frequency
    static constexpr int DefaultJitter = 1;     // converter bytes either way, at every conversion

    // A few stations of the 2-m band as a receiver in the field hears them.
    static std::vector<Station> defaultStations();

    explicit Band(std::vector<Station> stations = defaultStations())
        : stations_(std::move(stations)) {}

    void setStations(std::vector<Station> stations) { stations_ = std::move(stations); }
    const std::vector<Station>& stations() const { return stations_; }
    // How far each channel-0 conversion may stray from the exact byte; 0 makes it exact.
    void setJitter(int bytes) { jitter_ = std::clamp(bytes, 0, 255); }
    int jitter() const { return jitter_; }

    // The level heard tuned to `receiveKHz`; with nothing tuned (synthesizer unlocked) the noise
    // floor. The strongest station wins where two overlap.
    double level(std::optional<double> receiveKHz) const;
    // The station that sets that level: the strongest heard there; none on the noise floor.
    const Station* stationHeard(std::optional<double> receiveKHz) const;
    // The detector's byte for a level, without jitter.
    static std::uint8_t levelByte(double level);
    // One conversion of the level, with the jitter in force. The jitter is pseudo-random but the
    // same on every run.
    std::uint8_t convert(std::optional<double> receiveKHz);

private:
    std::vector<Station> stations_;
    int jitter_ = DefaultJitter;
    std::uint32_t noise_ = 0x2545F491u;
};

}  // namespace orvex::sim
