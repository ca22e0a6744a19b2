#include "controls/OperatorNotes.h"

#include <array>
#include <cmath>

#include "controls/AudioScales.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// The units a typed frequency may be in: MHz, kHz, Hz.
constexpr std::array<double, 3> UnitsPerMegahertz{1.0, 1e3, 1e6};

std::string channelName(int channel) {
    return "Ch-" + std::to_string(channel);
}

}  // namespace

std::string memoryContents(const ChannelMemory& memory) {
    return megahertzText(memory.frequencyKHz) + ", " + std::to_string(memory.stepKHz) +
           " kHz, volume " + std::to_string(memory.volumePosition) + ", squelch " +
           numberText(memory.squelch);
}

std::string storeNote(int channel, const ChannelMemory& memory, const PanelSettings& panel) {
    const bool holdsThePanel =
        memory.status == ChannelMemory::Status::Valid && panel.displayedKHz &&
        std::abs(memory.frequencyKHz - *panel.displayedKHz) < 0.5 &&
        memory.stepKHz == panel.stepKHz && memory.volumePosition == panel.volumePosition &&
        squelchPositionFromFile(memory.squelch) == panel.squelchPosition;
    if (!holdsThePanel) {
        return channelName(channel) + " was not stored: the settings file does not hold it";
    }
    return channelName(channel) + " stored: " + memoryContents(memory);
}

std::optional<std::string> recallNote(int channel, const ChannelMemory& memory) {
    if (memory.status != ChannelMemory::Status::Valid) {
        return std::nullopt;
    }
    return channelName(channel) + " recalled: " + memoryContents(memory);
}

std::string memoryHoverNote(int channel, const ChannelMemory& memory) {
    switch (memory.status) {
        case ChannelMemory::Status::Empty:
            return channelName(channel) + " is empty: switch Read to Write and press it to store";
        case ChannelMemory::Status::Invalid:
            return channelName(channel) + " holds invalid values: a recall changes nothing";
        case ChannelMemory::Status::Valid:
            break;
    }
    return channelName(channel) + " holds " + memoryContents(memory);
}

std::string portNote(int base, std::string_view board) {
    const std::string name = base == Lpt2Base ? "LPT2" : "LPT1";
    const std::string chosen = name + " (base " + std::to_string(base) + ") chosen";
    return board.empty() ? chosen : chosen + ": " + std::string(board);
}

std::string scanNote(bool scanning, std::optional<std::int32_t> displayedKHz) {
    const std::string where = displayedKHz ? megahertzText(*displayedKHz) : "the display";
    if (scanning) {
        return "Scanning up from " + where + "; it holds on a signal above the squelch";
    }
    return "Scan stopped at " + where;
}

std::string stepNote(int stepKHz) {
    const std::string note = "Tuning step " + std::to_string(stepKHz) + " kHz";
    // The 5 kHz switch is captioned "Help" while off, as the panel always was.
    return stepKHz == FineStep.stepKHz ? note + " (the switch captioned Help while off)" : note;
}

std::string_view muteNote() {
    return "Mute holds until the next measurement: while the receiver is on, the squelch decides";
}

std::optional<double> typedMegahertz(std::string_view typed) {
    const std::optional<double> number = parseNumber(typed);
    if (!number) {
        return std::nullopt;
    }
    for (const double perMegahertz : UnitsPerMegahertz) {
        if (*number >= BandBottomMHz * perMegahertz && *number <= BandTopMHz * perMegahertz) {
            // Dividing the exact integer gives the same double as typing the MHz.
            return *number / perMegahertz;
        }
    }
    return std::nullopt;
}

std::optional<std::string> entryNote(double typedMHz, std::optional<std::int32_t> tunedKHz,
                                     int stepKHz) {
    if (!tunedKHz || std::abs(kHzFromMHz(typedMHz) - *tunedKHz) < 1e-6) {
        return std::nullopt;
    }
    return numberText(typedMHz) + " MHz is not on the " + std::to_string(stepKHz) +
           " kHz grid: tuned to " + megahertzText(*tunedKHz);
}

}  // namespace orvex
