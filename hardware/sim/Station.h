#pragma once

#include <string>

namespace orvex::sim {

// A transmitter the simulated antenna hears.
struct Station {
    std::string name;
    double frequencyKHz = 0.0;
    double strength = 0.0;  // signal level at the centre, in the meter's units (-3.5 .. 23.34)
    double widthKHz = 0.0;  // heard at full strength across this width, fading over as much again

    friend bool operator==(const Station&, const Station&) = default;
};

}  // namespace orvex::sim
