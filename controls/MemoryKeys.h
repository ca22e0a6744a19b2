#pragma once

#include <string>

namespace orvex {

// The panel's channel memories, Ch-1 to Ch-3.
inline constexpr int ChannelCount = 3;

// The four keys of channel memory n, in the order they are stored and recalled.
struct MemoryKeys {
    std::string audio, squelch, channel, step;
};

inline MemoryKeys memoryKeys(int channel) {
    const std::string n = std::to_string(channel);
    return {"AUDIO_" + n, "SQL_" + n, "CHANNEL_" + n, "STEP_FREQ_" + n};
}

}  // namespace orvex
