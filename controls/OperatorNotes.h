#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/Readings.h"

// What a front end tells the operator after an action, in plain words. Every note is built from
// what the receiver's read API says once the handler has run, never from what the operator asked
// for: a store that did not reach the file is never confirmed.
namespace orvex {

// What the panel holds that a store writes to a channel memory, read after the store.
struct PanelSettings {
    std::optional<std::int32_t> displayedKHz;
    int stepKHz = 0;
    int volumePosition = 0;
    int squelchPosition = 0;  // the slider's position
};

// "137.100 MHz, 10 kHz, volume 4, squelch 0.25"
std::string memoryContents(const ChannelMemory& memory);

// After a store: "Ch-2 stored: 137.100 MHz, …" when the memory read back from the file holds what
// the panel shows, else that it was not stored.
std::string storeNote(int channel, const ChannelMemory& memory, const PanelSettings& panel);
// After a recall: "Ch-1 recalled: …"; nothing for an empty or damaged memory (the receiver says
// why itself).
std::optional<std::string> recallNote(int channel, const ChannelMemory& memory);
// While the mouse rests on a channel button: what a recall would apply.
std::string memoryHoverNote(int channel, const ChannelMemory& memory);

// The port in force changed: "LPT2 (base 632) chosen: /dev/parport1".
std::string portNote(int base, std::string_view board);
std::string scanNote(bool scanning, std::optional<std::int32_t> displayedKHz);
std::string stepNote(int stepKHz);
// Why the Mute switch springs back while the receiver measures.
std::string_view muteNote();

// A typed frequency in MHz, kHz or Hz, as MHz: whichever unit puts it in the band; nothing when
// none does.
std::optional<double> typedMegahertz(std::string_view typed);
// When the frequency tuned is not the one typed (the step grid): which one it was rounded to.
std::optional<std::string> entryNote(double typedMHz, std::optional<std::int32_t> tunedKHz,
                                     int stepKHz);

// Knob positions one notch of the mouse wheel over a display digit worth `digitKHz` moves: the
// digit's weight, never finer than one step.
constexpr int knobStepsForDigit(std::int64_t digitKHz, int stepKHz) {
    if (stepKHz <= 0 || digitKHz <= stepKHz) {
        return 1;
    }
    return static_cast<int>(digitKHz / stepKHz);
}

}  // namespace orvex
