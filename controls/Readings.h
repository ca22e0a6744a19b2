#pragma once

#include <cstdint>

namespace orvex {

// A channel memory as the settings file holds it, checked as a recall checks it.
struct ChannelMemory {
    enum class Status {
        Empty,    // none of its four keys stored
        Invalid,  // some key missing, damaged or out of range: a recall changes nothing
        Valid,
    };
    Status status = Status::Empty;
    // When valid: the values a recall applies, as the file holds them.
    double frequencyKHz = 0.0;
    int volumePosition = 0;
    double squelch = 0.0;  // the file's scale, 0..1
    int stepKHz = 0;
};

}  // namespace orvex
