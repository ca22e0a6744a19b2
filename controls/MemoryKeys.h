#pragma once

#include <string>

namespace orvex {

// The four keys of channel memory n, in the order they are stored and recalled.
struct MemoryKeys {
    std::string audio, squelch, channel, step;
};

inline MemoryKeys memoryKeys(int channel) {
    const std::string n = std::to_string(channel);
    return {"AUDIO_" + n, "SQL_" + n, "CHANNEL_" + n, "STEP_FREQ_" + n};
}

}  // namespace orvex
