#include "hardware/sim/Band.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/NumberText.h"

namespace orvex::sim {

namespace {

// Bytes per meter unit: the panel shows a byte B as round(B x 100 / 19) / 50 - 3.5.
constexpr double BytesPerLevel = 9.5;
constexpr double LowestLevel = -3.5;

// 1 inside the station's width, a cosine-squared skirt out to twice that, 0 beyond.
double response(const Station& station, double receiveKHz) {
    const double offset = std::abs(receiveKHz - station.frequencyKHz);
    const double half = station.widthKHz / 2.0;
    if (offset <= half) {
        return 1.0;
    }
    if (offset >= station.widthKHz) {
        return 0.0;
    }
    const double c = std::cos(std::numbers::pi / 2.0 * (offset - half) / half);
    return c * c;
}

// The level one station gives, over the noise floor.
double levelOf(const Station& station, double receiveKHz) {
    return Band::NoiseFloor + (station.strength - Band::NoiseFloor) * response(station, receiveKHz);
}

}  // namespace

std::vector<Station> Band::defaultStations() {
    // The frequencies and strengths are old friends of the tests; the names say what is on those
    // channels today. The satellite channels are 34 kHz wide; the beacon sits on the step grid.
    return {
        {"Satellite downlink 137.100", 137100.0, 9.0, 34.0},
        {"Beacon", 137500.0, 14.0, 12.0},
        {"Satellite downlink 137.620", 137620.0, 6.0, 34.0},
        {"Satellite downlink 137.9125", 137912.5, 11.0, 34.0},
        {"Telemetry", 140250.0, 4.0, 16.0},
    };
}

template <typename Heard>
void Band::listen(std::chrono::microseconds at, Heard&& heard) const {
    for (const Station& station : stations_) {
        heard(station);
    }
    if (live_) {
        for (const Station& station : live_->onTheAir(at)) {
            heard(station);
        }
    }
}

double Band::level(std::optional<double> receiveKHz, std::chrono::microseconds at) const {
    double heard = NoiseFloor;
    if (receiveKHz) {
        listen(at, [&](const Station& station) {
            heard = std::max(heard, levelOf(station, *receiveKHz));
        });
    }
    return heard;
}

std::optional<Station> Band::stationHeard(std::optional<double> receiveKHz,
                                          std::chrono::microseconds at) const {
    std::optional<Station> loudest;
    double heard = NoiseFloor;
    if (receiveKHz) {
        listen(at, [&](const Station& station) {
            const double level = levelOf(station, *receiveKHz);
            if (level > heard) {
                heard = level;
                loudest = station;
            }
        });
    }
    return loudest;
}

std::uint8_t Band::levelByte(double level) {
    const double scaled = (level - LowestLevel) * BytesPerLevel;
    if (!(scaled > 0.0)) {  // also a level that is not a number
        return 0;
    }
    return static_cast<std::uint8_t>(scaled >= 255.0 ? 255 : roundHalfEven(scaled));
}

std::uint8_t Band::convertLevel(double level) {
    const int exact = levelByte(level);
    if (jitter_ == 0) {
        return static_cast<std::uint8_t>(exact);
    }
    // xorshift32: cheap, and the same sequence on every run
    noise_ ^= noise_ << 13;
    noise_ ^= noise_ >> 17;
    noise_ ^= noise_ << 5;
    const int span = 2 * jitter_ + 1;
    const int offset = static_cast<int>(noise_ % static_cast<std::uint32_t>(span)) - jitter_;
    return static_cast<std::uint8_t>(std::clamp(exact + offset, 0, 255));
}

}  // namespace orvex::sim
